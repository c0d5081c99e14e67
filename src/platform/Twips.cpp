#include "platform/Twips.h"

#include <QPaintDevice>

namespace melodora {

double twipsPerPixelX(const QPaintDevice& schermo)
{
    return kTwipsPerPollice / schermo.logicalDpiX();
}
double twipsPerPixelY(const QPaintDevice& schermo)
{
    return kTwipsPerPollice / schermo.logicalDpiY();
}

QPoint pixelDaTwips(const QPaintDevice& schermo, QPoint twips)
{
    return { qRound(twips.x() / twipsPerPixelX(schermo)),
        qRound(twips.y() / twipsPerPixelY(schermo)) };
}

QRect pixelDaTwips(const QPaintDevice& schermo, QRect twips)
{
    const double x = twipsPerPixelX(schermo);
    const double y = twipsPerPixelY(schermo);
    return QRect(qRound(twips.x() / x), qRound(twips.y() / y), qRound(twips.width() / x),
        qRound(twips.height() / y));
}

} // namespace melodora
