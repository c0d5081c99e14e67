// The title animation: writing it out, splitting it into frames, and one run.
#include "ArchivioDiProva.h"
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "main_window/frmSonoria.h"

#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
const QByteArray kMarcatore("\x00\x21\xF9", 3);

QList<qsizetype> marcatori(const QByteArray& b)
{
    QList<qsizetype> posizioni;
    for (qsizetype i = b.indexOf(kMarcatore); i >= 0; i = b.indexOf(kMarcatore, i + 1))
        posizioni.append(i);
    return posizioni;
}

// The program's GIF cut short: its first images only, then the trailer.
QByteArray primeImmagini(int immagini)
{
    const QByteArray gif = leggiFile(QStringLiteral(":/starman.gif"));
    return gif.left(marcatori(gif).at(immagini) + 1) + ';';
}

QImage comeArgb(const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32); }
}

class TestAnimazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void risorsaScrittaAllAvvio();
    void risorsaAccorciaUnFileLungo();
    void fotogrammiDellaRisorsa();
    void unaCorsa();
    void corsaConIlTimer();
    void secondaPressione();
    void fileNonValidi_data();
    void fileNonValidi();
    void playSenzaBranoAnima();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<frmSonoria> m_win;
    QString starman() const { return m_dir->filePath(QStringLiteral("starman.gif")); }
    void apriFinestra()
    {
        m_win = std::make_unique<frmSonoria>(m_fake->platform);
        m_win->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_win.get()));
    }
    void scrivi(const QByteArray& dati)
    {
        QFile f(starman());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(dati), dati.size());
    }
    // Steps the timer by hand until it stops; returns the interval set at each step.
    QList<int> corriFinoAllaFine()
    {
        QList<int> intervalli;
        while (m_win->tmrAniGif->isActive() && intervalli.size() < 1000) {
            m_win->tmrAniGif_Timer();
            intervalli.append(m_win->tmrAniGif->interval());
        }
        return intervalli;
    }
    void verificaFerma(int ultimo)
    {
        const auto& img = m_win->Image1();
        QCOMPARE(int(img.size()), ultimo + 1);
        QVERIFY(!m_win->tmrAniGif->isActive());
        QVERIFY(img[0]->isVisible());
        for (size_t i = 1; i < img.size(); ++i)
            QVERIFY2(img[i]->isHidden(), qPrintable(QString::number(i)));
        QCOMPARE(m_win->findChildren<QLabel*>(QStringLiteral("Image1")).size(), int(img.size()));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("temp1.gif"))));
    }
};

void TestAnimazione::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    impostaCartellaProgramma(m_dir->path());
    m_fake = std::make_unique<FakePlatform>();
}

void TestAnimazione::cleanup()
{
    m_win.reset();
    m_fake.reset();
    impostaCartellaProgramma(QString());
    m_dir.reset();
}

void TestAnimazione::risorsaScrittaAllAvvio()
{
    const QByteArray risorsa = leggiFile(QStringLiteral(":/starman.gif"));
    QVERIFY(risorsa.startsWith("GIF89a"));
    apriFinestra();
    QCOMPARE(leggiFile(starman()), risorsa);
    // Element 0 shows the first image, still, before any run.
    const auto& img = m_win->Image1();
    QCOMPARE(int(img.size()), 1);
    QVERIFY(img[0]->isVisible());
    QCOMPARE(img[0]->geometry(), QRect(446, 6, 50, 88));
    QImageReader lettore(QStringLiteral(":/starman.gif"));
    QCOMPARE(comeArgb(img[0]->pixmap().toImage()), comeArgb(lettore.read()));
    QVERIFY(!m_win->tmrAniGif->isActive());
}

void TestAnimazione::risorsaAccorciaUnFileLungo()
{
    // An older, longer starman.gif must not keep its tail after the new bytes.
    scrivi(QByteArray(200000, 'x'));
    apriFinestra();
    QCOMPARE(leggiFile(starman()), leggiFile(QStringLiteral(":/starman.gif")));
}

void TestAnimazione::fotogrammiDellaRisorsa()
{
    apriFinestra();
    QCOMPARE(m_win->SplitGifFrames(starman()), 40);
    const auto& img = m_win->Image1();
    QCOMPARE(int(img.size()), 41);

    QList<int> attesi { 1000 };
    attesi += QList<int>(34, 50);
    attesi += 2000;
    attesi += QList<int>(4, 50);
    attesi += 50; // the last frame, shown only for an instant
    QList<int> ritardi;
    for (QLabel* e : img)
        ritardi.append(e->property("Tag").toString().toInt());
    QCOMPARE(ritardi, attesi);

    // Each frame, decoded from the header and its own bytes, is the matching image of the
    // whole animation, at element 0's place, stacked in order.
    QImageReader intero(starman());
    QCOMPARE(intero.imageCount(), 42);
    for (size_t i = 0; i < img.size(); ++i) {
        QCOMPARE(comeArgb(img[i]->pixmap().toImage()), comeArgb(intero.read()));
        QCOMPARE(img[i]->geometry(), QRect(446, 6, 50, 88));
        QCOMPARE(img[i]->isHidden(), i > 0);
    }
    for (size_t i = 1; i < img.size(); ++i)
        QVERIFY(m_win->children().indexOf(img[i]) > m_win->children().indexOf(img[i - 1]));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("temp1.gif"))));
}

void TestAnimazione::unaCorsa()
{
    apriFinestra();
    m_win->StartAnimation();
    QVERIFY(m_win->tmrAniGif->isActive());
    QCOMPARE(m_win->LastFrame, 40);
    QCOMPARE(m_win->CurrentFrame, 0);
    QCOMPARE(m_win->tmrAniGif->interval(), 1000);

    // Frames pile up: after k steps, elements 0 to k are all visible.
    const auto& img = m_win->Image1();
    for (int k = 1; k <= 10; ++k) {
        m_win->tmrAniGif_Timer();
        QCOMPARE(m_win->CurrentFrame, k);
        for (int i = 0; i < 41; ++i)
            QCOMPARE(img[size_t(i)]->isVisible(), i <= k);
    }
    QList<int> intervalli = corriFinoAllaFine();
    QList<int> attesi = QList<int>(24, 50); // frames 11 to 34
    attesi += 2000; // frame 35, the held note
    attesi += QList<int>(5, 50); // frames 36 to 40
    QCOMPARE(intervalli, attesi);
    QCOMPARE(m_win->CurrentFrame, 40);
    verificaFerma(40);
}

void TestAnimazione::corsaConIlTimer()
{
    // The real timer drives a short animation to its end by itself.
    apriFinestra();
    scrivi(primeImmagini(4)); // three frames: 1000, 50 and 50 ms
    m_win->StartAnimation();
    QCOMPARE(m_win->LastFrame, 2);
    QVERIFY(m_win->tmrAniGif->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!m_win->tmrAniGif->isActive(), 5000);
    QCOMPARE(m_win->CurrentFrame, 2);
    verificaFerma(2);
}

void TestAnimazione::secondaPressione()
{
    apriFinestra();
    m_win->StartAnimation();
    for (int k = 0; k < 12; ++k)
        m_win->tmrAniGif_Timer();
    m_win->StartAnimation();
    QCOMPARE(int(m_win->Image1().size()), 41);
    QCOMPARE(m_win->findChildren<QLabel*>(QStringLiteral("Image1")).size(), 41);
    QCOMPARE(m_win->CurrentFrame, 0);
    QCOMPARE(m_win->tmrAniGif->interval(), 1000);
    for (size_t i = 1; i < 41; ++i)
        QVERIFY(m_win->Image1()[i]->isHidden());
    QCOMPARE(corriFinoAllaFine().size(), 40);
    verificaFerma(40);
}

void TestAnimazione::fileNonValidi_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<bool>("esiste");
    const QByteArray gif = leggiFile(QStringLiteral(":/starman.gif"));
    QTest::newRow("non inizia con GIF") << QByteArray("XIF" + gif.mid(3)) << true;
    QByteArray senzaMarcatori = gif.left(marcatori(gif).first()) + QByteArray(500, '\x21');
    QTest::newRow("nessun marcatore") << senzaMarcatori << true;
    QTest::newRow("un marcatore") << primeImmagini(1) << true;
    QTest::newRow("vuoto") << QByteArray() << true;
    QTest::newRow("mancante") << QByteArray() << false;
    // Markers around bytes that no decoder can read as a picture.
    QTest::newRow("fotogramma illeggibile")
        << QByteArray("GIF89a" + kMarcatore + QByteArray(40, '\x7f') + kMarcatore + "\x3b") << true;
    QTest::newRow("fotogramma troppo corto")
        << QByteArray(gif.left(marcatori(gif).first() + 3) + kMarcatore) << true;
}

void TestAnimazione::fileNonValidi()
{
    QFETCH(QByteArray, dati);
    QFETCH(bool, esiste);
    apriFinestra();
    // A run is under way when the file goes bad: it stops and its frames go.
    m_win->StartAnimation();
    for (int k = 0; k < 5; ++k)
        m_win->tmrAniGif_Timer();
    if (esiste)
        scrivi(dati);
    else
        QVERIFY(QFile::remove(starman()));

    QCOMPARE(m_win->SplitGifFrames(starman()), 0);
    m_win->StartAnimation();
    QCOMPARE(m_win->LastFrame, 0);
    verificaFerma(0);
}

void TestAnimazione::playSenzaBranoAnima()
{
    apriFinestra();
    QCOMPARE(m_win->txtMP3->text(), QString());
    m_win->cmdPlay_Click();
    QVERIFY(m_win->tmrAniGif->isActive());
    QCOMPARE(int(m_win->Image1().size()), 41);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    QVERIFY(m_fake->media.comandi.isEmpty());
}

QTEST_MAIN(TestAnimazione)
#include "test_animazione.moc"
