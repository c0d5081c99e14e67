#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QByteArray>
#include <QList>

namespace melodora {

class ArchivioSchede;

/** A card with its number, as the export formats carry it. */
struct SchedaNumerata {
    qint64 n = 0;
    Scheda scheda;
};

/**
 * One card as a JSON object with the keys n, Brano, Artista, Album, Genere, Anno,
 * Note, Testo, MP3 in this order; values are the fields without their leading and
 * trailing blanks (line breaks as stored, CR LF), in UTF-8.
 */
QByteArray schedaInJson(qint64 n, const Scheda& scheda);

/** Every whole card of the archive as a JSON array, one object per line. */
Esito esportaJson(const ArchivioSchede& archivio, QByteArray& json);

/**
 * Reads a JSON array of card objects (n ignored, missing keys empty) into cards built
 * by the save button's rules. Refuses, naming the card, a malformed file, an element
 * that is not an object, an unknown key, a value that is not a string, and a card
 * without a title. A lone line feed in a value becomes CR LF.
 */
Esito leggiJson(const QByteArray& json, QList<Scheda>& schede);

/** The save button's line breaks: every lone LF or CR becomes CR LF. */
QString normalizzaACapo(const QString& testo);

} // namespace melodora
