#pragma once

#include "platform/Platform.h"

#include <QDateTime>
#include <QStringList>

class QWidget;

namespace melodora {

class PrintSurface;

/** Which window's list is printed: the heading and the totals label differ. */
enum class TipoElenco { Ricerca, Audio };

/**
 * Prints the rows of a list window as shown, with heading, totals and the dated footer,
 * asking first and reporting an empty list or a failed printout in message boxes.
 * @p criterio is the search window's criterion caption (unused for the audio list).
 */
void StampaElenco(Platform& platform, QWidget* parent, TipoElenco tipo, const QString& criterio,
    const QStringList& righe);

/**
 * The printout itself, without questions or messages: heading, @p righe in order, totals,
 * footer dated @p adesso, EndDoc. Stops at the first failing step; false then.
 */
bool StampaRigheElenco(PrintSurface& stampante, TipoElenco tipo, const QString& criterio,
    const QStringList& righe, const QDateTime& adesso);

} // namespace melodora
