// Deleting card 1 of a 100,000-card archive (283 MB), against copying the same file with
// cp and syncing the copy, on the same disk. The deletion is a whole copy plus a sync as
// well; besides the ratio it prints where its time goes (copy, sync of the copy, rename
// over the old archive, which frees its blocks, and sync of the folder).
//
//   bench_cancellazione [FOLDER] [--schede N] [--volte N] [--a-blocchi]
//
// FOLDER (default: a temporary folder under the current one) must be on the disk to
// measure. --a-blocchi copies through a buffer instead of copy_file_range.
#include "archive/Archivio.h"
#include "archive/Redazione.h"
#include "archive/Scheda.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

using namespace melodora;

namespace {
bool esegui(const QString& programma, const QStringList& argomenti)
{
    return QProcess::execute(programma, argomenti) == 0;
}

void leggi(const QString& percorso)
{
    QFile f(percorso);
    if (f.open(QIODevice::ReadOnly))
        while (!f.read(8 << 20).isEmpty()) { }
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

/** The system's calls, timed by kind; optionally without the in-kernel copy. */
class OpsCronometrate : public FileOps {
public:
    enum Fase { Copia, Sync, Rename, Altro, NumeroFasi };
    double ms[NumeroFasi] = {};
    bool aBlocchi = false;
    void azzera() { std::fill(std::begin(ms), std::end(ms), 0.0); }

private:
    template <typename F> static auto misura(double& totale, F&& chiamata) -> decltype(chiamata())
    {
        QElapsedTimer t;
        t.start();
        auto r = chiamata();
        totale += t.nsecsElapsed() / 1e6;
        return r;
    }
    template <typename F> auto misura(Fase f, F&& chiamata) -> decltype(chiamata())
    {
        return misura(ms[f], std::forward<F>(chiamata));
    }

public:
    ssize_t pread(int fd, void* buf, size_t len, off_t offset) override
    {
        return misura(Copia, [&] { return FileOps::pread(fd, buf, len, offset); });
    }
    ssize_t pwrite(int fd, const void* buf, size_t len, off_t offset) override
    {
        return misura(Copia, [&] { return FileOps::pwrite(fd, buf, len, offset); });
    }
    ssize_t copy_file_range(int fdIn, off_t* offIn, int fdOut, off_t* offOut, size_t len) override
    {
        if (aBlocchi) {
            errno = ENOSYS;
            return -1;
        }
        return misura(
            Copia, [&] { return FileOps::copy_file_range(fdIn, offIn, fdOut, offOut, len); });
    }
    int fsync(int fd) override
    {
        return misura(Sync, [&] { return FileOps::fsync(fd); });
    }
    int rename(const char* da, const char* a) override
    {
        return misura(Rename, [&] { return FileOps::rename(da, a); });
    }
    int open(const char* path, int flags, mode_t mode) override
    {
        return misura(Altro, [&] { return FileOps::open(path, flags, mode); });
    }
    int close(int fd) override
    {
        return misura(Altro, [&] { return FileOps::close(fd); });
    }
    int unlink(const char* path) override
    {
        return misura(Altro, [&] { return FileOps::unlink(path); });
    }
};

Scheda scheda(int i)
{
    Scheda s;
    s.imposta(Campo::Brano, QStringLiteral("Brano %1").arg(i));
    s.imposta(Campo::Artista, QStringLiteral("Artista %1").arg(i % 977));
    s.imposta(Campo::Testo, QStringLiteral("una strofa della canzone %1 ").arg(i).repeated(40));
    return s;
}

bool creaArchivio(const QString& percorso, int schede)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray modello = scheda(0).inByte();
    QByteArray blocco;
    for (int i = 1; i <= schede; ++i) {
        QByteArray r = modello;
        r.replace(6, 9, QByteArray::number(i).leftJustified(9, ' '));
        blocco.append(r);
        if (blocco.size() >= 4 << 20 || i == schede) {
            if (f.write(blocco) != blocco.size())
                return false;
            blocco.clear();
        }
    }
    f.close();
    return esegui(QStringLiteral("sync"), { percorso });
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList argomenti = app.arguments().mid(1);
    int schede = 100000;
    int volte = 3;
    OpsCronometrate ops;
    QString cartella;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        if (argomenti[i] == QLatin1String("--schede") && i + 1 < argomenti.size())
            schede = argomenti[++i].toInt();
        else if (argomenti[i] == QLatin1String("--volte") && i + 1 < argomenti.size())
            volte = std::max(1, argomenti[++i].toInt());
        else if (argomenti[i] == QLatin1String("--a-blocchi"))
            ops.aBlocchi = true;
        else
            cartella = argomenti[i];
    }
    std::unique_ptr<QTemporaryDir> temporanea;
    if (cartella.isEmpty()) {
        temporanea = std::make_unique<QTemporaryDir>(
            QDir::current().filePath(QStringLiteral("bench-cancellazione-XXXXXX")));
        cartella = temporanea->path();
    }
    const QDir dir(cartella);
    const QString archivio = dir.filePath(QStringLiteral("Sonoria.sng"));
    const QString copia = dir.filePath(QStringLiteral("copia.sng"));

    std::printf("Archivio di %d schede (%.1f MB) in %s\n", schede,
        double(schede) * kLunghezzaScheda / 1e6, qPrintable(cartella));
    if (!creaArchivio(archivio, schede)) {
        std::fprintf(stderr, "impossibile creare l'archivio\n");
        return 1;
    }
    const Scheda primaScheda = scheda(1);

    std::vector<double> tempiCp, tempiCancellazione, tempiRimozione;
    QElapsedTimer t;
    for (int i = 0; i < volte; ++i) {
        // Both sides start from a source in the page cache and nothing dirty.
        leggi(archivio);
        esegui(QStringLiteral("sync"), {});

        t.start();
        if (!esegui(QStringLiteral("cp"), { archivio, copia })
            || !esegui(QStringLiteral("sync"), { copia })) {
            std::fprintf(stderr, "cp o sync non riusciti\n");
            return 1;
        }
        tempiCp.push_back(t.nsecsElapsed() / 1e6);
        t.start();
        QFile::remove(copia);
        tempiRimozione.push_back(t.nsecsElapsed() / 1e6);
        esegui(QStringLiteral("sync"), {});

        ops.azzera();
        t.start();
        qint64 rimaste = 0;
        const Esito r = Redazione(archivio, ops).elimina(1, std::nullopt, rimaste);
        tempiCancellazione.push_back(t.nsecsElapsed() / 1e6);
        if (!r) {
            std::fprintf(stderr, "cancellazione non riuscita: %s\n", qPrintable(r.errore));
            return 1;
        }
        std::printf("  giro %d: cp + sync %.0f ms; cancellazione della scheda 1 %.0f ms (copia "
                    "%.0f, sync %.0f, rename %.0f, altro %.0f); rimozione di un file di pari "
                    "grandezza %.0f ms\n",
            i + 1, tempiCp.back(), tempiCancellazione.back(), ops.ms[OpsCronometrate::Copia],
            ops.ms[OpsCronometrate::Sync], ops.ms[OpsCronometrate::Rename],
            ops.ms[OpsCronometrate::Altro], tempiRimozione.back());
        // Back to the same number of cards for the next round.
        qint64 nuova = 0;
        if (!Redazione(archivio, fileOpsReali()).aggiungi(primaScheda, nuova)) {
            std::fprintf(stderr, "impossibile ripristinare l'archivio\n");
            return 1;
        }
    }
    const double cp = mediana(tempiCp);
    const double cancellazione = mediana(tempiCancellazione);
    std::printf("Mediane: cp + sync %.0f ms, cancellazione %.0f ms; rapporto %.2f (obiettivo: al "
                "massimo 1.5). Il rename libera il vecchio archivio: la sola rimozione di un file "
                "di pari grandezza costa qui %.0f ms.\n",
        cp, cancellazione, cancellazione / cp, mediana(tempiRimozione));
    return 0;
}
