// The window program's playback, mixer, printer and tags, loaded from their module when
// first used: found next to the program and in ../lib/melodora, and without it each service
// fails as it would without its device, saying why.
#include "FakePlatform.h"
#include "platform/LettoreTag.h"
#include "platform/PerifericheRitardate.h"
#include "platform/PrintSurface.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestPeriferiche : public QObject {
    Q_OBJECT
private slots:
    void caricamento_data();
    void caricamento();
};

void TestPeriferiche::caricamento_data()
{
    QTest::addColumn<QString>("dove"); // where the module is put, from the program's folder
    QTest::newRow("accanto al programma") << QStringLiteral("libmelodora-periferiche.so");
    QTest::newRow("installato") << QStringLiteral("../lib/melodora/libmelodora-periferiche.so");
    QTest::newRow("mancante") << QString();
}

void TestPeriferiche::caricamento()
{
    QFETCH(QString, dove);
    QTemporaryDir radice;
    QDir bin(radice.filePath(QStringLiteral("bin")));
    QVERIFY(bin.mkpath(QStringLiteral(".")));
    if (!dove.isEmpty()) {
        QVERIFY(bin.mkpath(QFileInfo(dove).path()));
        QVERIFY(QFile::link(QStringLiteral(MELODORA_MODULO), bin.filePath(dove)));
    }
    const QString wav = radice.filePath(QStringLiteral("manca.wav"));

    FakeMessages messaggi;
    PerifericheRitardate p(messaggi, bin.path());
    // Nothing is loaded, nor reported, for a close before any play.
    p.media().mciExecute(QStringLiteral("close ") + wav);
    QCOMPARE(p.carica() != nullptr, !dove.isEmpty());
    QCOMPARE(p.errore().isEmpty(), !dove.isEmpty());

    TagAudio tag;
    QString errore;
    QVERIFY(!p.tag().leggi(wav, tag, errore));
    QCOMPARE(errore == QStringLiteral("il file non esiste"), !dove.isEmpty());
    // With the module, a printer or a PDF folder; without it, no printer at all.
    QCOMPARE(p.stampante().nomeDispositivo().isEmpty(), dove.isEmpty());
    if (dove.isEmpty()) {
        QVERIFY(!p.stampante().nuovoDocumento());
        QVERIFY(!p.mixer().apri());
        p.media().mciExecute(QStringLiteral("play ") + wav);
        QTRY_COMPARE(messaggi.mostrati.size(), 1);
        QVERIFY(messaggi.mostrati.front().testo.contains(QStringLiteral("non c'è")));
    }
}

QTEST_MAIN(TestPeriferiche)
#include "test_periferiche.moc"
