#include "lists/Parole.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "lists/Elenchi.h"
#include "lists/MemoriaGrande.h"
#include "lists/OrdineAlfabetico.h"

#include <QByteArrayView>
#include <QHashFunctions>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace melodora {

namespace {
    /**
     * Letters that the decomposition keeps whole although a reader takes them for plain
     * ones or pairs of them (after case folding, so lower case only).
     */
    QString spelloLettera(char16_t c)
    {
        switch (c) {
        case 0x00E6: // æ
            return QStringLiteral("ae");
        case 0x0153: // œ
            return QStringLiteral("oe");
        case 0x00F8: // ø
            return QStringLiteral("o");
        case 0x0111: // đ
            return QStringLiteral("d");
        case 0x0142: // ł
            return QStringLiteral("l");
        default:
            return {};
        }
    }

    bool segno(QChar c)
    {
        const auto cat = c.category();
        return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining
            || cat == QChar::Mark_Enclosing;
    }

    /** Which UTF-16 code units belong to words; surrogates do, so other planes' letters too. */
    const std::array<bool, 0x10000>& unitaDiParola()
    {
        static const auto t = [] {
            auto a = std::make_unique<std::array<bool, 0x10000>>();
            for (uint32_t u = 0; u < 0x10000; ++u) {
                const QChar c(static_cast<char16_t>(u));
                (*a)[u] = c.isLetterOrNumber() || c.isSurrogate();
            }
            return a;
        }();
        return *t;
    }

    /** The fold of each byte of the archive's code page: at most four characters. */
    struct PiegaByte {
        std::array<char16_t, 4> c {};
        uint8_t n = 0;
        int8_t fine = -1; ///< 1: the fold ends in a word, 0: it does not, -1: it is empty
    };

    const std::array<PiegaByte, 256>& piegheCodePage()
    {
        static const auto t = [] {
            std::array<PiegaByte, 256> a {};
            for (int b = 0; b < 256; ++b) {
                const QString p
                    = piegaTesto(QString(cp1252::decodifica(static_cast<unsigned char>(b))));
                PiegaByte& e = a[static_cast<size_t>(b)];
                e.n = static_cast<uint8_t>(std::min<qsizetype>(p.size(), 4));
                for (int i = 0; i < e.n; ++i)
                    e.c[static_cast<size_t>(i)] = p.at(i).unicode();
                if (e.n > 0)
                    e.fine = unitaDiParola()[e.c[static_cast<size_t>(e.n - 1)]] ? 1 : 0;
            }
            return a;
        }();
        return t;
    }

    /** The fields a search by words reads. */
    QList<Campo> campiDi(AmbitoParole ambito)
    {
        switch (ambito) {
        case AmbitoParole::Testo:
            return { Campo::Testo };
        case AmbitoParole::Note:
            return { Campo::Note };
        case AmbitoParole::Tutto:
            break;
        }
        return { Campo::Brano, Campo::Artista, Campo::Album, Campo::Genere, Campo::Anno,
            Campo::Note, Campo::Testo, Campo::MP3 };
    }

    QString soloParole(const char16_t* c, qsizetype n)
    {
        const auto& parola = unitaDiParola();
        QString k;
        k.reserve(n);
        for (qsizetype i = 0; i < n; ++i) {
            if (parola[c[i]])
                k.append(QChar(c[i]));
        }
        return k;
    }
}

QString piegaTesto(QStringView testo)
{
    // Case mapping can bring marks back (ΐ upper-cases to Ϊ́), so the decomposition comes
    // again after it; the full mapping of toUpper gives ß = SS, which toCaseFolded alone keeps.
    const QString piegato = testo.toString()
                                .normalized(QString::NormalizationForm_KD)
                                .toUpper()
                                .toCaseFolded()
                                .normalized(QString::NormalizationForm_KD);
    QString esito;
    esito.reserve(piegato.size());
    for (const QChar c : piegato) {
        if (segno(c))
            continue;
        const QString spelto = spelloLettera(c.unicode());
        if (spelto.isEmpty())
            esito.append(c);
        else
            esito.append(spelto);
    }
    return esito;
}

QStringList paroleDi(QStringView testo)
{
    const QString p = piegaTesto(testo);
    const auto& parola = unitaDiParola();
    QStringList parole;
    qsizetype inizio = -1;
    for (qsizetype i = 0; i <= p.size(); ++i) {
        const bool dentro = i < p.size() && parola[p.at(i).unicode()];
        if (dentro && inizio < 0)
            inizio = i;
        else if (!dentro && inizio >= 0) {
            parole.append(p.mid(inizio, i - inizio));
            inizio = -1;
        }
    }
    return parole;
}

CriterioParole::CriterioParole(const QString& criterio)
{
    QStringList parole = paroleDi(criterio);
    // A word that begins another is found wherever the longer one is: only the longer counts.
    std::sort(parole.begin(), parole.end(),
        [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& p : parole) {
        const std::u16string w(
            reinterpret_cast<const char16_t*>(p.utf16()), static_cast<size_t>(p.size()));
        const bool compresa = std::any_of(m_parole.begin(), m_parole.end(),
            [&](const std::u16string& altra) { return altra.compare(0, w.size(), w) == 0; });
        if (!compresa)
            m_parole.push_back(w);
    }
    const auto& pieghe = piegheCodePage();
    for (const std::u16string& w : m_parole) {
        std::array<bool, 256> primo {};
        for (int b = 0; b < 256; ++b) {
            const PiegaByte& f = pieghe[static_cast<size_t>(b)];
            primo[static_cast<size_t>(b)]
                = std::find(f.c.begin(), f.c.begin() + f.n, w[0]) != f.c.begin() + f.n;
        }
        m_primoByte.push_back(primo);
        bool soloInizio = true;
        for (const PiegaByte& f : pieghe) {
            for (int k0 = 1; k0 < f.n; ++k0)
                soloInizio &= f.c[static_cast<size_t>(k0)] != w[0];
        }
        m_soloInizio.push_back(soloInizio);
        m_primoAlto.push_back(std::find(primo.begin() + 128, primo.end(), true) != primo.end());
        // The runs of such bytes; while there are too many, the two closest become one.
        std::vector<std::pair<int, int>> corse; // first, last
        for (int b = 128; b < 256; ++b) {
            if (!primo[static_cast<size_t>(b)])
                continue;
            if (!corse.empty() && corse.back().second == b - 1)
                corse.back().second = b;
            else
                corse.emplace_back(b, b);
        }
        while (corse.size() > 4) {
            size_t piuVicine = 1;
            for (size_t c = 2; c < corse.size(); ++c) {
                if (corse[c].first - corse[c - 1].second
                    < corse[piuVicine].first - corse[piuVicine - 1].second)
                    piuVicine = c;
            }
            corse[piuVicine - 1].second = corse[piuVicine].second;
            corse.erase(corse.begin() + static_cast<std::ptrdiff_t>(piuVicine));
        }
        std::array<std::pair<uint8_t, uint8_t>, 4> alti {}; // none: 0 bytes from 0x80
        alti.fill({ 0x80, 0 });
        for (size_t c = 0; c < corse.size(); ++c)
            alti[c] = { static_cast<uint8_t>(corse[c].first),
                static_cast<uint8_t>(corse[c].second - corse[c].first + 1) };
        m_altiIniziali.push_back(alti);
        auto ascii = [](char16_t c) {
            return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
                ? static_cast<unsigned char>(c)
                : 0;
        };
        m_primoAscii.push_back(ascii(w[0]));
        m_secondoAscii.push_back(w.size() > 1 ? ascii(w[1]) : 0);
    }
}

void CriterioParole::cerca(
    const char16_t* c, qsizetype n, std::vector<char>& trovate, int& restanti) const
{
    const auto& parola = unitaDiParola();
    bool dentro = false;
    for (qsizetype i = 0; i < n && restanti > 0; ++i) {
        const bool lettera = parola[c[i]];
        if (lettera && !dentro) {
            for (size_t k = 0; k < m_parole.size(); ++k) {
                const std::u16string& w = m_parole[k];
                if (trovate[k] || static_cast<qsizetype>(w.size()) > n - i || w[0] != c[i])
                    continue;
                if (std::memcmp(c + i, w.data(), w.size() * sizeof(char16_t)) == 0) {
                    trovate[k] = 1;
                    --restanti;
                }
            }
        }
        dentro = lettera;
    }
}

bool CriterioParole::corrisponde(QStringView testo) const
{
    if (vuoto())
        return false;
    const QString p = piegaTesto(testo);
    std::vector<char> trovate(m_parole.size(), 0);
    int restanti = static_cast<int>(m_parole.size());
    cerca(reinterpret_cast<const char16_t*>(p.utf16()), p.size(), trovate, restanti);
    return restanti == 0;
}

bool CriterioParole::inizioDiParola(size_t k, QByteArrayView testo) const
{
    const auto& pieghe = piegheCodePage();
    const auto& parola = unitaDiParola();
    const std::u16string& w = m_parole[k];
    const std::array<bool, 256>& primo = m_primoByte[k];
    const auto* p = reinterpret_cast<const unsigned char*>(testo.data());
    const qsizetype n = testo.size();

    // Whether the word begins at character k0 of the fold of byte i.
    auto iniziaQui = [&](qsizetype i, int k0) {
        const PiegaByte& f = pieghe[p[i]];
        // A word begins where the character folded before it is not part of a word.
        if (k0 > 0) {
            if (parola[f.c[static_cast<size_t>(k0 - 1)]])
                return false;
        } else {
            qsizetype j = i - 1;
            while (j >= 0 && pieghe[p[j]].fine < 0)
                --j; // a byte that folds to nothing
            if (j >= 0 && pieghe[p[j]].fine > 0)
                return false;
        }
        // The rest of the word against the folds of the bytes that follow.
        size_t m = 0;
        int c = k0;
        for (qsizetype b = i; m < w.size(); ++b, c = 0) {
            if (b >= n)
                return false;
            const PiegaByte& g = pieghe[p[b]];
            for (; c < g.n && m < w.size(); ++c, ++m) {
                if (g.c[static_cast<size_t>(c)] != w[m])
                    return false;
            }
        }
        return true;
    };
    auto prova = [&](qsizetype i) {
        if (!primo[p[i]])
            return false;
        const PiegaByte& f = pieghe[p[i]];
        for (int k0 = 0; k0 < f.n; ++k0) {
            if (f.c[static_cast<size_t>(k0)] == w[0] && iniziaQui(i, k0))
                return true;
        }
        return false;
    };

    qsizetype i = 0;
    if (const uint64_t ascii = m_primoAscii[k]; ascii != 0 && n > 0) {
        // Eight bytes at a time: only the letter in either case (a capital differs by 0x20)
        // and, for some letters, bytes above 127 can begin the word; most blocks hold neither.
        // When the word's second character is a plain letter or digit too, a plain first
        // letter must be followed by that one or by a byte above 127 (an ASCII byte folds to
        // itself alone). And no word begins right after a plain letter or digit. What is left
        // is tried byte by byte: few places even for a common first letter.
        constexpr uint64_t kUni = 0x0101010101010101ULL;
        constexpr uint64_t kAlti = 0x8080808080808080ULL;
        constexpr uint64_t kMinuscole = 0x2020202020202020ULL;
        const uint64_t alti = m_primoAlto[k] ? kAlti : 0;
        const uint64_t secondo = m_secondoAscii[k];
        const uint64_t solo = m_soloInizio[k] ? ~uint64_t(0) : 0;
        // The high bit of each byte equal to @p c, either case (a few more, never fewer).
        auto uguali = [](uint64_t otto, uint64_t c) {
            const uint64_t x = (otto | kMinuscole) ^ (c * kUni);
            return (x - kUni) & ~x & kAlti;
        };
        // The high bit of each plain letter or digit: exact, no carry crosses a byte.
        auto alfanumerici = [](uint64_t otto) {
            const uint64_t y = otto & ~kAlti;
            auto almeno = [&](uint64_t v, uint64_t lo) { return (v + (0x80 - lo) * kUni) & kAlti; };
            auto alPiu = [&](uint64_t v, uint64_t hi) { return ~(v + (0x7F - hi) * kUni) & kAlti; };
            const uint64_t z = y | kMinuscole;
            return ((almeno(z, 'a') & alPiu(z, 'z')) | (almeno(y, '0') & alPiu(y, '9'))) & ~otto;
        };
        if (prova(0))
            return true;
        i = 1;
#if defined(__SSE2__)
        // The same tests sixteen bytes at a time, where the processor has the instructions.
        const __m128i primoV = _mm_set1_epi8(static_cast<char>(ascii));
        const __m128i secondoV = _mm_set1_epi8(static_cast<char>(secondo));
        const __m128i minuscoleV = _mm_set1_epi8(0x20);
        auto tra = [](__m128i v, char lo, char hi) { // signed: bytes above 127 fall outside
            return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(lo - 1))),
                _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(hi + 1)), v));
        };
        auto maschera = [](__m128i v) { return static_cast<uint32_t>(_mm_movemask_epi8(v)); };
        // A byte is in a run when, moved so that the run's first byte is the lowest signed
        // one, it stays below the lowest plus the run's length.
        constexpr size_t kCorse = 4;
        __m128i sposta[kCorse];
        __m128i sotto[kCorse];
        for (size_t c = 0; c < kCorse; ++c) {
            const auto [primoDellaCorsa, quanti] = m_altiIniziali[k][c];
            sposta[c] = _mm_set1_epi8(static_cast<char>(0x80 - primoDellaCorsa));
            sotto[c] = _mm_set1_epi8(static_cast<char>(-128 + quanti));
        }
        auto iniziali = [&](__m128i v) {
            __m128i in = _mm_setzero_si128();
            for (size_t c = 0; c < kCorse; ++c)
                in = _mm_or_si128(in, _mm_cmplt_epi8(_mm_add_epi8(v, sposta[c]), sotto[c]));
            return maschera(in);
        };
        for (; i + 17 <= n; i += 16) {
            const auto* q = reinterpret_cast<const __m128i*>(p + i);
            const __m128i prima = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 1));
            const __m128i otto = _mm_loadu_si128(q);
            const __m128i dopo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
            uint32_t semplici = maschera(_mm_cmpeq_epi8(_mm_or_si128(otto, minuscoleV), primoV));
            if (secondo != 0)
                semplici &= maschera(_mm_cmpeq_epi8(_mm_or_si128(dopo, minuscoleV), secondoV))
                    | maschera(dopo);
            const uint32_t alte = alti != 0 ? iniziali(otto) : 0;
            // Blocks with such bytes come and go too irregularly for a branch: where they
            // can begin the word, the candidates are made whole first.
            if (alti == 0 && semplici == 0)
                continue;
            const __m128i z = _mm_or_si128(prima, minuscoleV);
            const uint32_t dopoParola
                = maschera(_mm_or_si128(tra(z, 'a', 'z'), tra(prima, '0', '9')));
            uint32_t candidati
                = (semplici & ~dopoParola) | (alte & ~(dopoParola & static_cast<uint32_t>(solo)));
            while (candidati != 0) {
                if (prova(i + std::countr_zero(candidati)))
                    return true;
                candidati &= candidati - 1;
            }
        }
#endif
        for (; i + 9 <= n; i += 8) {
            uint64_t prima = 0;
            uint64_t otto = 0;
            uint64_t dopo = 0;
            std::memcpy(&prima, p + i - 1, sizeof prima);
            std::memcpy(&otto, p + i, sizeof otto);
            std::memcpy(&dopo, p + i + 1, sizeof dopo);
            uint64_t semplici = uguali(otto, ascii);
            if (secondo != 0)
                semplici &= uguali(dopo, secondo) | (dopo & kAlti);
            // Bytes above 127 are common in Italian, and blocks that hold one come and go too
            // irregularly for a branch: where they can begin the word, every block goes on.
            if (alti == 0 && semplici == 0)
                continue;
            const uint64_t dopoParola = alfanumerici(prima);
            uint64_t candidati = (semplici & ~dopoParola) | (otto & alti & ~(dopoParola & solo));
            while (candidati != 0) {
                if (prova(i + std::countr_zero(candidati) / 8))
                    return true;
                candidati &= candidati - 1;
            }
        }
    }
    for (; i < n; ++i) {
        if (prova(i))
            return true;
    }
    return false;
}

bool CriterioParole::corrispondeByte(const QList<QByteArrayView>& testi) const
{
    if (vuoto())
        return false;
    // Every word must be found: the first one missing ends the test, which is what most
    // cards of a search do. The blanks that fill a field are no word's beginning, and are
    // scanned as fast as they would be skipped: a word found early leaves the rest unread.
    for (size_t k = 0; k < m_parole.size(); ++k) {
        bool trovata = false;
        for (qsizetype t = 0; t < testi.size() && !trovata; ++t)
            trovata = inizioDiParola(k, testi[t]);
        if (!trovata)
            return false;
    }
    return true;
}

Esito cercaParole(
    const ArchivioSchede& archivio, AmbitoParole ambito, const QString& criterio, VociSchede& voci)
{
    voci = VociSchede();
    const CriterioParole parole(criterio);
    if (parole.vuoto())
        return {};
    const QList<Campo> campi = campiDi(ambito);
    QList<QByteArrayView> testi(campi.size());
    return elencoDove(
        archivio, CampoRicerca::Titolo,
        [&](const char* record) {
            for (qsizetype i = 0; i < campi.size(); ++i)
                testi[i] = QByteArrayView(
                    record + info(campi.at(i)).offset, info(campi.at(i)).lunghezza);
            return parole.corrispondeByte(testi);
        },
        voci);
}

QString chiaveConfronto(QStringView testo)
{
    const QString p = piegaTesto(testo);
    return soloParole(reinterpret_cast<const char16_t*>(p.utf16()), p.size());
}

Esito cercaDoppioni(const ArchivioSchede& archivio, QList<GruppoDoppioni>& gruppi)
{
    gruppi.clear();
    // Each byte's letters and digits once folded, so that a key is built from the bytes
    // without a string of its own; the first card's title and artist are kept as bytes, and
    // decoded only for the groups that are shown.
    static const auto soloLettere = [] {
        std::array<PiegaByte, 256> a = piegheCodePage();
        for (PiegaByte& f : a) {
            const QString p = soloParole(f.c.data(), f.n);
            f.n = static_cast<uint8_t>(p.size());
            for (qsizetype i = 0; i < p.size(); ++i)
                f.c[static_cast<size_t>(i)] = p.at(i).unicode();
        }
        return a;
    }();
    struct Gruppo {
        size_t chiave; ///< where its key begins in chiavi
        size_t lunghezza; ///< of the key
        size_t byte; ///< where the first card's title, then its artist, begin in primo
        qsizetype brano;
        qsizetype artista;
        qsizetype schede = 0;
    };
    // Megabytes for a large archive, each array in large pages where it can be.
    std::vector<Gruppo, AllocatoreGrande<Gruppo>> tutti;
    std::basic_string<char16_t, std::char_traits<char16_t>, AllocatoreGrande<char16_t>>
        chiavi; // every group's key, one after another
    std::basic_string<char, std::char_traits<char>, AllocatoreGrande<char>> primo;
    // (group, card) for each card with a title
    std::vector<std::pair<size_t, qint64>, AllocatoreGrande<std::pair<size_t, qint64>>> gruppoDi;
    // Open addressing, never more than half full, sized for the whole archive at once: each
    // used place holds the key's hash and the group's position + 1, so that another key is
    // told apart without reading its group.
    const auto schede = static_cast<size_t>(std::max<qint64>(archivio.schedeIntere(), 0));
    std::vector<uint64_t, AllocatoreGrande<uint64_t>> posti(
        std::bit_ceil(std::max<size_t>(schede * 2, 1024)), 0);
    tutti.reserve(schede);
    gruppoDi.reserve(schede);
    // Room for a common title and artist on every card, so that the keys and the bytes are
    // not copied again as they grow; room never written takes no memory.
    chiavi.reserve(schede * 64);
    primo.reserve(schede * 48);
    std::u16string k;
    auto aggiungi = [&](size_t& n, QByteArrayView testo) {
        // Four units copied for each byte, the end moved by the fold's length: no branch.
        for (const char b : testo) {
            const PiegaByte& f = soloLettere[static_cast<unsigned char>(b)];
            std::memcpy(k.data() + n, f.c.data(), sizeof f.c);
            n += f.n;
        }
    };
    auto inserisci = [](auto& v, uint64_t voce) {
        size_t p = (voce >> 32) & (v.size() - 1);
        while (v[p] != 0)
            p = (p + 1) & (v.size() - 1);
        v[p] = voce;
    };
    const Esito esito = archivio.perOgniScheda([&](qint64 n, const char* record) {
        auto campo = [record](Campo c) {
            const char* p = record + info(c).offset;
            return QByteArrayView(p, senzaSpaziFinali(p, info(c).lunghezza));
        };
        const QByteArrayView brano = campo(Campo::Brano);
        const QByteArrayView artista = campo(Campo::Artista);
        k.resize(std::max(k.size(), static_cast<size_t>(brano.size() + artista.size()) * 4 + 8));
        size_t lunghezza = 0;
        aggiungi(lunghezza, brano);
        if (lunghezza == 0)
            return true;
        // A unit separator cannot be a letter or a digit, so no two pairs join alike.
        k[lunghezza++] = u'\x1F';
        aggiungi(lunghezza, artista);
        const std::u16string_view chiave(k.data(), lunghezza);
        const auto hash = static_cast<uint32_t>(
            qHash(QStringView(chiave.data(), static_cast<qsizetype>(lunghezza))));
        const size_t maschera = posti.size() - 1;
        size_t posto = hash & maschera;
        for (; posti[posto] != 0; posto = (posto + 1) & maschera) {
            if (posti[posto] >> 32 != hash)
                continue;
            const Gruppo& g = tutti[static_cast<uint32_t>(posti[posto]) - 1];
            if (std::u16string_view(chiavi.data() + g.chiave, g.lunghezza) == chiave)
                break;
        }
        if (posti[posto] == 0) {
            tutti.push_back(
                { chiavi.size(), lunghezza, primo.size(), brano.size(), artista.size() });
            chiavi.append(chiave);
            primo.append(brano.data(), static_cast<size_t>(brano.size()));
            primo.append(artista.data(), static_cast<size_t>(artista.size()));
            posti[posto] = uint64_t(hash) << 32 | tutti.size();
            if (tutti.size() * 2 > posti.size()) { // the archive grew while it was read
                decltype(posti) nuovi(posti.size() * 2, 0);
                for (const uint64_t voce : posti) {
                    if (voce != 0)
                        inserisci(nuovi, voce);
                }
                posti = std::move(nuovi);
            }
            gruppoDi.emplace_back(tutti.size() - 1, n);
        } else {
            gruppoDi.emplace_back(static_cast<uint32_t>(posti[posto]) - 1, n);
        }
        ++tutti[gruppoDi.back().first].schede;
        return true;
    });
    // The shown groups, in the order of their first cards, each with its cards ascending.
    std::vector<qsizetype> mostrato(tutti.size(), -1);
    for (const auto& [g, n] : gruppoDi) {
        if (tutti[g].schede < 2)
            continue;
        if (mostrato[g] < 0) {
            mostrato[g] = gruppi.size();
            const char* b = primo.data() + tutti[g].byte;
            gruppi.append({ togliSpazi(cp1252::decodifica(b, tutti[g].brano)),
                togliSpazi(cp1252::decodifica(b + tutti[g].brano, tutti[g].artista)), {} });
        }
        gruppi[mostrato[g]].schede.append(n);
    }
    QStringList voci;
    voci.reserve(gruppi.size());
    for (const GruppoDoppioni& g : gruppi)
        voci.append(g.brano + QStringLiteral(" - ") + g.artista);
    // In list order; groups that read alike keep the order of their first cards.
    QList<GruppoDoppioni> ordinati;
    ordinati.reserve(gruppi.size());
    for (const qsizetype i : ordineAlfabetico(voci))
        ordinati.append(std::move(gruppi[i]));
    gruppi = std::move(ordinati);
    return esito;
}

} // namespace melodora
