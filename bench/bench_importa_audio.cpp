// import-audio of 2,000 tagged MP3 files against reading the same files' bytes with cat, as
// two processes each, the files in the page cache for both. Target: at most 3 times.
// Run: build/bench/bench_importa_audio [FILES]
#include "archive/ImportaAudio.h"
#include "platform/FileOps.h"
#include "platform/LettoreTag.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {
QTextStream out(stdout);

/** The median of three runs of @p fare, in milliseconds. */
template <typename F> double mediana(F fare)
{
    std::array<double, 3> t {};
    for (double& v : t) {
        QElapsedTimer orologio;
        orologio.start();
        fare();
        v = orologio.nsecsElapsed() / 1e6;
    }
    std::sort(t.begin(), t.end());
    return t[1];
}

int esegui(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(programma, argomenti);
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int quanti = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    QTemporaryDir dir;
    const QString musica = dir.filePath(QStringLiteral("musica"));
    QDir().mkpath(musica);
    const QString base = dir.filePath(QStringLiteral("base.mp3"));
    if (esegui(QStringLiteral("sox"),
            { "-n", "-r", "44100", "-c", "2", base, "synth", "3", "sine", "440", "vol", "0.3" })
        != 0) {
        out << "sox non riesce a creare il file MP3 di prova\n";
        return 1;
    }
    // Every file a copy of one song, with its own ID3v2 tags and lyrics.
    const char* script = R"(
import shutil, sys
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TCON, TDRC, USLT
base, d, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
for i in range(n):
    f = "%s/%05d brano.mp3" % (d, i)
    shutil.copyfile(base, f)
    t = ID3()
    t.add(TIT2(encoding=3, text="Brano numero %d" % i))
    t.add(TPE1(encoding=3, text="Artista %d" % (i % 50)))
    t.add(TALB(encoding=3, text="Album %d" % (i % 200)))
    t.add(TCON(encoding=3, text="Rock"))
    t.add(TDRC(encoding=3, text="1999"))
    t.add(USLT(encoding=1, lang="ita", desc="", text=("Riga del testo %d\n" % i) * 30))
    t.save(f)
)";
    if (esegui(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-c"), QString::fromUtf8(script), base, musica,
                QString::number(quanti) })
        != 0) {
        out << "python3-mutagen non riesce a scrivere i tag\n";
        return 1;
    }
    QStringList file = QDir(musica).entryList(QDir::Files, QDir::Name);
    for (QString& f : file)
        f = musica + QLatin1Char('/') + f;
    qint64 byte = 0;
    for (const QString& f : file)
        byte += QFileInfo(f).size();

    esegui(QStringLiteral("cat"), file); // into the page cache
    const double cat = mediana([&] { esegui(QStringLiteral("cat"), file); });
    int prova = 0;
    auto archivio = [&] { return dir.filePath(QStringLiteral("Sonoria%1.sng").arg(++prova)); };
    const double cli = mediana([&] {
        esegui(QStringLiteral(MELODORA_CLI),
            { QStringLiteral("--archive"), archivio(), QStringLiteral("import-audio"), musica });
    });
    const double dentro = mediana([&] {
        melodora::ImportazioneAudio esito;
        const auto e = melodora::importaAudio(
            file, archivio(), melodora::fileOpsReali(), melodora::lettoreTagReale(), false, esito);
        if (!e || esito.schede.size() != file.size())
            out << "importazione non riuscita: " << e.errore << "\n";
    });

    out << quanti << " file MP3 con tag, " << byte / 1024 << " KiB in tutto\n";
    out << "cat di tutti i file:             " << cat << " ms\n";
    out << "melodora-cli import-audio:       " << cli << " ms  (rapporto " << cli / cat
        << ", obiettivo <= 3)\n";
    out << "importaAudio nel processo:       " << dentro << " ms  (rapporto " << dentro / cat
        << ")\n";
    return cli / cat <= 3 ? 0 : 2;
}
