#pragma once

#include <QString>

#include <functional>

class QAbstractButton;

namespace melodora {

class MediaService;

/**
 * The playback buttons of one window and the commands behind them. The state lives
 * in the buttons themselves: an enabled Stop means the file's device may be open. Which
 * device a Play opened is remembered, so that Pause and the ending of playback go to that
 * device, and to none when Play found no file to open: a missing file is reported by the
 * player once, on the Play, and a device never opened is never closed.
 */
class ControlloRiproduzione {
public:
    /** @p fileCorrente gives the window's current file (untrimmed). */
    ControlloRiproduzione(MediaService& media, QAbstractButton* pause, QAbstractButton* stop,
        std::function<QString()> fileCorrente);

    /** True when the current file, without its blanks, is empty. */
    bool nessunFile() const;

    /** Enables Pause and Stop, then sends "play " + the short path. */
    void play();
    /** Sends "pause " to the open device and disables Pause; nothing without a file. */
    void pause();
    /** Sends "play " then "close " to the open device and disables Pause and Stop. */
    void stop();
    /** Ends the playback of the current file if its device is open (Stop enabled). */
    void CloseAudio();
    /** Ends the playback of the open device without looking at Stop; disables Pause and Stop. */
    void chiudiSempre();

    /** The path unchanged for an existing file, the empty string otherwise. */
    QString ShortPath(const QString& percorso) const;

private:
    void chiudi();

    MediaService& m_media;
    QAbstractButton* m_pause;
    QAbstractButton* m_stop;
    std::function<QString()> m_file;
    QString m_aperto; ///< the short path the last Play opened; empty while none is open
};

} // namespace melodora
