#pragma once

#include "platform/FileOps.h"
#include "platform/Platform.h"
#include "platform/PrintSurface.h"
#include "platform/ServiziQt.h"

#include "FakeStampa.h"
#include "FakeTag.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QUrl>

namespace melodora::test {

/** One message box as the window asked for it. */
struct MessaggioMostrato {
    QString testo;
    QString titolo;
    Icona icona;
    Pulsanti pulsanti;
};

/** Records every box; answers from a script (OK, or Yes for Yes/No, when none is queued). */
class FakeMessages : public MessageService {
public:
    Risposta mostra(QWidget*, const QString& testo, const QString& titolo, Icona icona,
        Pulsanti pulsanti) override
    {
        mostrati.append({ testo, titolo, icona, pulsanti });
        if (!risposte.isEmpty())
            return risposte.dequeue();
        switch (pulsanti) {
        case Pulsanti::SiNo:
            return Risposta::Si;
        default:
            return Risposta::Ok;
        }
    }
    void beep() override { ++beep_; }

    QList<MessaggioMostrato> mostrati;
    QQueue<Risposta> risposte;
    int beep_ = 0;
};

class FakeHelp : public HelpService {
public:
    void impostaFileGuida(const QString& percorso) override { file = percorso; }
    QString fileGuida() const override { return file; }
    void mostraGuida(QWidget*) override { ++aperture; }
    QString file;
    int aperture = 0;
};

/**
 * Records the keys; with consegna on (the default) also posts them as the real service
 * does, so that a queued Tab really moves the focus.
 */
class FakeKeys : public KeyService {
public:
    void inviaTasti(const QString& tasti) override
    {
        inviati.append(tasti);
        if (consegna)
            reale.inviaTasti(tasti);
    }
    QStringList inviati;
    bool consegna = true;
    QtKeyService reale;
};

/** Returns the scripted path (empty: the user cancelled) and records how it was asked. */
class FakeFileDialog : public FileDialogService {
public:
    QString scegliFile(QWidget*, const QString& titolo_, const QString& cartella_,
        const QStringList& filtri_) override
    {
        titolo = titolo_;
        cartella = cartella_;
        filtri = filtri_;
        return risposta;
    }
    QString risposta;
    QString titolo;
    QString cartella;
    QStringList filtri;
};

/**
 * Records every command string; a path is "existing" unless listed in mancanti. Like the
 * system's media control, it reports every command that names no file in a message box
 * (close included), so a test counts the reports a window causes.
 */
class FakeMedia : public MediaService {
public:
    explicit FakeMedia(MessageService& messaggi_)
        : messaggi(messaggi_)
    {
    }
    void mciExecute(const QString& comando) override
    {
        comandi.append(comando);
        if (comando.indexOf(QLatin1Char(' ')) == comando.size() - 1)
            messaggi.mostra(nullptr, QStringLiteral("File non trovato: ") + comando,
                QStringLiteral("Riproduzione"), Icona::Esclamazione, Pulsanti::Ok);
    }
    QString shortPath(const QString& percorso) override
    {
        return mancanti.contains(percorso) ? QString() : percorso;
    }
    MessageService& messaggi;
    QStringList comandi;
    QStringList mancanti;
};

/** Hands out mixers with the scripted bounds and level; records every value they set. */
class FakeMixerService : public MixerService {
public:
    class FakeMixer : public Mixer {
    public:
        explicit FakeMixer(FakeMixerService& servizio)
            : m_servizio(servizio)
        {
        }
        ~FakeMixer() override { ++m_servizio.rilasciati; }
        std::optional<ControlloVolume> controlloVolume() override { return m_servizio.controllo; }
        std::optional<long> leggiVolume(const ControlloVolume&) override
        {
            return m_servizio.livello;
        }
        bool impostaVolume(const ControlloVolume&, long valore) override
        {
            m_servizio.valori.append(valore);
            if (m_servizio.livello)
                m_servizio.livello = valore;
            return true;
        }

    private:
        FakeMixerService& m_servizio;
    };

    std::unique_ptr<Mixer> apri() override
    {
        ++aperture;
        return std::make_unique<FakeMixer>(*this);
    }
    std::optional<ControlloVolume> controllo
        = ControlloVolume { QStringLiteral("Master"), 0, 65535 };
    std::optional<long> livello; ///< the speakers' current value; none: the mixer cannot tell
    QList<long> valori;
    int aperture = 0;
    int rilasciati = 0; ///< mixers opened and released since
};

/** Hands out recording documents (none when not disponibile); keeps what each received. */
class FakePrinter : public PrinterService {
public:
    QString nomeDispositivo() override { return nome; }
    std::unique_ptr<PrintSurface> nuovoDocumento() override
    {
        if (!disponibile)
            return nullptr;
        documenti.push_back(std::make_unique<DocumentoRegistrato>());
        return std::make_unique<FakeStampa>(*documenti.back(), copione);
    }
    QString nome = QStringLiteral("Stampante di prova");
    bool disponibile = true;
    CopioneStampa copione;
    std::vector<std::unique_ptr<DocumentoRegistrato>> documenti;
};

/** Records every URL; answers with esito. */
class FakeShell : public ShellService {
public:
    bool apriUrl(const QUrl& url) override
    {
        url_.append(url);
        return esito;
    }
    QList<QUrl> url_;
    bool esito = true;
};

/** Every fake, and the Platform that hands them to a window. Real file operations by default. */
struct FakePlatform {
    FakeMessages messaggi;
    FakeHelp guida;
    FakeKeys tasti;
    FakeFileDialog dialoghi;
    FakeMedia media { messaggi };
    FakeMixerService mixer;
    FakePrinter stampante;
    FakeShell shell;
    FakeLettoreTag tag;
    FakeProgress avanzamento;
    Platform platform { messaggi, guida, tasti, dialoghi, media, mixer, stampante, shell,
        fileOpsReali(), tag, avanzamento };

    /** These fakes with the services given (a real one under test) in place of theirs. */
    Platform con(
        MediaService* m, MixerService* x = nullptr, ShellService* s = nullptr, FileOps* f = nullptr)
    {
        return { messaggi, guida, tasti, dialoghi, m ? *m : media, x ? *x : mixer, stampante,
            s ? *s : shell, f ? *f : fileOpsReali(), tag, avanzamento };
    }
};

} // namespace melodora::test
