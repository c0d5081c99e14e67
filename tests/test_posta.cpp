// The e-mail composer and the about window.
#include "ArchivioDiProva.h"
#include "FinestraDiProva.h"
#include "mail_about/Autore.h"
#include "mail_about/frmEmail.h"
#include "main_window/frmSonoria.h"
#include "platform/ServiziQt.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
void scrivi(const QString& percorso, const QString& testo)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(testo.toUtf8());
}

/** Environment variables set (or, for a null value, removed) for one scope. */
class Ambiente {
public:
    explicit Ambiente(const QList<std::pair<const char*, QString>>& valori)
    {
        for (const auto& [nome, valore] : valori) {
            m_prima.append({ nome, qEnvironmentVariableIsSet(nome), qgetenv(nome) });
            valore.isNull() ? qunsetenv(nome) : qputenv(nome, valore.toUtf8());
        }
    }
    ~Ambiente()
    {
        for (const auto& [nome, c_era, valore] : m_prima)
            c_era ? qputenv(nome, valore) : qunsetenv(nome);
    }

private:
    QList<std::tuple<const char*, bool, QByteArray>> m_prima;
};

void mostra(QWidget* w) { QVERIFY(mostraAttiva(w)); }

void premi(QWidget* w)
{
    QTest::mousePress(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
}
}

class TestPosta : public QObject, ConCartella {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { prepara(); }
    void cleanup();

    void indirizzoMailto_data();
    void indirizzoMailto();
    void invioFallitoRestaAperto();
    void tastoInvio_data();
    void tastoInvio();
    void consegnaReale_data();
    void consegnaReale();

    void chiusuraRiportaPrincipale_data();
    void chiusuraRiportaPrincipale();
    void composerDaAutore();
    void sitoWebSenzaBrowser();

private:
};

void TestPosta::initTestCase()
{
    // The windows of these tests replace each other; none of them ends the test run.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestPosta::cleanup()
{
    // The windows the about window swap made on its own are released here.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmSonoria*>(w) || qobject_cast<Autore*>(w))
            w->deleteLater();
    }
    QTRY_VERIFY(finestreVisibili<frmSonoria>().isEmpty() && finestreVisibili<Autore>().isEmpty());
    m_cartella.reset();
}

void TestPosta::indirizzoMailto_data()
{
    // The boxes in the order A, Oggetto, Testo, Cc, Ccn.
    QTest::addColumn<QStringList>("campi");
    QTest::addColumn<QString>("atteso");
    const auto riga = [](const char* nome, const QStringList& campi, const char* atteso) {
        QTest::newRow(nome) << campi << QString::fromUtf8(atteso);
    };
    riga("solo indirizzo", { "A", "", "", "", "" }, "mailto:A");
    riga("solo copia nascosta", { "A", "", "", "", "D" }, "mailto:A?BCC=D");
    riga("tutti nell'ordine fisso", { "A", "x", "y", "C", "D" },
        "mailto:A?Subject=x&Body=y&CC=C&BCC=D");
    riga("senza indirizzo", { "", "x", "", "", "" }, "mailto:?Subject=x");
    riga("segni", { "A", "Rock & Roll a=b#c 100% sicuro? \"citato\" l'uno/2 +3", "", "", "" },
        "mailto:A?Subject=Rock%20%26%20Roll%20a%3Db%23c%20100%25%20sicuro%3F%20%22citato%22%20"
        "l%27uno%2F2%20%2B3");
    riga("accenti", { "A", QStringLiteral("Perché è già così: 5 €"), "", "", "" },
        "mailto:A?Subject=Perch%C3%A9%20%C3%A8%20gi%C3%A0%20cos%C3%AC:%205%20%E2%82%AC");
    riga("spazi ai bordi", { " a@x.example ", "  x  ", " y ", " c@x.example", "d@x.example " },
        "mailto:%20a@x.example%20?Subject=%20%20x%20%20&Body=%20y%20&CC=%20c@x.example"
        "&BCC=d@x.example%20");
    riga("piu destinatari", { "a+b@x.example,c@y.example", "", "", "d@x.example; e@y.example", "" },
        "mailto:a%2Bb@x.example,c@y.example?CC=d@x.example%3B%20e@y.example");
}

void TestPosta::indirizzoMailto()
{
    QFETCH(QStringList, campi);
    QFETCH(QString, atteso);
    const QString testo = componiMailto(campi[0], campi[1], campi[2], campi[3], campi[4]);
    QCOMPARE(testo, atteso);
    // Qt takes the text as it is, neither decoding nor re-encoding it, and what a mail client
    // decodes is what the user typed (line breaks as CR LF).
    const QUrl url = QUrl::fromEncoded(testo.toLatin1(), QUrl::StrictMode);
    QCOMPARE(url.toEncoded(), atteso.toLatin1());
    const QUrlQuery query(url);
    QStringList decodificati { url.path(QUrl::FullyDecoded) };
    for (const char* chiave : { "Subject", "Body", "CC", "BCC" })
        decodificati << query.queryItemValue(QString::fromLatin1(chiave), QUrl::FullyDecoded);
    QCOMPARE(decodificati, campi.replaceInStrings(QStringLiteral("\n"), QStringLiteral("\r\n")));
    QVERIFY(url.fragment().isNull());
    // Whatever line breaks arrive, each one travels as exactly one CR LF.
    QCOMPARE(componiMailto(QStringLiteral("A"), {}, QStringLiteral("a\r\nb\rc\nd"), {}, {}),
        QStringLiteral("mailto:A?Body=a%0D%0Ab%0D%0Ac%0D%0Ad"));
}

void TestPosta::invioFallitoRestaAperto()
{
    m_fake->shell.esito = false;
    frmEmail email(m_fake->platform);
    mostra(&email);
    email.txtIndirizzo->setText(QStringLiteral("a@x.example"));
    email.txtOggetto->setText(QStringLiteral("Ciao"));
    email.txtCorpo->setPlainText(QStringLiteral("prima\nseconda"));
    QTest::mouseClick(email.cmdInvia, Qt::LeftButton);

    QCOMPARE(m_fake->shell.url_.size(), 1);
    QCOMPARE(scatole(m_fake->messaggi),
        Scatole { scatola(QStringLiteral("Non è stato possibile individuare il software "
                                         "predefinito per la gestione della posta elettronica."),
            QStringLiteral("Invio e-mail fallito"), Icona::Critica) });
    QVERIFY(email.isVisible());

    // The boxes kept their texts: a second try that succeeds hands them over and closes
    // the window, silently.
    m_fake->shell.esito = true;
    QTest::mouseClick(email.cmdInvia, Qt::LeftButton);
    QCOMPARE(m_fake->shell.url_.size(), 2);
    QCOMPARE(m_fake->shell.url_.last().toEncoded(),
        QByteArray("mailto:a@x.example?Subject=Ciao&Body=prima%0D%0Aseconda"));
    QVERIFY(!email.isVisible());
    QCOMPARE(email.result(), int(QDialog::Accepted));
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
}

void TestPosta::tastoInvio_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("verso");
    const QStringList ordine { "txtIndirizzo", "txtCC", "txtCCN", "txtOggetto", "txtCorpo",
        "cmdInvia" };
    for (int i = 0; i + 1 < ordine.size(); ++i)
        QTest::newRow(qPrintable(ordine.at(i))) << ordine.at(i) << ordine.at(i + 1);
}

// Enter moves on, and the focus colour goes with the focus.
void TestPosta::tastoInvio()
{
    QFETCH(QString, da);
    QFETCH(QString, verso);
    frmEmail email(m_fake->platform);
    mostra(&email);
    auto* campo = email.findChild<QWidget*>(da);
    auto* prossimo = email.findChild<QWidget*>(verso);
    QVERIFY(campo && prossimo);
    const QColor normale = QApplication::palette(campo).color(QPalette::Base);
    QVERIFY(normale != kColoreFuoco);
    campo->setFocus();
    QTRY_COMPARE(sfondo(campo), kColoreFuoco);
    QTest::keyClicks(campo, QStringLiteral("ab"));
    QTest::keyClick(campo, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), prossimo);
    QCOMPARE(sfondo(campo), normale);

    // Nothing was inserted, not even a line break in the message text, and nothing sent.
    const QString testo = campo == email.txtCorpo ? email.txtCorpo->toPlainText()
                                                  : static_cast<QLineEdit*>(campo)->text();
    QCOMPARE(testo, QStringLiteral("ab"));
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{Tab}") });
    QVERIFY(m_fake->shell.url_.isEmpty());
}

void TestPosta::consegnaReale_data()
{
    // The program the desktop names for mailto:, in a private desktop configuration.
    QTest::addColumn<QString>("programma");
    QTest::newRow("programma di posta") << "registra";
    QTest::newRow("nessun programma") << QString();
    QTest::newRow("programma che non parte") << "mancante";
}

void TestPosta::consegnaReale()
{
    QFETCH(QString, programma);
    QTemporaryDir xdg;
    const QString dati = xdg.filePath(QStringLiteral("dati"));
    const QString config = xdg.filePath(QStringLiteral("config"));
    const QString vuota = xdg.filePath(QStringLiteral("vuota"));
    for (const QString& d : { dati + QStringLiteral("/applications"), config, vuota })
        QVERIFY(QDir().mkpath(d));
    const QString ricevuto = xdg.filePath(QStringLiteral("ricevuto"));
    if (!programma.isNull()) {
        // The mail program records the address it was given (a blank in its name tests the
        // entry's quoting).
        const QString script = xdg.filePath(QStringLiteral("posta di prova.sh"));
        scrivi(script,
            QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > \"%1.tmp\" && mv \"%1.tmp\" \"%1\"\n")
                .arg(ricevuto));
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
        const QString exec = programma == QLatin1String("registra")
            ? QLatin1Char('"') + script + QStringLiteral("\" %u")
            : xdg.filePath(QStringLiteral("non-installato")) + QStringLiteral(" %u");
        scrivi(dati + QStringLiteral("/applications/posta-di-prova.desktop"),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=Posta di prova\nExec=") + exec
                + QStringLiteral("\nMimeType=x-scheme-handler/mailto;\n"));
        scrivi(config + QStringLiteral("/mimeapps.list"),
            QStringLiteral("[Default Applications]\n"
                           "x-scheme-handler/mailto=posta-di-prova.desktop\n"));
    }
    const Ambiente ambiente(
        { { "XDG_CONFIG_HOME", config }, { "XDG_DATA_HOME", dati }, { "XDG_CONFIG_DIRS", vuota },
            { "XDG_DATA_DIRS", vuota }, { "XDG_CURRENT_DESKTOP", {} }, { "DESKTOP_SESSION", {} },
            { "KDE_FULL_SESSION", {} }, { "GNOME_DESKTOP_SESSION_ID", {} } });

    QtShellService shell;
    Platform platform = m_fake->con(nullptr, nullptr, &shell);
    frmEmail email(platform);
    mostra(&email);
    QTest::keyClicks(email.txtIndirizzo, QStringLiteral("a@x.example"));
    QTest::keyClicks(email.txtOggetto, QStringLiteral("Rock & Roll?"));
    email.txtCorpo->setFocus();
    QTest::keyClicks(email.txtCorpo, QStringLiteral("Prima riga"));
    QTest::keyClick(email.txtCorpo, Qt::Key_Return, Qt::ControlModifier); // a line break
    QTest::keyClicks(email.txtCorpo, QStringLiteral("seconda = 2"));
    QCOMPARE(QApplication::focusWidget(), email.txtCorpo);
    QTest::mouseClick(email.cmdInvia, Qt::LeftButton);

    if (programma == QLatin1String("registra")) {
        QTRY_VERIFY(QFile::exists(ricevuto));
        QFile f(ricevuto);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QUrl url = QUrl::fromEncoded(f.readAll(), QUrl::StrictMode);
        const QUrlQuery query(url);
        QCOMPARE((QStringList { url.scheme(), url.path(QUrl::FullyDecoded),
                     query.queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded),
                     query.queryItemValue(QStringLiteral("Body"), QUrl::FullyDecoded) }),
            (QStringList { QStringLiteral("mailto"), QStringLiteral("a@x.example"),
                QStringLiteral("Rock & Roll?"), QStringLiteral("Prima riga\r\nseconda = 2") }));
        QVERIFY(!email.isVisible());
        QVERIFY(m_fake->messaggi.mostrati.isEmpty());
        return;
    }
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    QCOMPARE(m_fake->messaggi.mostrati.first().titolo, QStringLiteral("Invio e-mail fallito"));
    QVERIFY(email.isVisible());
    QVERIFY(!QFile::exists(ricevuto));
}

void TestPosta::chiusuraRiportaPrincipale_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<bool>("delProgramma"); // released when closed, as the program makes it
    QTest::newRow("Chiudi") << "cmdChiudi6" << true;
    for (int i = 1; i <= 6; ++i)
        QTest::addRow("Label%d", i) << QStringLiteral("Label%1").arg(i) << true;
    QTest::newRow("cornice") << "cornice" << true;
    // A main window that someone else owns is only hidden, never released by the swap.
    QTest::newRow("principale non del programma") << "cmdChiudi6" << false;
}

void TestPosta::chiusuraRiportaPrincipale()
{
    QFETCH(QString, modo);
    QFETCH(bool, delProgramma);
    QList<Scheda> schede;
    for (int i = 1; i <= 5; ++i)
        schede.append(schedaDiProva(QStringLiteral("Brano %1").arg(i), QStringLiteral("Artista"),
            QStringLiteral("/musica/%1.mp3").arg(i), QStringLiteral("Rock")));
    QVERIFY(scriviArchivio(m_cartella->archivio(), schede));

    QPointer<frmSonoria> vecchia = new frmSonoria(m_fake->platform);
    vecchia->setAttribute(Qt::WA_DeleteOnClose, delProgramma);
    mostra(vecchia);
    QTest::mouseClick(vecchia->cmdUltimo, Qt::LeftButton);
    QCOMPARE(vecchia->txtBrano->text(), QStringLiteral("Brano 5"));

    // The main window unloads itself and the about window stands in its place.
    premi(vecchia->picRights);
    QTRY_VERIFY(vecchia.isNull() == delProgramma && finestreVisibili<frmSonoria>().isEmpty());
    QCOMPARE(finestreVisibili<Autore>().size(), 1);
    QPointer<Autore> autore = finestreVisibili<Autore>().first();
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
    QCOMPARE(vecchia.isNull(), delProgramma);
    QVERIFY(nuova != vecchia && nuova->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(nuova->windowTitle(), QStringLiteral(" Melodora 1.0"));
    // A fresh window: no card on display, every box empty.
    QCOMPARE(nuova->numeroCorrente(), 0);
    QCOMPARE(nuova->SchedaDaCampi(), Scheda());
    QCOMPARE(nuova->lblPosizione->text() + nuova->txtMP3->text(), QString());

    // And the fresh main window leads to the about window again.
    QPointer<frmSonoria> seconda = nuova;
    premi(nuova->picRights);
    QTRY_VERIFY(seconda.isNull());
    QCOMPARE(finestreVisibili<Autore>().size(), 1);
}

void TestPosta::composerDaAutore()
{
    Autore autore(m_fake->platform, [this] { return new frmSonoria(m_fake->platform); });
    mostra(&autore);

    // The composer is modal: inspected from inside its event loop.
    QWidget* genitore = nullptr;
    QStringList campi;
    const auto sonda = quandoModale<frmEmail>([&](frmEmail* email) {
        genitore = email->parentWidget();
        campi = QStringList { email->txtIndirizzo->text(), email->txtOggetto->text(),
            email->txtCC->text(), email->txtCCN->text(), email->txtCorpo->toPlainText() };
        email->reject();
    });
    QTest::mouseClick(autore.imgEmail, Qt::LeftButton);

    QCOMPARE(genitore, &autore);
    QCOMPARE(campi,
        (QStringList { QStringLiteral("supporto@melodora.example"), QStringLiteral("Melodora 1.0"),
            QString(), QString(), QString() }));
    QVERIFY(m_fake->shell.url_.isEmpty());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    // The about window waited and is still there.
    QVERIFY(autore.isVisible());
}

void TestPosta::sitoWebSenzaBrowser()
{
    // Whatever the browser did, nothing is reported and the window stays.
    m_fake->shell.esito = false;
    Autore autore(m_fake->platform, [this] { return new frmSonoria(m_fake->platform); });
    mostra(&autore);
    QTest::mouseClick(autore.imgWeb, Qt::LeftButton);
    QCOMPARE(m_fake->shell.url_, QList<QUrl> { QUrl(Autore::SitoWeb) });
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    QVERIFY(autore.isVisible());
}

QTEST_MAIN(TestPosta)
#include "test_posta.moc"
