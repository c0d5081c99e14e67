// The information picture: the about window takes the main window's place.
#include "main_window/frmSonoria.h"

#include <QLabel>

namespace melodora {

void frmSonoria::picRights_MouseUp()
{
    spostaTwipsCasa(picRights, kCasaRights);
    // The about window opens here.
}

} // namespace melodora
