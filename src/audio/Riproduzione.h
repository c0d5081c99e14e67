#pragma once

#include <QString>

#include <functional>

class QAbstractButton;

namespace melodora {

class MediaService;

/**
 * The playback buttons of one window and the commands behind them. The state lives
 * in the buttons themselves: an enabled Stop means the file's device is open.
 */
class ControlloRiproduzione {
public:
    /** @p fileCorrente gives the window's current file (untrimmed). */
    ControlloRiproduzione(MediaService& media, QAbstractButton* play, QAbstractButton* pause,
        QAbstractButton* stop, std::function<QString()> fileCorrente);

    /** True when the current file, without its blanks, is empty. */
    bool nessunFile() const;

    /** Enables Pause and Stop, then sends "play " + the short path. */
    void play();
    /** Sends "pause " + the short path and disables Pause; nothing without a file. */
    void pause();
    /** Sends "play " then "close " and disables Pause and Stop; nothing without a file. */
    void stop();
    /** Ends the playback of the current file if its device is open (Stop enabled). */
    void CloseAudio();
    /**
     * Ends the playback without looking at Stop: "play " then "close " when the file is
     * not blank, then disables Pause and Stop.
     */
    void chiudiSempre();

    /** The path unchanged for an existing file, the empty string otherwise. */
    QString ShortPath(const QString& percorso) const;

private:
    void chiudi();

    MediaService& m_media;
    QAbstractButton* m_play;
    QAbstractButton* m_pause;
    QAbstractButton* m_stop;
    std::function<QString()> m_file;
};

} // namespace melodora
