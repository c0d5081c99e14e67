// Every window without the mouse and at 200 %: names for assistive tools, the keyboard
// reaching and pressing every picture that acts, and layouts whose texts are not cut off.
// The same executable runs once at the normal scale and once with QT_SCALE_FACTOR=2.
#include "ArchivioDiProva.h"
#include "FinestraDiProva.h"
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
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <optional>

using namespace melodora;
using namespace melodora::test;

namespace {

// Pictures that carry a tooltip but do nothing: named for assistive tools, never a Tab stop.
const QStringList kSoloDecorazione { QStringLiteral("picGenere"), QStringLiteral("imgMittente"),
    QStringLiteral("imgOggetto"), QStringLiteral("imgData"), QStringLiteral("imgTesto") };

// The pictures and labels that act on a click, window by window (QAbstractButtons aside).
const QHash<QString, QStringList> kImmaginiAttive {
    { "frmSonoria", { "imgGuida", "picRights", "imgEsci", "imgGomma" } },
    { "Autore", { "imgEmail", "imgWeb" } },
    { "frmVolume", { "Image1" } },
    { "frmElencoURL", { "lblFaiClic" } },
    { "frmFindInviata risultati", { "lblFaiClic" } },
};

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

class TestAccesso : public QObject, ConCartella {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void nomiEFuoco_data();
    void nomiEFuoco();
    void ordineDeiCampiInvariato();

    void immagineDaTastiera_data();
    void immagineDaTastiera();
    void tastoTenutoAgisceUnaVolta();
    void cursoreVolume_data();
    void cursoreVolume();

    void impaginazione_data();
    void impaginazione();

private:
    /** Builds window @p nome, shown and active, in the state its row names. */
    QWidget* apri(const QString& nome);
    void finestre_data();

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
    prepara();
    QVERIFY(scriviArchivio(m_cartella->archivio(),
        { schedaDiProva(QStringLiteral("Cielo di vetro"), QStringLiteral("I Girasoli"),
              QStringLiteral("/musica/cielo.mp3"), QStringLiteral("Beat")),
            schedaDiProva(QStringLiteral("Onde"), QStringLiteral("Mare Calmo"),
                QStringLiteral("/musica/onde.mp3"), QStringLiteral("Pop")),
            schedaDiProva(QStringLiteral("Zucchero"), QStringLiteral("I Girasoli"), {},
                QStringLiteral("Rock")) }));
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
    m_cartella.reset();
}

QWidget* TestAccesso::apri(const QString& nome)
{
    Platform& p = m_fake->platform;
    auto mostraScheda = [this](qint64 n, const Scheda&) { m_aperta = n; };
    if (nome == QLatin1String("frmSonoria"))
        m_finestra = std::make_unique<frmSonoria>(p);
    else if (nome.startsWith(QLatin1String("frmFindInviata")))
        m_finestra = std::make_unique<frmFindInviata>(p, mostraScheda);
    else if (nome.startsWith(QLatin1String("frmElencoURL")))
        m_finestra = std::make_unique<frmElencoURL>(p, mostraScheda);
    else if (nome == QLatin1String("frmVolume"))
        m_finestra = std::make_unique<frmVolume>(p);
    else if (nome == QLatin1String("frmStampa")) {
        TestiScheda testi;
        testi.brano = QStringLiteral("Cielo di vetro");
        m_finestra = std::make_unique<frmStampa>(p, testi, nullptr);
    } else if (nome == QLatin1String("frmEmail"))
        m_finestra = std::make_unique<frmEmail>(p);
    else if (nome == QLatin1String("Autore"))
        m_finestra
            = std::make_unique<Autore>(p, [this] { return new frmSonoria(m_fake->platform); });
    if (!m_finestra || !mostraAttiva(m_finestra.get()))
        return nullptr;
    if (auto* s = qobject_cast<frmSonoria*>(m_finestra.get()))
        s->cmdPrimo_Click(); // a card with an audio file: the eraser and play have work
    if (auto* r = qobject_cast<frmFindInviata*>(m_finestra.get());
        r && nome.endsWith(QLatin1String("risultati"))) {
        r->txtFindCit->setText(QStringLiteral("I Gira"));
        r->cmdOggetto_Click();
        r->txtCerca->setText(QStringLiteral("I Girasoli - Z"));
    }
    if (auto* e = qobject_cast<frmElencoURL*>(m_finestra.get()))
        e->txtCerca->setText(QStringLiteral("Onde"));
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
    const QStringList attive = kImmaginiAttive.value(finestra);
    for (const QString& nome : attive)
        QVERIFY2(f->findChild<QWidget*>(nome), qPrintable(nome));
    // Tab alone goes round the window, and presses nothing on its way.
    if (!QApplication::focusWidget())
        QTest::keyClick(f, Qt::Key_Tab);
    QSet<QWidget*> raggiunte;
    for (QWidget* ora = fermata(QApplication::focusWidget()); ora && !raggiunte.contains(ora);
         ora = fermata(QApplication::focusWidget())) {
        raggiunte.insert(ora);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QVERIFY(f->isVisible() && m_fake->tasti.inviati.isEmpty());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());

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
        if (!secondaOpzione(w)) {
            QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(descrivi(w)));
            QVERIFY2(raggiunte.contains(w) || !w->isVisible() || !w->isEnabled(),
                qPrintable(descrivi(w)));
        }
        // A picture that the keyboard gave the focus to looks different than without.
        if (attive.contains(w->objectName()) && w->isVisible()) {
            f->setAttribute(Qt::WA_KeyboardFocusChange); // as a Tab press leaves it
            const QImage senzaFuoco = zonaDelFuoco(w)->grab().toImage();
            w->setFocus(Qt::TabFocusReason);
            QVERIFY2(zonaDelFuoco(w)->grab().toImage() != senzaFuoco, qPrintable(descrivi(w)));
        }
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
}

void TestAccesso::immagineDaTastiera_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("immagine");
    QTest::addColumn<int>("tasto"); // 0: the press action of assistive tools
    QTest::addColumn<int>("modificatori");
    const auto fila = [](const char* riga, const char* f, const char* i, int t, int m = 0) {
        QTest::newRow(riga) << QString::fromUtf8(f) << QString::fromUtf8(i) << t << m;
    };
    fila("guida, spazio", "frmSonoria", "imgGuida", Qt::Key_Space);
    fila("guida, invio", "frmSonoria", "imgGuida", Qt::Key_Return);
    fila(
        "guida, invio del tastierino", "frmSonoria", "imgGuida", Qt::Key_Enter, Qt::KeypadModifier);
    fila("guida, azione premi", "frmSonoria", "imgGuida", 0);
    fila("ricerca, fai clic", "frmFindInviata risultati", "lblFaiClic", Qt::Key_Space);
    fila("lista audio, fai clic", "frmElencoURL", "lblFaiClic", Qt::Key_Return);
}

void TestAccesso::immagineDaTastiera()
{
    QFETCH(QString, finestra);
    QFETCH(QString, immagine);
    QFETCH(int, tasto);
    QFETCH(int, modificatori);
    QWidget* f = apri(finestra);
    auto* w = f->findChild<QWidget*>(immagine);
    QVERIFY(w && w->isVisible());
    if (tasto == 0) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        QVERIFY(i && i->actionInterface());
        i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else {
        w->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key(tasto), Qt::KeyboardModifiers(modificatori));
    }

    if (immagine == QLatin1String("imgGuida")) {
        QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
        // The press effect ran too; another picture's keys leave that one alone.
        QCOMPARE(static_cast<frmSonoria*>(f)->imgGuida->posizioneTwips(), QPoint(7650, 90));
        QCOMPARE(static_cast<frmSonoria*>(f)->imgEsci->posizioneTwips(), QPoint(7785, 7020));
        QVERIFY(f->isVisible());
    } else {
        QCOMPARE(m_aperta, std::optional<qint64>(finestra == "frmElencoURL" ? 2 : 3));
        QCOMPARE(static_cast<QDialog*>(f)->result(), int(QDialog::Accepted));
        QVERIFY(!f->isVisible());
    }
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
    // Other keys do nothing on a picture.
    QTest::keyClick(f->imgGuida, Qt::Key_A);
    QTest::keyClick(f->imgGuida, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
}

void TestAccesso::cursoreVolume_data()
{
    QTest::addColumn<QList<int>>("tasti");
    QTest::addColumn<QList<long>>("valori");
    QTest::addColumn<int>("top");
    // The track is 87 pixels, the knob 11: 76 pixels of travel, 15 twips each, the knob
    // opening at pixel 19. The value is | top x 65535 / 1140 - 65535 |, top in twips.
    QTest::newRow("su") << QList<int> { Qt::Key_Up } << QList<long> { 50013 } << 18;
    QTest::newRow("pagina giu") << QList<int> { Qt::Key_PageDown } << QList<long> { 43115 } << 26;
    // At either end the knob stays put: only the moves reach the mixer.
    QTest::newRow("ai bordi") << QList<int> { Qt::Key_Home, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_End,
        Qt::Key_PageDown, Qt::Key_Down }
                              << QList<long> { 65535, 0 } << 76;
}

void TestAccesso::cursoreVolume()
{
    QFETCH(QList<int>, tasti);
    QFETCH(QList<long>, valori);
    QFETCH(int, top);
    auto* v = static_cast<frmVolume*>(apri(QStringLiteral("frmVolume")));
    if (v->logicalDpiY() != 96)
        QSKIP("the knob's travel in pixels assumes 96 dots per inch");
    // From the close button, one Tab away.
    QCOMPARE(QApplication::focusWidget(), v->Command1);
    QTest::keyClick(v->Command1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), v->Image1);
    QVERIFY(m_fake->mixer.valori.isEmpty());

    for (int tasto : tasti)
        QTest::keyClick(v->Image1, Qt::Key(tasto));
    QCOMPARE(v->Image1->y(), top);
    QCOMPARE(m_fake->mixer.valori, valori);
    QCOMPARE(v->Text1->text(), QString::number(valori.last()));
    QVERIFY(v->isVisible());
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
