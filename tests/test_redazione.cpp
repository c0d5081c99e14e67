// The deletion itself: shared by the window and the command line, safe against a kill.
#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "archive/Cancellazione.h"
#include "cli/Cli.h"
#include "platform/FileOps.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

using namespace melodora;
using namespace melodora::test;

namespace {
QList<Scheda> schede(int quante)
{
    QList<Scheda> l;
    for (int i = 1; i <= quante; ++i)
        l.append(
            schedaDiProva(QStringLiteral("Brano %1").arg(i), QStringLiteral("Artista %1").arg(i)));
    return l;
}

QByteArray byteDi(const QList<Scheda>& l)
{
    QByteArray b;
    for (const Scheda& s : l)
        b.append(s.inByte());
    return b;
}

bool scriviByte(const QString& percorso, const QByteArray& dati)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(dati) == dati.size();
}

void attendi(qint64 microsecondi)
{
    timespec t { static_cast<time_t>(microsecondi / 1000000),
        static_cast<long>(microsecondi % 1000000) * 1000 };
    while (nanosleep(&t, &t) != 0) { }
}
}

class TestCancellazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void codaParzialeConservata();
    void modoConservato();
    void collegamentoNonSeguito();
    void temporaneoNonRimovibile();
    void cliDelete();
    void cliNumeroNonValido_data();
    void cliNumeroNonValido();
    void interrottaConSigkill();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    QString temporaneo() const { return m_dir->filePath(QStringLiteral("Schede.tmp")); }
    int cli(const QStringList& argomenti) { return eseguiCli(archivio(), argomenti, m_out, m_err); }
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_err;
};

void TestCancellazione::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestCancellazione::codaParzialeConservata()
{
    // A file damaged elsewhere: two cards and half of a third. Only the card asked for goes.
    const QByteArray coda(1415, 'z');
    const QList<Scheda> due = schede(2);
    QVERIFY(scriviByte(archivio(), byteDi(due) + coda));
    RisultatoCancellazione r = eliminaScheda(archivio(), temporaneo(), 1, fileOpsReali());
    QCOMPARE(r.stato, StatoCancellazione::Eseguita);
    QCOMPARE(r.schede, 2.5);
    QCOMPARE(leggiFile(archivio()), due.at(1).inByte() + coda);
    // The part record is not a card: it cannot be deleted.
    r = eliminaScheda(archivio(), temporaneo(), 2, fileOpsReali());
    QCOMPARE(r.stato, StatoCancellazione::Inesistente);
    QCOMPARE(leggiFile(archivio()), due.at(1).inByte() + coda);
    QVERIFY(!QFile::exists(temporaneo()));
}

void TestCancellazione::modoConservato()
{
    // A private archive stays private after it is rewritten.
    QVERIFY(scriviByte(archivio(), byteDi(schede(3))));
    QVERIFY(::chmod(QFile::encodeName(archivio()).constData(), 0600) == 0);
    QCOMPARE(eliminaScheda(archivio(), temporaneo(), 2, fileOpsReali()).stato,
        StatoCancellazione::Eseguita);
    struct stat st { };
    QVERIFY(::stat(QFile::encodeName(archivio()).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0600));
}

void TestCancellazione::collegamentoNonSeguito()
{
    // A link planted under the temporary name must not lead the copy onto another file.
    const QString altro = m_dir->filePath(QStringLiteral("altro.txt"));
    QVERIFY(scriviByte(altro, "da non toccare"));
    QVERIFY(QFile::link(altro, temporaneo()));
    QVERIFY(scriviByte(archivio(), byteDi(schede(3))));
    QCOMPARE(eliminaScheda(archivio(), temporaneo(), 3, fileOpsReali()).stato,
        StatoCancellazione::Eseguita);
    QCOMPARE(leggiFile(altro), QByteArray("da non toccare"));
    QCOMPARE(leggiFile(archivio()), byteDi(schede(2)));
    QVERIFY(!QFileInfo(temporaneo()).isSymLink());
}

void TestCancellazione::temporaneoNonRimovibile()
{
    // A folder in the way of the copy: the deletion fails and the archive stays whole.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Schede.tmp")));
    const QByteArray prima = byteDi(schede(3));
    QVERIFY(scriviByte(archivio(), prima));
    const RisultatoCancellazione r = eliminaScheda(archivio(), temporaneo(), 1, fileOpsReali());
    QCOMPARE(r.stato, StatoCancellazione::Fallita);
    QVERIFY(!r.esito.errore.isEmpty());
    QCOMPARE(leggiFile(archivio()), prima);
    QCOMPARE(cli({ QStringLiteral("delete"), QStringLiteral("1") }), 1);
    QVERIFY(m_err.contains(QStringLiteral("impossibile eliminare la scheda 1")));
    QCOMPARE(leggiFile(archivio()), prima);
}

void TestCancellazione::cliDelete()
{
    const QList<Scheda> tre = schede(3);
    QVERIFY(scriviByte(archivio(), byteDi(tre)));
    QVERIFY(scriviByte(temporaneo(), QByteArray(4 * 2830, '#')));
    QCOMPARE(cli({ QStringLiteral("delete"), QStringLiteral("2") }), 0);
    QCOMPARE(leggiFile(archivio()), byteDi({ tre.at(0), tre.at(2) }));
    QVERIFY(!QFile::exists(temporaneo()));
    QCOMPARE(m_out, QStringLiteral("Scheda 2 eliminata; l'archivio contiene ora 2 schede.\n"));
    QCOMPARE(cli({ QStringLiteral("delete"), QStringLiteral("1") }), 0);
    QCOMPARE(cli({ QStringLiteral("delete"), QStringLiteral("1") }), 0);
    QCOMPARE(QFileInfo(archivio()).size(), 0);
    QVERIFY(QFile::exists(archivio()));
}

void TestCancellazione::cliNumeroNonValido_data()
{
    QTest::addColumn<QStringList>("argomenti");
    QTest::newRow("zero") << QStringList { "delete", "0" };
    QTest::newRow("oltre la fine") << QStringList { "delete", "4" };
    QTest::newRow("molto oltre") << QStringList { "delete", "99999999999999999" };
    QTest::newRow("negativo") << QStringList { "delete", "-1" };
    QTest::newRow("non un numero") << QStringList { "delete", "due" };
    QTest::newRow("numero e lettere") << QStringList { "delete", "2x" };
    QTest::newRow("mancante") << QStringList { "delete" };
    QTest::newRow("due numeri") << QStringList { "delete", "1", "2" };
}

void TestCancellazione::cliNumeroNonValido()
{
    QFETCH(QStringList, argomenti);
    const QByteArray prima = byteDi(schede(3));
    QVERIFY(scriviByte(archivio(), prima));
    QVERIFY(cli(argomenti) != 0);
    QVERIFY(!m_err.isEmpty());
    QVERIFY(m_out.isEmpty());
    QCOMPARE(leggiFile(archivio()), prima);
    QVERIFY(!QFile::exists(temporaneo()));
}

// A deletion killed at any moment leaves the old archive or the new one, never a mix; the
// delays run from before the program's start-up to past the end of its work.
void TestCancellazione::interrottaConSigkill()
{
    constexpr int kSchede = 20000;
    Scheda modello = schedaDiProva(QStringLiteral("Brano"));
    modello.imposta(Campo::Testo, QStringLiteral("una strofa ").repeated(150));
    const QByteArray record = modello.inByte();
    QByteArray vecchio;
    vecchio.reserve(qsizetype(kSchede) * 2830);
    for (int i = 1; i <= kSchede; ++i) {
        QByteArray r = record;
        r.replace(6, 8, QByteArray::number(i).rightJustified(8, '0')); // every card different
        vecchio.append(r);
    }
    const QByteArray nuovo = vecchio.mid(2830);
    // The deletion never writes into the archive it reads, so each round can start from a
    // link to one pristine copy; were it written in place, the pristine copy would show it.
    const QString originale = m_dir->filePath(QStringLiteral("originale.sng"));
    QVERIFY(scriviByte(originale, vecchio));
    auto ripristina = [&] {
        QFile::remove(archivio());
        QCOMPARE(::link(QFile::encodeName(originale).constData(),
                     QFile::encodeName(archivio()).constData()),
            0);
    };
    const QStringList argomenti { QStringLiteral("--archive"), archivio(), QStringLiteral("delete"),
        QStringLiteral("1") };

    // One whole run gives the time a deletion takes.
    ripristina();
    QProcess p;
    QElapsedTimer orologio;
    p.start(QStringLiteral(MELODORA_CLI), argomenti);
    QVERIFY(p.waitForStarted());
    orologio.start();
    QVERIFY(p.waitForFinished(60000));
    const qint64 durata = orologio.nsecsElapsed() / 1000;
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(leggiFile(archivio()) == nuovo);

    constexpr int kColpi = 18;
    int vecchi = 0, nuovi = 0, aMeta = 0;
    for (int i = 0; i < kColpi; ++i) {
        ripristina();
        // Spread over the whole run; the last few land after its end.
        const qint64 ritardo
            = i < kColpi - 3 ? durata * i / (kColpi - 4) : durata * (i - kColpi + 8) / 4;
        p.start(QStringLiteral(MELODORA_CLI), argomenti);
        QVERIFY(p.waitForStarted());
        const auto pid = static_cast<pid_t>(p.processId());
        QVERIFY(pid > 0);
        attendi(ritardo);
        ::kill(pid, SIGKILL);
        QVERIFY(p.waitForFinished(60000));
        if (p.exitStatus() == QProcess::CrashExit && QFile::exists(temporaneo()))
            ++aMeta; // killed between the start of the copy and the rename
        const QByteArray dopo = leggiFile(archivio());
        QVERIFY2(dopo == vecchio || dopo == nuovo,
            qPrintable(QStringLiteral("archivio rovinato da un SIGKILL dopo %1 µs").arg(ritardo)));
        (dopo == vecchio ? vecchi : nuovi)++;
    }
    QVERIFY(leggiFile(originale) == vecchio);
    qInfo("%d colpi: %d archivi vecchi, %d nuovi, %d interrotti durante la copia (una "
          "cancellazione dura %lld µs)",
        kColpi, vecchi, nuovi, aMeta, static_cast<long long>(durata));
    QVERIFY(vecchi > 0); // the kills before the program had even started

    // A leftover of a killed run does not disturb the next one.
    ripristina();
    QVERIFY(scriviByte(temporaneo(), vecchio.left(5 * 2830 + 3)));
    p.start(QStringLiteral(MELODORA_CLI), argomenti);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(leggiFile(archivio()) == nuovo);
    QVERIFY(!QFile::exists(temporaneo()));
}

QTEST_MAIN(TestCancellazione)
#include "test_cancellazione.moc"
