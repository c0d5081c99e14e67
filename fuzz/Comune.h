#pragma once

#include "archive/Scheda.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace melodora::fuzz {

/** The cards' records one after another, as the archive would hold them. */
QByteArray byteDi(const QList<Scheda>& schede);

/**
 * Takes @p schede as the archive would hold them once written, exports them as JSON (as
 * the export command does), reads them back and checks that the records are byte for byte
 * the same; false with the reason otherwise.
 */
bool giroJson(const QList<Scheda>& schede, QString& difetto);

/** The same through CSV. */
bool giroCsv(const QList<Scheda>& schede, QString& difetto);

} // namespace melodora::fuzz
