#include "archive/Scheda.h"

#include "archive/Codifica.h"

namespace melodora {

QString togliSpazi(const QString& s)
{
    qsizetype inizio = 0;
    qsizetype fine = s.size();
    while (inizio < fine && s.at(inizio) == QLatin1Char(' '))
        ++inizio;
    while (fine > inizio && s.at(fine - 1) == QLatin1Char(' '))
        --fine;
    return s.mid(inizio, fine - inizio);
}

Scheda::Scheda()
{
    for (int i = 0; i < kNumeroCampi; ++i)
        m_campi[i] = QString(kCampi[i].lunghezza, QLatin1Char(' '));
}

void Scheda::imposta(Campo c, const QString& valore)
{
    const int len = info(c).lunghezza;
    // Characters the disk cannot hold become '?' first, one each, so that the cut and
    // the padding count what is stored.
    QString v = togliSpazi(cp1252::adatta(valore)).left(len);
    v.append(QString(len - v.size(), QLatin1Char(' ')));
    m_campi[static_cast<int>(c)] = v;
}

Scheda Scheda::daTesti(const std::array<QString, kNumeroCampi>& testi)
{
    Scheda s;
    for (int i = 0; i < kNumeroCampi; ++i)
        s.imposta(static_cast<Campo>(i), testi[i]);
    return s;
}

Scheda Scheda::daByte(const char* record)
{
    Scheda s;
    for (int i = 0; i < kNumeroCampi; ++i)
        s.m_campi[i] = cp1252::decodifica(record + kCampi[i].offset, kCampi[i].lunghezza);
    return s;
}

QByteArray Scheda::inByte(int* sostituiti) const
{
    QByteArray out;
    out.reserve(kLunghezzaScheda);
    int totale = 0;
    for (const QString& campo : m_campi) {
        int persi = 0;
        out.append(cp1252::codifica(campo, &persi));
        totale += persi;
    }
    if (sostituiti)
        *sostituiti = totale;
    return out;
}

} // namespace melodora
