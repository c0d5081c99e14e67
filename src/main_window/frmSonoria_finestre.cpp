// The volume button: the volume window opens modally and the playback goes on.
#include "main_window/frmSonoria.h"

#include "audio/frmVolume.h"

namespace melodora {

void frmSonoria::cmdVolume_Click()
{
    frmVolume volume(m_platform, this);
    volume.exec();
}

} // namespace melodora
