#include "lists/PesiPrimari.h"

#include "archive/Codifica.h"

#include <QLocale>

#include <unicode/ucoleitr.h>
#include <unicode/uset.h>

#include <algorithm>
#include <memory>
#include <string>

namespace melodora {

UCollator* apriCollatoreIcu()
{
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
    return u;
}

namespace {
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
}

PesiPrimari calcolaPesiPrimari(UCollator* u)
{
    PesiPrimari t;
    UErrorCode aperto = U_ZERO_ERROR;
    // One iterator, given each text in turn: opening one costs more than its use.
    const std::unique_ptr<UCollationElements, ChiudiElementi> it(
        u == nullptr ? nullptr : ucol_openElements(u, nullptr, 0, &aperto));
    if (!it || U_FAILURE(aperto))
        return t;
    std::vector<std::pair<std::u16string, std::vector<uint32_t>>> pesi;
    std::vector<uint32_t> p;
    for (int b = 0; b < 256; ++b) {
        const std::u16string c(1, cp1252::decodifica(static_cast<unsigned char>(b)).unicode());
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
                std::lower_bound(tutti.begin(), tutti.end(), primari[k]) - tutti.begin() + 1);
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
    t.validi = true;
    return t;
}

} // namespace melodora
