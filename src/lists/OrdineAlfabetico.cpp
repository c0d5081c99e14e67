#include "lists/OrdineAlfabetico.h"

#include <QCollator>
#include <QLocale>

#include <unicode/ucol.h>
#include <unicode/uiter.h>

#include <algorithm>
#include <array>
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

std::vector<qsizetype> ordineAlfabetico(const QStringList& testi)
{
    std::vector<qsizetype> ordine(static_cast<size_t>(testi.size()));
    std::iota(ordine.begin(), ordine.end(), 0);
    UCollator* u = collatoreIcu();
    if (u == nullptr) {
        std::stable_sort(ordine.begin(), ordine.end(), [&](qsizetype i, qsizetype j) {
            return confrontaAlfabetico(testi.at(i), testi.at(j)) < 0;
        });
        return ordine;
    }
    // A whole sort key costs more than the sort. The first 32 bytes of each key (a dozen
    // letters or more) order most texts; only texts alike so far get their whole keys, all
    // in one buffer, compared among themselves.
    constexpr int32_t kParte = 32;
    struct Inizio {
        std::array<uint64_t, kParte / 8> byte {};
        bool intero = false; ///< the part is the whole key
    };
    std::vector<Inizio> inizi(ordine.size());
    for (size_t i = 0; i < inizi.size(); ++i) {
        const QString& t = testi.at(static_cast<qsizetype>(i));
        UCharIterator it;
        uiter_setString(
            &it, reinterpret_cast<const UChar*>(t.utf16()), static_cast<int32_t>(t.size()));
        uint32_t stato[2] = { 0, 0 };
        UErrorCode errore = U_ZERO_ERROR;
        std::array<uint8_t, kParte> b {};
        const int32_t n = ucol_nextSortKeyPart(u, &it, stato, b.data(), kParte, &errore);
        for (size_t k = 0; k < b.size(); ++k)
            inizi[i].byte[k / 8] = (inizi[i].byte[k / 8] << 8) | b[k];
        // No byte inside a key is zero: a key that ends differs from one that goes on.
        inizi[i].intero = U_SUCCESS(errore) && n < kParte;
    }
    auto inizio = [&](qsizetype i) -> const Inizio& { return inizi[static_cast<size_t>(i)]; };
    std::sort(ordine.begin(), ordine.end(),
        [&](qsizetype i, qsizetype j) { return inizio(i).byte < inizio(j).byte; });

    std::vector<uint8_t> byte;
    std::vector<std::pair<size_t, size_t>> chiave(ordine.size()); // where, how long
    for (size_t a = 0; a < ordine.size();) {
        size_t z = a + 1;
        while (z < ordine.size() && inizio(ordine[z]).byte == inizio(ordine[a]).byte)
            ++z;
        const auto da = ordine.begin() + static_cast<std::ptrdiff_t>(a);
        const auto fino = ordine.begin() + static_cast<std::ptrdiff_t>(z);
        if (z - a > 1 && inizio(ordine[a]).intero) {
            // Whole keys alike: the case, then the code units, then the first given.
            std::sort(da, fino, [&](qsizetype i, qsizetype j) {
                const int r = spareggio(testi.at(i), testi.at(j));
                return r != 0 ? r < 0 : i < j;
            });
        } else if (z - a > 1) {
            byte.clear();
            for (size_t k = a; k < z; ++k) {
                const QString& t = testi.at(ordine[k]);
                const auto* c = reinterpret_cast<const UChar*>(t.utf16());
                const auto n = static_cast<int32_t>(t.size());
                const size_t dove = byte.size();
                byte.resize(dove + 64 + static_cast<size_t>(n) * 4);
                auto scritti = static_cast<size_t>(ucol_getSortKey(
                    u, c, n, byte.data() + dove, static_cast<int32_t>(byte.size() - dove)));
                if (scritti > byte.size() - dove) {
                    byte.resize(dove + scritti);
                    scritti = static_cast<size_t>(ucol_getSortKey(
                        u, c, n, byte.data() + dove, static_cast<int32_t>(scritti)));
                }
                byte.resize(dove + scritti);
                chiave[static_cast<size_t>(ordine[k])] = { dove, scritti };
            }
            std::sort(da, fino, [&](qsizetype i, qsizetype j) {
                const auto [pa, na] = chiave[static_cast<size_t>(i)];
                const auto [pb, nb] = chiave[static_cast<size_t>(j)];
                // Each key ends with its zero, which no byte inside one is.
                int r = std::memcmp(byte.data() + pa, byte.data() + pb, std::min(na, nb));
                if (r == 0)
                    r = spareggio(testi.at(i), testi.at(j));
                return r != 0 ? r < 0 : i < j;
            });
        }
        a = z;
    }
    return ordine;
}

void ordinaAlfabetico(QStringList& voci)
{
    const std::vector<qsizetype> ordine = ordineAlfabetico(voci);
    QStringList ordinate;
    ordinate.reserve(voci.size());
    for (qsizetype i : ordine)
        ordinate.append(voci.at(i));
    voci = std::move(ordinate);
}

} // namespace melodora
