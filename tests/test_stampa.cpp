// The card and list printouts, through a print surface that records every call.
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "main_window/frmSonoria.h"
#include "printing/StampaElenco.h"
#include "printing/StampaScheda.h"
#include "printing/frmStampa.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kRegola = QString(69, QLatin1Char('_')) + kCrLf;
const QString kRegolaElenco = QString(30, QLatin1Char('_'));
const QString kNbsp = QString(QChar(0xA0));
const QDateTime kAdesso(QDate(2024, 3, 5), QTime(9, 7, 3));
const QString kPiede = QStringLiteral("Scheda stampata in data 05/03/2024 alle ore 09:07:03");
const QString kErrore
    = QStringLiteral("Si è verificato un errore durante l'operazione di stampa.\r\n\r\n"
                     "Accertarsi che la stampante sia configurata correttamente.");

TestiScheda schedaDiProva()
{
    return { QStringLiteral("Cielo di vetro"), QStringLiteral("I Girasoli"), QStringLiteral("Onde"),
        QStringLiteral("Pop"), QStringLiteral("1965"), QStringLiteral("Dal vivo"),
        QStringLiteral("Prima riga\nseconda riga") };
}

QStringList apertura(const QString& intestazione)
{
    return { QStringLiteral("Orientation 1"), QStringLiteral("ScaleMode 1"),
        QStringLiteral("ScaleLeft -600"), QStringLiteral("FontName Arial"),
        QStringLiteral("FontSize 14"), QStringLiteral("FontItalic true"),
        QStringLiteral("FontBold true"), QStringLiteral("Print "), QStringLiteral("Print "),
        QStringLiteral("Print ") + intestazione, QStringLiteral("FontSize 14"),
        QStringLiteral("FontItalic false"), QStringLiteral("FontBold false"),
        QStringLiteral("FontUnderline false"), QStringLiteral("Print ") + kRegola };
}

QStringList informazioni(const TestiScheda& t)
{
    QStringList ops { QStringLiteral("FontSize 10"), QStringLiteral("FontItalic false") };
    const QStringList etichette { QStringLiteral("Artista o gruppo:"), QStringLiteral("Album:"),
        QStringLiteral("Genere musicale:"), QStringLiteral("Anno di pubblicazione:") };
    const QStringList valori { t.artista, t.album, t.genere, t.anno };
    for (int i = 0; i < 4; ++i) {
        ops << QStringLiteral("FontUnderline true") << QStringLiteral("Print; ") + etichette[i]
            << QStringLiteral("FontUnderline false") << QStringLiteral("Tab 36")
            << QStringLiteral("Print ") + valori[i] + kCrLf;
    }
    ops << QStringLiteral("Print ") << QStringLiteral("ScaleMode 0")
        << QStringLiteral("ScaleLeft 0") << QStringLiteral("FontSize 10")
        << QStringLiteral("FontName Arial") << QStringLiteral("Print ");
    return ops;
}

QStringList chiusura()
{
    return { QStringLiteral("ScaleMode 1"), QStringLiteral("ScaleLeft -600"),
        QStringLiteral("Print "), QStringLiteral("FontName Arial"), QStringLiteral("FontSize 14"),
        QStringLiteral("FontItalic false"), QStringLiteral("FontBold false"),
        QStringLiteral("FontUnderline false"), QStringLiteral("Print ") + kRegola,
        QStringLiteral("FontSize 10"), QStringLiteral("Print ") + kPiede, QStringLiteral("Print "),
        QStringLiteral("EndDoc") };
}

/** The calls of a wrapped text whose lines fit as given: each line placed at 600. */
QStringList chiamateACapo(const QStringList& righe)
{
    QStringList ops { QStringLiteral("CurrentX 600") };
    for (const QString& r : righe)
        ops << QStringLiteral("CurrentX 600") << QStringLiteral("Print ") + r;
    return ops;
}
}

class TestStampa : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The card layouts.
    void impaginazioneInformazioni();
    void impaginazioneCompleta();
    void impaginazioneTesto_data();
    void impaginazioneTesto();
    void statoDelleRighe();
    void notaVuota();
    void piedeDiPagina_data();
    void piedeDiPagina();

    // The word wrap.
    void prossimaParola_data();
    void prossimaParola();
    void aCapo_data();
    void aCapo();
    void piuDiCentoParagrafi();

    // The card print dialog.
    void dialogoControlli();
    void dialogoSenzaNomeStampante();
    void dialogoStampa_data();
    void dialogoStampa();
    void dialogoTitoloVuoto_data();
    void dialogoTitoloVuoto();
    void dialogoErrore_data();
    void dialogoErrore();
    void dialogoPdfAlVisualizzatore();
    void dialogoAnnullaEGuida();
    void campiDellaFinestraPrincipale();

    // The list printouts.
    void elenco_data();
    void elenco();
    void elencoUnaRiga();
    void elencoVuotoOAnnullato();
    void elencoDallaFinestra();
    void elencoErrore_data();
    void elencoErrore();

private:
    DocumentoRegistrato stampaSuFake(
        const std::function<void(PrintSurface&)>& disegno, CopioneStampa copione = {});
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fake;
};

void TestStampa::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    impostaCartellaProgramma(m_dir->path());
    m_fake = std::make_unique<FakePlatform>();
    m_fake->tasti.consegna = false;
}

void TestStampa::cleanup()
{
    m_fake.reset();
    impostaCartellaProgramma(QString());
    m_dir.reset();
}

DocumentoRegistrato TestStampa::stampaSuFake(
    const std::function<void(PrintSurface&)>& disegno, CopioneStampa copione)
{
    DocumentoRegistrato doc;
    FakeStampa stampa(doc, std::move(copione));
    disegno(stampa);
    return doc;
}

void TestStampa::impaginazioneInformazioni()
{
    const TestiScheda t = schedaDiProva();
    bool ok = false;
    const auto doc = stampaSuFake([&](PrintSurface& s) { ok = StampaInformazioni(s, t, kAdesso); });
    QVERIFY(ok);
    const QStringList atteso = apertura(QStringLiteral("Cielo di vetro")) + informazioni(t)
        + chiamateACapo({ QStringLiteral("NOTE: Dal vivo ") + kNbsp }) + chiusura();
    QCOMPARE(doc.operazioni, atteso);
}

void TestStampa::impaginazioneCompleta()
{
    const TestiScheda t = schedaDiProva();
    const auto doc = stampaSuFake([&](PrintSurface& s) { StampaCompleta(s, t, kAdesso); });
    const QStringList testo = chiamateACapo({ QStringLiteral("TESTO DELLA CANZONE:"), QString(),
        QStringLiteral("Prima riga"), QStringLiteral("seconda riga ") + kNbsp });
    const QStringList atteso = apertura(QStringLiteral("Cielo di vetro")) + informazioni(t)
        + chiamateACapo({ QStringLiteral("NOTE: Dal vivo ") + kNbsp })
        + QStringList { QStringLiteral("Print "), QStringLiteral("Print "),
              QStringLiteral("Print ") }
        + testo + chiusura();
    QCOMPARE(doc.operazioni, atteso);
    QCOMPARE(doc.endDoc, 1);
}

void TestStampa::impaginazioneTesto_data()
{
    QTest::addColumn<QString>("artista");
    QTest::addColumn<QString>("intestazione");
    QTest::newRow("con artista") << QStringLiteral("I Girasoli")
                                 << QStringLiteral("Cielo di vetro di I Girasoli");
    QTest::newRow("artista vuoto") << QString() << QStringLiteral("Cielo di vetro");
}

void TestStampa::impaginazioneTesto()
{
    QFETCH(QString, artista);
    QFETCH(QString, intestazione);
    TestiScheda t = schedaDiProva();
    t.artista = artista;
    t.testo = QStringLiteral("Uno\r\n\r\nDue");
    const auto doc = stampaSuFake([&](PrintSurface& s) { StampaTesto(s, t, kAdesso); });
    const QStringList atteso = apertura(intestazione)
        + QStringList { QStringLiteral("ScaleMode 0"), QStringLiteral("ScaleLeft 0"),
              QStringLiteral("FontSize 10"), QStringLiteral("FontName Arial"),
              QStringLiteral("FontItalic false"), QStringLiteral("FontBold false"),
              QStringLiteral("FontUnderline false"), QStringLiteral("Print ") }
        + chiamateACapo({ QStringLiteral("Uno"), QString(), QStringLiteral("Due ") + kNbsp })
        + chiusura();
    QCOMPARE(doc.operazioni, atteso);
}

void TestStampa::statoDelleRighe()
{
    const TestiScheda t = schedaDiProva();
    const auto doc = stampaSuFake([&](PrintSurface& s) { StampaCompleta(s, t, kAdesso); });
    const auto riga = [&](const QString& testo) {
        for (const RigaStampata& r : doc.righe) {
            if (r.testo == testo)
                return r;
        }
        return RigaStampata {};
    };
    // The heading: Arial 14 bold italic at the 600-twip margin.
    const RigaStampata titolo = riga(QStringLiteral("Cielo di vetro"));
    QCOMPARE(titolo.font, QStringLiteral("Arial"));
    QCOMPARE(titolo.size, 14.0);
    QVERIFY(titolo.bold && titolo.italic && !titolo.underline);
    QCOMPARE(titolo.scaleLeft, -600.0);
    QCOMPARE(titolo.currentX, 0.0);
    // A label underlined on its own, its value in column 36 without underline.
    const RigaStampata etichetta = riga(QStringLiteral("Album:"));
    QVERIFY(etichetta.underline && !etichetta.aCapo && !etichetta.bold && !etichetta.italic);
    QCOMPARE(etichetta.size, 10.0);
    const RigaStampata valore = riga(QStringLiteral("Onde") + kCrLf);
    QVERIFY(!valore.underline && valore.aCapo);
    QCOMPARE(valore.tab, 36);
    QCOMPARE(valore.scaleLeft, -600.0);
    // Wrapped text: origin at the edge of the printable area, each line at 600.
    const RigaStampata testo = riga(QStringLiteral("Prima riga"));
    QCOMPARE(testo.scaleMode, 0);
    QCOMPARE(testo.scaleLeft, 0.0);
    QCOMPARE(testo.currentX, 600.0);
    QCOMPARE(testo.size, 10.0);
    QVERIFY(!testo.bold && !testo.italic && !testo.underline);
    // The footer: Arial 10 regular, back at the margin.
    const RigaStampata piede = riga(kPiede);
    QCOMPARE(piede.size, 10.0);
    QCOMPARE(piede.scaleMode, 1);
    QCOMPARE(piede.scaleLeft, -600.0);
    QVERIFY(!piede.bold && !piede.italic && !piede.underline);
}

void TestStampa::notaVuota()
{
    TestiScheda t = schedaDiProva();
    t.note.clear();
    const auto doc = stampaSuFake([&](PrintSurface& s) { StampaInformazioni(s, t, kAdesso); });
    // "NOTE:" alone, and the invisible last word: the blanks between them collapse.
    QVERIFY(doc.righeComplete().contains(QStringLiteral("NOTE: ") + kNbsp));
}

void TestStampa::piedeDiPagina_data()
{
    QTest::addColumn<QDateTime>("adesso");
    QTest::addColumn<QString>("piede");
    QTest::newRow("mattina") << kAdesso << kPiede;
    QTest::newRow("sera") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))
                          << QStringLiteral("Scheda stampata in data 31/12/1999 alle ore 23:59:59");
    QTest::newRow("mezzanotte") << QDateTime(QDate(2000, 1, 1),
        QTime(0, 0, 0)) << QStringLiteral("Scheda stampata in data 01/01/2000 alle ore 00:00:00");
}

void TestStampa::piedeDiPagina()
{
    QFETCH(QDateTime, adesso);
    QFETCH(QString, piede);
    QCOMPARE(melodora::piedeDiPagina(adesso), piede);
}

void TestStampa::prossimaParola_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QString>("resto");
    QTest::newRow("spazi ai lati") << QStringLiteral("  uno   due  tre  ") << QStringLiteral("uno")
                                   << QStringLiteral("due  tre");
    QTest::newRow("una parola") << QStringLiteral("uno") << QStringLiteral("uno") << QString();
    QTest::newRow("vuoto") << QString() << QString() << QString();
    QTest::newRow("solo spazi") << QStringLiteral("    ") << QString() << QString();
    QTest::newRow("spazio fisso") << kNbsp << kNbsp << QString();
    QTest::newRow("tabulazione") << QStringLiteral("a\tb c") << QStringLiteral("a\tb")
                                 << QStringLiteral("c");
    QTest::newRow("ritorno a capo")
        << QStringLiteral("a\r b") << QStringLiteral("a\r") << QStringLiteral("b");
}

void TestStampa::prossimaParola()
{
    QFETCH(QString, testo);
    QFETCH(QString, parola);
    QFETCH(QString, resto);
    QCOMPARE(ProssimaParola(testo), parola);
    QCOMPARE(testo, resto);
}

void TestStampa::aCapo_data()
{
    // Every character measures 100 twips; the usable width is ScaleWidth - 1500.
    QTest::addColumn<int>("caratteri");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("righe");
    QTest::newRow("esattamente piena")
        << 11 << QStringLiteral("aaaaa bbbbb") << QStringList { QStringLiteral("aaaaa bbbbb") };
    QTest::newRow("un carattere di troppo")
        << 10 << QStringLiteral("aaaaa bbbbb")
        << QStringList { QStringLiteral("aaaaa"), QStringLiteral("bbbbb") };
    QTest::newRow("spazi compressi") << 40 << QStringLiteral("  uno   due    tre  ")
                                     << QStringList { QStringLiteral("uno due tre") };
    QTest::newRow("righe vuote LF")
        << 40 << QStringLiteral("uno\n\ndue")
        << QStringList { QStringLiteral("uno"), QString(), QStringLiteral("due") };
    QTest::newRow("righe vuote CR LF")
        << 40 << QStringLiteral("uno\r\n\r\n\r\ndue")
        << QStringList { QStringLiteral("uno"), QString(), QString(), QStringLiteral("due") };
    QTest::newRow("riga di soli spazi")
        << 40 << QStringLiteral("uno\n   \ndue")
        << QStringList { QStringLiteral("uno"), QString(), QStringLiteral("due") };
    QTest::newRow("a capo finale")
        << 40 << QStringLiteral("uno\r\n") << QStringList { QStringLiteral("uno") };
    QTest::newRow("righe che stanno")
        << 40 << QStringLiteral("Prima riga\r\nseconda  riga")
        << QStringList { QStringLiteral("Prima riga"), QStringLiteral("seconda riga") };
    QTest::newRow("parola più larga della riga")
        << 5 << QStringLiteral("ab lunghissima cd")
        << QStringList { QStringLiteral("ab"), QStringLiteral("lunghissima"),
               QStringLiteral("cd") };
    QTest::newRow("prima parola più larga")
        << 5 << QStringLiteral("lunghissima ab")
        << QStringList { QStringLiteral("lunghissima"), QStringLiteral("ab") };
    QTest::newRow("ultima parola a capo")
        << 7 << QStringLiteral("uno due tre")
        << QStringList { QStringLiteral("uno due"), QStringLiteral("tre") };
    QTest::newRow("spazio fisso che sta") << 9 << QStringLiteral("uno due ") + kNbsp
                                          << QStringList { QStringLiteral("uno due ") + kNbsp };
    QTest::newRow("spazio fisso a capo") << 7 << QStringLiteral("uno due ") + kNbsp
                                         << QStringList { QStringLiteral("uno due"), kNbsp };
    QTest::newRow("tabulazione nella parola")
        << 3 << QStringLiteral("a\tb c")
        << QStringList { QStringLiteral("a\tb"), QStringLiteral("c") };
    QTest::newRow("testo vuoto") << 40 << QString() << QStringList {};
}

void TestStampa::aCapo()
{
    QFETCH(int, caratteri);
    QFETCH(QString, testo);
    QFETCH(QStringList, righe);
    CopioneStampa copione;
    copione.scaleWidth = 1500 + 100 * caratteri;
    const auto doc = stampaSuFake([&](PrintSurface& s) { StampaACapo(s, testo); }, copione);
    QCOMPARE(doc.righeComplete(), righe);
    // Each line on its own, placed at the 600-twip margin.
    for (const RigaStampata& r : doc.righe) {
        QVERIFY(r.aCapo);
        QCOMPARE(r.currentX, 600.0);
    }
    QCOMPARE(doc.operazioni.filter(QRegularExpression(QStringLiteral("^(?!CurrentX 600|Print )"))),
        QStringList());
}

void TestStampa::piuDiCentoParagrafi()
{
    QStringList righe;
    for (int i = 1; i <= 250; ++i)
        righe.append(QStringLiteral("Verso %1").arg(i));
    const auto doc
        = stampaSuFake([&](PrintSurface& s) { StampaACapo(s, righe.join(QLatin1Char('\n'))); });
    QCOMPARE(doc.righeComplete(), righe);
}

void TestStampa::dialogoControlli()
{
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Melodora 1.0 - Stampa scheda corrente"));
    QCOMPARE(dlg.lblPrinter->text(), QStringLiteral("Stampante predefinita :  Stampante di prova"));
    QCOMPARE(dlg.fraSelect->title(), QStringLiteral("Selezionare un'opzione : "));
    QCOMPARE(dlg.optTutto->text(),
        QStringLiteral(" Stampa informazioni sul brano e testo della canzone."));
    QCOMPARE(dlg.optComm->text(), QStringLiteral(" Stampa solo informazioni sul brano."));
    QCOMPARE(dlg.optCover->text(), QStringLiteral(" Stampa solo testo della canzone."));
    QVERIFY(dlg.optTutto->isChecked());
    QVERIFY(!dlg.optComm->isChecked() && !dlg.optCover->isChecked());
    for (const QWidget* w : { static_cast<QWidget*>(dlg.optTutto),
             static_cast<QWidget*>(dlg.optCover), static_cast<QWidget*>(dlg.fraSelect) }) {
        QCOMPARE(w->font().family(), QStringLiteral("Arial"));
        QCOMPARE(w->font().pointSize(), 9);
    }
    for (const char* nome : { "fraPrinter", "lblPrinter", "fraSelect", "optTutto", "optComm",
             "optCover", "cmdStampa", "cmdAnnulla", "cmdImp" })
        QVERIFY2(dlg.findChild<QWidget*>(QString::fromLatin1(nome)), nome);
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    QVERIFY(m_fake->stampante.documenti.empty());
}

void TestStampa::dialogoSenzaNomeStampante()
{
    m_fake->stampante.nome.clear();
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr);
    QCOMPARE(dlg.lblPrinter->text(), QStringLiteral("Stampante predefinita :"));
}

void TestStampa::dialogoStampa_data()
{
    QTest::addColumn<QString>("opzione");
    QTest::addColumn<QString>("intestazione");
    QTest::addColumn<bool>("etichette");
    QTest::addColumn<bool>("testo");
    QTest::newRow("tutto") << QStringLiteral("optTutto") << QStringLiteral("Cielo di vetro") << true
                           << true;
    QTest::newRow("informazioni") << QStringLiteral("optComm") << QStringLiteral("Cielo di vetro")
                                  << true << false;
    QTest::newRow("testo") << QStringLiteral("optCover")
                           << QStringLiteral("Cielo di vetro di I Girasoli") << false << true;
}

void TestStampa::dialogoStampa()
{
    QFETCH(QString, opzione);
    QFETCH(QString, intestazione);
    QFETCH(bool, etichette);
    QFETCH(bool, testo);
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr, nullptr, [] { return kAdesso; });
    dlg.show();
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    QTest::mouseClick(dlg.findChild<QRadioButton*>(opzione), Qt::LeftButton);
    QTest::mouseClick(dlg.cmdStampa, Qt::LeftButton);

    QCOMPARE(m_fake->stampante.documenti.size(), size_t(1));
    const DocumentoRegistrato& doc = *m_fake->stampante.documenti.front();
    const QStringList righe = doc.righeComplete();
    QCOMPARE(righe.value(2), intestazione);
    QCOMPARE(righe.contains(QStringLiteral("Artista o gruppo:I Girasoli") + kCrLf), etichette);
    QCOMPARE(righe.contains(QStringLiteral("seconda riga ") + kNbsp), testo);
    QCOMPARE(righe.value(righe.size() - 2), kPiede);
    QCOMPARE(doc.endDoc, 1);
    // Printed: the dialog closes, with no message.
    QCOMPARE(chiuso.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    QVERIFY(m_fake->shell.url_.isEmpty());
}

void TestStampa::dialogoTitoloVuoto_data()
{
    QTest::addColumn<QString>("titolo");
    QTest::newRow("vuoto") << QString();
    QTest::newRow("spazi") << QStringLiteral("     ");
}

void TestStampa::dialogoTitoloVuoto()
{
    QFETCH(QString, titolo);
    QWidget principale;
    auto* txtBrano = new QLineEdit(&principale);
    auto* altro = new QLineEdit(&principale);
    principale.show();
    altro->setFocus();
    QApplication::setActiveWindow(&principale);
    QVERIFY(QTest::qWaitForWindowActive(&principale));

    TestiScheda t = schedaDiProva();
    t.brano = titolo;
    frmStampa dlg(m_fake->platform, t, txtBrano, &principale);
    dlg.show();
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    dlg.cmdStampa_Click();

    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
    QCOMPARE(m.testo,
        QStringLiteral("E' necessario compilare il campo Titolo del brano prima di procedere "
                       "alla stampa della scheda."));
    QCOMPARE(m.titolo, QStringLiteral("Melodora 1.0 - Stampa non applicabile"));
    QCOMPARE(m.icona, Icona::Informazione);
    QCOMPARE(m.pulsanti, Pulsanti::Ok);
    QVERIFY(m_fake->stampante.documenti.empty());
    QCOMPARE(chiuso.count(), 1);
    QVERIFY(!dlg.isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), txtBrano);
}

void TestStampa::dialogoErrore_data()
{
    QTest::addColumn<bool>("disponibile");
    QTest::addColumn<int>("fallisceAlPrint");
    QTest::addColumn<bool>("fallisceEndDoc");
    QTest::newRow("nessun documento") << false << -1 << false;
    QTest::newRow("prima riga") << true << 0 << false;
    QTest::newRow("a metà") << true << 12 << false;
    QTest::newRow("alla fine") << true << -1 << true;
}

void TestStampa::dialogoErrore()
{
    QFETCH(bool, disponibile);
    QFETCH(int, fallisceAlPrint);
    QFETCH(bool, fallisceEndDoc);
    m_fake->stampante.disponibile = disponibile;
    m_fake->stampante.copione.fallisceAlPrint = fallisceAlPrint;
    m_fake->stampante.copione.fallisceEndDoc = fallisceEndDoc;
    m_fake->stampante.copione.filePdf = m_dir->filePath(QStringLiteral("x.pdf"));
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr);
    dlg.show();
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    QTest::mouseClick(dlg.cmdStampa, Qt::LeftButton);

    QCOMPARE(m_fake->messaggi.beep_, 1);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
    QCOMPARE(m.testo, kErrore);
    QCOMPARE(m.titolo, QStringLiteral("Attenzione: Operazione non eseguibile"));
    QCOMPARE(m.icona, Icona::Critica);
    QCOMPARE(m.pulsanti, Pulsanti::Ok);
    // Not closed as if printed: the user can try again or cancel.
    QCOMPARE(chiuso.count(), 0);
    QVERIFY(dlg.isVisible());
    QVERIFY(m_fake->shell.url_.isEmpty());
}

void TestStampa::dialogoPdfAlVisualizzatore()
{
    const QString pdf = m_dir->filePath(QStringLiteral("Melodora_prova.pdf"));
    m_fake->stampante.copione.filePdf = pdf;
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr);
    dlg.cmdStampa_Click();
    QCOMPARE(m_fake->shell.url_, QList<QUrl> { QUrl::fromLocalFile(pdf) });
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestStampa::dialogoAnnullaEGuida()
{
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr);
    dlg.show();
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    QTest::mouseClick(dlg.cmdImp, Qt::LeftButton);
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QVERIFY(dlg.isVisible());
    QTest::mouseClick(dlg.cmdAnnulla, Qt::LeftButton);
    QCOMPARE(chiuso.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(m_fake->stampante.documenti.empty());
}

void TestStampa::campiDellaFinestraPrincipale()
{
    // What is on screen prints, edited or not, without the blanks at its ends.
    frmSonoria win(m_fake->platform);
    win.txtBrano->setText(QStringLiteral("  Titolo nuovo  "));
    win.txtArtista->setText(QStringLiteral(" Artista"));
    win.txtAlbum->setText(QStringLiteral("Album "));
    win.txtGenere->setEditText(QStringLiteral(" Rock "));
    win.txtAnno->setText(QStringLiteral("2001"));
    win.txtNote->setText(QStringLiteral("  nota  "));
    win.txtTesto->setPlainText(QStringLiteral("  uno\n  due  "));
    const TestiScheda t = win.testiDaStampare();
    QCOMPARE(t.brano, QStringLiteral("Titolo nuovo"));
    QCOMPARE(t.artista, QStringLiteral("Artista"));
    QCOMPARE(t.album, QStringLiteral("Album"));
    QCOMPARE(t.genere, QStringLiteral("Rock"));
    QCOMPARE(t.anno, QStringLiteral("2001"));
    QCOMPARE(t.note, QStringLiteral("nota"));
    QCOMPARE(t.testo, QStringLiteral("uno\n  due"));
}

void TestStampa::elenco_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("intestazione");
    QTest::addColumn<QString>("totale");
    QTest::newRow("ricerca") << int(TipoElenco::Ricerca)
                             << QStringLiteral("Melodora 1.0 - Genere musicale: rock")
                             << QStringLiteral("Totale voci in elenco: 3");
    QTest::newRow("audio") << int(TipoElenco::Audio) << QStringLiteral("Sonoria in archivio")
                           << QStringLiteral("Totale brani: 3");
}

void TestStampa::elenco()
{
    QFETCH(int, tipo);
    QFETCH(QString, intestazione);
    QFETCH(QString, totale);
    // Rows print as shown, separators and blanks included.
    const QStringList righe { QStringLiteral("Amore - A -  - 1990  (Scheda 9)"),
        QStringLiteral("Rock and Roll - B - C - 1956  (Scheda 2)"),
        QStringLiteral("Zucchero -  -  -   (Scheda 1)") };
    bool ok = false;
    const auto doc = stampaSuFake([&](PrintSurface& s) {
        ok = StampaRigheElenco(
            s, TipoElenco(tipo), QStringLiteral("Genere musicale: rock"), righe, kAdesso);
    });
    QVERIFY(ok);
    QStringList atteso { QStringLiteral("Orientation 1"),
        QStringLiteral("FontName Times New Roman"), QStringLiteral("FontBold false"),
        QStringLiteral("FontSize 18"), QStringLiteral("FontItalic false"),
        QStringLiteral("ScaleMode 1"), QStringLiteral("ScaleLeft -600"), QStringLiteral("Print  "),
        QStringLiteral("Print ") + intestazione, QStringLiteral("Print ") + kRegolaElenco,
        QStringLiteral("Print    "), QStringLiteral("FontSize 12") };
    for (const QString& r : righe)
        atteso << QStringLiteral("Print ") + r;
    atteso << QStringLiteral("FontSize 18") << QStringLiteral("Print ") + kRegolaElenco
           << QStringLiteral("Print    ") << QStringLiteral("FontSize 12")
           << QStringLiteral("Print ") + totale << QStringLiteral("FontSize 18")
           << QStringLiteral("Print ") + kRegolaElenco << QStringLiteral("FontSize 10")
           << QStringLiteral("Print ") + kPiede << QStringLiteral("EndDoc");
    QCOMPARE(doc.operazioni, atteso);
    // Times New Roman 18 regular for the heading, 12 for the rows, at the 600-twip margin.
    const RigaStampata& testa = doc.righe.at(1);
    QCOMPARE(testa.font, QStringLiteral("Times New Roman"));
    QCOMPARE(testa.size, 18.0);
    QVERIFY(!testa.bold && !testa.italic);
    QCOMPARE(testa.scaleLeft, -600.0);
    QCOMPARE(doc.righe.at(4).size, 12.0);
}

void TestStampa::elencoUnaRiga()
{
    const auto doc = stampaSuFake([&](PrintSurface& s) {
        StampaRigheElenco(
            s, TipoElenco::Audio, QString(), { QStringLiteral("Sola  (Scheda 1)") }, kAdesso);
    });
    const QStringList righe = doc.righeComplete();
    QCOMPARE(righe.count(QStringLiteral("Sola  (Scheda 1)")), 1);
    QVERIFY(righe.contains(QStringLiteral("Totale brani: 1")));
}

void TestStampa::elencoVuotoOAnnullato()
{
    StampaElenco(m_fake->platform, nullptr, TipoElenco::Audio, QString(), {});
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    MessaggioMostrato m = m_fake->messaggi.mostrati.takeFirst();
    QCOMPARE(m.testo, QStringLiteral("La lista non contiene nessuna voce."));
    QCOMPARE(m.titolo, QStringLiteral("Attenzione: Stampa non applicabile"));
    QCOMPARE(m.icona, Icona::Esclamazione);
    QCOMPARE(m.pulsanti, Pulsanti::Ok);
    QVERIFY(m_fake->stampante.documenti.empty());

    m_fake->messaggi.risposte.enqueue(Risposta::Annulla);
    StampaElenco(m_fake->platform, nullptr, TipoElenco::Ricerca, QStringLiteral("Brano: a"),
        { QStringLiteral("a") });
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    m = m_fake->messaggi.mostrati.takeFirst();
    QCOMPARE(m.testo, QStringLiteral("Premere OK per dare inizio alla stampa."));
    QCOMPARE(m.titolo, QStringLiteral("Melodora 1.0 - Stampa elenco sonoria"));
    QCOMPARE(m.icona, Icona::Nessuna);
    QCOMPARE(m.pulsanti, Pulsanti::OkAnnulla);
    QVERIFY(m_fake->stampante.documenti.empty());
    QCOMPARE(m_fake->messaggi.beep_, 0);
}

void TestStampa::elencoDallaFinestra()
{
    const QString pdf = m_dir->filePath(QStringLiteral("elenco.pdf"));
    m_fake->stampante.copione.filePdf = pdf;
    const QDateTime prima = QDateTime::currentDateTime();
    StampaElenco(m_fake->platform, nullptr, TipoElenco::Ricerca, QStringLiteral("Brano: a"),
        { QStringLiteral("a - b - c - d  (Scheda 4)") });
    const QDateTime dopo = QDateTime::currentDateTime();
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1); // only the prompt
    QCOMPARE(m_fake->stampante.documenti.size(), size_t(1));
    const QStringList righe = m_fake->stampante.documenti.front()->righeComplete();
    QCOMPARE(righe.value(1), QStringLiteral("Melodora 1.0 - Brano: a"));
    QCOMPARE(righe.value(4), QStringLiteral("a - b - c - d  (Scheda 4)"));
    // The footer carries the time of printing.
    const QString piede = righe.last();
    const QRegularExpression forma(QStringLiteral(
        "^Scheda stampata in data (\\d\\d/\\d\\d/\\d{4}) alle ore (\\d\\d:\\d\\d:\\d\\d)$"));
    const QRegularExpressionMatch trovato = forma.match(piede);
    QVERIFY2(trovato.hasMatch(), qPrintable(piede));
    const QDateTime stampato(QDate::fromString(trovato.captured(1), QStringLiteral("dd/MM/yyyy")),
        QTime::fromString(trovato.captured(2), QStringLiteral("HH:mm:ss")));
    QVERIFY(stampato >= prima.addMSecs(-prima.time().msec()) && stampato <= dopo);
    QCOMPARE(m_fake->shell.url_, QList<QUrl> { QUrl::fromLocalFile(pdf) });
}

void TestStampa::elencoErrore_data()
{
    QTest::addColumn<bool>("disponibile");
    QTest::addColumn<int>("fallisceAlPrint");
    QTest::addColumn<bool>("fallisceEndDoc");
    QTest::addColumn<QString>("ultima");
    QTest::newRow("nessun documento") << false << -1 << false << QString();
    QTest::newRow("intestazione") << true << 1 << false
                                  << QStringLiteral("Print Sonoria in archivio");
    QTest::newRow("una riga") << true << 5 << false << QStringLiteral("Print b");
    QTest::newRow("fine documento") << true << -1 << true << QStringLiteral("EndDoc");
}

void TestStampa::elencoErrore()
{
    QFETCH(bool, disponibile);
    QFETCH(int, fallisceAlPrint);
    QFETCH(bool, fallisceEndDoc);
    QFETCH(QString, ultima);
    m_fake->stampante.disponibile = disponibile;
    m_fake->stampante.copione.fallisceAlPrint = fallisceAlPrint;
    m_fake->stampante.copione.fallisceEndDoc = fallisceEndDoc;
    m_fake->stampante.copione.filePdf = m_dir->filePath(QStringLiteral("x.pdf"));
    StampaElenco(m_fake->platform, nullptr, TipoElenco::Audio, QString(),
        { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    QCOMPARE(m_fake->messaggi.beep_, 1);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 2);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.at(1);
    QCOMPARE(m.testo, kErrore);
    QCOMPARE(m.titolo, QStringLiteral("Attenzione: Operazione non eseguibile"));
    QCOMPARE(m.icona, Icona::Critica);
    QCOMPARE(m.pulsanti, Pulsanti::Ok);
    QVERIFY(m_fake->shell.url_.isEmpty());
    // The printout is abandoned at the failing step.
    if (disponibile)
        QCOMPARE(m_fake->stampante.documenti.front()->operazioni.last(), ultima);
}

QTEST_MAIN(TestStampa)
#include "test_stampa.moc"
