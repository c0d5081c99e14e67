// Real playback through Qt Multimedia. The test script starts a private PulseAudio server
// with a null sink, so the sound really reaches a sound server; without one, GStreamer
// plays into a fake sink and only the player's own state is checked.
#include "FinestraDiProva.h"
#include "platform/MediaQt.h"

#include <QCoreApplication>
#include <QMediaPlayer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
struct Esito {
    bool riuscito = false;
    QString uscita;
};

Esito esegui(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return { p.exitCode() == 0, QString::fromLocal8Bit(p.readAllStandardOutput()) };
}

bool serverRaggiungibile() { return esegui(QStringLiteral("pactl"), { "info" }).riuscito; }

// The streams this process plays into the sound server, and whether they are corked.
struct Flussi {
    int quanti = 0;
    int fermi = 0;
};

Flussi flussiNostri()
{
    const QString elenco = esegui(QStringLiteral("pactl"), { "list", "sink-inputs" }).uscita;
    const QString pid = QString::number(QCoreApplication::applicationPid());
    Flussi f;
    for (const QString& blocco : elenco.split(QStringLiteral("Sink Input #"), Qt::SkipEmptyParts)) {
        if (!blocco.contains(QStringLiteral("application.process.id = \"%1\"").arg(pid)))
            continue;
        ++f.quanti;
        if (blocco.contains(QRegularExpression(QStringLiteral("Corked: (yes|sì)"))))
            ++f.fermi;
    }
    return f;
}
}

class TestSuono : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void riproduzione_data();
    void riproduzione();
    void fileMancante_data();
    void fileMancante();
    void fileNonRiproducibile();
    void dueFinestreDueFile();

private:
    QTemporaryDir m_dir;
    QString m_wav;
    QString m_mp3;
};

void TestSuono::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A path with a blank: the command string carries it unquoted.
    m_wav = m_dir.filePath(QStringLiteral("tono di prova.wav"));
    m_mp3 = m_dir.filePath(QStringLiteral("tono di prova.mp3"));
    QVERIFY(esegui(QStringLiteral("sox"),
        { "-n", "-r", "44100", "-c", "2", m_wav, "synth", "10", "sine", "440", "vol", "0.5" })
                .riuscito);
    QVERIFY(esegui(QStringLiteral("sox"), { m_wav, m_mp3 }).riuscito);
}

void TestSuono::riproduzione_data()
{
    QTest::addColumn<bool>("mp3");
    QTest::newRow("wav") << false;
    QTest::newRow("mp3") << true;
}

void TestSuono::riproduzione()
{
    QFETCH(bool, mp3);
    const QString file = mp3 ? m_mp3 : m_wav;
    const bool server = serverRaggiungibile();
    FakeMessages messaggi;
    QtMediaService media(messaggi);
    QCOMPARE(media.shortPath(file), file);

    // play: opens the file and returns at once, while the sound goes on.
    media.mciExecute("play " + media.shortPath(file));
    QMediaPlayer* lettore = media.lettore(file);
    QVERIFY(lettore);
    QTRY_COMPARE_WITH_TIMEOUT(lettore->playbackState(), QMediaPlayer::PlayingState, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(lettore->position() > 300, 15000);
    if (server)
        QTRY_COMPARE_WITH_TIMEOUT(flussiNostri().quanti, 1, 10000);

    // pause holds the position.
    media.mciExecute("pause " + file);
    QTRY_COMPARE_WITH_TIMEOUT(lettore->playbackState(), QMediaPlayer::PausedState, 5000);
    const qint64 fermo = lettore->position();
    // A held sound must stay where it is for a while: this wait is the thing measured.
    QTest::qWait(800);
    QVERIFY2(qAbs(lettore->position() - fermo) < 60,
        qPrintable(QStringLiteral("%1 -> %2").arg(fermo).arg(lettore->position())));
    if (server)
        QTRY_COMPARE_WITH_TIMEOUT(flussiNostri().fermi, 1, 5000);

    // play resumes from there, on the same player, not from the beginning.
    media.mciExecute("play " + file);
    QCOMPARE(media.lettore(file), lettore);
    QTRY_COMPARE_WITH_TIMEOUT(lettore->playbackState(), QMediaPlayer::PlayingState, 5000);
    QVERIFY2(lettore->position() >= fermo - 60 && lettore->position() < fermo + 600,
        qPrintable(QStringLiteral("%1 -> %2").arg(fermo).arg(lettore->position())));
    QTRY_VERIFY_WITH_TIMEOUT(lettore->position() > fermo + 200, 10000);
    if (server)
        QTRY_COMPARE_WITH_TIMEOUT(flussiNostri().fermi, 0, 5000);

    // Ending playback is the pair play, close: the player is released, the stream ends.
    media.mciExecute("play " + file);
    media.mciExecute("close " + file);
    QVERIFY(!media.lettore(file));
    if (server)
        QTRY_COMPARE_WITH_TIMEOUT(flussiNostri().quanti, 0, 10000);
    QCoreApplication::processEvents();
    QVERIFY(messaggi.mostrati.isEmpty());
    if (!server)
        QSKIP("no sound server reachable: the stream checks were left out");
}

void TestSuono::fileMancante_data()
{
    QTest::addColumn<QStringList>("comandi");
    QTest::addColumn<int>("messaggi");
    QTest::newRow("play") << QStringList { "play " } << 1;
    // Nothing is open under an empty path: closing it releases nothing and says nothing.
    QTest::newRow("close") << QStringList { "close " } << 0;
    // The pair that ends playback is no new attempt to play the file.
    QTest::newRow("play e close") << QStringList { "play ", "close " } << 0;
}

void TestSuono::fileMancante()
{
    QFETCH(QStringList, comandi);
    QFETCH(int, messaggi);
    FakeMessages finestre;
    QtMediaService media(finestre);
    const QString mancante = m_dir.filePath(QStringLiteral("non esiste.mp3"));
    QCOMPARE(media.shortPath(mancante), QString());
    for (const QString& comando : comandi)
        media.mciExecute(comando + media.shortPath(mancante));
    // The box comes from the event loop, after the caller's step has ended.
    QCOMPARE(finestre.mostrati.size(), 0);
    QTRY_COMPARE(finestre.mostrati.size(), messaggi);
    QCoreApplication::processEvents();
    QCOMPARE(finestre.mostrati.size(), messaggi);
    if (messaggi) {
        const MessaggioMostrato& m = finestre.mostrati.first();
        QVERIFY(m.testo.startsWith(QStringLiteral("Il file audio del brano non è stato trovato.")));
        QCOMPARE(scatola({}, m.titolo, m.icona, m.pulsanti),
            scatola({}, QStringLiteral("Melodora 1.0 - Riproduzione"), Icona::Esclamazione));
    }
    QVERIFY(!media.lettore(QString()));
}

void TestSuono::fileNonRiproducibile()
{
    const QString finto = m_dir.filePath(QStringLiteral("non è audio.mp3"));
    QFile f(finto);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(64 * 1024, 'z'));
    f.close();
    FakeMessages finestre;
    QtMediaService media(finestre);
    media.mciExecute("play " + media.shortPath(finto));
    QTRY_COMPARE_WITH_TIMEOUT(finestre.mostrati.size(), 1, 10000);
    const MessaggioMostrato& m = finestre.mostrati.first();
    QVERIFY2(
        m.testo.startsWith(QStringLiteral("Il file audio non può essere riprodotto:\n") + finto),
        qPrintable(m.testo));
    QCOMPARE(scatola({}, m.titolo, m.icona, m.pulsanti),
        scatola({}, QStringLiteral("Melodora 1.0 - Riproduzione"), Icona::Esclamazione));
    QVERIFY(media.lettore(finto)->playbackState() != QMediaPlayer::PlayingState);
    // Reported once per attempt: ending the playback says nothing more, a new play tries the
    // file afresh, and fails afresh.
    media.mciExecute("play " + finto);
    media.mciExecute("close " + finto);
    QVERIFY(!media.lettore(finto));
    QTest::qWait(300);
    QCOMPARE(finestre.mostrati.size(), 1);
    media.mciExecute("play " + finto);
    QTRY_COMPARE_WITH_TIMEOUT(finestre.mostrati.size(), 2, 10000);
    media.mciExecute("close " + finto);
    QVERIFY(!media.lettore(finto));
}

void TestSuono::dueFinestreDueFile()
{
    // Each path is its own device: the main window and the audio list window can each
    // hold a file, and closing one leaves the other alone.
    FakeMessages finestre;
    QtMediaService media(finestre);
    media.mciExecute("play " + m_wav);
    media.mciExecute("play " + m_mp3);
    QVERIFY(media.lettore(m_wav) && media.lettore(m_mp3));
    QVERIFY(media.lettore(m_wav) != media.lettore(m_mp3));
    QTRY_COMPARE_WITH_TIMEOUT(
        media.lettore(m_wav)->playbackState(), QMediaPlayer::PlayingState, 10000);
    media.mciExecute("close " + m_wav);
    QVERIFY(!media.lettore(m_wav));
    QCOMPARE(media.lettore(m_mp3)->playbackState(), QMediaPlayer::PlayingState);
    media.mciExecute("close " + m_mp3);
    QVERIFY(!media.lettore(m_mp3));
    QVERIFY(finestre.mostrati.isEmpty());
}

QTEST_MAIN(TestSuono)
#include "test_suono.moc"
