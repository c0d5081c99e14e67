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
    // Every sort key in one buffer, rather than one allocation each; the first eight bytes
    // of each, as a number, decide most comparisons without reaching into the buffer.
    struct Chiave {
        uint64_t inizio = 0;
        size_t posizione = 0;
        size_t lunghezza = 0; ///< without the final zero
    };
    std::vector<Chiave> chiavi(ordine.size());
    std::vector<uint8_t> byte(ordine.size() * 128);
    size_t usati = 0;
    for (size_t i = 0; i < chiavi.size(); ++i) {
        const QString& t = testi.at(static_cast<qsizetype>(i));
        const auto* c = reinterpret_cast<const UChar*>(t.utf16());
        const auto n = static_cast<int32_t>(t.size());
        auto scrivi = [&] {
            const size_t spazio = std::min<size_t>(byte.size() - usati, INT32_MAX);
            return static_cast<size_t>(
                ucol_getSortKey(u, c, n, byte.data() + usati, static_cast<int32_t>(spazio)));
        };
        size_t scritti = scrivi();
        if (scritti > byte.size() - usati) {
            byte.resize(std::max(byte.size() * 2, usati + scritti));
            scritti = scrivi();
        }
        Chiave& k = chiavi[i];
        k.posizione = usati;
        k.lunghezza = scritti > 0 ? scritti - 1 : 0;
        for (size_t b = 0; b < 8; ++b)
            k.inizio = (k.inizio << 8) | (b < k.lunghezza ? byte[usati + b] : 0);
        usati += scritti;
    }
    std::sort(ordine.begin(), ordine.end(), [&](qsizetype i, qsizetype j) {
        const Chiave& a = chiavi[static_cast<size_t>(i)];
        const Chiave& b = chiavi[static_cast<size_t>(j)];
        if (a.inizio != b.inizio)
            return a.inizio < b.inizio;
        // No byte inside a key is zero, so a key that ends before the other comes first.
        const size_t comuni = std::min(a.lunghezza, b.lunghezza);
        int r = comuni > 8
            ? std::memcmp(byte.data() + a.posizione + 8, byte.data() + b.posizione + 8, comuni - 8)
            : 0;
        if (r == 0)
            r = a.lunghezza < b.lunghezza ? -1 : a.lunghezza > b.lunghezza ? 1 : 0;
        // Whole keys alike: the case, then the code units, then the first given.
        if (r == 0)
            r = spareggio(testi.at(i), testi.at(j));
        return r != 0 ? r < 0 : i < j;
    });
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
