// The title animation: splitting it into frames, one run, bad files; and its wiring into
// the main window.
#include "ArchivioDiProva.h"
#include "FinestraDiProva.h"
#include "main_window/AnimazioneTitolo.h"

#include <QImageReader>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
const QString kRisorsa = QStringLiteral(":/starman.gif");
const QByteArray kMarcatore("\x00\x21\xF9", 3);

// The program's GIF cut short: its first images only, then the trailer.
QByteArray primeImmagini(int immagini)
{
    const QByteArray gif = leggiFile(kRisorsa);
    qsizetype i = -1;
    for (int n = 0; n <= immagini; ++n)
        i = gif.indexOf(kMarcatore, i + 1);
    return gif.left(i + 1) + ';';
}

QImage comeArgb(const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32); }
}

class TestAnimazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_finestra.reset(); }
    void unaCorsa();
    void corsaConIlTimer();
    void fileNonValidi_data();
    void fileNonValidi();
    void nellaFinestra();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_finestra;
    AnimazioneTitolo* m_ani = nullptr;
    QString starman() const { return m_dir->filePath(QStringLiteral("starman.gif")); }
    void scrivi(const QByteArray& dati)
    {
        QFile f(starman());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(dati) == dati.size());
    }
    void verificaFerma(int ultimo)
    {
        const auto& img = m_ani->Image1();
        QVERIFY(!m_ani->tmrAniGif->isActive());
        QCOMPARE(m_finestra->findChildren<QLabel*>(QStringLiteral("Image1")).size(), ultimo + 1);
        QCOMPARE(int(img.size()), ultimo + 1);
        for (size_t i = 0; i < img.size(); ++i)
            QVERIFY2(img[i]->isVisible() == (i == 0), qPrintable(QString::number(i)));
    }
};

void TestAnimazione::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    impostaCartellaProgramma(m_dir->path());
    QCOMPARE(AnimazioneTitolo::ExtractResource(kRisorsa, starman()), 0);
    m_finestra = std::make_unique<QWidget>();
    m_ani = new AnimazioneTitolo(m_finestra.get(), { 446, 6, 50, 88 });
    m_finestra->show();
}

void TestAnimazione::unaCorsa()
{
    m_ani->StartAnimation();
    QCOMPARE(m_ani->LastFrame, 40);
    // Each frame, decoded from the header and its own bytes, is the matching image of the
    // whole animation, at element 0's place, in front of the one before.
    const auto& img = m_ani->Image1();
    QImageReader intero(kRisorsa);
    for (size_t i = 0; i < img.size(); ++i) {
        QCOMPARE(comeArgb(img[i]->pixmap().toImage()), comeArgb(intero.read()));
        QCOMPARE(img[i]->geometry(), QRect(446, 6, 50, 88));
        QVERIFY(i == 0
            || m_finestra->children().indexOf(img[i]) > m_finestra->children().indexOf(img[i - 1]));
    }
    // Frames pile up: after k steps, elements 0 to k are visible.
    for (size_t k = 1; k <= 12; ++k) {
        m_ani->tmrAniGif_Timer();
        QVERIFY(img[k - 1]->isVisible() && img[k]->isVisible() && img[k + 1]->isHidden());
    }
    // Play again during a run: it starts over, and no frame is left behind.
    m_ani->StartAnimation();
    QList<int> intervalli { m_ani->tmrAniGif->interval() };
    while (m_ani->tmrAniGif->isActive() && intervalli.size() < 100) {
        m_ani->tmrAniGif_Timer();
        intervalli.append(m_ani->tmrAniGif->interval());
    }
    // Frame 0 for a second, frame 35 held for two, frame 40 shown and hidden at once.
    const QList<int> attesi
        = QList<int> { 1000 } + QList<int>(34, 50) + QList<int> { 2000 } + QList<int>(5, 50);
    QCOMPARE(intervalli, attesi);
    QCOMPARE(m_ani->CurrentFrame, 40);
    verificaFerma(40);
}

void TestAnimazione::corsaConIlTimer()
{
    scrivi(primeImmagini(4)); // three frames: 1000, 50 and 50 ms
    m_ani->StartAnimation();
    QCOMPARE(m_ani->LastFrame, 2);
    QTRY_VERIFY_WITH_TIMEOUT(!m_ani->tmrAniGif->isActive(), 5000);
    QCOMPARE(m_ani->CurrentFrame, 2);
    verificaFerma(2);
}

void TestAnimazione::fileNonValidi_data()
{
    QTest::addColumn<QByteArray>("dati");
    const QByteArray gif = leggiFile(kRisorsa);
    const qsizetype primo = gif.indexOf(kMarcatore);
    QTest::newRow("non inizia con GIF") << QByteArray("XIF" + gif.mid(3));
    QTest::newRow("nessun marcatore") << gif.left(primo) + QByteArray(500, '\x21');
    QTest::newRow("un marcatore") << primeImmagini(1);
    QTest::newRow("mancante") << QByteArray("-");
    // Markers around bytes that no decoder can read as a picture.
    QTest::newRow("fotogramma illeggibile")
        << QByteArray("GIF89a" + kMarcatore + QByteArray(40, '\x7f') + kMarcatore + "\x3b");
    QTest::newRow("fotogramma troppo corto") << gif.left(primo + 3) + kMarcatore;
}

void TestAnimazione::fileNonValidi()
{
    QFETCH(QByteArray, dati);
    // A run is under way when the file goes bad: it stops and its frames go.
    m_ani->StartAnimation();
    for (int k = 0; k < 5; ++k)
        m_ani->tmrAniGif_Timer();
    if (dati == "-")
        QVERIFY(QFile::remove(starman()));
    else
        scrivi(dati);
    m_ani->StartAnimation();
    QCOMPARE(m_ani->LastFrame, 0);
    verificaFerma(0);
}

void TestAnimazione::nellaFinestra()
{
    // The window writes the animation at start-up, all of it over an older, longer file,
    // shows its first image still, and play runs it even without a file to play.
    FinestraDiProva prova;
    const QString percorso = prova.cartella.filePath(QStringLiteral("starman.gif"));
    QFile vecchio(percorso);
    QVERIFY(vecchio.open(QIODevice::WriteOnly) && vecchio.write(QByteArray(200000, 'x')) > 0);
    vecchio.close();
    prova.finestra = std::make_unique<frmSonoria>(prova.platform); // after the file
    frmSonoria& win = *prova.finestra;
    QTRY_COMPARE(leggiFile(percorso), leggiFile(kRisorsa));
    auto* zero = win.findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(zero->geometry(), QRect(446, 6, 50, 88));
    QCOMPARE(comeArgb(zero->pixmap().toImage()), comeArgb(QImageReader(kRisorsa).read()));
    win.cmdPlay_Click();
    QVERIFY(win.findChild<QTimer*>(QStringLiteral("tmrAniGif"))->isActive());
    QCOMPARE(win.findChildren<QLabel*>(QStringLiteral("Image1")).size(), 41);
    QCOMPARE(prova.fake.messaggi.mostrati.size(), 1);
}

QTEST_MAIN(TestAnimazione)
#include "test_animazione.moc"
