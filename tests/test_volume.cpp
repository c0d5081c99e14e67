// The volume window over a fake mixer (bounds 0..65535 unless a test says otherwise).
// Mouse events go through the window system layer, as a real pointer's do, so that
// the implicit grab of a pressed button is what carries a drag beyond the knob.
#define QTEST_QPA_MOUSE_HANDLING

#include "FinestraDiProva.h"
#include "audio/frmVolume.h"
#include "main_window/frmSonoria.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestVolume : public QObject, ConCartella {
    Q_OBJECT
private slots:
    void init() { prepara(); }
    void cleanup();
    void limiti_data();
    void limiti();
    void motoSenzaPulsante();
    void trascinamento_data();
    void trascinamento();
    void pressioneSenzaMotoPrima();
    void senzaMixer();
    void chiusura_data();
    void chiusura();
    void numeroNonModificabile();
    void dallaFinestraPrincipale();

private:
    std::unique_ptr<frmVolume> m_win;

    void apri()
    {
        m_win = std::make_unique<frmVolume>(m_fake->platform);
        QVERIFY(mostraAttiva(m_win.get()));
    }
    /** A point of the knob, @p y pixels below its top. */
    QPoint nelCursore(int y) const { return QPoint(10, y); }
    /** The knob-relative point where the pointer stands at @p y pixels of the track. */
    QPoint sullaTraccia(int y) const { return QPoint(10, y - m_win->Image1->y()); }
};

void TestVolume::cleanup()
{
    m_win.reset();
    m_cartella.reset();
}

void TestVolume::limiti_data()
{
    QTest::addColumn<long>("minimo");
    QTest::addColumn<long>("massimo");
    QTest::addColumn<bool>("letto"); // whether the mixer tells its level
    QTest::addColumn<long>("livello");
    QTest::addColumn<QString>("iniziale");
    QTest::addColumn<int>("top");
    // A mixer that cannot tell: a quarter of the travel down.
    QTest::newRow("0..65535") << 0L << 65535L << false << 0L << QStringLiteral("49151") << 19;
    // The minimum takes no part in the value: the bottom of the track is always 0.
    QTest::newRow("-100..100") << -100L << 100L << false << 0L << QStringLiteral("75") << 19;
    QTest::newRow("5..31") << 5L << 31L << false << 0L << QStringLiteral("23") << 19;
    // The speakers' level: the number shows it as read, the knob stands at the nearest pixel.
    QTest::newRow("al 20 %") << 0L << 65535L << true << 13107L << QStringLiteral("13107") << 61;
    QTest::newRow("al massimo") << 5L << 31L << true << 31L << QStringLiteral("31") << 0;
    QTest::newRow("sotto lo zero") << -100L << 100L << true << -40L << QStringLiteral("-40") << 76;
}

void TestVolume::limiti()
{
    QFETCH(long, minimo);
    QFETCH(long, massimo);
    QFETCH(bool, letto);
    QFETCH(long, livello);
    QFETCH(QString, iniziale);
    QFETCH(int, top);
    m_fake->mixer.controllo = ControlloVolume { QStringLiteral("PCM"), minimo, massimo };
    if (letto)
        m_fake->mixer.livello = livello;
    apri();
    QCOMPARE(m_win->windowTitle(), QStringLiteral("Volume"));
    QCOMPARE((QStringList { m_win->Label2->text(), m_win->Label3->text(), m_win->Text1->text() }),
        (QStringList { QString::number(minimo), QString::number(massimo), iniziale }));
    // The track and the knob keep their designed sizes in pixels.
    QCOMPARE(m_win->Picture4->geometry(), QRect(26, 51, 36, 87));
    QCOMPARE(m_win->Image1->size(), QSize(21, 11));
    QCOMPARE(m_win->Image1->y(), top);
    QVERIFY(qAbs(m_win->Image1->x() - 7.5) <= 0.5); // in the middle of the track
    QVERIFY(!m_win->Timer1->isActive());
    // Opening touches nothing: the mixer keeps its volume until the knob is touched.
    QCOMPARE(m_fake->mixer.aperture, 1);
    QVERIFY(m_fake->mixer.valori.isEmpty());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestVolume::motoSenzaPulsante()
{
    m_fake->mixer.livello = 13107;
    apri();
    QTest::mouseMove(m_win->Image1, nelCursore(4));
    QTest::mouseMove(m_win->Image1, nelCursore(7));
    // Passing over the knob sends nothing and moves nothing.
    QVERIFY(m_fake->mixer.valori.isEmpty());
    QVERIFY(!m_win->Timer1->isActive());
    QCOMPARE(m_win->Image1->y(), 61);
    // A click on the knob's top edge leaves it where it is: the level sent is the one read.
    QTest::mouseClick(m_win->Image1, Qt::LeftButton, {}, nelCursore(0));
    QCOMPARE(m_fake->mixer.valori, QList<long>({ 13107 }));
    QCOMPARE(m_win->Text1->text(), QStringLiteral("13107"));
}

void TestVolume::trascinamento_data()
{
    QTest::addColumn<int>("presa"); // where the knob is grabbed, pixels below its top
    QTest::addColumn<QPoint>("meta"); // where the pointer goes, in the track's pixels
    QTest::addColumn<int>("top"); // where the knob's top comes to rest
    QTest::addColumn<QString>("valore");
    QTest::addColumn<bool>("attesa"); // false: released before the timer ever ticks
    QTest::addColumn<Qt::MouseButton>("pulsante");
    const auto riga = [](const char* nome, int presa, QPoint meta, int top, const char* valore,
                          bool attesa = true, Qt::MouseButton pulsante = Qt::LeftButton) {
        QTest::newRow(nome) << presa << meta << top << QString(valore) << attesa << pulsante;
    };
    riga("sopra e fuori a sinistra", 5, QPoint(-200, -3), 0, "65535");
    riga("appena oltre il fondo", 5, QPoint(10, 77), 76, "0");
    // The top of the knob, not where it was grabbed, comes to the pointer.
    riga("presa in basso", 10, QPoint(10, 60), 60, "13796");
    // The knob still ends where the pointer let go, and the mixer gets that value.
    riga("rilascio subito", 5, QPoint(10, -30), 0, "65535", false);
    // Another button holds the knob where it was, and the mixer gets that value.
    riga("altro pulsante", 5, QPoint(10, -40), 19, "49151", true, Qt::RightButton);
}

void TestVolume::trascinamento()
{
    QFETCH(int, presa);
    QFETCH(QPoint, meta);
    QFETCH(int, top);
    QFETCH(QString, valore);
    QFETCH(bool, attesa);
    QFETCH(Qt::MouseButton, pulsante);
    apri();
    QTest::mouseMove(m_win->Image1, nelCursore(presa));
    QTest::mousePress(m_win->Image1, pulsante, {}, nelCursore(presa));
    QVERIFY(m_win->Timer1->isActive());
    QTest::mouseMove(m_win->Image1, QPoint(meta.x(), meta.y() - m_win->Image1->y()));
    if (pulsante != Qt::LeftButton)
        m_win->Timer1_Timer(); // a tick that must leave the knob alone
    // While the button is held the timer brings the knob and the number along.
    if (attesa) {
        QTRY_COMPARE(m_win->Image1->y(), top);
        QTRY_COMPARE(m_win->Text1->text(), valore);
    }
    QTest::mouseRelease(m_win->Image1, pulsante, {}, sullaTraccia(meta.y()));
    QVERIFY(!m_win->Timer1->isActive());
    QCOMPARE(m_fake->mixer.valori.last(), valore.toLong());
    QCOMPARE(m_win->Image1->y(), top);
    QCOMPARE(m_win->Text1->text(), valore);
}

void TestVolume::pressioneSenzaMotoPrima()
{
    // A press with no move before it, 3 pixels into the knob: the knob stays put
    // instead of jumping to the top (the full volume).
    apri();
    const float y = 3 * 15.0f;
    m_win->Image1_MouseDown(1, 0, 10 * 15.0f, y);
    m_win->Timer1_Timer();
    QCOMPARE(m_win->Image1->y(), 22);
    m_win->Image1_MouseUp(1, 0, 10 * 15.0f, y);
    QCOMPARE(m_fake->mixer.valori.last(), m_win->Text1->text().toLong());
    QVERIFY(m_fake->mixer.valori.last() < 49151);
}

// A mixer without a volume control; one that does not open is the real mixer's test.
void TestVolume::senzaMixer()
{
    m_fake->mixer.controllo.reset();
    apri();
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    QCOMPARE(m_win->Label2->text(), QStringLiteral("valore"));
    QCOMPARE(m_win->Label3->text(), QStringLiteral("valore"));
    // The window still works: the knob follows, the number stays 0, nothing is sent.
    QTest::mousePress(m_win->Image1, Qt::LeftButton, {}, nelCursore(0));
    QTest::mouseMove(m_win->Image1, sullaTraccia(-10));
    QTRY_COMPARE(m_win->Image1->y(), 0);
    QTest::mouseRelease(m_win->Image1, Qt::LeftButton, {}, sullaTraccia(-10));
    QCOMPARE(m_win->Text1->text(), QStringLiteral("0"));
    QVERIFY(m_fake->mixer.valori.isEmpty());
    QTest::mouseClick(m_win->Command1, Qt::LeftButton);
    QVERIFY(!m_win->isVisible());
}

void TestVolume::chiusura_data()
{
    QTest::addColumn<bool>("conChiudi");
    QTest::newRow("Chiudi") << true;
    QTest::newRow("chiusura della finestra") << false;
}

void TestVolume::chiusura()
{
    QFETCH(bool, conChiudi);
    apri();
    QTest::mousePress(m_win->Image1, Qt::LeftButton, {}, nelCursore(2));
    if (conChiudi)
        QTest::mouseClick(m_win->Command1, Qt::LeftButton);
    else
        m_win->close();
    QVERIFY(!m_win->isVisible());
    QVERIFY(!m_win->Timer1->isActive());
    // The mixer is released as the window closes, not when the object goes.
    QCOMPARE(m_fake->mixer.rilasciati, 1);
}

void TestVolume::numeroNonModificabile()
{
    apri();
    m_win->Text1->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), m_win->Command1);
    QTest::keyClicks(m_win->Text1, QStringLiteral("123"));
    QCOMPARE(m_win->Text1->text(), QStringLiteral("49151"));
}

void TestVolume::dallaFinestraPrincipale()
{
    frmSonoria principale(m_fake->platform);
    principale.show();
    QString visto;
    // A modal window runs its own event loop: look at it from there, then close it.
    const auto sonda = quandoModale<frmVolume>([&](frmVolume* v) {
        visto = v->Text1->text();
        v->Command1->click();
    });
    principale.cmdVolume_Click();
    QCOMPARE(visto, QStringLiteral("49151"));
    // The playback goes on: the button sends no media command.
    QVERIFY(m_fake->media.comandi.isEmpty());
    QCOMPARE(m_fake->mixer.rilasciati, 1);
}

QTEST_MAIN(TestVolume)
#include "test_volume.moc"
