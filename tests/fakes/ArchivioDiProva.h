#pragma once

#include "archive/Scheda.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace melodora::test {

/** A card with the given title, artist and audio path, the rest derived from the title. */
inline Scheda schedaDiProva(const QString& brano, const QString& artista = {},
    const QString& mp3 = {}, const QString& genere = {})
{
    Scheda s;
    s.imposta(Campo::Brano, brano);
    s.imposta(Campo::Artista, artista);
    s.imposta(Campo::Album, QStringLiteral("Album di ") + brano);
    s.imposta(Campo::Genere, genere);
    s.imposta(Campo::Anno, QStringLiteral("1999"));
    s.imposta(Campo::MP3, mp3);
    return s;
}

/** The cards' records one after another, as the archive holds them. */
inline QByteArray byteDi(const QList<Scheda>& schede)
{
    QByteArray b;
    for (const Scheda& s : schede)
        b.append(s.inByte());
    return b;
}

/** Writes @p dati as the whole file. */
inline bool scriviFile(const QString& percorso, const QByteArray& dati)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(dati) == dati.size();
}

/** Writes the cards' records one after another, as the archive holds them. */
inline bool scriviArchivio(const QString& percorso, const QList<Scheda>& schede)
{
    return scriviFile(percorso, byteDi(schede));
}

/** One record from the eight values already in Windows-1252, each padded with blanks. */
inline QByteArray record(const QList<QByteArray>& valori)
{
    QByteArray r;
    for (int k = 0; k < kNumeroCampi; ++k) {
        const QByteArray v = valori.value(k);
        r += v + QByteArray(kCampi[k].lunghezza - v.size(), ' ');
    }
    return r;
}

inline QByteArray leggiFile(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace melodora::test
