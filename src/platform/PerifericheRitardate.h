#pragma once

#include "platform/LettoreTag.h"
#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace melodora {

class Periferiche;

/**
 * Playback, the mixer, the printer and the tag reader of the window program, each loaded
 * from the module that holds them (libmelodora-periferiche.so, next to the program or in
 * ../lib/melodora) the first time it is used. Until then the program has not paid for Qt
 * Multimedia, Qt Print Support, ALSA and TagLib. A module that cannot be loaded makes each
 * service fail as it would without its device: playback says why, there is no mixer and no
 * printer, tags cannot be read.
 */
class PerifericheRitardate {
public:
    /** The module is looked for from @p cartellaProgramma, by default the program's folder. */
    explicit PerifericheRitardate(MessageService& messaggi, QString cartellaProgramma = {});
    ~PerifericheRitardate();
    PerifericheRitardate(const PerifericheRitardate&) = delete;
    PerifericheRitardate& operator=(const PerifericheRitardate&) = delete;

    MediaService& media() { return m_media; }
    MixerService& mixer() { return m_mixer; }
    PrinterService& stampante() { return m_stampante; }
    const LettoreTag& tag() const { return m_tag; }

    /** The module's services, loading it the first time; null when it cannot be loaded. */
    Periferiche* carica();
    /** Why the module could not be loaded; empty when it was or has not been tried. */
    QString errore() const { return m_errore; }

private:
    class Media : public MediaService {
    public:
        Media(PerifericheRitardate& p, MessageService& messaggi);
        ~Media() override;
        void mciExecute(const QString& comando) override;
        QString shortPath(const QString& percorso) override;

    private:
        MediaService* vero();
        PerifericheRitardate& m_p;
        MessageService& m_messaggi;
        std::unique_ptr<MediaService> m_vero;
    };
    class MixerR : public MixerService {
    public:
        explicit MixerR(PerifericheRitardate& p);
        ~MixerR() override;
        std::unique_ptr<Mixer> apri() override;

    private:
        PerifericheRitardate& m_p;
        std::unique_ptr<MixerService> m_vero;
    };
    class Stampante : public PrinterService {
    public:
        explicit Stampante(PerifericheRitardate& p);
        ~Stampante() override;
        QString nomeDispositivo() override;
        std::unique_ptr<PrintSurface> nuovoDocumento() override;

    private:
        PrinterService* vero();
        PerifericheRitardate& m_p;
        std::unique_ptr<PrinterService> m_vero;
    };
    class Tag : public LettoreTag {
    public:
        explicit Tag(PerifericheRitardate& p);
        bool leggi(const QString& percorso, TagAudio& tag, QString& errore) const override;

    private:
        PerifericheRitardate& m_p;
    };

    QString m_cartella;
    Periferiche* m_periferiche = nullptr;
    bool m_provato = false;
    QString m_errore;
    // Declared last: destroyed first, while the module they came from is still loaded.
    Media m_media;
    MixerR m_mixer;
    Stampante m_stampante;
    Tag m_tag;
};

} // namespace melodora
