#include "lists/OrdineAlfabetico.h"

#include "archive/Codifica.h"
#include "lists/PesiPrimari.h"

#include <QCollator>
#include <QLocale>

#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uiter.h>
#include <unicode/uversion.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <utility>
#include <vector>

namespace melodora {

namespace {
#include "lists/PesiIcu.inc"

    int segno(int r) { return (r > 0) - (r < 0); }

    // Italian collation from ICU. Blanks and punctuation are not ignored (ICU's default
    // for Italian), so "Rock - Uno" sorts before "Rock and Roll".
    QCollator collatore(Qt::CaseSensitivity maiuscole)
    {
        QCollator c(QLocale(QLocale::Italian, QLocale::Italy));
        c.setCaseSensitivity(maiuscole);
        return c;
    }

    // One per thread: a collator is not safe to share between threads.
    const QCollator& senzaMaiuscole()
    {
        thread_local const QCollator c = collatore(Qt::CaseInsensitive);
        return c;
    }
    const QCollator& conMaiuscole()
    {
        thread_local const QCollator c = collatore(Qt::CaseSensitive);
        return c;
    }

    struct ChiudiCollatore {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    /** The same collation straight from ICU, which gives what Qt does not: parts of keys. */
    UCollator* collatoreIcu()
    {
        thread_local const std::unique_ptr<UCollator, ChiudiCollatore> c(apriCollatoreIcu());
        return c.get();
    }

    /** The weights table, with what the sort looks up in it. */
    struct Tabella : PesiPrimari {
        /** The one rank of a character that has one weight and begins no pair, else 0. */
        std::array<uint8_t, 256> semplice {};
        std::vector<int16_t> byteDi; ///< each character's byte, -1 for the others

        /** The byte of @p c, or -1 when the archive's characters do not hold it. */
        int byteDel(QChar c) const
        {
            return c.unicode() < byteDi.size() ? byteDi[c.unicode()] : -1;
        }
    };

    /**
     * The table the build wrote, when this is the ICU it was written from: the same ICU has
     * the same collation. Otherwise from the collator, which takes a few milliseconds, more
     * than all the rest of a short list.
     */
    const Tabella& pesiPrimari()
    {
        thread_local const Tabella tabella = [] {
            Tabella t;
            UVersionInfo versione;
            u_getVersion(versione);
            if (std::equal(versione, versione + U_MAX_VERSION_LENGTH, kVersioneIcuPesi)) {
                t.validi = kPesiValidi;
                std::copy(
                    std::begin(kPesiCarattere), std::end(kPesiCarattere), t.carattere.begin());
                std::copy(
                    std::begin(kIniziaCoppia), std::end(kIniziaCoppia), t.iniziaCoppia.begin());
                t.coppie.assign(std::begin(kCoppie), std::end(kCoppie) - 1);
            } else {
                static_cast<PesiPrimari&>(t) = calcolaPesiPrimari(collatoreIcu());
            }
            for (int b = 0; b < 256; ++b) {
                const char16_t c = cp1252::decodifica(static_cast<unsigned char>(b)).unicode();
                t.byteDi.resize(std::max<size_t>(t.byteDi.size(), c + 1U), -1);
                t.byteDi[c] = static_cast<int16_t>(b);
                if (t.carattere[b].n == 1 && !t.iniziaCoppia[b])
                    t.semplice[b] = t.carattere[b].rango[0];
            }
            return t;
        }();
        return tabella;
    }

    /**
     * The ranks of the first primary weights of a text of @p n characters, 0 after its end;
     * false when it holds a character the table does not have before they are all known.
     * @p byteDi gives the byte of its i-th character, -1 for one the archive cannot hold.
     */
    template <size_t N, typename ByteDi>
    bool inizioDaTabella(
        const Tabella& t, qsizetype n, ByteDi byteDi, std::array<uint8_t, N>& rango)
    {
        size_t k = 0;
        for (qsizetype i = 0; i < n && k < N; ++i) {
            const int b = byteDi(i);
            if (b < 0)
                return false;
            if (const uint8_t r = t.semplice[static_cast<size_t>(b)]) {
                rango[k++] = r;
                continue;
            }
            const PesiPrimari::Pesi* w = &t.carattere[static_cast<size_t>(b)];
            if (t.iniziaCoppia[static_cast<size_t>(b)] && i + 1 < n) {
                const int b1 = byteDi(i + 1);
                if (b1 < 0)
                    return false;
                const auto coppia = static_cast<uint16_t>(b << 8 | b1);
                for (const auto& [c, pesi] : t.coppie) {
                    if (c == coppia) {
                        w = &pesi;
                        ++i;
                        break;
                    }
                }
            }
            for (size_t j = 0; j < w->n && k < N; ++j)
                rango[k++] = w->rango[j];
        }
        std::fill(rango.begin() + static_cast<std::ptrdiff_t>(k), rango.end(), 0);
        return true;
    }

    /** Texts as UTF-16, each mapped to the archive's bytes for the table. */
    struct TestiUtf16 {
        const QStringList& testi;
        size_t size() const { return static_cast<size_t>(testi.size()); }
        QString testo(size_t i) const { return testi.at(static_cast<qsizetype>(i)); }
        template <size_t N>
        bool inizio(const Tabella& t, size_t i, std::array<uint8_t, N>& rango) const
        {
            const QString& s = testi.at(static_cast<qsizetype>(i));
            return inizioDaTabella(
                t, s.size(), [&](qsizetype k) { return t.byteDel(s.at(k)); }, rango);
        }
    };

    /** Texts in the archive's bytes, decoded only when asked for as texts. */
    struct TestiByte {
        std::span<const QByteArrayView> testi;
        size_t size() const { return testi.size(); }
        QString testo(size_t i) const
        {
            return cp1252::decodifica(testi[i].data(), testi[i].size());
        }
        template <size_t N>
        bool inizio(const Tabella& t, size_t i, std::array<uint8_t, N>& rango) const
        {
            const auto* b = reinterpret_cast<const unsigned char*>(testi[i].data());
            return inizioDaTabella(
                t, testi[i].size(), [b](qsizetype k) { return int { b[k] }; }, rango);
        }
    };

    // Case decides only between texts equal without it (lower case first), and the code
    // units last, so that the order is total.
    int spareggio(QStringView a, QStringView b)
    {
        if (const int r = conMaiuscole().compare(a, b))
            return segno(r);
        return segno(a.compare(b));
    }
}

int confrontaAlfabetico(QStringView a, QStringView b)
{
    if (const int r = senzaMaiuscole().compare(a, b))
        return segno(r);
    return spareggio(a, b);
}

namespace {
    /**
     * The order of @p testi (TestiUtf16 or TestiByte). A whole sort key costs more than the
     * sort. The first 32 bytes of each key (a dozen letters or more) order most texts; only
     * texts alike so far get their whole keys, all in one buffer, compared among themselves.
     * Where every text is in the archive's characters, the first 32 primary weights from the
     * table stand for those bytes.
     */
    template <typename Testi> Posizioni ordina(const Testi& testi)
    {
        Posizioni ordine(testi.size());
        std::iota(ordine.begin(), ordine.end(), 0);
        if (ordine.size() < 2)
            return ordine; // nothing to order: no collator to load, no table to build
        constexpr int32_t kParte = 32;
        struct Inizio {
            std::array<uint64_t, kParte / 8> byte {};
            qsizetype testo = 0;
            bool intero = false; ///< the part is the whole key
        };
        std::vector<Inizio, AllocatoreGrande<Inizio>> inizi(ordine.size());
        std::array<uint8_t, kParte> b {};
        auto impacca = [&b](Inizio& e) { // big-endian, so that the numbers compare as the bytes
            std::memcpy(e.byte.data(), b.data(), b.size());
            if constexpr (std::endian::native == std::endian::little) {
                for (uint64_t& otto : e.byte)
                    otto = __builtin_bswap64(otto);
            }
        };
        const Tabella& pesi = pesiPrimari();
        bool tabella = pesi.validi;
        for (size_t i = 0; tabella && i < inizi.size(); ++i) {
            inizi[i].testo = static_cast<qsizetype>(i);
            tabella = testi.inizio(pesi, i, b);
            impacca(inizi[i]);
        }
        // The collator itself only where the table cannot serve.
        UCollator* const u = tabella ? nullptr : collatoreIcu();
        if (!tabella && u == nullptr) {
            std::stable_sort(ordine.begin(), ordine.end(), [&](qsizetype i, qsizetype j) {
                return confrontaAlfabetico(testi.testo(size_t(i)), testi.testo(size_t(j))) < 0;
            });
            return ordine;
        }
        for (size_t i = 0; !tabella && i < inizi.size(); ++i) {
            const QString t = testi.testo(i);
            UCharIterator it;
            uiter_setString(
                &it, reinterpret_cast<const UChar*>(t.utf16()), static_cast<int32_t>(t.size()));
            uint32_t stato[2] = { 0, 0 };
            UErrorCode errore = U_ZERO_ERROR;
            b.fill(0);
            const int32_t n = ucol_nextSortKeyPart(u, &it, stato, b.data(), kParte, &errore);
            inizi[i] = {};
            inizi[i].testo = static_cast<qsizetype>(i);
            impacca(inizi[i]);
            // No byte inside a key is zero: a key that ends differs from one that goes on.
            inizi[i].intero = U_SUCCESS(errore) && n < kParte;
        }
        std::sort(inizi.begin(), inizi.end(),
            [](const Inizio& x, const Inizio& y) { return x.byte < y.byte; });
        for (size_t i = 0; i < inizi.size(); ++i)
            ordine[i] = inizi[i].testo;

        // Texts alike so far, each taken as a text once. From the table, the rest of their
        // primary weights tell most apart (the same card entered twice differs in its number);
        // then their whole keys, made only when asked for; then the case, the code units and
        // the first given.
        constexpr size_t kTutti = 512;
        std::vector<QString> gruppo;
        std::vector<std::array<uint8_t, kTutti>> primari;
        std::vector<size_t> posto;
        std::vector<qsizetype> quale;
        std::vector<uint8_t> byte;
        std::vector<std::pair<size_t, size_t>> chiave; // where, how long; 0 long: not yet made
        auto chiaveDi = [&](size_t k) {
            UCollator* const icu = collatoreIcu();
            if (chiave[k].second > 0 || icu == nullptr)
                return chiave[k];
            const auto* c = reinterpret_cast<const UChar*>(gruppo[k].utf16());
            const auto n = static_cast<int32_t>(gruppo[k].size());
            const size_t dove = byte.size();
            byte.resize(dove + 64 + static_cast<size_t>(n) * 4);
            auto scritti = static_cast<size_t>(ucol_getSortKey(
                icu, c, n, byte.data() + dove, static_cast<int32_t>(byte.size() - dove)));
            if (scritti > byte.size() - dove) {
                byte.resize(dove + scritti);
                scritti = static_cast<size_t>(
                    ucol_getSortKey(icu, c, n, byte.data() + dove, static_cast<int32_t>(scritti)));
            }
            byte.resize(dove + scritti);
            return chiave[k] = { dove, scritti };
        };
        for (size_t a = 0; a < ordine.size();) {
            size_t z = a + 1;
            while (z < ordine.size() && inizi[z].byte == inizi[a].byte)
                ++z;
            if (z - a > 1) {
                gruppo.clear();
                quale.assign(ordine.begin() + static_cast<std::ptrdiff_t>(a),
                    ordine.begin() + static_cast<std::ptrdiff_t>(z));
                for (const qsizetype i : quale)
                    gruppo.push_back(testi.testo(static_cast<size_t>(i)));
                primari.resize(tabella ? gruppo.size() : 0);
                for (size_t k = 0; k < primari.size(); ++k)
                    testi.inizio(pesi, static_cast<size_t>(quale[k]), primari[k]);
                posto.resize(gruppo.size());
                std::iota(posto.begin(), posto.end(), 0);
                byte.clear();
                chiave.assign(gruppo.size(), {});
                std::sort(posto.begin(), posto.end(), [&](size_t x, size_t y) {
                    int r = primari.empty()
                        ? 0
                        : std::memcmp(primari[x].data(), primari[y].data(), kTutti);
                    if (r == 0 && !inizi[a].intero) {
                        const auto [px, nx] = chiaveDi(x);
                        const auto [py, ny] = chiaveDi(y);
                        // Each key ends with its zero, which no byte inside one is.
                        r = std::memcmp(byte.data() + px, byte.data() + py, std::min(nx, ny));
                    }
                    if (r == 0)
                        r = spareggio(gruppo[x], gruppo[y]);
                    return r != 0 ? r < 0 : quale[x] < quale[y];
                });
                for (size_t k = 0; k < posto.size(); ++k)
                    ordine[a + k] = quale[posto[k]];
            }
            a = z;
        }
        return ordine;
    }
}

Posizioni ordineAlfabetico(const QStringList& testi) { return ordina(TestiUtf16 { testi }); }

Posizioni ordineAlfabetico(std::span<const QByteArrayView> testi)
{
    return ordina(TestiByte { testi });
}

void ordinaAlfabetico(QStringList& voci)
{
    const Posizioni ordine = ordineAlfabetico(voci);
    QStringList ordinate;
    ordinate.reserve(voci.size());
    for (qsizetype i : ordine)
        ordinate.append(std::move(voci[i])); // moved: no count to raise and lower again
    voci = std::move(ordinate);
}

} // namespace melodora
