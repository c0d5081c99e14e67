// The list logic and the two list windows on generated archives of 10,000 and 100,000 cards.
// Each operation is timed (best of several runs, warm cache) against `cat FILE > /dev/null`
// and reported as a ratio; the target is 3. Memory is the peak resident size the operation
// adds (the kernel's high-water mark, reset before each operation).
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "lists/frmElencoURL.h"
#include "lists/frmFindInviata.h"
#include "main_window/Generi.h"
#include "platform/FileOps.h"

#include "lists/CasellaElenco.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>

#include <cstdio>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>

using namespace melodora;

namespace {

QTextStream out(stdout);

const QStringList kParole = { QStringLiteral("amore"), QStringLiteral("sole"),
    QStringLiteral("mare"), QStringLiteral("città"), QStringLiteral("perché"),
    QStringLiteral("notte"), QStringLiteral("cuore"), QStringLiteral("vento"),
    QStringLiteral("estate"), QStringLiteral("università"), QStringLiteral("luna"),
    QStringLiteral("stella"), QStringLiteral("strada"), QStringLiteral("fiore"),
    QStringLiteral("Rock"), QStringLiteral("caffè"), QStringLiteral("domani"), QStringLiteral("è"),
    QStringLiteral("là"), QStringLiteral("blu") };

QString frase(QRandomGenerator& rng, int parole)
{
    QStringList p;
    for (int i = 0; i < parole; ++i)
        p.append(kParole.at(rng.bounded(static_cast<int>(kParole.size()))));
    QString t = p.join(QLatin1Char(' '));
    t[0] = t.at(0).toUpper();
    return t;
}

/** Writes @p n cards; about 60 % of them have an audio file. */
bool generaArchivio(const QString& percorso, int n)
{
    QRandomGenerator rng(42);
    const QStringList generi = generiMusicali();
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray blocco;
    for (int i = 1; i <= n; ++i) {
        Scheda s;
        s.imposta(Campo::Brano, frase(rng, rng.bounded(1, 5)));
        s.imposta(Campo::Artista, frase(rng, 2));
        s.imposta(Campo::Album, frase(rng, 3));
        s.imposta(Campo::Genere, generi.at(rng.bounded(static_cast<int>(generi.size()))));
        s.imposta(Campo::Anno, QString::number(1950 + rng.bounded(75)));
        s.imposta(Campo::Note, frase(rng, 6));
        s.imposta(Campo::Testo, frase(rng, 200).left(1500));
        if (rng.bounded(10) < 6)
            s.imposta(Campo::MP3, QStringLiteral("/home/utente/Musica/brano %1.mp3").arg(i));
        blocco.append(s.inByte());
        if (blocco.size() > 8 * 1024 * 1024) {
            if (f.write(blocco) != blocco.size())
                return false;
            blocco.clear();
        }
    }
    return f.write(blocco) == blocco.size();
}

qint64 leggiStato(const char* chiave)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& riga : f.readAll().split('\n')) {
        if (riga.startsWith(chiave))
            return riga.mid(qstrlen(chiave)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

/** Resets the peak resident size to the current one (Linux 4.0 and later). */
void azzeraPicco()
{
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (f) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

struct Misura {
    double ms; ///< wall clock
    double cpuMs; ///< processor time of this process (user and system)
    qint64 piccoKb;
};

double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double cpuFigliMs()
{
    rusage u {};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3
        + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

/** Best time of @p volte runs; the peak memory the first run adds. */
Misura misura(int volte, const std::function<void()>& operazione)
{
    malloc_trim(0); // what earlier operations freed must not hide what this one takes
    azzeraPicco();
    const qint64 prima = leggiStato("VmRSS:");
    double migliore = 1e18;
    double miglioreCpu = 1e18;
    qint64 picco = 0;
    for (int i = 0; i < volte; ++i) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        operazione();
        migliore = std::min(migliore, t.nsecsElapsed() / 1e6);
        miglioreCpu = std::min(miglioreCpu, cpuMs() - c0);
        if (i == 0)
            picco = leggiStato("VmHWM:") - prima;
    }
    return { migliore, miglioreCpu, picco };
}

/** `cat FILE > /dev/null`: best wall time (process start included) and best processor time. */
Misura tempoCat(const QString& percorso)
{
    Misura m { 1e18, 1e18, 0 };
    for (int i = 0; i < 9; ++i) {
        QProcess cat;
        cat.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer t;
        const double c0 = cpuFigliMs();
        t.start();
        cat.start(QStringLiteral("cat"), { percorso });
        cat.waitForFinished(-1);
        m.ms = std::min(m.ms, t.nsecsElapsed() / 1e6);
        m.cpuMs = std::min(m.cpuMs, cpuFigliMs() - c0);
    }
    return m;
}

void riga(const QString& nome, const Misura& m, const Misura& cat, const QString& nota = {})
{
    out << QStringLiteral("  %1 %2 ms %3 x   cpu %4 ms %5 x   picco +%6 MB  %7\n")
               .arg(nome, -34)
               .arg(m.ms, 7, 'f', 1)
               .arg(m.ms / cat.ms, 5, 'f', 2)
               .arg(m.cpuMs, 7, 'f', 1)
               .arg(m.cpuMs / cat.cpuMs, 5, 'f', 2)
               .arg(m.piccoKb / 1024.0, 5, 'f', 1)
               .arg(nota);
    out.flush();
}

qint64 byteVoci(const QStringList& voci)
{
    qint64 b = 0;
    for (const QString& v : voci)
        b += v.size() * 2;
    return b;
}

void provaArchivio(const QString& cartella, int schede)
{
    impostaCartellaProgramma(cartella);
    const QString percorso = AppFilePath(QString::fromLatin1(kNomeArchivio));
    QFile::remove(percorso);
    if (!generaArchivio(percorso, schede)) {
        out << "impossibile scrivere " << percorso << "\n";
        return;
    }
    tempoCat(percorso); // warms the cache
    const Misura cat = tempoCat(percorso);
    out << QStringLiteral("\n%1 schede, %2 MB; cat FILE > /dev/null: %3 ms, cpu %4 ms "
                          "(rapporti: tempo reale, tempo di processore)\n")
               .arg(schede)
               .arg(QFile(percorso).size() / 1e6, 0, 'f', 1)
               .arg(cat.ms, 0, 'f', 1)
               .arg(cat.cpuMs, 0, 'f', 1);

    QStringList voci;
    auto apri = [&] { return ArchivioSchede::apri(percorso, fileOpsReali()); };

    Misura m = misura(5, [&] {
        auto a = apri();
        VociSchede trovate; // decoded as the window shows them
        (void)cercaSchede(*a, CampoRicerca::Genere, QStringLiteral("rock"), trovate);
        voci = trovate.testi();
    });
    riga(QStringLiteral("ricerca genere \"rock\""), m, cat,
        QStringLiteral("%1 voci, %2 MB di testo")
            .arg(voci.size())
            .arg(byteVoci(voci) / 1e6, 0, 'f', 1));
    voci.clear();

    m = misura(5, [&] {
        auto a = apri();
        VociSchede trovate; // decoded as the window shows them
        (void)cercaSchede(*a, CampoRicerca::Titolo, QStringLiteral("a"), trovate);
        voci = trovate.testi();
    });
    riga(QStringLiteral("ricerca titolo \"a\" (larga)"), m, cat,
        QStringLiteral("%1 voci, %2 MB di testo")
            .arg(voci.size())
            .arg(byteVoci(voci) / 1e6, 0, 'f', 1));
    voci.clear();

    m = misura(5, [&] {
        auto a = apri();
        VociSchede trovate; // decoded as the window shows them
        (void)elencoAudio(*a, trovate);
        voci = trovate.testi();
    });
    riga(QStringLiteral("elenco audio"), m, cat,
        QStringLiteral("%1 voci, %2 MB di testo")
            .arg(voci.size())
            .arg(byteVoci(voci) / 1e6, 0, 'f', 1));

    const QString ultima = voci.last();
    m = misura(5, [&] {
        auto a = apri();
        if (!trovaScheda(*a, CampoRicerca::Titolo, ultima))
            out << "ultima voce non trovata!\n";
    });
    riga(QStringLiteral("apertura dell'ultima voce"), m, cat,
        QStringLiteral("scheda %1").arg(numeroDellaVoce(ultima)));
    voci.clear();

    // The windows: building and filling the list widget, and a search through the buttons.
    test::FakePlatform fake;
    std::unique_ptr<frmElencoURL> elenco;
    m = misura(3, [&] {
        elenco.reset();
        elenco = std::make_unique<frmElencoURL>(fake.platform, [](qint64, const Scheda&) {});
    });
    riga(QStringLiteral("finestra elenco audio (apertura)"), m, cat,
        QStringLiteral("%1 righe").arg(elenco->lstTrovati->conteggio()));
    elenco.reset();

    frmFindInviata ricerca(fake.platform, [](qint64, const Scheda&) {});
    m = misura(3, [&] {
        ricerca.txtFindQual->setText(QStringLiteral("a"));
        ricerca.cmdMittente->click();
    });
    riga(QStringLiteral("finestra ricerca titolo \"a\""), m, cat,
        QStringLiteral("%1 righe").arg(ricerca.lstTrovati->conteggio()));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    out << "Elenchi su archivi grandi (migliore di più prove, cache calda).\n";
    for (int schede : { 10000, 100000 })
        provaArchivio(cartella, schede);
    impostaCartellaProgramma(QString());
    return 0;
}
