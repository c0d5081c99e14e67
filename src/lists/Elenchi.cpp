#include "lists/Elenchi.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "lists/OrdineAlfabetico.h"
#include "lists/TestiListe.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace melodora {

using namespace testi_liste;

namespace {
    // Plain ASCII: the same in the archive's bytes and in a text.
    constexpr QLatin1StringView kSeparatore(" - ");
    constexpr QLatin1StringView kApertura("  (Scheda ");
    constexpr int kLimiteCriterio = 18;

    /** The upper-case character of each byte of the archive's code page. */
    const std::array<char16_t, 256>& maiuscoleCodePage()
    {
        static const std::array<char16_t, 256> t = [] {
            std::array<char16_t, 256> a {};
            for (int b = 0; b < 256; ++b)
                a[b] = maiuscola(cp1252::decodifica(static_cast<unsigned char>(b))).unicode();
            return a;
        }();
        return t;
    }

    /** The bytes of a field without its leading and trailing blanks. */
    struct Pezzo {
        const char* dati;
        int lunghezza;
    };

    Pezzo pezzoDelRecord(const char* record, Campo campo)
    {
        const char* p = record + info(campo).offset;
        int i = 0;
        const auto j = static_cast<int>(senzaSpaziFinali(p, info(campo).lunghezza));
        while (i < j && p[i] == ' ')
            ++i;
        return { p + i, j - i };
    }
}

qsizetype senzaSpaziFinali(const char* p, qsizetype n)
{
    // Most of a field is the blanks that fill it: skip them 32 or eight at a time.
#if defined(__SSE2__)
    const __m128i spazi = _mm_set1_epi8(' ');
    while (n >= 32) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 32));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16));
        if (_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, spazi), _mm_cmpeq_epi8(b, spazi)))
            != 0xFFFF)
            break;
        n -= 32;
    }
#endif
    constexpr uint64_t kOttoSpazi = 0x2020202020202020ULL;
    while (n >= 8) {
        uint64_t otto = 0;
        std::memcpy(&otto, p + n - 8, sizeof otto);
        if (otto != kOttoSpazi)
            break;
        n -= 8;
    }
    while (n > 0 && p[n - 1] == ' ')
        --n;
    return n;
}

const RigaRicerca& rigaRicerca(CampoRicerca campo)
{
    static const std::array<RigaRicerca, 4> righe = { {
        { Campo::Brano, { Campo::Brano, Campo::Artista, Campo::Album, Campo::Anno }, PrefissoBrano,
            VuotoBrano, CercaBrano },
        { Campo::Artista, { Campo::Artista, Campo::Brano, Campo::Album, Campo::Anno },
            PrefissoArtista, VuotoArtista, CercaArtista },
        { Campo::Album, { Campo::Album, Campo::Brano, Campo::Artista, Campo::Anno }, PrefissoAlbum,
            VuotoAlbum, CercaAlbum },
        { Campo::Genere, { Campo::Genere, Campo::Brano, Campo::Artista, Campo::Anno },
            PrefissoGenere, VuotoGenere, CercaGenere },
    } };
    return righe[static_cast<int>(campo)];
}

QString voceScheda(CampoRicerca formato, qint64 n, const Scheda& scheda)
{
    // Made as a list makes it, from the card's bytes: an entry has one way to be made.
    VociSchede voce;
    voce.aggiungi(formato, n, scheda.inByte().constData());
    return voce.voce(0);
}

char* VociSchede::spazio(qsizetype n)
{
    if (m_blocchi.empty() || n > static_cast<qsizetype>(m_blocchi.back().size()) - m_usati) {
        // A short list stays in a small block; a long one goes on in large ones.
        const qsizetype blocco = m_blocchi.empty() ? 1 << 16 : 2 << 20;
        m_blocchi.emplace_back(static_cast<size_t>(std::max(blocco, n)));
        m_usati = 0;
    }
    char* p = m_blocchi.back().data() + m_usati;
    m_usati += n;
    return p;
}

void VociSchede::aggiungi(CampoRicerca formato, qint64 n, const char* record)
{
    const RigaRicerca& riga = rigaRicerca(formato);
    std::array<Pezzo, 4> pezzi {};
    char cifre[24];
    int nCifre = 0;
    for (qint64 resto = n; nCifre == 0 || resto > 0; resto /= 10)
        cifre[nCifre++] = static_cast<char>('0' + resto % 10);
    qsizetype totale = 3 * kSeparatore.size() + kApertura.size() + nCifre + 1;
    for (int i = 0; i < 4; ++i) {
        pezzi[i] = pezzoDelRecord(record, riga.pezzi[i]);
        totale += pezzi[i].lunghezza;
    }
    char* const inizio = spazio(totale);
    char* out = inizio;
    auto scrivi = [&out](const char* p, qsizetype l) {
        std::memcpy(out, p, static_cast<size_t>(l));
        out += l;
    };
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            scrivi(kSeparatore.data(), kSeparatore.size());
        scrivi(pezzi[i].dati, pezzi[i].lunghezza);
    }
    scrivi(kApertura.data(), kApertura.size());
    while (nCifre > 0)
        *out++ = cifre[--nCifre];
    *out++ = ')';
    m_voci.emplace_back(inizio, totale);
}

QString VociSchede::voce(qsizetype i) const
{
    const QByteArrayView b = byte(i);
    return cp1252::decodifica(b.data(), b.size());
}

QStringList VociSchede::testi() const
{
    QStringList t;
    t.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        t.append(voce(i));
    return t;
}

VociSchede::VociSchede(qint64 alPiu)
{
    // Growing by doubling would map, fill and copy ever larger arrays before the last one.
    m_voci.reserve(static_cast<size_t>(std::max<qint64>(alPiu, 0)));
}

void VociSchede::ordina()
{
    // Each entry moves to its place along the cycles of the order, without a second array;
    // a place done is marked in the order itself.
    Posizioni da = ordineAlfabetico(m_voci);
    for (size_t inizio = 0; inizio < da.size(); ++inizio) {
        if (da[inizio] < 0)
            continue;
        const QByteArrayView prima = m_voci[inizio];
        size_t j = inizio;
        for (auto k = static_cast<size_t>(da[j]); k != inizio; k = static_cast<size_t>(da[j])) {
            m_voci[j] = m_voci[k];
            da[j] = -1;
            j = k;
        }
        m_voci[j] = prima;
        da[j] = -1;
    }
}

qint64 numeroDellaVoce(const QString& voce)
{
    if (!voce.endsWith(QLatin1Char(')')))
        return 0;
    const qsizetype apertura = voce.lastIndexOf(kApertura);
    if (apertura < 0)
        return 0;
    const qsizetype inizio = apertura + kApertura.size();
    const QStringView cifre = QStringView(voce).mid(inizio, voce.size() - 1 - inizio);
    // The format writes the number plainly: digits only, no sign, no leading zero.
    if (cifre.isEmpty() || cifre.size() > 18 || cifre.at(0) == QLatin1Char('0'))
        return 0;
    qint64 n = 0;
    for (QChar c : cifre) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

QChar maiuscola(QChar c) { return c.toUpper(); }

CriterioRicerca::CriterioRicerca(CampoRicerca campo, const QString& testo)
    : m_offset(info(rigaRicerca(campo).campo).offset)
    , m_lunghezzaCampo(info(rigaRicerca(campo).campo).lunghezza)
{
    const QString t = togliSpazi(testo);
    m_chiave.resize(t.size());
    for (qsizetype i = 0; i < t.size(); ++i)
        m_chiave[i] = maiuscola(t.at(i));
}

bool CriterioRicerca::corrisponde(const char* record) const
{
    // The first L characters, trimmed, can equal a key of L characters without blanks at its
    // ends only when they hold no blank at either end: then trimming leaves them whole.
    const qsizetype l = m_chiave.size();
    if (l == 0 || l > m_lunghezzaCampo)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(record + m_offset);
    if (p[0] == ' ' || p[l - 1] == ' ')
        return false;
    const auto& maiuscole = maiuscoleCodePage();
    const QChar* chiave = m_chiave.constData();
    for (qsizetype k = 0; k < l; ++k) {
        if (maiuscole[p[k]] != chiave[k].unicode())
            return false;
    }
    return true;
}

Esito elencoDove(const ArchivioSchede& archivio, CampoRicerca formato,
    const std::function<bool(const char* record)>& scelta, VociSchede& voci)
{
    voci = VociSchede(archivio.schedeIntere());
    const Esito esito = archivio.perOgniScheda([&](qint64 n, const char* record) {
        if (scelta(record))
            voci.aggiungi(formato, n, record);
        return true;
    });
    voci.ordina();
    return esito;
}

Esito cercaSchede(
    const ArchivioSchede& archivio, CampoRicerca campo, const QString& testo, VociSchede& voci)
{
    voci = VociSchede();
    const CriterioRicerca criterio(campo, testo);
    if (criterio.vuoto() || criterio.chiave().size() > info(rigaRicerca(campo).campo).lunghezza)
        return {};
    return elencoDove(
        archivio, campo, [&](const char* record) { return criterio.corrisponde(record); }, voci);
}

Esito elencoAudio(const ArchivioSchede& archivio, VociSchede& voci)
{
    return elencoDove(
        archivio, CampoRicerca::Titolo,
        [](const char* record) { return pezzoDelRecord(record, Campo::MP3).lunghezza > 0; }, voci);
}

std::optional<SchedaTrovata> trovaScheda(
    const ArchivioSchede& archivio, CampoRicerca formato, const QString& voce)
{
    // Every entry ends with the number of its own card, so no other card can rebuild to it.
    const qint64 n = numeroDellaVoce(voce);
    if (n < 1 || n > archivio.schedeIntere())
        return std::nullopt;
    SchedaTrovata trovata;
    if (!archivio.LeggiScheda(n, trovata.scheda))
        return std::nullopt;
    if (voceScheda(formato, n, trovata.scheda) != voce)
        return std::nullopt;
    trovata.numero = n;
    return trovata;
}

namespace {
    // The criterion's caption shows what was typed, cut after a few characters.
    QString didascaliaCriterio(const QString& prefisso, const QString& testoDigitato)
    {
        const QString t = togliSpazi(testoDigitato);
        if (t.size() <= kLimiteCriterio)
            return prefisso + t;
        return prefisso + togliSpazi(testoDigitato.left(kLimiteCriterio)) + QStringLiteral("...");
    }
}

QString criterioRicerca(CampoRicerca campo, const QString& testoDigitato)
{
    return didascaliaCriterio(rigaRicerca(campo).prefisso, testoDigitato);
}

QString criterioParole(const QString& testoDigitato)
{
    return didascaliaCriterio(testi_liste::PrefissoTesto, testoDigitato);
}

std::optional<CampoRicerca> formatoDelCriterio(const QString& criterio)
{
    const QStringView modo = QStringView(criterio).left(4);
    for (CampoRicerca c : { CampoRicerca::Titolo, CampoRicerca::Artista, CampoRicerca::Album,
             CampoRicerca::Genere }) {
        if (modo.size() == 4 && modo == QStringView(rigaRicerca(c).prefisso).left(4))
            return c;
    }
    return std::nullopt;
}

int primaVoceCheInizia(const QStringList& voci, const QString& testo)
{
    if (testo.isEmpty())
        return -1;
    for (qsizetype i = 0; i < voci.size(); ++i) {
        if (voci.at(i).startsWith(testo, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace melodora
