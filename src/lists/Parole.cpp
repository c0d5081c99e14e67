#include "lists/Parole.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "lists/Elenchi.h"
#include "lists/OrdineAlfabetico.h"

#include <QByteArrayView>
#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

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

    /** The bytes without the blanks that fill the field, skipped eight at a time. */
    QByteArrayView senzaSpaziFinali(const char* p, qsizetype n)
    {
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
        return QByteArrayView(p, n);
    }

    /**
     * Folds bytes into @p buffer (resized, never shrunk): four characters are copied for every
     * byte and the pointer moves by the fold's length, so the loop has no branch.
     */
    qsizetype piegaByte(QByteArrayView testo, std::u16string& buffer)
    {
        const size_t serve = static_cast<size_t>(testo.size()) * 4 + 4;
        if (buffer.size() < serve)
            buffer.resize(serve);
        const auto& pieghe = piegheCodePage();
        char16_t* out = buffer.data();
        for (const char b : testo) {
            const PiegaByte& p = pieghe[static_cast<unsigned char>(b)];
            std::memcpy(out, p.c.data(), sizeof p.c);
            out += p.n;
        }
        return out - buffer.data();
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
        m_primoAlto.push_back(std::find(primo.begin() + 128, primo.end(), true) != primo.end());
        const char16_t c = w[0];
        m_primoAscii.push_back((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
                ? static_cast<unsigned char>(c)
                : 0);
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
    if (const uint64_t ascii = m_primoAscii[k]; ascii != 0) {
        // Eight bytes at a time: only the letter in either case (a capital differs by 0x20)
        // and, for some letters, bytes above 127 can begin the word; most blocks hold neither.
        constexpr uint64_t kUni = 0x0101010101010101ULL;
        constexpr uint64_t kAlti = 0x8080808080808080ULL;
        const uint64_t alti = m_primoAlto[k] ? kAlti : 0;
        for (; i + 8 <= n; i += 8) {
            uint64_t otto = 0;
            std::memcpy(&otto, p + i, sizeof otto);
            const uint64_t x = (otto | 0x2020202020202020ULL) ^ (ascii * kUni);
            // The high bit of each byte that may begin the word (a few more, never fewer).
            uint64_t candidati = ((x - kUni) & ~x & kAlti) | (otto & alti);
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
    // cards of a search do.
    for (size_t k = 0; k < m_parole.size(); ++k) {
        bool trovata = false;
        for (const QByteArrayView t : testi) {
            if (inizioDiParola(k, senzaSpaziFinali(t.data(), t.size()))) {
                trovata = true;
                break;
            }
        }
        if (!trovata)
            return false;
    }
    return true;
}

Esito cercaParole(
    const ArchivioSchede& archivio, AmbitoParole ambito, const QString& criterio, QStringList& voci)
{
    voci.clear();
    const CriterioParole parole(criterio);
    if (parole.vuoto())
        return {};
    const QList<Campo> campi = campiDi(ambito);
    QList<QByteArrayView> testi(campi.size());
    const Esito esito = archivio.perOgniScheda([&](qint64 n, const char* record) {
        for (qsizetype i = 0; i < campi.size(); ++i)
            testi[i]
                = QByteArrayView(record + info(campi.at(i)).offset, info(campi.at(i)).lunghezza);
        if (parole.corrispondeByte(testi))
            voci.append(voceRecord(CampoRicerca::Titolo, n, record));
        return true;
    });
    ordinaAlfabetico(voci);
    return esito;
}

QString chiaveConfronto(QStringView testo)
{
    const QString p = piegaTesto(testo);
    return soloParole(reinterpret_cast<const char16_t*>(p.utf16()), p.size());
}

Esito cercaDoppioni(const ArchivioSchede& archivio, QList<GruppoDoppioni>& gruppi)
{
    gruppi.clear();
    QHash<QString, qsizetype> perChiave;
    QList<GruppoDoppioni> tutti;
    std::u16string buffer;
    auto chiave = [&](const char* record, Campo campo) {
        const qsizetype n = piegaByte(
            senzaSpaziFinali(record + info(campo).offset, info(campo).lunghezza), buffer);
        return soloParole(buffer.data(), n);
    };
    const Esito esito = archivio.perOgniScheda([&](qint64 n, const char* record) {
        const QString brano = chiave(record, Campo::Brano);
        if (brano.isEmpty())
            return true;
        // A unit separator cannot be a letter or a digit, so no two pairs join alike.
        const QString k = brano + QChar(0x1F) + chiave(record, Campo::Artista);
        auto it = perChiave.find(k);
        if (it == perChiave.end()) {
            auto campo = [record](Campo c) {
                return togliSpazi(cp1252::decodifica(record + info(c).offset, info(c).lunghezza));
            };
            it = perChiave.insert(k, tutti.size());
            tutti.append({ campo(Campo::Brano), campo(Campo::Artista), {} });
        }
        tutti[*it].schede.append(n);
        return true;
    });
    for (GruppoDoppioni& g : tutti) {
        if (g.schede.size() > 1)
            gruppi.append(std::move(g));
    }
    std::stable_sort(
        gruppi.begin(), gruppi.end(), [](const GruppoDoppioni& a, const GruppoDoppioni& b) {
            return precedeAlfabetico(a.brano + QStringLiteral(" - ") + a.artista,
                b.brano + QStringLiteral(" - ") + b.artista);
        });
    return esito;
}

} // namespace melodora
