#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"
#include "lists/MemoriaGrande.h"

#include <QByteArrayView>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace melodora {

class ArchivioSchede;

/** The four searches of the search window, each matching one field. */
enum class CampoRicerca { Titolo, Artista, Album, Genere };

/**
 * One criteria row of the search window: the field it matches, the pieces of its entries
 * in order, the prefix of its criterion caption and its texts.
 */
struct RigaRicerca {
    Campo campo;
    std::array<Campo, 4> pezzi;
    QString prefisso; ///< "Brano: ": its first four characters name the entry format
    QString messaggioVuoto; ///< shown when the criterion is blank
    QString istruzione; ///< shown above the search box of the results panel
};

/** The row of @p campo. */
const RigaRicerca& rigaRicerca(CampoRicerca campo);

/**
 * A list entry: the four pieces of the format of @p formato, each without the blanks around
 * it, joined by " - ", then "  (Scheda n)". The audio list uses the title format.
 */
QString voceScheda(CampoRicerca formato, qint64 n, const Scheda& scheda);

/**
 * List entries as the archive holds their characters, one byte each, all in one block: a list
 * of every card costs a few allocations rather than one an entry, is ordered from its bytes,
 * and goes out to a terminal without ever being held as texts. The windows decode it.
 */
class VociSchede {
public:
    /** A list that will hold at most @p alPiu entries: room for them is kept at once. */
    explicit VociSchede(qint64 alPiu = 0);
    /** Appends the entry of card @p n, built straight from its record's bytes. */
    void aggiungi(CampoRicerca formato, qint64 n, const char* record);
    qsizetype size() const { return static_cast<qsizetype>(m_voci.size()); }
    bool isEmpty() const { return m_voci.empty(); }
    /** The bytes of entry @p i. */
    QByteArrayView byte(qsizetype i) const { return m_voci[static_cast<size_t>(i)]; }
    /** Entry @p i, decoded. */
    QString voce(qsizetype i) const;
    /** Every entry, decoded, in their order. */
    QStringList testi() const;
    /** Puts the entries in list order (ordineAlfabetico). */
    void ordina();

private:
    /** Room for @p n more bytes, in a new block when the last one has too little. */
    char* spazio(qsizetype n);

    // Blocks that stay where they are: growing one string would copy it again and again.
    std::vector<std::vector<char, AllocatoreGrande<char>>> m_blocchi;
    qsizetype m_usati = 0; ///< of the last block
    std::vector<QByteArrayView, AllocatoreGrande<QByteArrayView>> m_voci;
};

/** How many of the @p n bytes at @p p are left without the blanks that end them. */
qsizetype senzaSpaziFinali(const char* p, qsizetype n);

/** The card number an entry ends with ("  (Scheda n)"), or 0 when it ends otherwise. */
qint64 numeroDellaVoce(const QString& voce);

/**
 * The matching rule of a search: a card matches when the first L characters of its field as
 * stored (padded with blanks), trimmed and upper-cased, equal the criterion trimmed and
 * upper-cased, L being the length of the trimmed criterion. In effect: the field begins with
 * the criterion, without regard to case; a field shorter than the criterion never matches.
 */
class CriterioRicerca {
public:
    /** @p testo as typed; its leading and trailing blanks are removed. */
    CriterioRicerca(CampoRicerca campo, const QString& testo);

    /** True when the criterion is empty or blanks only: such a search is refused. */
    bool vuoto() const { return m_chiave.isEmpty(); }
    /** The criterion upper-cased, as compared. */
    const QString& chiave() const { return m_chiave; }

    /** Whether the record (2830 bytes) matches; only the field's first L bytes are read. */
    bool corrisponde(const char* record) const;

private:
    int m_offset;
    int m_lunghezzaCampo;
    QString m_chiave;
};

/** One character upper-cased as the system's locale does it, accented letters included. */
QChar maiuscola(QChar c);

/**
 * The entries in format @p formato of the cards whose record @p scelta takes, in list order:
 * one sequential pass in large blocks over the whole records; a trailing part record is not a
 * card. What every list is made of.
 */
Esito elencoDove(const ArchivioSchede& archivio, CampoRicerca formato,
    const std::function<bool(const char* record)>& scelta, VociSchede& voci);

/**
 * The entries of the cards that match @p testo (as typed) in @p campo, in list order.
 * One sequential pass in large blocks over the whole records; a trailing part record is not
 * a card. A blank @p testo gives no entries.
 */
Esito cercaSchede(
    const ArchivioSchede& archivio, CampoRicerca campo, const QString& testo, VociSchede& voci);

/**
 * The entries (title format) of every card whose audio path is not blank, in list order.
 * Whether the file exists is not looked at.
 */
Esito elencoAudio(const ArchivioSchede& archivio, VociSchede& voci);

/** A card found from its entry. */
struct SchedaTrovata {
    qint64 numero = 0;
    Scheda scheda;
};

/**
 * The card whose entry in format @p formato equals @p voce exactly. Only the card the entry
 * names can rebuild to it, so that card alone is read: the search ends after one read also
 * when the archive changed and no card rebuilds to the entry any more (no value then).
 */
std::optional<SchedaTrovata> trovaScheda(
    const ArchivioSchede& archivio, CampoRicerca formato, const QString& voce);

/**
 * The caption of the search window's criterion label: the row's prefix and the criterion,
 * or, beyond 18 characters, the prefix, the first 18 characters as typed (trimmed) and "...".
 */
QString criterioRicerca(CampoRicerca campo, const QString& testoDigitato);

/** The criterion caption of a search by words: "Testo: " and the words, cut as above. */
QString criterioParole(const QString& testoDigitato);

/** The entry format named by the first four characters of a criterion caption, if any. */
std::optional<CampoRicerca> formatoDelCriterio(const QString& criterio);

/**
 * The first entry, from the top, that begins with @p testo without regard to case, or -1
 * when none does or @p testo is empty.
 */
int primaVoceCheInizia(const QStringList& voci, const QString& testo);

} // namespace melodora
