#include "platform/ImmaginePremibile.h"

#include "platform/Accessibile.h"
#include "platform/Controlli.h"
#include "platform/Twips.h"

#include <QMouseEvent>

namespace melodora {

namespace {
    // How far a pressed picture moves, right and down, in twips.
    constexpr QPoint kPressione { 20, 20 };
}

ImmaginePremibile::ImmaginePremibile(QWidget* parent, const QString& objectName,
    const QString& nomeImmagine, const QString& tooltip, QRect geometria)
    : QLabel(parent)
{
    setObjectName(objectName);
    if (geometria.isValid())
        setGeometry(geometria);
    setPixmap(immagine(nomeImmagine));
    setScaledContents(true);
    setToolTip(tooltip);
    setCursor(Qt::PointingHandCursor);
    rendiAttivabile(
        this, tooltip.trimmed(), [this] { premi(); }, [this] { rilascia(); });
}

void ImmaginePremibile::mettiACasa(QPoint casa, QSize dimensione)
{
    m_casa = casa;
    resize(pixelDaTwips(*this, QRect(QPoint(), dimensione)).size());
    spostaTwips(casa);
}

void ImmaginePremibile::spostaTwips(QPoint posizione)
{
    m_posizione = posizione;
    move(pixelDaTwips(*this, posizione));
}

void ImmaginePremibile::premi()
{
    if (m_casa)
        spostaTwips(m_posizione + kPressione);
}

void ImmaginePremibile::rilascia()
{
    // Home is the fixed place, not wherever the press found the picture.
    if (m_casa)
        spostaTwips(*m_casa);
    emit rilasciata();
}

void ImmaginePremibile::mousePressEvent(QMouseEvent* evento)
{
    premi();
    evento->accept();
}

void ImmaginePremibile::mouseReleaseEvent(QMouseEvent* evento)
{
    rilascia();
    evento->accept();
}

void ImmaginePremibile::mouseDoubleClickEvent(QMouseEvent* evento)
{
    // The second press of a double click is no new press: the picture moves on
    // neither at it nor at a release it has not had.
    evento->ignore();
}

} // namespace melodora
