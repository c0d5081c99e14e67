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
 * A printout's heading: blank lines, @p intestazione in bold italic, the rule under it; left
 * at the body's font.
 */
void StampaIntestazione(PrintSurface& stampante, const QString& intestazione);

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
 * Prints @p testo from the print position and ends the line, as the fixed parts of the
 * printouts do (ScaleMode 1, ScaleLeft -600). A text that would cross the wrapped texts'
 * right margin (900 twips before the printable area's right edge) continues on further
 * lines, each placed where the text began: broken at blanks (the blanks at a break are left
 * out, those within a line kept), a word wider than a whole line broken inside. Blanks from
 * @p finePause on are no breaks (-1: every blank is). @p aCapo follows the last line's text.
 */
void StampaRigaACapo(PrintSurface& stampante, const QString& testo, const QString& aCapo = {},
    qsizetype finePause = -1);

/**
 * The next word of @p testo (words are separated by blanks only); @p testo keeps the rest,
 * without leading and trailing blanks. An empty word means no word is left.
 */
QString ProssimaParola(QString& testo);

/** "Scheda stampata in data dd/mm/yyyy alle ore hh:mm:ss", the footer of every printout. */
QString piedeDiPagina(const QDateTime& adesso);

} // namespace melodora
