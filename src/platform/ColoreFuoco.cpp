#include "platform/ColoreFuoco.h"

#include "platform/Controlli.h"

#include <QEvent>
#include <QWidget>

namespace melodora {

ColoreFuoco::ColoreFuoco(QWidget* campo, const QColor& normale)
    : QObject(campo)
    , m_campo(campo)
    , m_normale(normale)
{
    campo->installEventFilter(this);
}

void ColoreFuoco::segui(QWidget* interno) { interno->installEventFilter(this); }

bool ColoreFuoco::eventFilter(QObject*, QEvent* evento)
{
    // Only recolours: the box still gets its focus events.
    if (evento->type() == QEvent::FocusIn)
        coloraSfondo(m_campo, coloreFuoco());
    else if (evento->type() == QEvent::FocusOut)
        coloraSfondo(m_campo, m_normale);
    return false;
}

} // namespace melodora
