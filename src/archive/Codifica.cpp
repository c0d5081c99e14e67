#include "archive/Codifica.h"

#include <array>

namespace melodora::cp1252 {

namespace {
    // 0x80..0x9F: the 32 places where Windows-1252 differs from Latin-1.
    // 0 marks the five undefined bytes, which keep their C1 value.
    constexpr std::array<char16_t, 32> kAlti = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, // 88-8F
        0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178, // 98-9F
    };
}

bool byteIndefinito(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F && kAlti[byte - 0x80] == 0;
}

QChar decodifica(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && kAlti[byte - 0x80] != 0)
        return QChar(kAlti[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

bool codifica(QChar c, unsigned char& byte)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    for (unsigned i = 0; i < kAlti.size(); ++i) {
        if (kAlti[i] == u && u != 0) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    // The undefined bytes read back as their C1 controls; write them back unchanged.
    if (u >= 0x80 && u <= 0x9F && kAlti[u - 0x80] == 0) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    return false;
}

QString decodifica(const char* data, qsizetype len)
{
    QString s(len, Qt::Uninitialized);
    QChar* out = s.data();
    for (qsizetype i = 0; i < len; ++i)
        out[i] = decodifica(static_cast<unsigned char>(data[i]));
    return s;
}

namespace {
    // The UTF-16 units of the character at @p i: a surrogate pair is one character.
    qsizetype unita(const QString& testo, qsizetype i)
    {
        return testo.at(i).isHighSurrogate() && i + 1 < testo.size()
                && testo.at(i + 1).isLowSurrogate()
            ? 2
            : 1;
    }
}

QByteArray codifica(const QString& testo, int* sostituiti)
{
    QByteArray out;
    out.reserve(testo.size());
    int persi = 0;
    for (qsizetype i = 0; i < testo.size();) {
        unsigned char b = 0;
        if (!codifica(testo.at(i), b)) {
            b = '?';
            ++persi;
        }
        out.append(static_cast<char>(b));
        i += unita(testo, i);
    }
    if (sostituiti)
        *sostituiti = persi;
    return out;
}

QString adatta(const QString& testo)
{
    if (rappresentabile(testo))
        return testo;
    QString out;
    out.reserve(testo.size());
    unsigned char b = 0;
    for (qsizetype i = 0; i < testo.size();) {
        out.append(codifica(testo.at(i), b) ? testo.at(i) : QLatin1Char('?'));
        i += unita(testo, i);
    }
    return out;
}

QString primoNonRappresentabile(const QString& testo)
{
    unsigned char b = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (!codifica(testo.at(i), b))
            return testo.mid(i, unita(testo, i));
    }
    return {};
}

bool rappresentabile(const QString& testo)
{
    unsigned char b = 0;
    for (QChar c : testo) {
        if (!codifica(c, b))
            return false;
    }
    return true;
}

} // namespace melodora::cp1252
