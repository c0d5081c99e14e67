#pragma once

#include <QPoint>
#include <QRect>

class QPaintDevice;

namespace melodora {

/** Twips to the inch: the windows' designed positions and sizes, and printing, use twips. */
inline constexpr double kTwipsPerPollice = 1440.0;

/** Twips per pixel of @p schermo (a window, on its screen), horizontally and vertically. */
double twipsPerPixelX(const QPaintDevice& schermo);
double twipsPerPixelY(const QPaintDevice& schermo);

/** A point given in twips, in the nearest pixels of @p schermo. */
QPoint pixelDaTwips(const QPaintDevice& schermo, QPoint twips);

/** A rectangle given in twips (left, top, width, height), in the nearest pixels. */
QRect pixelDaTwips(const QPaintDevice& schermo, QRect twips);

} // namespace melodora
