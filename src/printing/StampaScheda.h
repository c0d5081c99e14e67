#pragma once

#include <QDateTime>
#include <QString>

namespace melodora {

class PrintSurface;
class Scheda;

/** The seven texts of a card printout, each without its leading and trailing blanks. */
struct TestiScheda {
    QString brano;
    QString artista;
    QString album;
    QString genere;
    QString anno;
    QString note;
    QString testo; ///< the lyrics; line ends LF or CR LF
};

/** The texts of a stored card: its fields without their blanks. */
TestiScheda testiDaScheda(const Scheda& scheda);

/** The three layouts of a card printout. */
enum class Impaginazione { Completa, Informazioni, Testo };

/** A card whose title is blank is not printed. */
bool titoloMancante(const TestiScheda& testi);

/**
 * The layouts. Each draws the whole card on @p stampante, ends the document with EndDoc,
 * and returns false when the printer failed. @p adesso dates the footer.
 */
bool StampaInformazioni(PrintSurface& stampante, const TestiScheda& testi, const QDateTime& adesso);
bool StampaCompleta(PrintSurface& stampante, const TestiScheda& testi, const QDateTime& adesso);
bool StampaTesto(PrintSurface& stampante, const TestiScheda& testi, const QDateTime& adesso);
bool StampaScheda(PrintSurface& stampante, Impaginazione impaginazione, const TestiScheda& testi,
    const QDateTime& adesso);

/**
 * Prints @p testo word-wrapped from 600 twips after the left edge of the printable area to
 * 900 twips before its right edge, one line per paragraph at least. Expects ScaleLeft 0.
 */
void StampaACapo(PrintSurface& stampante, const QString& testo);

/**
 * The next word of @p testo (words are separated by blanks only); @p testo keeps the rest,
 * without leading and trailing blanks. An empty word means no word is left.
 */
QString ProssimaParola(QString& testo);

/** "Scheda stampata in data dd/mm/yyyy alle ore hh:mm:ss", the footer of every printout. */
QString piedeDiPagina(const QDateTime& adesso);

} // namespace melodora
