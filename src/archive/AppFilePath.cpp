#include "archive/AppFilePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace melodora {

namespace {
    const QString kNomeGuida = QStringLiteral("Sonoria.hlp");

    QString& cartellaImpostata()
    {
        static QString cartella;
        return cartella;
    }

    QString unisci(const QString& cartella, const QString& nome)
    {
        if (cartella.endsWith(QLatin1Char('/')))
            return cartella + nome;
        return cartella + QLatin1Char('/') + nome;
    }

    // The running program's folders: its own folder does not move while it runs.
    const CartelleProgramma& cartelleInUso()
    {
        static const CartelleProgramma cartelle = [] {
            CartelleProgramma c = cartelleProgramma(QCoreApplication::applicationDirPath(),
                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
            QDir().mkpath(c.dati);
            return c;
        }();
        return cartelle;
    }
}

CartelleProgramma cartelleProgramma(const QString& cartellaEseguibile, const QString& datiUtente)
{
    const QString installata
        = QDir::cleanPath(cartellaEseguibile + QStringLiteral("/../share/melodora"));
    if (!QFileInfo::exists(unisci(cartellaEseguibile, kNomeGuida))
        && QFileInfo::exists(unisci(installata, kNomeGuida)) && !datiUtente.isEmpty())
        return { unisci(datiUtente, QStringLiteral("Melodora")), installata };
    return { cartellaEseguibile, cartellaEseguibile };
}

QString cartellaProgramma()
{
    if (!cartellaImpostata().isEmpty())
        return cartellaImpostata();
    return cartelleInUso().dati;
}

void impostaCartellaProgramma(const QString& cartella) { cartellaImpostata() = cartella; }

QString AppFilePath(const QString& nome)
{
    if (cartellaImpostata().isEmpty() && nome == kNomeGuida)
        return unisci(cartelleInUso().guida, nome);
    return unisci(cartellaProgramma(), nome);
}

} // namespace melodora
