#include "ArchivioDiProva.h"
#include "FinestraDiProva.h"
#include "main_window/Generi.h"
#include "platform/Controlli.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

// How the card's fields behave under real key presses and focus changes.
class TestCampi : public QObject, ConFinestra {
    Q_OBJECT
private slots:
    void init() { QVERIFY(apri()); }
    void cleanup() { chiudi(); }
    void invioPassaAlCampoSuccessivo_data();
    void invioPassaAlCampoSuccessivo();
    void limitiDeiCampi_data();
    void limitiDeiCampi();
    void testoContaGliACapoComeDue();
    void genereA40Caratteri();
    void testoSalvatoConCrLf();
    void tastieraFinoAlDisco_data();
    void tastieraFinoAlDisco();
    void immaginiPremute();
    void guidaInviaF1();
    void esciChiudeLaFinestra();

private:
    QWidget* fuoco() { return QApplication::focusWidget(); }
};

void TestCampi::invioPassaAlCampoSuccessivo_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    const QStringList campi { "txtBrano", "txtArtista", "txtAlbum", "txtGenere", "txtAnno",
        "txtNote", "txtTesto" };
    for (int i = 0; i + 1 < campi.size(); ++i)
        QTest::newRow(qPrintable(campi.at(i))) << campi.at(i) << campi.at(i + 1);
}

// Enter moves on, and the focus colour goes with the focus.
void TestCampi::invioPassaAlCampoSuccessivo()
{
    QFETCH(QString, da);
    QFETCH(QString, a);
    auto* partenza = m_win->findChild<QWidget*>(da);
    auto* arrivo = m_win->findChild<QWidget*>(a);
    partenza->setFocus();
    QTRY_COMPARE(sfondo(partenza), kColoreFuoco);
    QCOMPARE(sfondo(arrivo), QColor(Qt::white));
    QTest::keyClicks(fuoco(), QStringLiteral("ab"));
    QTest::keyClick(fuoco(), Qt::Key_Return);
    // The Tab is queued, so the focus moves once the event loop runs.
    QTRY_VERIFY(fuoco() == arrivo
        || (arrivo == m_win->txtGenere && fuoco() == m_win->txtGenere->lineEdit()));
    QCOMPARE(sfondo(arrivo), kColoreFuoco);
    QCOMPARE(sfondo(partenza), QColor(Qt::white));
    const QString testo = partenza == m_win->txtGenere ? m_win->txtGenere->currentText()
                                                       : static_cast<QLineEdit*>(partenza)->text();
    QCOMPARE(testo, QStringLiteral("ab"));
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{Tab}") });
}

void TestCampi::limitiDeiCampi_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("limite");
    QTest::newRow("titolo") << QStringLiteral("txtBrano") << 120;
    QTest::newRow("artista") << QStringLiteral("txtArtista") << 40;
    QTest::newRow("album") << QStringLiteral("txtAlbum") << 120;
    QTest::newRow("anno") << QStringLiteral("txtAnno") << 20;
    QTest::newRow("note") << QStringLiteral("txtNote") << 240;
    // The audio path is chosen with Sfoglia, never typed.
    QTest::newRow("audio") << QStringLiteral("txtMP3") << 0;
}

void TestCampi::limitiDeiCampi()
{
    QFETCH(QString, campo);
    QFETCH(int, limite);
    auto* e = m_win->findChild<QLineEdit*>(campo);
    e->setFocus();
    QTest::keyClicks(e, QString(limite + 5, QLatin1Char('x')));
    QCOMPARE(e->text().size(), limite);
}

void TestCampi::testoContaGliACapoComeDue()
{
    m_win->txtTesto->setFocus();
    // 999 pairs of "a" + line break are 2997 characters on disk: only 2000 fit.
    m_win->txtTesto->setPlainText(QString(1998, QLatin1Char('a')));
    QTextCursor c = m_win->txtTesto->textCursor();
    c.movePosition(QTextCursor::End);
    m_win->txtTesto->setTextCursor(c);
    // Enter in the lyrics is a line break, not a move to the next field: 1998 + 2 = 2000 fits.
    QTest::keyClick(m_win->txtTesto, Qt::Key_Return);
    QVERIFY(m_fake->tasti.inviati.isEmpty());
    QCOMPARE(fuoco(), m_win->txtTesto);
    QTest::keyClicks(m_win->txtTesto, QStringLiteral("zz")); // refused
    QCOMPARE(m_win->txtTesto->toPlainText(), QString(1998, QLatin1Char('a')) + QLatin1Char('\n'));
    const Scheda s = m_win->SchedaDaCampi();
    QCOMPARE(s.grezzo(Campo::Testo), QString(1998, QLatin1Char('a')) + QStringLiteral("\r\n"));
}

void TestCampi::genereA40Caratteri()
{
    QLineEdit* riga = m_win->txtGenere->lineEdit();
    m_win->txtGenere->setFocus();
    QTest::keyClicks(riga, QString(45, QLatin1Char('g')));
    QCOMPARE(m_win->txtGenere->currentText(), QString(40, QLatin1Char('g')));
    // Backspace produces a character: discarded too.
    QTest::keyClick(riga, Qt::Key_Backspace);
    QCOMPARE(m_win->txtGenere->currentText().size(), 40);
    // Delete produces none: it still removes.
    riga->setCursorPosition(0);
    QTest::keyClick(riga, Qt::Key_Delete);
    QCOMPARE(m_win->txtGenere->currentText().size(), 39);
    QTest::keyClicks(riga, QStringLiteral("h"));
    QCOMPARE(m_win->txtGenere->currentText().size(), 40);
    // A selection can still be typed over.
    riga->setSelection(0, 3);
    QTest::keyClicks(riga, QStringLiteral("R"));
    QCOMPARE(m_win->txtGenere->currentText().size(), 38);
    QVERIFY(m_win->txtGenere->currentText().startsWith(QLatin1Char('R')));
    // Enter at 40 still moves on: the Tab is queued before the key is discarded.
    QTest::keyClicks(riga, QStringLiteral("xx"));
    QCOMPARE(m_win->txtGenere->currentText().size(), 40);
    QTest::keyClick(riga, Qt::Key_Return);
    QTRY_COMPARE(fuoco(), m_win->txtAnno);

    // Pasted beyond 40, the next key cuts it to 40.
    m_win->txtGenere->setFocus();
    m_win->txtGenere->setEditText(QString(50, QLatin1Char('p')));
    QTest::keyClicks(m_win->txtGenere->lineEdit(), QStringLiteral("q"));
    QCOMPARE(m_win->txtGenere->currentText(), QString(40, QLatin1Char('p')));
    // Chosen from the list, a genre is the box's text; a typed one is not added.
    m_win->txtGenere->setCurrentIndex(40);
    QCOMPARE(m_win->txtGenere->currentText(), QStringLiteral("Rock"));
    QCOMPARE(m_win->txtGenere->count(), 50);
}

void TestCampi::testoSalvatoConCrLf()
{
    Scheda s = schedaDiProva(QStringLiteral("Canzone"));
    s.imposta(Campo::Testo, QStringLiteral("prima\r\n\r\nterza"));
    m_win->MostraScheda(7, s);
    QCOMPARE(m_win->txtTesto->toPlainText(), QStringLiteral("prima\n\nterza"));
    QCOMPARE(m_win->lblPosizione->text(), QStringLiteral(" 7"));
    QCOMPARE(m_win->SchedaDaCampi(), s);
}

void TestCampi::tastieraFinoAlDisco_data()
{
    // What is typed, one key per character, and the bytes the saved card holds.
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QByteArray>("suDisco");
    // The 27 characters Windows-1252 places at 0x80..0x9F, then a non-breaking space first
    // (it is no blank to trim), the soft hyphen, the currency sign, an accent and an emoji.
    const QString alti = QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
    const QByteArray altiByte = "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F";
    const QString tutti = QStringLiteral("\u00A0") + alti + QStringLiteral("\u00AD¤é🎵");
    const QByteArray tuttiByte = "\xA0" + altiByte + "\xAD\xA4\xE9?";
    const auto riga = [](const QString& campo, const QString& testo, const QByteArray& byte) {
        QTest::addRow("%s %s", qPrintable(campo), qPrintable(testo)) << campo << testo << byte;
    };
    for (const char* campo :
        { "txtBrano", "txtArtista", "txtAlbum", "txtGenere", "txtNote", "txtTesto" })
        riga(QString::fromLatin1(campo), tutti, tuttiByte);
    // The year holds 20: the characters in two turns.
    riga(QStringLiteral("txtAnno"), tutti.left(16), tuttiByte.left(16));
    riga(QStringLiteral("txtAnno"), tutti.mid(16), tuttiByte.mid(16));
    // A path is chosen, not typed; the emoji alone would make it refused.
    riga(QStringLiteral("txtMP3"), QStringLiteral("/") + tutti.chopped(2),
        "/" + tuttiByte.chopped(1));
    // No genre is completed or re-cased: each one's start, in small letters, stays as typed.
    for (const QString& genere : generiMusicali()) {
        const QString inizio = genere.chopped(1).toLower();
        riga(QStringLiteral("txtGenere"), inizio, inizio.toLatin1());
    }
}

void TestCampi::tastieraFinoAlDisco()
{
    QFETCH(QString, campo);
    QFETCH(QString, digitato);
    QFETCH(QByteArray, suDisco);
    if (campo != QLatin1String("txtBrano"))
        m_win->txtBrano->setText(QStringLiteral("Titolo"));
    if (campo == QLatin1String("txtMP3")) {
        m_fake->dialoghi.risposta = digitato;
        QTest::mouseClick(m_win->cmdSfoglia, Qt::LeftButton);
    } else {
        QWidget* w = m_win->findChild<QWidget*>(campo);
        if (w == m_win->txtGenere)
            w = m_win->txtGenere->lineEdit();
        w->setFocus();
        // One key per character: an emoji is one key press with two UTF-16 units.
        for (qsizetype i = 0; i < digitato.size(); ++i) {
            const qsizetype n = digitato.at(i).isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(
                QTest::Click, w, Qt::Key_unknown, digitato.mid(i, n), Qt::NoModifier);
            i += n - 1;
        }
        // Leaving by Enter, where Enter leaves, lets an editable list match the text.
        if (campo != QLatin1String("txtTesto"))
            QTest::keyClick(w, Qt::Key_Return);
    }
    m_win->cmdSalva_Click();
    const QByteArray disco = leggiFile(archivio());
    QCOMPARE(disco.size(), kLunghezzaScheda);
    static const QStringList nomi { "txtBrano", "txtArtista", "txtAlbum", "txtGenere", "txtAnno",
        "txtNote", "txtTesto", "txtMP3" };
    const InfoCampo& i = kCampi[nomi.indexOf(campo)];
    QCOMPARE(
        disco.mid(i.offset, i.lunghezza), suDisco + QByteArray(i.lunghezza - suDisco.size(), ' '));
}

// Pressed, a picture stands 20 twips lower and to the right; released, it goes home.
void TestCampi::immaginiPremute()
{
    const QPoint casa(7650, 90);
    ImmaginePremibile* img = m_win->imgGuida;
    QCOMPARE(img->posizioneTwips(), casa);
    QCOMPARE(img->pos(),
        QPoint(qRound(casa.x() * m_win->logicalDpiX() / 1440.0),
            qRound(casa.y() * m_win->logicalDpiY() / 1440.0)));
    QTest::mousePress(img, Qt::LeftButton);
    QCOMPARE(img->posizioneTwips(), casa + QPoint(20, 20));
    // Pressed twice without a release (another button), it moves on again; the release goes home.
    QTest::mousePress(img, Qt::RightButton);
    QCOMPARE(img->posizioneTwips(), casa + QPoint(40, 40));
    QTest::mouseRelease(img, Qt::RightButton);
    QCOMPARE(img->posizioneTwips(), casa);
}

void TestCampi::guidaInviaF1()
{
    // The real F1 filter opens the help viewer of whichever window has the key.
    FakeHelp guida;
    FiltroF1 filtro(guida);
    qApp->installEventFilter(&filtro);
    QTest::keyClick(m_win->txtBrano, Qt::Key_F1);
    qApp->removeEventFilter(&filtro);
    QCOMPARE(guida.aperture, 1);
}

void TestCampi::esciChiudeLaFinestra()
{
    m_win->txtBrano->setText(QStringLiteral("non salvato"));
    QTest::mousePress(m_win->imgEsci, Qt::LeftButton);
    QVERIFY(m_win->isVisible());
    QTest::mouseRelease(m_win->imgEsci, Qt::LeftButton);
    QVERIFY(!m_win->isVisible());
    QCOMPARE(m_win->imgEsci->posizioneTwips(), QPoint(7785, 7020));
    // No question is asked and nothing is saved.
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    QVERIFY(!QFile::exists(archivio()));
}

QTEST_MAIN(TestCampi)
#include "test_campi.moc"
