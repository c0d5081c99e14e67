// Every window without the mouse and at 200 %: names for assistive tools, the keyboard
// reaching and pressing every picture that acts, and layouts whose texts are not cut off.
// The same executable runs once at the normal scale and once with QT_SCALE_FACTOR=2.
#include "ArchivioDiProva.h"
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "audio/frmVolume.h"
#include "lists/CasellaElenco.h"
#include "lists/frmElencoURL.h"
#include "lists/frmFindInviata.h"
#include "mail_about/Autore.h"
#include "mail_about/frmEmail.h"
#include "main_window/frmSonoria.h"
#include "printing/frmStampa.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <optional>

using namespace melodora;
using namespace melodora::test;

namespace {

// Pictures that carry a tooltip but do nothing: named for assistive tools, never a Tab stop.
const QStringList kSoloDecorazione { QStringLiteral("picGenere"), QStringLiteral("imgMittente"),
    QStringLiteral("imgOggetto"), QStringLiteral("imgData") };

// The pictures and labels that act on a click, window by window (QAbstractButtons aside).
QStringList immaginiAttive(const QString& finestra)
{
    if (finestra == QLatin1String("frmSonoria"))
        return { QStringLiteral("imgGuida"), QStringLiteral("picRights"), QStringLiteral("imgEsci"),
            QStringLiteral("imgGomma") };
    if (finestra == QLatin1String("Autore"))
        return { QStringLiteral("imgEmail"), QStringLiteral("imgWeb") };
    if (finestra == QLatin1String("frmVolume"))
        return { QStringLiteral("Image1") };
    if (finestra.startsWith(QLatin1String("frmElencoURL"))
        || finestra == QLatin1String("frmFindInviata risultati"))
        return { QStringLiteral("lblFaiClic") };
    return {};
}

QString nomeAccessibile(QWidget* w)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

QString descrivi(const QWidget* w)
{
    return w->objectName() + QStringLiteral(" (")
        + QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(')');
}

/**
 * An option of a group that is not the chosen one: Tab stops only at the group's chosen
 * option, and the arrow keys move between the options, as everywhere on this platform.
 */
bool secondaOpzione(const QWidget* w)
{
    const auto* opzione = qobject_cast<const QRadioButton*>(w);
    return opzione && opzione->autoExclusive() && !opzione->isChecked();
}

/** Where a picture shows its focus: on itself; the volume knob, on the whole track. */
QWidget* zonaDelFuoco(QWidget* w)
{
    return w->objectName() == QLatin1String("Image1") ? w->parentWidget() : w;
}

/** The widget and its focus proxy's owner count as one stop (the genre box and its editor). */
QWidget* fermata(QWidget* w)
{
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (p->focusProxy() == w)
            return p;
    }
    return w;
}

}

class TestAccesso : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void nomiEFuoco_data();
    void nomiEFuoco();
    void tabRaggiungeTutto_data();
    void tabRaggiungeTutto();
    void ordineDeiCampiInvariato();

    void guidaDaTastiera_data();
    void guidaDaTastiera();
    void tastoTenutoAgisceUnaVolta();
    void gommaDaTastiera();
    void informazioniDaTastiera();
    void emailDaTastiera();
    void webDaTastiera();
    void azionePremiAccessibile();
    void faiClicDaTastiera_data();
    void faiClicDaTastiera();
    void cursoreVolume_data();
    void cursoreVolume();
    void cursoreFermoAiBordi();

    void impaginazione_data();
    void impaginazione();

private:
    /** Builds window @p nome, shown and active, in the state its row names. */
    QWidget* apri(const QString& nome);
    void mostra(QWidget* w);
    void finestre_data();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<QWidget> m_finestra;
    std::optional<qint64> m_aperta;
};

void TestAccesso::initTestCase()
{
    // The about window replaces the main window; neither ends the test run.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestAccesso::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    impostaCartellaProgramma(m_dir->path());
    QVERIFY(scriviArchivio(AppFilePath(QStringLiteral("Sonoria.sng")),
        { schedaDiProva(QStringLiteral("Cielo di vetro"), QStringLiteral("I Girasoli"),
              QStringLiteral("/musica/cielo.mp3"), QStringLiteral("Beat")),
            schedaDiProva(QStringLiteral("Onde"), QStringLiteral("Mare Calmo"),
                QStringLiteral("/musica/onde.mp3"), QStringLiteral("Pop")),
            schedaDiProva(QStringLiteral("Zucchero"), QStringLiteral("I Girasoli"), {},
                QStringLiteral("Rock")) }));
    m_fake = std::make_unique<FakePlatform>();
    m_fake->tasti.consegna = false; // no F1 or Tab of the windows' own reaches the widgets
    m_aperta.reset();
}

void TestAccesso::cleanup()
{
    m_finestra.reset();
    // The windows the about window swap made on its own go too.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmSonoria*>(w) || qobject_cast<Autore*>(w))
            w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fake.reset();
    impostaCartellaProgramma(QString());
    m_dir.reset();
}

void TestAccesso::mostra(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QWidget* TestAccesso::apri(const QString& nome)
{
    auto mostraScheda = [this](qint64 n, const Scheda&) { m_aperta = n; };
    if (nome == QLatin1String("frmSonoria")) {
        auto* w = new frmSonoria(m_fake->platform);
        m_finestra.reset(w);
        mostra(w);
        w->cmdPrimo_Click(); // a card with an audio file: the eraser and play have work
    } else if (nome.startsWith(QLatin1String("frmFindInviata"))) {
        auto* w = new frmFindInviata(m_fake->platform, mostraScheda);
        m_finestra.reset(w);
        mostra(w);
        if (nome.endsWith(QLatin1String("risultati"))) {
            w->txtFindCit->setText(QStringLiteral("I Gira"));
            w->cmdOggetto_Click();
            w->txtCerca->setText(QStringLiteral("I Girasoli - Z"));
        }
    } else if (nome.startsWith(QLatin1String("frmElencoURL"))) {
        auto* w = new frmElencoURL(m_fake->platform, mostraScheda);
        m_finestra.reset(w);
        mostra(w);
        w->txtCerca->setText(QStringLiteral("Onde"));
    } else if (nome == QLatin1String("frmVolume")) {
        m_finestra = std::make_unique<frmVolume>(m_fake->platform);
        mostra(m_finestra.get());
    } else if (nome == QLatin1String("frmStampa")) {
        TestiScheda testi;
        testi.brano = QStringLiteral("Cielo di vetro");
        m_finestra = std::make_unique<frmStampa>(m_fake->platform, testi, nullptr);
        mostra(m_finestra.get());
    } else if (nome == QLatin1String("frmEmail")) {
        m_finestra = std::make_unique<frmEmail>(m_fake->platform);
        mostra(m_finestra.get());
    } else if (nome == QLatin1String("Autore")) {
        m_finestra = std::make_unique<Autore>(m_fake->platform);
        mostra(m_finestra.get());
    }
    return m_finestra.get();
}

void TestAccesso::finestre_data()
{
    QTest::addColumn<QString>("finestra");
    for (const char* nome : { "frmSonoria", "frmFindInviata", "frmFindInviata risultati",
             "frmElencoURL", "frmVolume", "frmStampa", "frmEmail", "Autore" })
        QTest::newRow(nome) << QString::fromLatin1(nome);
}

void TestAccesso::nomiEFuoco_data() { finestre_data(); }

void TestAccesso::nomiEFuoco()
{
    QFETCH(QString, finestra);
    QWidget* f = apri(finestra);
    QVERIFY(f);
    const QStringList attive = immaginiAttive(finestra);
    for (const QString& nome : attive)
        QVERIFY2(f->findChild<QWidget*>(nome), qPrintable(nome));

    for (QWidget* w : f->findChildren<QWidget*>()) {
        // Every button (those with a picture and no caption above all), every picture that
        // acts and every widget with a tooltip.
        const bool attiva = qobject_cast<QAbstractButton*>(w) || attive.contains(w->objectName());
        if (!attiva && w->toolTip().isEmpty())
            continue;
        const QString nome = nomeAccessibile(w);
        QVERIFY2(!nome.trimmed().isEmpty(), qPrintable(descrivi(w)));
        // The tooltip's words, without the blanks that frame them on screen.
        if (!w->toolTip().isEmpty())
            QCOMPARE(nome, w->toolTip().trimmed());
        if (kSoloDecorazione.contains(w->objectName())) {
            QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(descrivi(w)));
            continue;
        }
        if (!secondaOpzione(w))
            QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(descrivi(w)));
        // A picture that acts is a button to assistive tools, one they can press.
        if (attive.contains(w->objectName()) && !qobject_cast<frmVolume*>(f)) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
            QCOMPARE(i->role(), QAccessible::Button);
            QVERIFY(i->actionInterface());
            QVERIFY(i->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
        }
    }
}

void TestAccesso::tabRaggiungeTutto_data() { finestre_data(); }

void TestAccesso::tabRaggiungeTutto()
{
    QFETCH(QString, finestra);
    QWidget* f = apri(finestra);
    QVERIFY(f);

    // What Tab must reach: every enabled, visible button and picture that acts.
    QList<QWidget*> attese;
    QHash<QWidget*, QImage> senzaFuoco;
    for (QWidget* w : f->findChildren<QWidget*>()) {
        const bool attiva = qobject_cast<QAbstractButton*>(w)
            || immaginiAttive(finestra).contains(w->objectName());
        if (attiva && w->isVisible() && w->isEnabled() && !secondaOpzione(w)) {
            attese.append(w);
            if (!qobject_cast<QAbstractButton*>(w))
                senzaFuoco.insert(w, zonaDelFuoco(w)->grab().toImage());
        }
    }
    QVERIFY(!attese.isEmpty());

    if (!QApplication::focusWidget())
        QTest::keyClick(f, Qt::Key_Tab);
    QWidget* primo = QApplication::focusWidget();
    QVERIFY(primo);
    QList<QWidget*> visitate;
    for (int i = 0; i < 100; ++i) {
        QWidget* ora = fermata(QApplication::focusWidget());
        if (visitate.contains(ora))
            break;
        visitate.append(ora);
        // A picture shows that it holds the focus: it looks different than without.
        if (senzaFuoco.contains(ora))
            QVERIFY2(zonaDelFuoco(ora)->grab().toImage() != senzaFuoco.value(ora),
                qPrintable(descrivi(ora)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* w : attese)
        QVERIFY2(visitate.contains(w), qPrintable(descrivi(w)));
    // Tab only moved the focus: nothing acted, no window opened or closed.
    QVERIFY(f->isVisible());
    QVERIFY(m_fake->tasti.inviati.isEmpty());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestAccesso::ordineDeiCampiInvariato()
{
    auto* f = static_cast<frmSonoria*>(apri(QStringLiteral("frmSonoria")));
    f->txtBrano->setFocus();
    QList<QWidget*> visitate;
    for (int i = 0; i < 40; ++i) {
        QWidget* ora = fermata(QApplication::focusWidget());
        if (!visitate.isEmpty() && ora == f->txtBrano)
            break;
        visitate.append(ora);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The fields keep their order; the pictures come after the buttons, before the cycle
    // starts again at the title.
    const QList<QWidget*> campi { f->txtBrano, f->txtArtista, f->txtAlbum, f->txtGenere, f->txtAnno,
        f->txtNote, f->txtTesto, f->cmdSfoglia, f->txtMP3, f->imgGomma, f->cmdPlay };
    QCOMPARE(visitate.mid(0, campi.size()), campi);
    const QList<QWidget*> fine { f->cmdUltimo, f->imgGuida, f->picRights, f->imgEsci };
    QCOMPARE(visitate.mid(visitate.size() - fine.size()), fine);

    // Enter still walks the fields: its queued Tab from the notes lands in the lyrics.
    m_fake->tasti.consegna = true;
    f->txtBrano->setFocus();
    for (int i = 0; i < 6; ++i) {
        QWidget* prima = QApplication::focusWidget();
        QTest::keyClick(prima, Qt::Key_Return);
        QTRY_VERIFY(QApplication::focusWidget() != prima);
    }
    QCOMPARE(QApplication::focusWidget(), f->txtTesto);
}

void TestAccesso::guidaDaTastiera_data()
{
    QTest::addColumn<int>("tasto");
    QTest::addColumn<int>("modificatori");
    QTest::newRow("spazio") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("invio") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("invio del tastierino") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestAccesso::guidaDaTastiera()
{
    QFETCH(int, tasto);
    QFETCH(int, modificatori);
    auto* f = static_cast<frmSonoria*>(apri(QStringLiteral("frmSonoria")));
    f->imgGuida->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), f->imgGuida);
    const QPoint pixel = f->imgGuida->pos();

    QTest::keyClick(f->imgGuida, Qt::Key(tasto), Qt::KeyboardModifiers(modificatori));
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QCOMPARE(frmSonoria::posizioneTwips(f->imgGuida), QPoint(7650, 90));
    QCOMPARE(f->imgGuida->pos(), pixel);
    // The press effect ran too: another picture's keys leave this one alone.
    QCOMPARE(frmSonoria::posizioneTwips(f->imgEsci), QPoint(7785, 7020));
    QVERIFY(f->isVisible());
}

void TestAccesso::tastoTenutoAgisceUnaVolta()
{
    auto* f = static_cast<frmSonoria*>(apri(QStringLiteral("frmSonoria")));
    f->imgGuida->setFocus(Qt::TabFocusReason);
    QTest::keyPress(f->imgGuida, Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent ripetuto(
            QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(f->imgGuida, &ripetuto);
    }
    QTest::keyRelease(f->imgGuida, Qt::Key_Space);
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QCOMPARE(frmSonoria::posizioneTwips(f->imgGuida), QPoint(7650, 90));
    // Other keys do nothing on a picture.
    QTest::keyClick(f->imgGuida, Qt::Key_A);
    QTest::keyClick(f->imgGuida, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(m_fake->tasti.inviati.size(), 1);
}

void TestAccesso::gommaDaTastiera()
{
    auto* f = static_cast<frmSonoria*>(apri(QStringLiteral("frmSonoria")));
    QCOMPARE(f->txtMP3->text(), QStringLiteral("/musica/cielo.mp3"));
    QVERIFY(f->cmdPlay->isEnabled());
    f->txtMP3->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f->txtMP3, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f->imgGomma);
    QTest::keyClick(f->imgGomma, Qt::Key_Return);
    QCOMPARE(f->txtMP3->text(), QString());
    QVERIFY(!f->cmdPlay->isEnabled());
    // The card's other fields stay.
    QCOMPARE(f->txtBrano->text(), QStringLiteral("Cielo di vetro"));
}

void TestAccesso::informazioniDaTastiera()
{
    auto* f = static_cast<frmSonoria*>(apri(QStringLiteral("frmSonoria")));
    f->picRights->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f->picRights, Qt::Key_Space);
    QVERIFY(!f->isVisible());
    QCOMPARE(frmSonoria::posizioneTwips(f->picRights), QPoint(180, 6975));
    Autore* autore = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* a = qobject_cast<Autore*>(w); a && a->isVisible())
            autore = a;
    }
    QVERIFY(autore);
}

void TestAccesso::emailDaTastiera()
{
    auto* a = static_cast<Autore*>(apri(QStringLiteral("Autore")));
    // The composer is modal: a timer looks at it from inside its own event loop.
    QString destinatario;
    bool modale = false;
    QTimer sonda;
    sonda.setInterval(10);
    connect(&sonda, &QTimer::timeout, this, [&] {
        auto* email = qobject_cast<frmEmail*>(QApplication::activeModalWidget());
        if (!email)
            return;
        sonda.stop();
        destinatario = email->txtIndirizzo->text();
        modale = email->isModal();
        email->reject();
    });
    sonda.start();
    a->imgEmail->setFocus(Qt::TabFocusReason);
    QTest::keyClick(a->imgEmail, Qt::Key_Space);
    sonda.stop();
    QCOMPARE(destinatario, Autore::IndirizzoSupporto);
    QVERIFY(modale);
    QVERIFY(a->isVisible());
    QVERIFY(m_fake->shell.url_.isEmpty());
}

void TestAccesso::webDaTastiera()
{
    auto* a = static_cast<Autore*>(apri(QStringLiteral("Autore")));
    QTest::keyClick(a->cmdChiudi6, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), a->imgWeb);
    QTest::keyClick(a->imgWeb, Qt::Key_Return);
    QCOMPARE(m_fake->shell.url_, QList<QUrl> { QUrl(Autore::SitoWeb) });
    QVERIFY(a->isVisible());
}

void TestAccesso::azionePremiAccessibile()
{
    auto* f = static_cast<frmSonoria*>(apri(QStringLiteral("frmSonoria")));
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(f->imgGuida);
    QVERIFY(i && i->actionInterface());
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QCOMPARE(frmSonoria::posizioneTwips(f->imgGuida), QPoint(7650, 90));
}

void TestAccesso::faiClicDaTastiera_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<qint64>("scheda");
    QTest::newRow("ricerca, spazio")
        << QStringLiteral("frmFindInviata risultati") << int(Qt::Key_Space) << qint64(3);
    QTest::newRow("ricerca, invio")
        << QStringLiteral("frmFindInviata risultati") << int(Qt::Key_Return) << qint64(3);
    QTest::newRow("lista audio, spazio")
        << QStringLiteral("frmElencoURL") << int(Qt::Key_Space) << qint64(2);
    QTest::newRow("lista audio, invio")
        << QStringLiteral("frmElencoURL") << int(Qt::Key_Return) << qint64(2);
}

void TestAccesso::faiClicDaTastiera()
{
    QFETCH(QString, finestra);
    QFETCH(int, tasto);
    QFETCH(qint64, scheda);
    auto* f = static_cast<QDialog*>(apri(finestra));
    auto* lista = f->findChild<CasellaElenco*>(QStringLiteral("lstTrovati"));
    auto* suggerimento = f->findChild<QLabel*>(QStringLiteral("lblFaiClic"));
    QVERIFY(suggerimento->isVisible());
    // Right after the list, where the hint tells what to do with it.
    lista->setFocus(Qt::TabFocusReason);
    QTest::keyClick(lista, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), suggerimento);
    QTest::keyClick(suggerimento, Qt::Key(tasto));
    QCOMPARE(m_aperta, std::optional<qint64>(scheda));
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QVERIFY(!f->isVisible());
}

void TestAccesso::cursoreVolume_data()
{
    QTest::addColumn<int>("tasto");
    QTest::addColumn<long>("valore");
    // The track is 87 pixels, the knob 11: 76 pixels of travel, 15 twips each, the knob
    // opening at pixel 19. The value is | top x 65535 / 1140 - 65535 |, top in twips.
    QTest::newRow("su") << int(Qt::Key_Up) << 50013L; // pixel 18
    QTest::newRow("giu") << int(Qt::Key_Down) << 48288L; // pixel 20
    QTest::newRow("pagina su") << int(Qt::Key_PageUp) << 55187L; // 7 pixels up: 12
    QTest::newRow("pagina giu") << int(Qt::Key_PageDown) << 43115L; // 7 pixels down: 26
    QTest::newRow("inizio") << int(Qt::Key_Home) << 65535L;
    QTest::newRow("fine") << int(Qt::Key_End) << 0L;
}

void TestAccesso::cursoreVolume()
{
    QFETCH(int, tasto);
    QFETCH(long, valore);
    auto* v = static_cast<frmVolume*>(apri(QStringLiteral("frmVolume")));
    if (v->logicalDpiY() != 96)
        QSKIP("the knob's travel in pixels assumes 96 dots per inch");
    QCOMPARE(v->Text1->text(), QStringLiteral("49151"));
    // From the close button, one Tab away.
    QCOMPARE(QApplication::focusWidget(), v->Command1);
    QTest::keyClick(v->Command1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), v->Image1);
    QVERIFY(m_fake->mixer.valori.isEmpty());

    QTest::keyClick(v->Image1, Qt::Key(tasto));
    QCOMPARE(v->Text1->text(), QString::number(valore));
    QCOMPARE(m_fake->mixer.valori, QList<long> { valore });
    QVERIFY(v->isVisible());
}

void TestAccesso::cursoreFermoAiBordi()
{
    auto* v = static_cast<frmVolume*>(apri(QStringLiteral("frmVolume")));
    v->Image1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(v->Image1, Qt::Key_Home);
    const QPoint alto = v->Image1->pos();
    QCOMPARE(alto.y(), 0);
    QTest::keyClick(v->Image1, Qt::Key_Up);
    QTest::keyClick(v->Image1, Qt::Key_PageUp);
    QCOMPARE(v->Image1->pos(), alto);
    QTest::keyClick(v->Image1, Qt::Key_End);
    QCOMPARE(v->Image1->geometry().bottom(), v->Picture4->rect().bottom());
    QTest::keyClick(v->Image1, Qt::Key_PageDown);
    QTest::keyClick(v->Image1, Qt::Key_Down);
    QCOMPARE(v->Image1->geometry().bottom(), v->Picture4->rect().bottom());
    // Only the moves reached the mixer: the top, then the bottom.
    QCOMPARE(m_fake->mixer.valori, (QList<long> { 65535L, 0L }));
    QCOMPARE(v->Text1->text(), QStringLiteral("0"));
}

void TestAccesso::impaginazione_data() { finestre_data(); }

void TestAccesso::impaginazione()
{
    QFETCH(QString, finestra);
    QWidget* f = apri(finestra);
    QVERIFY(f);
    // The window is drawn at the scale this run was started with.
    const qreal scala = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
        ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
        : 1.0;
    const QPixmap schermata = f->grab();
    QCOMPARE(schermata.devicePixelRatio(), scala);
    QCOMPARE(schermata.size(), f->size() * scala);

    for (QWidget* w : f->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(f) || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QWidget* genitore = w->parentWidget();
        // Inside its container.
        QVERIFY2(genitore->rect().contains(w->geometry()), qPrintable(descrivi(w)));
        // Not over a neighbour.
        for (QWidget* vicino : genitore->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (vicino == w || !vicino->isVisibleTo(f) || vicino->isWindow()
                || vicino->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(!w->geometry().intersects(vicino->geometry()),
                qPrintable(descrivi(w) + QStringLiteral(" / ") + descrivi(vicino)));
        }
        // Texts whole. Trailing blanks (a stored audio path) do not show.
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            QString testo = l->text();
            while (testo.endsWith(QLatin1Char(' ')))
                testo.chop(1);
            const QRect spazio
                = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            if (l->wordWrap()) {
                QVERIFY2(l->heightForWidth(l->width()) <= l->height(), qPrintable(descrivi(w)));
            } else {
                const QRect usato = l->fontMetrics().boundingRect(spazio, l->alignment(), testo);
                QVERIFY2(spazio.contains(usato), qPrintable(descrivi(w)));
            }
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            const QSize serve = b->sizeHint();
            QVERIFY2(serve.width() <= b->width() && serve.height() <= b->height(),
                qPrintable(descrivi(w)));
        }
        if (auto* g = qobject_cast<QGroupBox*>(w); g && !g->title().isEmpty())
            QVERIFY2(g->minimumSizeHint().width() <= g->width(), qPrintable(descrivi(w)));
        if (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(genitore)) {
            const int cornice = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
            QVERIFY2(
                w->height() - 2 * cornice >= w->fontMetrics().height(), qPrintable(descrivi(w)));
        }
    }
}

QTEST_MAIN(TestAccesso)
#include "test_accesso.moc"
