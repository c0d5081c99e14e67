#include "lists/OrdineAlfabetico.h"

#include "archive/Codifica.h"

#include <QCollator>
#include <QLocale>

#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uiter.h>
#include <unicode/uset.h>

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

    /**
     * The same collation straight from ICU, set as QCollator sets it up (the locale's BCP 47
     * name, normalization on, secondary strength for no regard to case, punctuation not
     * ignored): ICU gives the first bytes of a sort key without the rest, which Qt does not.
     */
    struct ChiudiCollatore {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    UCollator* collatoreIcu()
    {
        thread_local const std::unique_ptr<UCollator, ChiudiCollatore> c = [] {
            UErrorCode stato = U_ZERO_ERROR;
            const QByteArray nome = QLocale(QLocale::Italian, QLocale::Italy)
                                        .bcp47Name()
                                        .replace(QLatin1Char('-'), QLatin1Char('_'))
                                        .toLatin1();
            UCollator* u = ucol_open(nome.constData(), &stato);
            ucol_setAttribute(u, UCOL_NORMALIZATION_MODE, UCOL_ON, &stato);
            ucol_setAttribute(u, UCOL_STRENGTH, UCOL_SECONDARY, &stato);
            ucol_setAttribute(u, UCOL_NUMERIC_COLLATION, UCOL_OFF, &stato);
            ucol_setAttribute(u, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &stato);
            if (U_FAILURE(stato)) {
                ucol_close(u);
                u = nullptr;
            }
            return std::unique_ptr<UCollator, ChiudiCollatore>(u);
        }();
        return c.get();
    }

    /**
     * The primary weights of the archive's 256 characters, as ranks of one byte each. A sort
     * key begins with the primary weights of a text's characters one after another, so the
     * ranks of a text's first characters order it against another as the key's first bytes
     * do, for the cost of a table: ICU's keys cost more than all the rest of a long list.
     * The table comes from the collator itself, character by character; the few pairs ICU
     * reads as one (l followed by a middle dot) get their own weights. Where the collator
     * has something the table cannot follow, it is not used.
     */
    struct PesiPrimari {
        struct Pesi {
            std::array<uint8_t, 4> rango {};
            uint8_t n = 0;
        };
        bool validi = false;
        std::array<Pesi, 256> carattere {};
        std::array<bool, 256> iniziaCoppia {}; ///< the character begins a pair read as one
        /** The one rank of a character that has one weight and begins no pair, else 0. */
        std::array<uint8_t, 256> semplice {};
        std::vector<std::pair<uint16_t, Pesi>> coppie; ///< (first byte << 8 | second, weights)
        std::vector<int16_t> byteDi; ///< each character's byte, -1 for the others

        /** The byte of @p c, or -1 when the archive's characters do not hold it. */
        int byteDel(QChar c) const
        {
            return c.unicode() < byteDi.size() ? byteDi[c.unicode()] : -1;
        }
    };

    struct ChiudiElementi {
        void operator()(UCollationElements* e) const { ucol_closeElements(e); }
    };

    /** The primary weights of @p testo, each from its 32-bit parts as the iterator gives them. */
    bool primariDi(
        UCollationElements* it, const std::u16string& testo, std::vector<uint32_t>& primari)
    {
        UErrorCode errore = U_ZERO_ERROR;
        ucol_setText(it, reinterpret_cast<const UChar*>(testo.data()),
            static_cast<int32_t>(testo.size()), &errore);
        if (U_FAILURE(errore))
            return false;
        primari.clear();
        bool primario = false; // the last element had a primary weight
        for (int32_t ce = ucol_next(it, &errore); ce != UCOL_NULLORDER && U_SUCCESS(errore);
             ce = ucol_next(it, &errore)) {
            const auto e = static_cast<uint32_t>(ce);
            if ((e & 0xC0) == 0xC0 && primario) // the low half of a long primary weight
                primari.back() |= e >> 16;
            else if ((primario = (e >> 16) != 0))
                primari.push_back(e & 0xFFFF0000U);
        }
        return U_SUCCESS(errore);
    }

    const PesiPrimari& pesiPrimari(UCollator* u)
    {
        thread_local const PesiPrimari tabella = [u] {
            PesiPrimari t;
            UErrorCode aperto = U_ZERO_ERROR;
            // One iterator, given each text in turn: opening one costs more than its use.
            const std::unique_ptr<UCollationElements, ChiudiElementi> it(
                u == nullptr ? nullptr : ucol_openElements(u, nullptr, 0, &aperto));
            if (!it || U_FAILURE(aperto))
                return t;
            for (int b = 0; b < 256; ++b) {
                const char16_t c = cp1252::decodifica(static_cast<unsigned char>(b)).unicode();
                t.byteDi.resize(std::max<size_t>(t.byteDi.size(), c + 1U), -1);
                t.byteDi[c] = static_cast<int16_t>(b);
            }
            std::vector<std::pair<std::u16string, std::vector<uint32_t>>> pesi;
            std::vector<uint32_t> p;
            for (int b = 0; b < 256; ++b) {
                const std::u16string c(
                    1, cp1252::decodifica(static_cast<unsigned char>(b)).unicode());
                if (!primariDi(it.get(), c, p))
                    return t;
                pesi.emplace_back(c, p);
            }
            // The sequences read as one whose first character is one of these.
            UErrorCode errore = U_ZERO_ERROR;
            USet* contrazioni = uset_openEmpty();
            ucol_getContractionsAndExpansions(u, contrazioni, nullptr, true, &errore);
            bool seguibili = U_SUCCESS(errore);
            for (int32_t i = 0; seguibili && i < uset_getItemCount(contrazioni); ++i) {
                UChar32 da = 0;
                UChar32 a = 0;
                std::array<UChar, 16> s {};
                errore = U_ZERO_ERROR;
                const int32_t n = uset_getItem(
                    contrazioni, i, &da, &a, s.data(), static_cast<int32_t>(s.size()), &errore);
                unsigned char primo = 0;
                unsigned char secondo = 0;
                if (U_FAILURE(errore) || n <= 0 || !cp1252::codifica(QChar(s[0]), primo))
                    continue; // a range of single characters, or none of these first
                // A pair of these characters gets its own weights; a text with a pair whose
                // second character is not one of these goes without the table; anything
                // longer is more than the table follows.
                seguibili = n == 2;
                t.iniziaCoppia[primo] = true;
                if (seguibili && cp1252::codifica(QChar(s[1]), secondo)) {
                    seguibili = primariDi(it.get(), std::u16string(s.data(), 2), p);
                    pesi.emplace_back(std::u16string(s.data(), 2), p);
                }
            }
            uset_close(contrazioni);
            if (!seguibili)
                return t;
            std::vector<uint32_t> tutti;
            for (const auto& [testo, primari] : pesi)
                tutti.insert(tutti.end(), primari.begin(), primari.end());
            std::sort(tutti.begin(), tutti.end());
            tutti.erase(std::unique(tutti.begin(), tutti.end()), tutti.end());
            if (tutti.size() > 255)
                return t;
            for (const auto& [testo, primari] : pesi) {
                PesiPrimari::Pesi w;
                if (primari.size() > w.rango.size())
                    return t;
                w.n = static_cast<uint8_t>(primari.size());
                for (size_t k = 0; k < primari.size(); ++k) // from 1: 0 is the end of a text
                    w.rango[k] = static_cast<uint8_t>(
                        std::lower_bound(tutti.begin(), tutti.end(), primari[k]) - tutti.begin()
                        + 1);
                unsigned char b0 = 0;
                unsigned char b1 = 0;
                cp1252::codifica(QChar(testo[0]), b0);
                if (testo.size() == 1) {
                    t.carattere[b0] = w;
                } else {
                    cp1252::codifica(QChar(testo[1]), b1);
                    t.coppie.emplace_back(static_cast<uint16_t>(b0 << 8 | b1), w);
                }
            }
            for (size_t b = 0; b < 256; ++b) {
                if (t.carattere[b].n == 1 && !t.iniziaCoppia[b])
                    t.semplice[b] = t.carattere[b].rango[0];
            }
            t.validi = true;
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
        const PesiPrimari& t, qsizetype n, ByteDi byteDi, std::array<uint8_t, N>& rango)
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
        bool inizio(const PesiPrimari& t, size_t i, std::array<uint8_t, N>& rango) const
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
        bool inizio(const PesiPrimari& t, size_t i, std::array<uint8_t, N>& rango) const
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
        UCollator* u = collatoreIcu();
        if (u == nullptr) {
            std::stable_sort(ordine.begin(), ordine.end(), [&](qsizetype i, qsizetype j) {
                return confrontaAlfabetico(testi.testo(size_t(i)), testi.testo(size_t(j))) < 0;
            });
            return ordine;
        }
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
        const PesiPrimari& pesi = pesiPrimari(u);
        bool tabella = pesi.validi;
        for (size_t i = 0; tabella && i < inizi.size(); ++i) {
            inizi[i].testo = static_cast<qsizetype>(i);
            tabella = testi.inizio(pesi, i, b);
            impacca(inizi[i]);
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
            if (chiave[k].second > 0)
                return chiave[k];
            const auto* c = reinterpret_cast<const UChar*>(gruppo[k].utf16());
            const auto n = static_cast<int32_t>(gruppo[k].size());
            const size_t dove = byte.size();
            byte.resize(dove + 64 + static_cast<size_t>(n) * 4);
            auto scritti = static_cast<size_t>(ucol_getSortKey(
                u, c, n, byte.data() + dove, static_cast<int32_t>(byte.size() - dove)));
            if (scritti > byte.size() - dove) {
                byte.resize(dove + scritti);
                scritti = static_cast<size_t>(
                    ucol_getSortKey(u, c, n, byte.data() + dove, static_cast<int32_t>(scritti)));
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
