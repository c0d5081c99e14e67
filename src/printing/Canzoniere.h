#pragma once

#include "printing/StampaScheda.h"

#include <QDateTime>
#include <QList>

namespace melodora {

class PrintSurface;

/**
 * A songbook of @p canzoni on @p stampante: a title page with the date, the contents (each
 * song's title, artist and page), then each song in the card printout's lyrics layout from a
 * new page; every page but the title page carries its number at its foot. Ends the document.
 *
 * The contents show @p pagine (one number per song; missing ones as 0), which only the
 * layout itself can tell: @p inizi receives the page on which each song begins. The contents
 * take as many lines whatever their numbers are, so a second layout with the first one's
 * @p inizi writes the real ones. False when the printer failed.
 */
bool StampaCanzoniere(PrintSurface& stampante, const QList<TestiScheda>& canzoni,
    const QList<int>& pagine, const QDateTime& adesso, QList<int>& inizi);

} // namespace melodora
