// The audio file, its playback and the title animation.
#include "main_window/frmSonoria.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace melodora {

void frmSonoria::estraiAnimazione() { }

void frmSonoria::cmdSfoglia_Click() { }

void frmSonoria::txtMP3_Change()
{
    const bool vuoto = txtMP3->text().trimmed().isEmpty();
    cmdPlay->setEnabled(!vuoto);
    cmdPause->setEnabled(false);
    cmdStop->setEnabled(false);
}

void frmSonoria::txtMP3_KeyPress(int& KeyAscii) { Q_UNUSED(KeyAscii); }

void frmSonoria::cmdPlay_Click() { }
void frmSonoria::cmdPause_Click() { }
void frmSonoria::cmdStop_Click() { }
void frmSonoria::CloseAudio() { }
QString frmSonoria::ShortPath(const QString& percorso)
{
    return m_platform.media.shortPath(percorso);
}

void frmSonoria::StartAnimation() { }
int frmSonoria::SplitGifFrames(const QString& percorso)
{
    Q_UNUSED(percorso);
    return 0;
}
void frmSonoria::tmrAniGif_Timer() { }
void frmSonoria::CheckAnimationEnd() { }

} // namespace melodora
