#include "archive/AppFilePath.h"

#include <QCoreApplication>

namespace melodora {

namespace {
    QString& cartellaImpostata()
    {
        static QString cartella;
        return cartella;
    }
}

QString cartellaProgramma()
{
    if (!cartellaImpostata().isEmpty())
        return cartellaImpostata();
    return QCoreApplication::applicationDirPath();
}

void impostaCartellaProgramma(const QString& cartella) { cartellaImpostata() = cartella; }

QString AppFilePath(const QString& nome)
{
    const QString cartella = cartellaProgramma();
    if (cartella.endsWith(QLatin1Char('/')))
        return cartella + nome;
    return cartella + QLatin1Char('/') + nome;
}

} // namespace melodora
