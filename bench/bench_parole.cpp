// Searching by words (lyrics, notes, every field) and finding duplicates on a generated
// archive of 100,000 cards with full lyrics. Each run of an operation is paired with a run of
// `cat FILE > /dev/null` (warm cache), so that a busy machine slows both alike; the median of
// the pairs' ratios is reported, with both medians. The target is 3.
// Run: bench_parole [CARTELLA [PROVA...]]: an archive already in CARTELLA is used again, and
// only the cases whose names hold one of the PROVA texts are run. The rows "cli ..." run the
// whole melodora-cli process (the one built with this bench, or the one MELODORA_CLI names),
// its output to /dev/null, against the same `cat` process.
#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "lists/Parole.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

using namespace melodora;

namespace {

QTextStream out(stdout);

const QStringList kParole = { QStringLiteral("amore"), QStringLiteral("sole"),
    QStringLiteral("mare"), QStringLiteral("città"), QStringLiteral("perché"),
    QStringLiteral("notte"), QStringLiteral("cuore"), QStringLiteral("vento"),
    QStringLiteral("l'estate"), QStringLiteral("università"), QStringLiteral("luna,"),
    QStringLiteral("stella"), QStringLiteral("strada"), QStringLiteral("fiore"),
    QStringLiteral("Rock"), QStringLiteral("caffè"), QStringLiteral("domani!"), QStringLiteral("è"),
    QStringLiteral("là"), QStringLiteral("blu"), QStringLiteral("cœur"), QStringLiteral("ancora"),
    QStringLiteral("sempre"), QStringLiteral("mai") };

QString frase(QRandomGenerator& rng, int parole)
{
    QStringList p;
    for (int i = 0; i < parole; ++i)
        p.append(kParole.at(rng.bounded(static_cast<int>(kParole.size()))));
    return p.join(QLatin1Char(' '));
}

/**
 * Lyrics of lines of six words, up to 1,500 characters; one card in a hundred sings of an
 * "Arcobaleno", and one in a hundred is the card before it again.
 */
bool generaArchivio(const QString& percorso, int n)
{
    QRandomGenerator rng(7);
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray blocco;
    Scheda precedente;
    for (int i = 1; i <= n; ++i) {
        Scheda s;
        if (i > 1 && rng.bounded(100) == 0) {
            s = precedente;
        } else {
            s.imposta(Campo::Brano, frase(rng, rng.bounded(1, 5)));
            s.imposta(Campo::Artista, frase(rng, 2));
            s.imposta(Campo::Album, frase(rng, 3));
            s.imposta(Campo::Genere, QStringLiteral("Pop"));
            s.imposta(Campo::Anno, QString::number(1950 + rng.bounded(75)));
            s.imposta(Campo::Note, frase(rng, 8));
            QStringList righe;
            for (int r = 0; r < 40; ++r)
                righe.append(frase(rng, 6));
            if (rng.bounded(100) == 0)
                righe[rng.bounded(10)] += QStringLiteral(" l'Arcobaleno");
            s.imposta(Campo::Testo, righe.join(QStringLiteral("\r\n")).left(1500));
            s.imposta(Campo::MP3, QStringLiteral("/home/utente/Musica/brano %1.mp3").arg(i));
        }
        precedente = s;
        blocco.append(s.inByte());
        if (blocco.size() > 8 * 1024 * 1024) {
            if (f.write(blocco) != blocco.size())
                return false;
            blocco.clear();
        }
    }
    return f.write(blocco) == blocco.size();
}

double ms(const std::function<void()>& operazione)
{
    QElapsedTimer t;
    t.start();
    operazione();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 != 0 ? v[m] : (v[m - 1] + v[m]) / 2;
}

/** `cat FILE > /dev/null`, wall time, process start included. */
void cat(const QString& percorso)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("cat"), { percorso });
    p.waitForFinished(-1);
}

/** `melodora-cli --archive FILE ARGOMENTI... > /dev/null`, wall time, process start included. */
QString cli(const QString& programma, const QString& percorso, const QStringList& argomenti)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(programma, QStringList { QStringLiteral("--archive"), percorso } + argomenti);
    p.waitForFinished(-1);
    return QStringLiteral("uscita %1").arg(p.exitCode());
}

/** Runs @p operazione paired with `cat`, prints the line, and says whether it is within 3 x. */
bool misura(
    const QString& nome, const QString& percorso, const std::function<QString()>& operazione)
{
    constexpr int kCoppie = 11;
    std::vector<double> tempi, tempiCat, rapporti;
    QString nota;
    for (int i = 0; i < kCoppie; ++i) {
        tempiCat.push_back(ms([&] { cat(percorso); }));
        tempi.push_back(ms([&] { nota = operazione(); }));
        rapporti.push_back(tempi.back() / tempiCat.back());
    }
    const double r = mediana(rapporti);
    const bool entro = r <= 3;
    out << QStringLiteral("  %1 %2 ms  cat %3 ms  %4 x  %5  %6\n")
               .arg(nome, -34)
               .arg(mediana(tempi), 6, 'f', 1)
               .arg(mediana(tempiCat), 5, 'f', 1)
               .arg(r, 5, 'f', 2)
               .arg(entro ? QStringLiteral("ok") : QStringLiteral("OLTRE 3 x"))
               .arg(nota);
    out.flush();
    return entro;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QStringList argomenti = app.arguments().mid(1);
    const QString cartella = argomenti.isEmpty() ? tmp.path() : argomenti.first();
    const QStringList scelte = argomenti.mid(1);
    const QString percorso = cartella + QStringLiteral("/Sonoria.sng");
    constexpr int kSchede = 100000;
    // The archive is generated from a fixed seed: one of the right size is the same archive.
    if (QFile(percorso).size() != qint64(kSchede) * kLunghezzaScheda
        && !generaArchivio(percorso, kSchede)) {
        out << "impossibile scrivere " << percorso << "\n";
        return 1;
    }
    cat(percorso); // warms the cache
    out << QStringLiteral("Ricerca per parole, %1 schede, %2 MB, cache calda; mediana di coppie "
                          "con cat FILE > /dev/null; obiettivo: 3 x\n")
               .arg(kSchede)
               .arg(static_cast<double>(QFile(percorso).size()) / 1e6, 0, 'f', 1);

    auto archivio = ArchivioSchede::apriInLettura(percorso, fileOpsReali());
    auto scelta = [&](const QString& nome) {
        return scelte.isEmpty() || std::any_of(scelte.begin(), scelte.end(), [&](const QString& s) {
            return nome.contains(s);
        });
    };
    bool tutte = true;
    struct Prova {
        const char* nome;
        AmbitoParole ambito;
        QString criterio;
    };
    // Rare words end most cards at their first word; common first letters ("a", "la") stop
    // at many places in every card, and find nearly every card, so building and sorting
    // 100,000 entries counts too, as in the widest search of the list windows.
    const Prova prove[] = {
        { "testo \"arcobaleno perche\" (rara)", AmbitoParole::Testo,
            QStringLiteral("arcobaleno perche") },
        { "testo \"xyz\" (nessuna)", AmbitoParole::Testo, QStringLiteral("xyz") },
        { "testo \"a\" (comune)", AmbitoParole::Testo, QStringLiteral("a") },
        { "testo \"c\" (comune)", AmbitoParole::Testo, QStringLiteral("c") },
        { "testo \"la\" (comune)", AmbitoParole::Testo, QStringLiteral("la") },
        { "testo \"cœur domani\" (larga)", AmbitoParole::Testo, QStringLiteral("cœur domani") },
        { "note \"citta fiore\"", AmbitoParole::Note, QStringLiteral("citta fiore") },
        { "note \"a\" (comune)", AmbitoParole::Note, QStringLiteral("a") },
        { "tutto \"xyz\" (nessuna)", AmbitoParole::Tutto, QStringLiteral("xyz") },
        { "tutto \"arcobaleno brano\" (rara)", AmbitoParole::Tutto,
            QStringLiteral("arcobaleno brano") },
        { "tutto \"a\" (comune)", AmbitoParole::Tutto, QStringLiteral("a") },
        { "tutto \"la\" (comune)", AmbitoParole::Tutto, QStringLiteral("la") },
    };
    for (const Prova& p : prove) {
        const QString nome = QString::fromUtf8(p.nome);
        if (!scelta(nome))
            continue;
        tutte &= misura(nome, percorso, [&] {
            VociSchede voci;
            (void)cercaParole(*archivio, p.ambito, p.criterio, voci);
            return QStringLiteral("%1 voci").arg(voci.size());
        });
    }
    if (scelta(QStringLiteral("doppioni"))) {
        tutte &= misura(QStringLiteral("doppioni"), percorso, [&] {
            QList<GruppoDoppioni> gruppi;
            (void)cercaDoppioni(*archivio, gruppi);
            return QStringLiteral("%1 gruppi").arg(gruppi.size());
        });
    }
    const QString programma = qEnvironmentVariableIsSet("MELODORA_CLI")
        ? qEnvironmentVariable("MELODORA_CLI")
        : QStringLiteral(MELODORA_CLI_BENCH);
    const QStringList comandi[] = {
        { QStringLiteral("search"), QStringLiteral("testo"), QStringLiteral("a") },
        { QStringLiteral("search"), QStringLiteral("testo"), QStringLiteral("la") },
        { QStringLiteral("search"), QStringLiteral("tutto"), QStringLiteral("la") },
        { QStringLiteral("search"), QStringLiteral("tutto"), QStringLiteral("arcobaleno brano") },
        { QStringLiteral("search"), QStringLiteral("note"), QStringLiteral("a") },
        { QStringLiteral("search"), QStringLiteral("testo"), QStringLiteral("xyz") },
        { QStringLiteral("duplicates") },
    };
    for (const QStringList& comando : comandi) {
        const QString nome = QStringLiteral("cli ") + comando.join(QLatin1Char(' '));
        if (scelta(nome))
            tutte &= misura(nome, percorso, [&] { return cli(programma, percorso, comando); });
    }
    return tutte ? 0 : 1;
}
