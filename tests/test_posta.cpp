#include "ArchivioDiProva.h"
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "mail_about/Autore.h"
#include "mail_about/frmEmail.h"
#include "main_window/frmSonoria.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {

template <typename T> QList<T*> finestreVisibili()
{
    QList<T*> trovate;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* f = qobject_cast<T*>(w); f && f->isVisible())
            trovate.append(f);
    }
    return trovate;
}

QString decodificato(const QUrlQuery& query, const QString& chiave)
{
    return query.queryItemValue(chiave, QUrl::FullyDecoded);
}

}

class TestPosta : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void indirizzoMailto_data();
    void indirizzoMailto();
    void righeSempreCrLf();
    void invioFallitoRestaAperto();
    void invioNonParteConInvio();
    void tastoInvio_data();
    void tastoInvio();
    void coloriFuoco_data();
    void coloriFuoco();

    void finestraAutore();
    void chiusuraRiportaPrincipale_data();
    void chiusuraRiportaPrincipale();
    void principaleNonDelProgramma();
    void composerDaAutore_data();
    void composerDaAutore();
    void sitoWeb_data();
    void sitoWeb();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fake;

    void mostra(QWidget* w)
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void compila(frmEmail& e, const QString& a, const QString& oggetto, const QString& corpo,
        const QString& cc, const QString& ccn)
    {
        e.txtIndirizzo->setText(a);
        e.txtOggetto->setText(oggetto);
        e.txtCorpo->setPlainText(corpo);
        e.txtCC->setText(cc);
        e.txtCCN->setText(ccn);
    }
};

void TestPosta::initTestCase()
{
    // The windows of these tests replace each other; none of them ends the test run.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestPosta::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    impostaCartellaProgramma(m_dir->path());
    m_fake = std::make_unique<FakePlatform>();
}

void TestPosta::cleanup()
{
    // The windows the about window swap made on its own are released here.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmSonoria*>(w) || qobject_cast<Autore*>(w))
            w->deleteLater();
    }
    QTRY_VERIFY(finestreVisibili<frmSonoria>().isEmpty() && finestreVisibili<Autore>().isEmpty());
    m_fake.reset();
    impostaCartellaProgramma(QString());
    m_dir.reset();
}

void TestPosta::indirizzoMailto_data()
{
    QTest::addColumn<QString>("indirizzo");
    QTest::addColumn<QString>("oggetto");
    QTest::addColumn<QString>("corpo");
    QTest::addColumn<QString>("copia");
    QTest::addColumn<QString>("nascosta");
    QTest::addColumn<QString>("atteso");

    const QString a = QStringLiteral("A");
    QTest::newRow("solo indirizzo") << a << ""
                                    << ""
                                    << ""
                                    << ""
                                    << "mailto:A";
    QTest::newRow("oggetto e copia") << a << "x"
                                     << ""
                                     << "C"
                                     << ""
                                     << "mailto:A?Subject=x&CC=C";
    QTest::newRow("solo copia") << a << ""
                                << ""
                                << "C"
                                << ""
                                << "mailto:A?CC=C";
    QTest::newRow("solo copia nascosta") << a << ""
                                         << ""
                                         << ""
                                         << "D"
                                         << "mailto:A?BCC=D";
    QTest::newRow("tutti nell'ordine fisso") << a << "x"
                                             << "y"
                                             << "C"
                                             << "D"
                                             << "mailto:A?Subject=x&Body=y&CC=C&BCC=D";
    QTest::newRow("senza indirizzo") << ""
                                     << "x"
                                     << ""
                                     << ""
                                     << ""
                                     << "mailto:?Subject=x";
    QTest::newRow("tutto vuoto") << ""
                                 << ""
                                 << ""
                                 << ""
                                 << ""
                                 << "mailto:";
    QTest::newRow("e commerciale") << a << "Rock & Roll"
                                   << ""
                                   << ""
                                   << ""
                                   << "mailto:A?Subject=Rock%20%26%20Roll";
    QTest::newRow("uguale e cancelletto") << a << ""
                                          << "a=b#c"
                                          << ""
                                          << ""
                                          << "mailto:A?Body=a%3Db%23c";
    QTest::newRow("percento e punto di domanda") << a << "100% sicuro?"
                                                 << ""
                                                 << ""
                                                 << ""
                                                 << "mailto:A?Subject=100%25%20sicuro%3F";
    QTest::newRow("a capo") << a << ""
                            << "riga 1\nriga 2\n"
                            << ""
                            << ""
                            << "mailto:A?Body=riga%201%0D%0Ariga%202%0D%0A";
    QTest::newRow("accenti") << a << QStringLiteral("Perché è già così: 5 €") << ""
                             << ""
                             << ""
                             << "mailto:A?Subject=Perch%C3%A9%20%C3%A8%20gi%C3%A0%20cos%C3%AC:"
                                "%205%20%E2%82%AC";
    QTest::newRow("spazi ai bordi")
        << " a@x.example "
        << "  x  "
        << " y "
        << " c@x.example"
        << "d@x.example "
        << "mailto:%20a@x.example%20?Subject=%20%20x%20%20&Body=%20y%20&CC=%20c@x.example"
           "&BCC=d@x.example%20";
    QTest::newRow("solo spazi") << a << " "
                                << ""
                                << ""
                                << ""
                                << "mailto:A?Subject=%20";
    QTest::newRow("piu destinatari") << "a+b@x.example,c@y.example"
                                     << ""
                                     << ""
                                     << "d@x.example; e@y.example"
                                     << ""
                                     << "mailto:a%2Bb@x.example,c@y.example"
                                        "?CC=d@x.example%3B%20e@y.example";
    QTest::newRow("segni nell'indirizzo") << "a?b&c#d@x.example"
                                          << ""
                                          << ""
                                          << ""
                                          << ""
                                          << "mailto:a%3Fb%26c%23d@x.example";
    QTest::newRow("virgolette e barre") << a << "\"citato\" l'uno/2 +3"
                                        << ""
                                        << ""
                                        << ""
                                        << "mailto:A?Subject=%22citato%22%20l%27uno%2F2%20%2B3";
}

void TestPosta::indirizzoMailto()
{
    QFETCH(QString, indirizzo);
    QFETCH(QString, oggetto);
    QFETCH(QString, corpo);
    QFETCH(QString, copia);
    QFETCH(QString, nascosta);
    QFETCH(QString, atteso);

    frmEmail email(m_fake->platform);
    mostra(&email);
    compila(email, indirizzo, oggetto, corpo, copia, nascosta);
    QTest::mouseClick(email.cmdInvia, Qt::LeftButton);

    QCOMPARE(m_fake->shell.url_.size(), 1);
    const QUrl url = m_fake->shell.url_.first();
    // The text reaches the shell exactly as built: Qt neither decoded nor re-encoded it.
    QCOMPARE(url.toString(QUrl::FullyEncoded), atteso);
    QCOMPARE(url.toEncoded(), atteso.toLatin1());
    QCOMPARE(componiMailto(indirizzo, oggetto, corpo, copia, nascosta), atteso);

    // What a mail client decodes is what the user typed (line breaks as CR LF).
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(QUrl::FullyDecoded), indirizzo);
    const QUrlQuery query(url);
    QCOMPARE(decodificato(query, QStringLiteral("Subject")), oggetto);
    QCOMPARE(decodificato(query, QStringLiteral("Body")),
        QString(corpo).replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    QCOMPARE(decodificato(query, QStringLiteral("CC")), copia);
    QCOMPARE(decodificato(query, QStringLiteral("BCC")), nascosta);
    QVERIFY(url.fragment().isNull());

    // A successful hand-over closes the composer, silently.
    QVERIFY(!email.isVisible());
    QCOMPARE(email.result(), int(QDialog::Accepted));
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestPosta::righeSempreCrLf()
{
    // Whatever line breaks arrive, each one travels as exactly one CR LF.
    QCOMPARE(componiMailto(QStringLiteral("A"), {}, QStringLiteral("a\r\nb\rc\nd"), {}, {}),
        QStringLiteral("mailto:A?Body=a%0D%0Ab%0D%0Ac%0D%0Ad"));
}

void TestPosta::invioFallitoRestaAperto()
{
    m_fake->shell.esito = false;
    frmEmail email(m_fake->platform);
    mostra(&email);
    compila(email, QStringLiteral("a@x.example"), QStringLiteral("Ciao"),
        QStringLiteral("prima\nseconda"), QStringLiteral("c@x.example"), QString());
    QTest::mouseClick(email.cmdInvia, Qt::LeftButton);

    QCOMPARE(m_fake->shell.url_.size(), 1);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato m = m_fake->messaggi.mostrati.first();
    QCOMPARE(m.testo,
        QStringLiteral("Non è stato possibile individuare il software predefinito per la "
                       "gestione della posta elettronica."));
    QCOMPARE(m.titolo, QStringLiteral("Invio e-mail fallito"));
    QCOMPARE(m.icona, Icona::Critica);
    QCOMPARE(m.pulsanti, Pulsanti::Ok);
    QVERIFY(email.isVisible());
    QCOMPARE(email.txtIndirizzo->text(), QStringLiteral("a@x.example"));
    QCOMPARE(email.txtOggetto->text(), QStringLiteral("Ciao"));
    QCOMPARE(email.txtCorpo->toPlainText(), QStringLiteral("prima\nseconda"));
    QCOMPARE(email.txtCC->text(), QStringLiteral("c@x.example"));

    // A second try that succeeds closes it.
    m_fake->shell.esito = true;
    QTest::mouseClick(email.cmdInvia, Qt::LeftButton);
    QCOMPARE(m_fake->shell.url_.size(), 2);
    QVERIFY(!email.isVisible());
}

void TestPosta::invioNonParteConInvio()
{
    frmEmail email(m_fake->platform);
    QCOMPARE(email.windowTitle(), QStringLiteral("Invio e-mail"));
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    mostra(&email);
    // The first box takes the focus, and Enter in the boxes walks through them to the
    // button without sending; Enter on the button sends.
    QCOMPARE(QApplication::focusWidget(), email.txtIndirizzo);
    email.txtIndirizzo->setText(QStringLiteral("a@x.example"));
    for (int i = 0; i < 5; ++i) {
        QWidget* prima = QApplication::focusWidget();
        QVERIFY(prima);
        QTest::keyClick(prima, Qt::Key_Return);
        QTRY_VERIFY(QApplication::focusWidget() != prima);
    }
    QCOMPARE(QApplication::focusWidget(), email.cmdInvia);
    QVERIFY(m_fake->shell.url_.isEmpty());
    QVERIFY(email.isVisible());
    QTest::keyClick(email.cmdInvia, Qt::Key_Return);
    QCOMPARE(m_fake->shell.url_.size(), 1);
    QCOMPARE(m_fake->shell.url_.first().toString(QUrl::FullyEncoded),
        QStringLiteral("mailto:a@x.example"));
    QVERIFY(!email.isVisible());
}

void TestPosta::tastoInvio_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("verso");
    QTest::newRow("A") << "txtIndirizzo"
                       << "txtCC";
    QTest::newRow("Cc") << "txtCC"
                        << "txtCCN";
    QTest::newRow("Ccn") << "txtCCN"
                         << "txtOggetto";
    QTest::newRow("Oggetto") << "txtOggetto"
                             << "txtCorpo";
    QTest::newRow("Testo") << "txtCorpo"
                           << "cmdInvia";
}

void TestPosta::tastoInvio()
{
    QFETCH(QString, da);
    QFETCH(QString, verso);
    frmEmail email(m_fake->platform);
    mostra(&email);
    auto* campo = email.findChild<QWidget*>(da);
    auto* prossimo = email.findChild<QWidget*>(verso);
    QVERIFY(campo && prossimo);
    campo->setFocus();
    QTest::keyClicks(campo, QStringLiteral("ab"));
    QTest::keyClick(campo, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), prossimo);

    // Nothing was inserted: not even a line break in the message text.
    const QString testo = campo == email.txtCorpo ? email.txtCorpo->toPlainText()
                                                  : static_cast<QLineEdit*>(campo)->text();
    QCOMPARE(testo, QStringLiteral("ab"));
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{Tab}") });
    QVERIFY(m_fake->shell.url_.isEmpty());
}

void TestPosta::coloriFuoco_data()
{
    QTest::addColumn<QString>("nome");
    for (const char* n : { "txtIndirizzo", "txtCC", "txtCCN", "txtOggetto", "txtCorpo" })
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestPosta::coloriFuoco()
{
    QFETCH(QString, nome);
    frmEmail email(m_fake->platform);
    mostra(&email);
    auto* campo = email.findChild<QWidget*>(nome);
    QVERIFY(campo);
    const QColor normale = QApplication::palette(campo).color(QPalette::Base);
    QVERIFY(normale != QColor(255, 255, 192));

    campo->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), campo);
    QCOMPARE(campo->palette().color(QPalette::Base), QColor(255, 255, 192));
    email.cmdInvia->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), email.cmdInvia);
    QCOMPARE(campo->palette().color(QPalette::Base), normale);
}

void TestPosta::finestraAutore()
{
    Autore autore(m_fake->platform);
    QCOMPARE(autore.windowTitle(), QStringLiteral(" Informazioni su Melodora 1.0"));
    QCOMPARE(autore.imgEmail->toolTip(), QStringLiteral(" Invia e-mail all'autore "));
    QCOMPARE(autore.imgWeb->toolTip(), QStringLiteral(" Visita sito Web dell'autore "));
    QCOMPARE(autore.cmdChiudi6->text(), QStringLiteral("Chiudi"));
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    const QStringList righe = autore.Label6->text().split(QStringLiteral("\r\n"));
    QCOMPARE(righe.size(), 3);
    for (const QString& r : righe)
        QVERIFY(!r.isEmpty() && !r.contains(QLatin1Char('\n')));
    for (int i = 1; i <= 5; ++i) {
        auto* l = autore.findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
        QVERIFY(l && !l->text().isEmpty());
    }
}

void TestPosta::chiusuraRiportaPrincipale_data()
{
    QTest::addColumn<QString>("modo");
    QTest::newRow("Chiudi") << "cmdChiudi6";
    for (int i = 1; i <= 6; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Label%1").arg(i)))
            << QStringLiteral("Label%1").arg(i);
    QTest::newRow("cornice") << "cornice";
}

void TestPosta::chiusuraRiportaPrincipale()
{
    QFETCH(QString, modo);
    QList<Scheda> schede;
    for (int i = 1; i <= 5; ++i)
        schede.append(schedaDiProva(QStringLiteral("Brano %1").arg(i), QStringLiteral("Artista"),
            QStringLiteral("/musica/%1.mp3").arg(i), QStringLiteral("Rock")));
    QVERIFY(scriviArchivio(m_dir->filePath(QStringLiteral("Sonoria.sng")), schede));

    // The main window as the program makes it: on the heap, released when closed.
    QPointer<frmSonoria> vecchia = new frmSonoria(m_fake->platform);
    vecchia->setAttribute(Qt::WA_DeleteOnClose);
    mostra(vecchia);
    QTest::mouseClick(vecchia->cmdUltimo, Qt::LeftButton);
    QCOMPARE(vecchia->lblPosizione->text(), QStringLiteral(" 5"));
    QCOMPARE(vecchia->txtBrano->text(), QStringLiteral("Brano 5"));

    QTest::mousePress(vecchia->picRights, Qt::LeftButton);
    QTest::mouseRelease(vecchia->picRights, Qt::LeftButton);
    // The main window unloads itself and the about window stands in its place.
    QTRY_VERIFY(vecchia.isNull());
    QVERIFY(finestreVisibili<frmSonoria>().isEmpty());
    const QList<Autore*> aperte = finestreVisibili<Autore>();
    QCOMPARE(aperte.size(), 1);
    QPointer<Autore> autore = aperte.first();
    QVERIFY(QTest::qWaitForWindowExposed(autore));

    if (modo == QLatin1String("cornice")) {
        // What the window frame's close box does: a close request to the window.
        QCloseEvent richiesta;
        QCoreApplication::sendEvent(autore->windowHandle(), &richiesta);
    } else {
        auto* bersaglio = autore->findChild<QWidget*>(modo);
        QVERIFY(bersaglio);
        QTest::mouseClick(bersaglio, Qt::LeftButton);
    }

    QTRY_VERIFY(autore.isNull());
    const QList<frmSonoria*> nuove = finestreVisibili<frmSonoria>();
    QCOMPARE(nuove.size(), 1);
    frmSonoria* nuova = nuove.first();
    QVERIFY(nuova->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(nuova->windowTitle(), QStringLiteral(" Melodora 1.0"));
    QCOMPARE(nuova->lblPosizione->text(), QString());
    QCOMPARE(nuova->numeroCorrente(), 0);
    for (QLineEdit* campo : { nuova->txtBrano, nuova->txtArtista, nuova->txtAlbum, nuova->txtAnno,
             nuova->txtNote, nuova->txtMP3 })
        QCOMPARE(campo->text(), QString());
    QCOMPARE(nuova->txtGenere->currentText(), QString());
    QCOMPARE(nuova->txtTesto->toPlainText(), QString());
    QVERIFY(!nuova->cmdPlay->isEnabled());

    // And the fresh main window leads to the about window again.
    QPointer<frmSonoria> seconda = nuova;
    QTest::mousePress(nuova->picRights, Qt::LeftButton);
    QTest::mouseRelease(nuova->picRights, Qt::LeftButton);
    QTRY_VERIFY(seconda.isNull());
    QCOMPARE(finestreVisibili<Autore>().size(), 1);
}

void TestPosta::principaleNonDelProgramma()
{
    // A main window that someone else owns is only hidden, never released by the swap.
    auto principale = std::make_unique<frmSonoria>(m_fake->platform);
    mostra(principale.get());
    QTest::mousePress(principale->picRights, Qt::LeftButton);
    QTest::mouseRelease(principale->picRights, Qt::LeftButton);
    QTest::qWait(0);
    QVERIFY(!principale->isVisible());
    QCOMPARE(frmSonoria::posizioneTwips(principale->picRights), frmSonoria::kCasaRights);
    const QList<Autore*> aperte = finestreVisibili<Autore>();
    QCOMPARE(aperte.size(), 1);
    QPointer<Autore> autore = aperte.first();
    QTest::mouseClick(autore->cmdChiudi6, Qt::LeftButton);
    QTRY_VERIFY(autore.isNull());
    const QList<frmSonoria*> nuove = finestreVisibili<frmSonoria>();
    QCOMPARE(nuove.size(), 1);
    QVERIFY(nuove.first() != principale.get());
}

void TestPosta::composerDaAutore_data()
{
    QTest::addColumn<bool>("invia");
    QTest::addColumn<QStringList>("urlAttesi");
    QTest::newRow("chiuso dalla cornice") << false << QStringList();
    QTest::newRow("inviato") << true
                             << QStringList { QStringLiteral(
                                    "mailto:supporto@melodora.example?Subject=Melodora%201.0") };
}

void TestPosta::composerDaAutore()
{
    QFETCH(bool, invia);
    QFETCH(QStringList, urlAttesi);
    Autore autore(m_fake->platform);
    mostra(&autore);

    // The composer is modal: a timer inspects it from inside its event loop.
    struct Visto {
        bool aperto = false;
        bool modale = false;
        QWidget* genitore = nullptr;
        QStringList campi;
    } visto;
    QTimer sonda;
    sonda.setInterval(10);
    connect(&sonda, &QTimer::timeout, this, [&] {
        auto* email = qobject_cast<frmEmail*>(QApplication::activeModalWidget());
        if (!email)
            return;
        sonda.stop();
        visto.aperto = true;
        visto.modale = email->isModal();
        visto.genitore = email->parentWidget();
        visto.campi = QStringList { email->txtIndirizzo->text(), email->txtOggetto->text(),
            email->txtCC->text(), email->txtCCN->text(), email->txtCorpo->toPlainText() };
        if (invia)
            QTest::mouseClick(email->cmdInvia, Qt::LeftButton);
        else
            email->reject();
    });
    sonda.start();
    QTest::mouseClick(autore.imgEmail, Qt::LeftButton);
    sonda.stop();

    QVERIFY(visto.aperto);
    QVERIFY(visto.modale);
    QCOMPARE(visto.genitore, &autore);
    QCOMPARE(visto.campi,
        (QStringList { QStringLiteral("supporto@melodora.example"), QStringLiteral("Melodora 1.0"),
            QString(), QString(), QString() }));
    QStringList inviati;
    for (const QUrl& u : m_fake->shell.url_)
        inviati.append(u.toString(QUrl::FullyEncoded));
    QCOMPARE(inviati, urlAttesi);
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    // The about window waited and is still there.
    QVERIFY(autore.isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestPosta::sitoWeb_data()
{
    QTest::addColumn<bool>("esito");
    QTest::newRow("aperto") << true;
    QTest::newRow("nessun browser") << false;
}

void TestPosta::sitoWeb()
{
    QFETCH(bool, esito);
    m_fake->shell.esito = esito;
    Autore autore(m_fake->platform);
    mostra(&autore);
    QTest::mouseClick(autore.imgWeb, Qt::LeftButton);
    QCOMPARE(m_fake->shell.url_.size(), 1);
    QCOMPARE(m_fake->shell.url_.first().toString(QUrl::FullyEncoded),
        QStringLiteral("https://www.melodora.example/"));
    // Whatever the browser did, nothing is reported and the window stays.
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    QVERIFY(autore.isVisible());
}

QTEST_MAIN(TestPosta)
#include "test_posta.moc"
