// The volume window on the real mixer: ALSA's "default" device, which the test script
// routes to a private PulseAudio server with a null sink. What the window sets is read
// back from the server with pactl. Without a server the mixer tests are skipped; the
// tests of a missing mixer run in a child process whose ALSA finds no server or card.
#define QTEST_QPA_MOUSE_HANDLING

#include "FakePlatform.h"
#include "audio/frmVolume.h"
#include "platform/MixerAlsa.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <alsa/asoundlib.h>

using namespace melodora;
using namespace melodora::test;

namespace {

const char* const kFiglio = "MELODORA_VOLUME_FIGLIO";

/** The sink's volume in percent as pactl reports it (every channel alike), or -1. */
int percentualePactl()
{
    QProcess p;
    p.start(QStringLiteral("pactl"),
        { QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@") });
    if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    const QString testo = QString::fromUtf8(p.readAllStandardOutput());
    QList<int> canali;
    for (const auto& m : QRegularExpression(QStringLiteral("(\\d+)%")).globalMatch(testo))
        canali.append(m.captured(1).toInt());
    if (canali.isEmpty() || canali.count(canali.first()) != canali.size())
        return -1;
    return canali.first();
}

bool impostaPactl(const QString& volume)
{
    return QProcess::execute(QStringLiteral("pactl"),
               { QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@"), volume })
        == 0;
}

/** The bounds of "Master" on the "default" device, asked of ALSA directly. */
std::optional<std::pair<long, long>> limitiMasterAlsa()
{
    snd_mixer_t* h = nullptr;
    if (snd_mixer_open(&h, 0) < 0)
        return std::nullopt;
    std::optional<std::pair<long, long>> limiti;
    if (snd_mixer_attach(h, "default") >= 0 && snd_mixer_selem_register(h, nullptr, nullptr) >= 0
        && snd_mixer_load(h) >= 0) {
        snd_mixer_selem_id_t* sid = nullptr;
        snd_mixer_selem_id_alloca(&sid);
        snd_mixer_selem_id_set_name(sid, "Master");
        long minimo = 0;
        long massimo = 0;
        if (snd_mixer_elem_t* e = snd_mixer_find_selem(h, sid);
            e && snd_mixer_selem_get_playback_volume_range(e, &minimo, &massimo) >= 0)
            limiti = std::make_pair(minimo, massimo);
    }
    snd_mixer_close(h);
    return limiti;
}

/**
 * The child process: opens the window on the real mixer, as the environment left it,
 * drags the knob to the top through its handlers and reports what it saw.
 */
int figlio()
{
    FakePlatform fake;
    AlsaMixerService alsa;
    Platform platform = fake.con(nullptr, &alsa);
    frmVolume v(platform);
    QTextStream out(stdout);
    out << "messaggi=" << fake.messaggi.mostrati.size() << '\n';
    for (const MessaggioMostrato& m : std::as_const(fake.messaggi.mostrati))
        out << "testo=" << m.testo << "\ntitolo=" << m.titolo
            << "\ncritica=" << (m.icona == Icona::Critica && m.pulsanti == Pulsanti::Ok) << '\n';
    out << "Label2=" << v.Label2->text() << "\nLabel3=" << v.Label3->text()
        << "\nText1=" << v.Text1->text() << '\n';
    v.Image1_MouseDown(1, 0, 150, 45);
    v.Image1_MouseMove(1, 0, 150, -2000);
    v.Image1_MouseUp(1, 0, 150, -2000);
    out << "top=" << v.Image1->y() << "\nText1dopo=" << v.Text1->text() << '\n';
    return 0;
}

} // namespace

class TestVolumeAlsa : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void trascinaIlVolumeDelServer();
    void senzaMixer_data();
    void senzaMixer();

private:
    int m_volumeIniziale = -1;
    void richiediServer()
    {
        if (m_volumeIniziale < 0)
            QSKIP("nessun server audio raggiungibile con pactl (lo avvia scripts/suono.sh)");
    }
};

void TestVolumeAlsa::initTestCase() { m_volumeIniziale = percentualePactl(); }

void TestVolumeAlsa::cleanupTestCase()
{
    if (m_volumeIniziale >= 0)
        impostaPactl(QString::number(m_volumeIniziale) + QLatin1Char('%'));
}

void TestVolumeAlsa::trascinaIlVolumeDelServer()
{
    richiediServer();
    QVERIFY(impostaPactl(QStringLiteral("20%")));
    QTRY_COMPARE(percentualePactl(), 20);

    FakePlatform fake;
    AlsaMixerService alsa;
    Platform platform = fake.con(nullptr, &alsa);
    frmVolume v(platform);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    const auto limiti = limitiMasterAlsa();
    QVERIFY(limiti.has_value());
    // The control found is "Master", the first name looked for, with its bounds.
    const auto controllo = alsa.apri()->controlloVolume();
    QVERIFY(controllo && controllo->nome == QStringLiteral("Master"));
    QVERIFY(fake.messaggi.mostrati.isEmpty());
    QCOMPARE(v.Label2->text(), QString::number(limiti->first));
    QCOMPARE(v.Label3->text(), QString::number(limiti->second));

    // The window opens at the server's level: the number is a fifth of the range, and the
    // knob stands within a pixel of the place that gives it.
    const long quinto = v.Text1->text().toLong();
    QVERIFY2(
        qAbs(quinto - limiti->second / 5) <= limiti->second / 100, qPrintable(v.Text1->text()));
    QVERIFY(qAbs(v.valoreCursore(v.topCursore()) - quinto) <= limiti->second / 76);
    // Passing over the knob, back and forth, leaves the server's volume alone.
    for (int y = 0; y < 11; ++y)
        QTest::mouseMove(v.Image1, QPoint(3 + y, y));
    QTest::qWait(100);
    QCOMPARE(percentualePactl(), 20);

    const auto trascina = [&v](int yTraccia) {
        QTest::mouseMove(v.Image1, QPoint(10, 2));
        QTest::mousePress(v.Image1, Qt::LeftButton, {}, QPoint(10, 2));
        QTest::mouseMove(v.Image1, QPoint(10, yTraccia - v.Image1->y()));
        QTRY_COMPARE(v.Image1->y(), qBound(0, yTraccia, 76));
        QTest::mouseRelease(v.Image1, Qt::LeftButton, {}, QPoint(10, yTraccia - v.Image1->y()));
    };

    // To the top: the full volume.
    trascina(-50);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(v.Text1->text(), QString::number(limiti->second));
    QTRY_COMPARE(percentualePactl(), 100);

    // Halfway down the knob's travel: half the range, which the server shows as 50 %.
    trascina(38);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(v.Text1->text(), QString::number(limiti->second / 2));
    QTRY_COMPARE(percentualePactl(), 50);

    // Someone else moves the volume; a click on the knob's top edge sends the value shown
    // again and the server follows, though ALSA's cached value already was that one.
    QVERIFY(impostaPactl(QStringLiteral("30%")));
    QTRY_COMPARE(percentualePactl(), 30);
    QTest::mousePress(v.Image1, Qt::LeftButton, {}, QPoint(10, 0));
    QTest::mouseRelease(v.Image1, Qt::LeftButton, {}, QPoint(10, 0));
    QCOMPARE(v.Image1->y(), 38);
    QTRY_COMPARE(percentualePactl(), 50);
    v.close();
}

void TestVolumeAlsa::senzaMixer_data()
{
    QTest::addColumn<QString>("variabile");
    QTest::addColumn<QString>("valore"); // %1: a folder of the test's own
    QTest::addColumn<bool>("bastaSenzaServer");
    QTest::newRow("nessun server") << "PULSE_SERVER"
                                   << "unix:%1/nessun-server" << true;
    QTest::newRow("nessun dispositivo") << "ALSA_CONFIG_PATH"
                                        << "%1/vuota.conf" << false;
}

void TestVolumeAlsa::senzaMixer()
{
    QFETCH(QString, variabile);
    QFETCH(QString, valore);
    QFETCH(bool, bastaSenzaServer);
    // Without a server ALSA's "default" falls back to the first sound card.
    if (bastaSenzaServer && QFile::exists(QStringLiteral("/proc/asound/card0")))
        QSKIP("questa macchina ha una scheda audio: senza server il mixer si apre");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile vuota(dir.filePath(QStringLiteral("vuota.conf"))); // a configuration with no device
    QVERIFY(vuota.open(QIODevice::WriteOnly));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kFiglio), QStringLiteral("1"));
    env.insert(variabile, valore.arg(dir.path()));
    // A runtime folder of its own, where no server's socket lies.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(p.waitForFinished(60000));
    const QString errori = QString::fromUtf8(p.readAllStandardError());
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);

    // One box; the window still works: the knob went to the top, the value stays 0.
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()),
        QStringLiteral(
            "messaggi=1\ntesto=Impossibile aprire il mixer.\ntitolo=Messaggio di errore\n"
            "critica=1\nLabel2=valore\nLabel3=valore\nText1=0\ntop=0\nText1dopo=0\n"));
    // ALSA's own complaints never reach the terminal.
    QVERIFY2(!errori.contains(QStringLiteral("ALSA lib")), qPrintable(errori));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kFiglio))
        return figlio();
    TestVolumeAlsa test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_volume_alsa.moc"
