#include "lists/OrdineAlfabetico.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

namespace melodora {

namespace {
    // A collation element packs the three levels into 28 bits, so that one table lookup
    // gives everything: [class:2][value:16] primary, [accent:8] secondary, [case:2] tertiary.
    // A character gives one element, or two for the letters read as two (æ as ae).
    constexpr uint32_t kPunteggiatura = 1; // blanks, punctuation, symbols, controls
    constexpr uint32_t kCifra = 2;
    constexpr uint32_t kLettera = 3;

    // Secondary weights of letters that are not a base letter with a combining mark.
    constexpr uint32_t kCompatibile = 40; // ª, º and the like: a letter written another way
    constexpr uint32_t kVariante = 50; // ø, ð, ł: a letter with a stroke
    constexpr uint32_t kLegatura = 60; // æ, œ, ß

    constexpr uint32_t elemento(
        uint32_t classe, uint32_t valore, uint32_t accento, uint32_t maiuscola)
    {
        return (((classe << 16) | valore) << 10) | (accento << 2) | maiuscola;
    }

    struct Elementi {
        uint32_t primo = 0;
        uint32_t secondo = 0; // 0: the character gives one element only
    };

    // The order of the accents follows the usual dictionary order: acute before grave
    // (perché before perchè), then circumflex, diaeresis, tilde, cedilla.
    uint32_t rangoAccento(char16_t segno)
    {
        switch (segno) {
        case 0x0301:
            return 1; // acute
        case 0x0300:
            return 2; // grave
        case 0x0306:
            return 3; // breve
        case 0x0302:
            return 4; // circumflex
        case 0x030C:
            return 5; // caron
        case 0x030A:
            return 6; // ring
        case 0x0308:
            return 7; // diaeresis
        case 0x030B:
            return 8; // double acute
        case 0x0303:
            return 9; // tilde
        case 0x0307:
            return 10; // dot above
        case 0x0327:
            return 11; // cedilla
        case 0x0328:
            return 12; // ogonek
        case 0x0304:
            return 13; // macron
        default:
            return segno >= 0x0300 && segno < 0x0300 + 25 ? 14 + (segno - 0x0300) % 25 : 39;
        }
    }

    Elementi calcola(char16_t u)
    {
        const QChar c(u);
        if (c.isDigit()) {
            // Digits of other scripts sort with the same value, after the plain one.
            return { elemento(kCifra, static_cast<uint32_t>(c.digitValue()), u < 0x80 ? 0 : 1, 0),
                0 };
        }
        if (c.isLetter()) {
            const uint32_t maiuscola = c.isUpper() || c.isTitleCase() ? 1 : 0;
            const char16_t minuscola = c.toLower().unicode();
            auto lettera = [&](char16_t base, uint32_t accento) {
                return elemento(kLettera, base, accento, maiuscola);
            };
            switch (minuscola) {
            case 0x00E6: // æ
                return { lettera(u'a', kLegatura), lettera(u'e', kLegatura) };
            case 0x0153: // œ
                return { lettera(u'o', kLegatura), lettera(u'e', kLegatura) };
            case 0x00DF: // ß
                return { lettera(u's', kLegatura), lettera(u's', kLegatura) };
            case 0x00FE: // þ
                return { lettera(u't', kLegatura), lettera(u'h', kLegatura) };
            case 0x00F8: // ø
                return { lettera(u'o', kVariante), 0 };
            case 0x00F0: // ð
            case 0x0111: // đ
                return { lettera(u'd', kVariante), 0 };
            case 0x0142: // ł
                return { lettera(u'l', kVariante), 0 };
            case 0x0192: // ƒ
                return { lettera(u'f', kVariante), 0 };
            case 0x0131: // dotless i
                return { lettera(u'i', kVariante), 0 };
            default:
                break;
            }
            // The base letter is the start of the canonical decomposition (à = a + grave);
            // the first mark met on the way is the accent.
            QChar base = c;
            uint32_t accento = 0;
            for (int passi = 0; passi < 4 && base.decompositionTag() != QChar::NoDecomposition;
                 ++passi) {
                const QString d = base.decomposition();
                if (d.isEmpty())
                    break;
                if (base.decompositionTag() == QChar::Canonical) {
                    if (accento == 0 && d.size() > 1)
                        accento = rangoAccento(d.at(1).unicode());
                } else if (d.size() == 1 && d.at(0).isLetter()) {
                    if (accento == 0)
                        accento = kCompatibile;
                } else {
                    break;
                }
                base = d.at(0);
            }
            return { lettera(base.toLower().unicode(), accento), 0 };
        }
        // Blanks and punctuation by code, so that the blank comes first. The other blanks
        // (no-break space and the like) sort as a blank, just after it.
        if (u == 0x00A0 || (c.category() == QChar::Separator_Space && u != 0x0020))
            return { elemento(kPunteggiatura, 0x20, 1, 0), 0 };
        return { elemento(kPunteggiatura, u, 0, 0), 0 };
    }

    // Every character the archive's code page can give lies below this limit; the rest is
    // worked out when met.
    constexpr char16_t kTabellati = 0x3000;

    const std::array<Elementi, kTabellati>& tabella()
    {
        static const auto t = [] {
            auto a = std::make_unique<std::array<Elementi, kTabellati>>();
            for (char16_t u = 0; u < kTabellati; ++u)
                (*a)[u] = calcola(u);
            return a;
        }();
        return *t;
    }

    /** Walks the collation elements of a text. */
    class Cursore {
    public:
        Cursore(QStringView testo, const std::array<Elementi, kTabellati>& t)
            : m_testo(testo)
            , m_tabella(t)
        {
        }

        /** The next element, or 0 at the end. */
        uint32_t prossimo()
        {
            if (m_sospeso != 0) {
                const uint32_t e = m_sospeso;
                m_sospeso = 0;
                return e;
            }
            if (m_pos >= m_testo.size())
                return 0;
            const char16_t u = m_testo[m_pos++].unicode();
            const Elementi e = u < kTabellati ? m_tabella[u] : calcola(u);
            m_sospeso = e.secondo;
            return e.primo;
        }

    private:
        QStringView m_testo;
        const std::array<Elementi, kTabellati>& m_tabella;
        qsizetype m_pos = 0;
        uint32_t m_sospeso = 0;
    };

    int confrontaLivello(
        QStringView a, QStringView b, int livello, const std::array<Elementi, kTabellati>& t)
    {
        Cursore ca(a, t);
        Cursore cb(b, t);
        for (;;) {
            const uint32_t ea = ca.prossimo();
            const uint32_t eb = cb.prossimo();
            if (ea == 0 || eb == 0)
                return ea == eb ? 0 : (ea == 0 ? -1 : 1); // the shorter first
            uint32_t ka = 0;
            uint32_t kb = 0;
            switch (livello) {
            case 1:
                ka = ea >> 10;
                kb = eb >> 10;
                break;
            case 2:
                ka = (ea >> 2) & 0xFF;
                kb = (eb >> 2) & 0xFF;
                break;
            default:
                ka = ea & 3;
                kb = eb & 3;
                break;
            }
            if (ka != kb)
                return ka < kb ? -1 : 1;
        }
    }
}

int confrontaAlfabetico(QStringView a, QStringView b)
{
    // Identical leading characters give identical elements on every level, so the comparison
    // starts where the texts first differ: entries that share a long title compare at the
    // speed of a plain comparison up to there.
    const qsizetype corta = std::min(a.size(), b.size());
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    qsizetype comune = 0;
    // Four characters at a time while they agree.
    while (comune + 4 <= corta) {
        uint64_t qa = 0;
        uint64_t qb = 0;
        std::memcpy(&qa, pa + comune, sizeof qa);
        std::memcpy(&qb, pb + comune, sizeof qb);
        if (qa != qb)
            break;
        comune += 4;
    }
    while (comune < corta && pa[comune] == pb[comune])
        ++comune;
    if (comune == a.size() && comune == b.size())
        return 0;
    a = a.mid(comune);
    b = b.mid(comune);
    const auto& t = tabella();
    for (int livello = 1; livello <= 3; ++livello) {
        if (const int r = confrontaLivello(a, b, livello, t); r != 0)
            return r;
    }
    const int r = a.compare(b, Qt::CaseSensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void ordinaAlfabetico(QStringList& voci)
{
    // Sorting compares each entry about log2(n) times. The first level of an entry's first
    // characters, which nearly always decides, is worked out once per entry into a small key
    // beside its index, so that most comparisons are one memcmp on memory already at hand;
    // only entries equal on it (or holding characters the key cannot carry) go through the
    // full comparison.
    const auto& t = tabella();
    const qsizetype n = voci.size();
    if (n < 2)
        return;
    constexpr int kElementi = 24;
    struct Chiave {
        std::array<unsigned char, 2 * kElementi> byte; // two bytes an element, zero after the last
        uint32_t indice;
        uint8_t elementi; // how many elements the key holds
        bool completa; // the key holds the entry's whole first level
    };
    std::vector<Chiave> chiavi(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        Chiave& k = chiavi[static_cast<size_t>(i)];
        k.byte.fill(0);
        k.indice = static_cast<uint32_t>(i);
        k.completa = false;
        Cursore c(voci.at(i), t);
        int e = 0;
        for (uint32_t elemento = c.prossimo();; elemento = c.prossimo()) {
            if (elemento == 0) {
                k.completa = true;
                break;
            }
            const uint32_t primario = elemento >> 10;
            const uint32_t valore = primario & 0xFFFF;
            if (e == kElementi || valore >= 0x4000)
                break; // the rest is left to the full comparison
            // Class 1 to 3 above a value below 0x4000: never zero, in the order of the level.
            const uint32_t compatto = ((primario >> 16) << 14) | valore;
            k.byte[2 * e] = static_cast<unsigned char>(compatto >> 8);
            k.byte[2 * e + 1] = static_cast<unsigned char>(compatto & 0xFF);
            ++e;
        }
        k.elementi = static_cast<uint8_t>(e);
    }
    auto elemento = [](const Chiave& k, int p) { return (k.byte[2 * p] << 8) | k.byte[2 * p + 1]; };
    std::sort(chiavi.begin(), chiavi.end(), [&](const Chiave& x, const Chiave& y) {
        // The first element where the keys differ decides when both keys really hold it,
        // or when the key that has run out ended with its entry (the shorter comes first).
        int p = kElementi;
        for (int w = 0; w < 2 * kElementi; w += 8) {
            uint64_t a = 0;
            uint64_t b = 0;
            std::memcpy(&a, x.byte.data() + w, sizeof a);
            std::memcpy(&b, y.byte.data() + w, sizeof b);
            if (a != b) {
                p = (w + std::countr_zero(a ^ b) / 8) / 2; // the lowest address differs first
                break;
            }
        }
        if (p < kElementi
            && ((p < x.elementi && p < y.elementi) || (p == x.elementi && x.completa)
                || (p == y.elementi && y.completa)))
            return elemento(x, p) < elemento(y, p);
        return confrontaAlfabetico(voci.at(x.indice), voci.at(y.indice)) < 0;
    });
    QStringList ordinate;
    ordinate.reserve(n);
    for (const Chiave& k : chiavi)
        ordinate.append(std::move(voci[k.indice]));
    voci = std::move(ordinate);
}

} // namespace melodora
