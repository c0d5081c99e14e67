#pragma once

#include "archive/Esito.h"
#include "archive/Interscambio.h"
#include "archive/Scheda.h"

#include <QByteArray>
#include <QList>

namespace melodora {

class ArchivioSchede;

/** The header row of the exported CSV, "n,Brano,Artista,...,MP3", with its CR LF. */
QByteArray intestazioneCsv();

/**
 * One card as a CSV record ending in CR LF: the number, then the fields without their
 * leading and trailing blanks, in UTF-8. A value holding a comma, a semicolon, a quote,
 * a tab or a line break is quoted, with its quotes doubled.
 */
QByteArray schedaInCsv(qint64 n, const Scheda& scheda);

/** Every whole card of the archive as RFC 4180 CSV: the header, then one record per card. */
Esito esportaCsv(const ArchivioSchede& archivio, QByteArray& csv);

/**
 * Reads CSV as spreadsheets write it into cards built by the save button's rules.
 *
 * UTF-8 with or without a byte-order mark; comma or semicolon separated, whichever the
 * header uses; quoted fields may hold separators, line breaks and doubled quotes. The
 * header names the columns (n, Brano, Artista, Album, Genere, Anno, Note, Testo, MP3, in
 * any order and case); n is ignored, a missing column is empty, Brano is required. Lines
 * with no value at all are skipped. A lone line feed or carriage return in a value becomes
 * CR LF.
 *
 * Refuses, naming the line, a file that is not UTF-8, an unknown or repeated column, an
 * unterminated quote, a stray quote, a record whose number of fields differs from the
 * header's, and a card without a title. On refusal @p schede is left as it was.
 *
 * Values too long for their field or holding characters Windows-1252 cannot store are
 * listed in @p problemi; the cards hold them cut, as the save button would store them.
 */
Esito leggiCsv(
    const QByteArray& csv, QList<Scheda>& schede, QList<ProblemaValore>* problemi = nullptr);

} // namespace melodora
