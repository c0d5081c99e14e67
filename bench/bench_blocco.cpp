// What the writers' lock costs: saving one card over and over, and importing 10,000 cards
// into a 10,000-card archive, each with and without the lock, in the same folder. The
// medians' ratio is the lock's cost (target: under 5 %).
//
//   bench_blocco [FOLDER] [--volte N]
#include "archive/Redazione.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace melodora;

namespace {
double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

Scheda scheda(int i)
{
    Scheda s;
    s.imposta(Campo::Brano, QStringLiteral("Brano %1").arg(i));
    s.imposta(Campo::Testo, QStringLiteral("una strofa della canzone %1 ").arg(i).repeated(40));
    return s;
}

/** Milliseconds of one save of card 1 (replaced in place) and one append. */
double salva(const QString& archivio, bool senzaBlocco)
{
    Redazione r(archivio, fileOpsReali(), { kAttesaBlocco, senzaBlocco });
    QElapsedTimer t;
    t.start();
    qint64 n = 0;
    if (!r.sostituisci(1, std::nullopt, scheda(1)) || !r.aggiungi(scheda(2), n)) {
        std::fprintf(stderr, "salvataggio non riuscito\n");
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e6;
}

double importa(const QString& archivio, const QList<Scheda>& schede, bool senzaBlocco)
{
    QFile::resize(archivio, qint64(schede.size()) * kLunghezzaScheda);
    Redazione r(archivio, fileOpsReali(), { kAttesaBlocco, senzaBlocco });
    QElapsedTimer t;
    t.start();
    qint64 primo = 0;
    if (!r.aggiungiSchede(schede, primo)) {
        std::fprintf(stderr, "importazione non riuscita\n");
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e6;
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList argomenti = app.arguments().mid(1);
    int volte = 15;
    QString cartella;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        if (argomenti[i] == QLatin1String("--volte") && i + 1 < argomenti.size())
            volte = std::max(1, argomenti[++i].toInt());
        else
            cartella = argomenti[i];
    }
    std::unique_ptr<QTemporaryDir> temporanea;
    if (cartella.isEmpty()) {
        temporanea = std::make_unique<QTemporaryDir>(
            QDir::current().filePath(QStringLiteral("bench-blocco-XXXXXX")));
        cartella = temporanea->path();
    }
    const QString archivio = QDir(cartella).filePath(QStringLiteral("Sonoria.sng"));
    QList<Scheda> diecimila;
    for (int i = 0; i < 10000; ++i)
        diecimila.append(scheda(i));
    qint64 primo = 0;
    if (!Redazione(archivio, fileOpsReali()).aggiungiSchede(diecimila, primo))
        return 1;

    std::vector<double> salvaCon, salvaSenza, importaCon, importaSenza;
    // Alternated, so that a slower moment of the disk weighs on both sides alike.
    for (int i = 0; i < volte; ++i) {
        salvaSenza.push_back(salva(archivio, true));
        salvaCon.push_back(salva(archivio, false));
        importaSenza.push_back(importa(archivio, diecimila, true));
        importaCon.push_back(importa(archivio, diecimila, false));
    }
    const double s0 = mediana(salvaSenza), s1 = mediana(salvaCon);
    const double i0 = mediana(importaSenza), i1 = mediana(importaCon);
    std::printf("Salvataggio (sostituzione + aggiunta): %.3f ms senza blocco, %.3f ms con; "
                "rapporto %.3f\n",
        s0, s1, s1 / s0);
    std::printf("Importazione di 10.000 schede in un archivio di 10.000: %.1f ms senza blocco, "
                "%.1f ms con; rapporto %.3f\n",
        i0, i1, i1 / i0);
    std::printf("Obiettivo: rapporti sotto 1.05.\n");
    return 0;
}
