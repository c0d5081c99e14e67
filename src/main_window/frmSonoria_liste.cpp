// The buttons that open the search window and the audio list window.
#include "main_window/frmSonoria.h"

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

} // namespace melodora
