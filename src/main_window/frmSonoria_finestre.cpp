// The buttons that open the other windows.
#include "main_window/frmSonoria.h"

#include <QLabel>

namespace melodora {

void frmSonoria::cmdTrova_Click()
{
    CloseAudio();
    // The search window opens here.
}

void frmSonoria::cmdListaMP3_Click()
{
    CloseAudio();
    // The audio list window opens here.
}

void frmSonoria::cmdStampa_Click()
{
    // The card print dialog opens here; the playback goes on.
}

void frmSonoria::cmdVolume_Click()
{
    // The volume window opens here; the playback goes on.
}

void frmSonoria::picRights_MouseUp()
{
    // Back home first; the about window takes the main window's place here.
    spostaTwipsCasa(picRights, kCasaRights);
}

} // namespace melodora
