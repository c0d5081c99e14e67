#pragma once

#include "archive/Esito.h"
#include "archive/Interscambio.h"
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

/**
 * What an importer promises of its answer: a refusal gives a reason and no card; accepted
 * cards have titles and whole records; every problem names one of them; and what was
 * accepted once comes back unchanged through both export formats.
 */
bool importazioneCoerente(const Esito& esito, const QList<Scheda>& schede,
    const QList<ProblemaValore>& problemi, QString& difetto);

} // namespace melodora::fuzz
