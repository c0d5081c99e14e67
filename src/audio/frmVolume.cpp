#include "audio/frmVolume.h"

namespace melodora {

frmVolume::frmVolume(Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmVolume"));
    setWindowTitle(QStringLiteral("Volume"));
}

} // namespace melodora
