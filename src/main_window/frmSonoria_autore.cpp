// The information picture: the about window takes the main window's place.
#include "main_window/frmSonoria.h"

#include "mail_about/Autore.h"

#include <QLabel>

namespace melodora {

void frmSonoria::picRights_MouseUp()
{
    spostaTwipsCasa(picRights, kCasaRights);
    // Shown before this window closes, so that the program never runs out of windows.
    Platform& platform = m_platform;
    auto* autore = new Autore(platform, [&platform] { return new frmSonoria(platform); });
    autore->setAttribute(Qt::WA_DeleteOnClose);
    autore->move(geometry().center() - autore->rect().center());
    autore->show();
    // Form_Unload stops the playback. The program's main window deletes itself when
    // closed (later, once this event is handled); one owned by someone else only hides.
    close();
}

} // namespace melodora
