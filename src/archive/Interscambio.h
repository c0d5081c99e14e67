#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QByteArray>
#include <QList>

#include <array>

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

/** A value that its field cannot hold as given: too long, or with a character Windows-1252 lacks.
 */
struct ProblemaValore {
    enum class Tipo { TroppoLungo, NonRappresentabile };
    qint64 scheda = 0; ///< the card's place in the imported file, from 1
    qint64 riga = 0; ///< the file's line where the card starts; 0 where the format has no lines
    Campo campo = Campo::Brano;
    Tipo tipo = Tipo::TroppoLungo;
    qsizetype lunghezza = 0; ///< characters of the value as it would be stored (TroppoLungo)
    QString carattere; ///< the first character the set cannot hold (NonRappresentabile)
};

/**
 * Checks eight values, with their line breaks already as CR LF, against the card's
 * fields: a value longer than its field once its leading and trailing blanks are gone,
 * and a value holding a character Windows-1252 cannot store, each add one entry.
 */
void controllaValori(const std::array<QString, kNumeroCampi>& testi, qint64 scheda, qint64 riga,
    QList<ProblemaValore>& problemi);

/** The problem in one Italian sentence that names the card and the field. */
QString descriviProblema(const ProblemaValore& p);

/**
 * Reads a JSON array of card objects (n ignored, missing keys empty) into cards built
 * by the save button's rules. Refuses, naming the card, a malformed file, an element
 * that is not an object, an unknown key, a value that is not a string, and a card
 * without a title. A lone line feed in a value becomes CR LF. A byte-order mark at the
 * start is skipped. Values the save button would cut or replace are still accepted, as
 * the save button does; when @p problemi is given they are listed there.
 */
Esito leggiJson(
    const QByteArray& json, QList<Scheda>& schede, QList<ProblemaValore>* problemi = nullptr);

/**
 * Applies one JSON card object to @p scheda, card @p n, as the save button stores values:
 * the keys given replace their fields, a missing key keeps the stored value. Refuses what
 * leggiJson refuses in an element, and a result without a title.
 */
Esito aggiornaDaJson(
    const QByteArray& json, qint64 n, Scheda& scheda, QList<ProblemaValore>* problemi = nullptr);

/** The save button's line breaks: every lone LF or CR becomes CR LF. */
QString normalizzaACapo(const QString& testo);

} // namespace melodora
