#pragma once

#include "platform/Platform.h"

#include <QDialog>

namespace melodora {

/** The volume window: a vertical slider over the speakers' volume of the system mixer. */
class frmVolume : public QDialog {
    Q_OBJECT
public:
    frmVolume(Platform& platform, QWidget* parent = nullptr);

private:
    Platform& m_platform;
};

} // namespace melodora
