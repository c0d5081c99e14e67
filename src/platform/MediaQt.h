#pragma once

#include "platform/Platform.h"

#include <QObject>

#include <map>
#include <memory>

class QMediaPlayer;

namespace melodora {

/**
 * Playback through Qt Multimedia (QMediaPlayer + QAudioOutput on GStreamer). Each path
 * is a device of its own with its own player, so that every window plays its own file.
 * "play " opens the file when needed and starts or resumes it without waiting, "pause "
 * holds it, "close " stops it and releases the player; closing a path never opened does
 * nothing. A missing file (a command with no path) and a file that cannot be played are
 * reported in a message box of the service's own, once per attempt: a close in the same
 * step (the play and close that end playback) withdraws the report of the play before it.
 * The caller never looks at a result.
 */
class QtMediaService : public MediaService {
public:
    explicit QtMediaService(MessageService& messaggi);
    ~QtMediaService() override;
    QtMediaService(const QtMediaService&) = delete;
    QtMediaService& operator=(const QtMediaService&) = delete;

    void mciExecute(const QString& comando) override;
    QString shortPath(const QString& percorso) override;

    /** The player of an open path, or null when that path is not open. */
    QMediaPlayer* lettore(const QString& percorso) const;

private:
    struct Dispositivo;
    Dispositivo& apri(const QString& percorso);
    void chiudi(const QString& percorso);
    /** Shows @p testo from the event loop, unless @p contesto is gone by then. */
    void segnala(QObject* contesto, const QString& testo);

    MessageService& m_messaggi;
    // Receivers of the deferred messages: they die with them. The missing file's is renewed
    // by a close of the empty path, which withdraws the report of the play just before it.
    QObject m_contesto;
    std::unique_ptr<QObject> m_mancante;
    std::map<QString, std::unique_ptr<Dispositivo>> m_dispositivi;
};

} // namespace melodora
