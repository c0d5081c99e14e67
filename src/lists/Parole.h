#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace melodora {

class ArchivioSchede;
class VociSchede;

/**
 * A text as words are compared: Unicode compatibility decomposition (è = e + grave, ™ = TM),
 * combining marks dropped, full case folding (ß = ss), and the few letters the decomposition
 * keeps whole spelt out (æ = ae, œ = oe, ø = o). Each character folds on its own, so a text
 * folds to the folds of its characters one after another.
 */
QString piegaTesto(QStringView testo);

/** The words of a text, folded: the runs of letters and digits of its fold. */
QStringList paroleDi(QStringView testo);

/**
 * Finding cards by their words: a text matches when every word of the criterion is the
 * beginning of some word of the text, in any order, without regard to case and accents.
 * Words are split at every character that is neither a letter nor a digit, so blanks, line
 * breaks and punctuation all separate them; "re" does not find "ore".
 */
class CriterioParole {
public:
    /** @p criterio as typed. */
    explicit CriterioParole(const QString& criterio);

    /** True when the criterion holds no word: such a search is refused. */
    bool vuoto() const { return m_parole.empty(); }

    /** Whether @p testo holds every word. */
    bool corrisponde(QStringView testo) const;

    /**
     * The same test on texts stored in the archive's code page, straight from their bytes;
     * each word may be found in any of them. No text is decoded: each byte's fold comes from
     * a table, and only where a byte can begin a word's fold is the word compared.
     */
    bool corrispondeByte(const QList<QByteArrayView>& testi) const;

private:
    /** Marks in @p trovate the words that begin some word of the @p n folded characters. */
    void cerca(const char16_t* c, qsizetype n, std::vector<char>& trovate, int& restanti) const;

    /** Whether the word @p k begins some word of @p testo, in the archive's code page. */
    bool inizioDiParola(size_t k, QByteArrayView testo) const;

    std::vector<std::u16string> m_parole; ///< folded; none the beginning of another
    /** For each word, the bytes whose fold holds the word's first character. */
    std::vector<std::array<bool, 256>> m_primoByte;
    /**
     * For each word whose first character is a plain letter or digit, that character in
     * lower case (0 otherwise): only it, its capital and bytes above 127 can begin the word.
     */
    std::vector<unsigned char> m_primoAscii;
    /** The same for each word's second character, where the first is such a one. */
    std::vector<unsigned char> m_secondoAscii;
    /** For each word, whether its first character begins every fold that holds it (not ß's). */
    std::vector<char> m_soloInizio;
    /** For each word, whether any byte above 127 can begin it (à, ç, œ, ß...). */
    std::vector<char> m_primoAlto;
    /**
     * For each word, four runs of bytes (first, how many) that hold every byte above 127
     * that can begin it, and a few more where they would take more runs.
     */
    std::vector<std::array<std::pair<uint8_t, uint8_t>, 4>> m_altiIniziali;
};

/** Where a search by words looks: the lyrics, the notes, or every field. */
enum class AmbitoParole { Testo, Note, Tutto };

/**
 * The title-format entries of the cards whose fields in @p ambito hold every word of
 * @p criterio, in list order. One sequential pass in large blocks; only the fields searched
 * are read, straight from the record's bytes. A criterion without words gives no entries.
 */
Esito cercaParole(
    const ArchivioSchede& archivio, AmbitoParole ambito, const QString& criterio, VociSchede& voci);

/**
 * What two cards must share to be the same song entered twice: the letters and digits of a
 * text, folded; blanks and punctuation dropped.
 */
QString chiaveConfronto(QStringView testo);

/** A group of cards with the same title and artist, as the first of them spells them. */
struct GruppoDoppioni {
    QString brano;
    QString artista;
    QList<qint64> schede; ///< ascending
};

/**
 * The groups of two or more cards whose titles and artists have the same key
 * (chiaveConfronto), in the list order of "title - artist". Cards whose title has no letter
 * or digit are left out: they have no title to compare.
 */
Esito cercaDoppioni(const ArchivioSchede& archivio, QList<GruppoDoppioni>& gruppi);

} // namespace melodora
