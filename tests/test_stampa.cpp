// The card and list printouts, through a print surface that records every call.
#include "FinestraDiProva.h"
#include "printing/StampaElenco.h"
#include "printing/StampaScheda.h"
#include "printing/frmStampa.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kNbsp = QString(QChar(0xA0));
const QDateTime kAdesso(QDate(2024, 3, 5), QTime(9, 7, 3));
const QString kPiede = QStringLiteral("Scheda stampata in data 05/03/2024 alle ore 09:07:03");
const QString kErrore
    = QStringLiteral("Si è verificato un errore durante l'operazione di stampa.\r\n\r\n"
                     "Accertarsi che la stampante sia configurata correttamente.");

enum Impaginazione { Informazioni, Completa, SoloTesto, ElencoRicerca };

TestiScheda schedaDiProva(const QString& artista = QStringLiteral("I Girasoli"),
    const QString& note = QStringLiteral("Dal vivo"))
{
    return { QStringLiteral("Cielo di vetro"), artista, QStringLiteral("Onde"),
        QStringLiteral("Pop"), QStringLiteral("1965"), note,
        QStringLiteral("Prima riga\r\n\r\nseconda  riga") };
}

/** The printout as text: one line per output, with its font, its place on the page
 *  (twips from the paper's edge) and its text between bars; ";" when it stays on the line. */
QString stampato(const DocumentoRegistrato& doc)
{
    QStringList esito = doc.operazioni.filter(QRegularExpression(QStringLiteral("^Orientation")));
    for (const RigaStampata& r : doc.righe) {
        QString testo = r.testo;
        testo.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
            .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
            .replace(QChar(0xA0), QLatin1Char('~'));
        const QString stile = QString::number(r.size) + (r.bold ? QStringLiteral("B") : QString())
            + (r.italic ? QStringLiteral("I") : QString())
            + (r.underline ? QStringLiteral("U") : QString());
        esito << QStringLiteral("%1 %2 x%3 |%4|%5")
                     .arg(r.font, stile, QString::number(r.currentX - r.scaleLeft), testo,
                         r.aCapo ? QString() : QStringLiteral(";"));
    }
    esito << QStringLiteral("EndDoc %1").arg(doc.endDoc);
    return esito.join(QLatin1Char('\n'));
}

DocumentoRegistrato registra(
    const std::function<void(PrintSurface&)>& disegno, CopioneStampa copione = {})
{
    DocumentoRegistrato doc;
    FakeStampa stampa(doc, std::move(copione));
    disegno(stampa);
    return doc;
}
}

class TestStampa : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void impaginazione_data();
    void impaginazione();
    void aCapo_data();
    void aCapo();
    void rigaACapo_data();
    void rigaACapo();

    void dialogo();
    void dialogoTitoloVuoto();
    void campiDellaFinestraPrincipale();

    void elencoVuotoOAnnullato();
    void stampa_data();
    void stampa();

private:
    std::unique_ptr<CartellaDiProva> m_cartella;
    FakePlatform* m_fake = nullptr;
};

void TestStampa::init()
{
    m_cartella = std::make_unique<CartellaDiProva>();
    m_fake = &m_cartella->fake;
    m_fake->tasti.consegna = false;
}

void TestStampa::cleanup() { m_cartella.reset(); }

void TestStampa::impaginazione_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("artista");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("atteso");
    const QString a = QStringLiteral("I Girasoli");
    const QString n = QStringLiteral("Dal vivo");
    // Each line: font, size and style (Bold, Italic, Underline), twips from the paper's left
    // edge, the text between bars ("~" a fixed blank); ";" keeps the next output on the line.
    const QString testa = QStringLiteral(R"(Orientation 1
Arial 14BI x600 ||
Arial 14BI x600 ||
Arial 14BI x600 |%1|
Arial 14 x600 |_____________________________________________________________________\r\n|
)");
    const QString etichette = QStringLiteral(R"(Arial 10U x600 |Artista o gruppo:|;
Arial 10 x4100 |I Girasoli\r\n|
Arial 10U x600 |Album:|;
Arial 10 x4100 |Onde\r\n|
Arial 10U x600 |Genere musicale:|;
Arial 10 x4100 |Pop\r\n|
Arial 10U x600 |Anno di pubblicazione:|;
Arial 10 x4100 |1965\r\n|
Arial 10 x600 ||
Arial 10 x0 ||
Arial 10 x600 |NOTE: Dal vivo ~|
)");
    const QString versi = QStringLiteral(R"(Arial 10 x600 |Prima riga|
Arial 10 x600 ||
Arial 10 x600 |seconda riga ~|
)");
    const QString coda = QStringLiteral(R"(Arial 10 x600 ||
Arial 14 x600 |_____________________________________________________________________\r\n|
Arial 10 x600 |Scheda stampata in data 05/03/2024 alle ore 09:07:03|
Arial 10 x600 ||
EndDoc 1)");
    const QString titolo = testa.arg(QStringLiteral("Cielo di vetro"));
    const QString informazioni = titolo + etichette + coda;
    QTest::newRow("informazioni") << int(Informazioni) << a << n << informazioni;
    // "NOTE:" alone, and the invisible last word: the blanks between them collapse.
    QTest::newRow("nota vuota") << int(Informazioni) << a << QString()
                                << QString(informazioni)
                                       .replace(QStringLiteral("NOTE: Dal vivo ~"),
                                           QStringLiteral("NOTE: ~"));
    QTest::newRow("completa") << int(Completa) << a << n
                              << titolo + etichette + QStringLiteral(R"(Arial 10 x0 ||
Arial 10 x0 ||
Arial 10 x0 ||
Arial 10 x600 |TESTO DELLA CANZONE:|
Arial 10 x600 ||
)") + versi + coda;
    const QString soloTesto = QStringLiteral("Arial 10 x0 ||\n") + versi + coda;
    QTest::newRow("solo testo") << int(SoloTesto) << a << n
                                << testa.arg(QStringLiteral("Cielo di vetro di I Girasoli"))
            + soloTesto;
    QTest::newRow("solo testo, artista vuoto")
        << int(SoloTesto) << QString() << n << titolo + soloTesto;
    // Rows print as shown, separators and blanks included.
    const QString elenco = QStringLiteral(R"(Orientation 1
Times New Roman 18 x600 | |
Times New Roman 18 x600 |Melodora 1.0 - Genere musicale: rock|
Times New Roman 18 x600 |______________________________|
Times New Roman 18 x600 |   |
Times New Roman 12 x600 |Amore - A -  - 1990  (Scheda 9)|
Times New Roman 12 x600 |Rock and Roll - B - C - 1956  (Scheda 2)|
Times New Roman 12 x600 |Zucchero -  -  -   (Scheda 1)|
Times New Roman 18 x600 |______________________________|
Times New Roman 18 x600 |   |
Times New Roman 12 x600 |Totale voci in elenco: 3|
Times New Roman 18 x600 |______________________________|
Times New Roman 10 x600 |Scheda stampata in data 05/03/2024 alle ore 09:07:03|
EndDoc 1)");
    QTest::newRow("elenco di ricerca") << int(ElencoRicerca) << a << n << elenco;
}

void TestStampa::impaginazione()
{
    QFETCH(int, tipo);
    QFETCH(QString, artista);
    QFETCH(QString, note);
    QFETCH(QString, atteso);
    const TestiScheda testi = schedaDiProva(artista, note);
    const QStringList voci { QStringLiteral("Amore - A -  - 1990  (Scheda 9)"),
        QStringLiteral("Rock and Roll - B - C - 1956  (Scheda 2)"),
        QStringLiteral("Zucchero -  -  -   (Scheda 1)") };
    bool ok = false;
    const auto doc = registra([&](PrintSurface& s) {
        switch (tipo) {
        case Informazioni:
            ok = StampaInformazioni(s, testi, kAdesso);
            break;
        case Completa:
            ok = StampaCompleta(s, testi, kAdesso);
            break;
        case SoloTesto:
            ok = StampaTesto(s, testi, kAdesso);
            break;
        default:
            ok = StampaRigheElenco(
                s, TipoElenco::Ricerca, QStringLiteral("Genere musicale: rock"), voci, kAdesso);
        }
    });
    QVERIFY(ok);
    QCOMPARE(stampato(doc), atteso);
}

void TestStampa::aCapo_data()
{
    // Every character measures 100 twips; the usable width is ScaleWidth - 1500.
    QTest::addColumn<int>("caratteri");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("righe");
    const auto riga
        = [](const char* nome, int caratteri, const QString& testo, const QStringList& righe) {
              QTest::newRow(nome) << caratteri << testo << righe;
          };
    riga("esattamente piena", 11, QStringLiteral("aaaaa bbbbb"), { QStringLiteral("aaaaa bbbbb") });
    riga("un carattere di troppo", 10, QStringLiteral("aaaaa bbbbb"),
        { QStringLiteral("aaaaa"), QStringLiteral("bbbbb") });
    riga("spazi compressi", 40, QStringLiteral("  uno   due    tre  "),
        { QStringLiteral("uno due tre") });
    riga("la tabulazione non separa", 40, QStringLiteral("a\tb  c"), { QStringLiteral("a\tb c") });
    riga("righe vuote LF", 40, QStringLiteral("uno\n\ndue"),
        { QStringLiteral("uno"), QString(), QStringLiteral("due") });
    riga("riga di soli spazi", 40, QStringLiteral("uno\n   \ndue"),
        { QStringLiteral("uno"), QString(), QStringLiteral("due") });
    riga("a capo finale", 40, QStringLiteral("uno\r\n"), { QStringLiteral("uno") });
    riga("parola più larga della riga", 5, QStringLiteral("ab lunghissima cd"),
        { QStringLiteral("ab"), QStringLiteral("lunghissima"), QStringLiteral("cd") });
    riga("spazio fisso che sta", 9, QStringLiteral("uno due ") + kNbsp,
        { QStringLiteral("uno due ") + kNbsp });
    riga("spazio fisso a capo", 7, QStringLiteral("uno due ") + kNbsp,
        { QStringLiteral("uno due"), kNbsp });
    // More than 100 paragraphs print whole.
    QStringList versi;
    for (int i = 1; i <= 250; ++i)
        versi.append(QStringLiteral("Verso %1").arg(i));
    riga("250 paragrafi", 40, versi.join(QLatin1Char('\n')), versi);
}

void TestStampa::aCapo()
{
    QFETCH(int, caratteri);
    QFETCH(QString, testo);
    QFETCH(QStringList, righe);
    CopioneStampa copione;
    copione.scaleWidth = 1500 + 100 * caratteri;
    const auto doc = registra([&](PrintSurface& s) { StampaACapo(s, testo); }, copione);
    QCOMPARE(doc.righeComplete(), righe);
    // Each line on its own, placed at the 600-twip margin, and nothing else.
    for (const RigaStampata& r : doc.righe)
        QVERIFY(r.aCapo && r.currentX == 600.0);
    QCOMPARE(doc.operazioni.filter(QRegularExpression(QStringLiteral("^(?!CurrentX 600|Print )"))),
        QStringList());
}

void TestStampa::rigaACapo_data()
{
    // Every character measures 100 twips; a fixed line runs from the origin to
    // ScaleWidth - 1500, and from a tab column to the same place.
    QTest::addColumn<int>("caratteri");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("finePause");
    QTest::addColumn<QStringList>("righe");
    const auto riga = [](const char* nome, int caratteri, int tab, const QString& testo,
                          int finePause, const QStringList& righe) {
        QTest::newRow(nome) << caratteri << tab << testo << finePause << righe;
    };
    riga("esattamente piena", 8, 0, QStringLiteral("uno  due"), -1, { QStringLiteral("uno  due") });
    riga("agli spazi", 10, 0, QStringLiteral("uno due tre quattro"), -1,
        { QStringLiteral("uno due"), QStringLiteral("tre"), QStringLiteral("quattro") });
    // The blanks within a line stay as they are; those at a break are left out.
    const QString voce = QStringLiteral("Amore - A -  - 1990  (Scheda 9)");
    riga("spazi della voce", 20, 0, voce, -1,
        { QStringLiteral("Amore - A -  - 1990"), QStringLiteral("(Scheda 9)") });
    riga("numero spezzato", 28, 0, voce, -1,
        { QStringLiteral("Amore - A -  - 1990  (Scheda"), QStringLiteral("9)") });
    riga("numero tenuto insieme", 28, 0, voce, 22,
        { QStringLiteral("Amore - A -  - 1990"), QStringLiteral("(Scheda 9)") });
    riga("parola più lunga della riga", 5, 0, QStringLiteral("ab lunghissima cd"), -1,
        { QStringLiteral("ab"), QStringLiteral("lungh"), QStringLiteral("issim"),
            QStringLiteral("a cd") });
    // A continuation stands under the text it continues: at the tab column.
    riga("dopo la tabulazione", 45, 36, QStringLiteral("aaaa bbbb cccc dddd"), -1,
        { QStringLiteral("aaaa bbbb"), QStringLiteral("cccc dddd") });
    // Broken inside a word, a letter keeps its accent: 500 twips hold two and a half here.
    const QString e = QStringLiteral("e") + QChar(0x301);
    riga("accenti interi", 40, 36, e.repeated(4), -1, { e.repeated(2), e.repeated(2) });
}

void TestStampa::rigaACapo()
{
    QFETCH(int, caratteri);
    QFETCH(int, tab);
    QFETCH(QString, testo);
    QFETCH(int, finePause);
    QFETCH(QStringList, righe);
    CopioneStampa copione;
    copione.scaleWidth = 1500 + 100 * caratteri;
    const auto doc = registra(
        [&](PrintSurface& s) {
            if (tab)
                s.Tab(tab);
            StampaRigaACapo(s, testo, kCrLf, finePause);
        },
        copione);
    righe.last() += kCrLf; // the line end asked for follows the last line only
    QCOMPARE(doc.righeComplete(), righe);
    const double inizio = tab ? (tab - 1) * 100.0 : 0.0;
    for (const RigaStampata& r : doc.righe)
        QVERIFY(r.aCapo && r.currentX == inizio);
    // What fits is one output, as it always was.
    QCOMPARE(doc.operazioni.filter(QStringLiteral("CurrentX")).size(), righe.size() - 1);
}

void TestStampa::dialogo()
{
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Melodora 1.0 - Stampa scheda corrente"));
    QCOMPARE(dlg.lblPrinter->text(), QStringLiteral("Stampante predefinita :  Stampante di prova"));
    QVERIFY(dlg.optTutto->isChecked());
    QCOMPARE(m_fake->guida.file, m_cartella->cartella.filePath(QStringLiteral("Sonoria.hlp")));
    dlg.show();
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    QTest::mouseClick(dlg.cmdImp, Qt::LeftButton);
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QVERIFY(dlg.isVisible());
    QTest::mouseClick(dlg.cmdAnnulla, Qt::LeftButton);
    QCOMPARE(chiuso.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(m_fake->stampante.documenti.empty());

    m_fake->stampante.nome.clear();
    frmStampa senzaNome(m_fake->platform, schedaDiProva(), nullptr);
    QCOMPARE(senzaNome.lblPrinter->text(), QStringLiteral("Stampante predefinita :"));
}

void TestStampa::dialogoTitoloVuoto()
{
    QWidget principale;
    auto* txtBrano = new QLineEdit(&principale);
    auto* altro = new QLineEdit(&principale);
    principale.show();
    altro->setFocus();
    QApplication::setActiveWindow(&principale);
    QVERIFY(QTest::qWaitForWindowActive(&principale));

    TestiScheda t = schedaDiProva();
    t.brano = QStringLiteral("     "); // blanks only count as no title
    frmStampa dlg(m_fake->platform, t, txtBrano, &principale);
    dlg.show();
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    dlg.cmdStampa_Click();

    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    QCOMPARE(scatola(m_fake->messaggi.mostrati.first()),
        scatola(QStringLiteral("E' necessario compilare il campo Titolo del brano prima di "
                               "procedere alla stampa della scheda."),
            QStringLiteral("Melodora 1.0 - Stampa non applicabile"), Icona::Informazione,
            Pulsanti::Ok));
    QVERIFY(m_fake->stampante.documenti.empty());
    QCOMPARE(chiuso.count(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), txtBrano);
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
    QCOMPARE((QStringList { t.brano, t.artista, t.album, t.genere, t.anno, t.note, t.testo }),
        (QStringList { "Titolo nuovo", "Artista", "Album", "Rock", "2001", "nota", "uno\n  due" }));
}

void TestStampa::elencoVuotoOAnnullato()
{
    StampaElenco(m_fake->platform, nullptr, TipoElenco::Audio, QString(), {});
    m_fake->messaggi.risposte.enqueue(Risposta::Annulla);
    StampaElenco(m_fake->platform, nullptr, TipoElenco::Ricerca, QStringLiteral("Brano: a"),
        { QStringLiteral("a") });
    QCOMPARE(m_fake->messaggi.mostrati.size(), 2);
    QCOMPARE(scatola(m_fake->messaggi.mostrati.at(0)),
        scatola(QStringLiteral("La lista non contiene nessuna voce."),
            QStringLiteral("Attenzione: Stampa non applicabile"), Icona::Esclamazione,
            Pulsanti::Ok));
    QCOMPARE(scatola(m_fake->messaggi.mostrati.at(1)),
        scatola(QStringLiteral("Premere OK per dare inizio alla stampa."),
            QStringLiteral("Melodora 1.0 - Stampa elenco sonoria"), Icona::Nessuna,
            Pulsanti::OkAnnulla));
    QVERIFY(m_fake->stampante.documenti.empty());
    QCOMPARE(m_fake->messaggi.beep_, 0);
}

void TestStampa::stampa_data()
{
    QTest::addColumn<QString>("opzione"); // the card dialog's choice; empty for the list
    QTest::addColumn<QString>("intestazione"); // what a printout that succeeds begins with
    QTest::addColumn<bool>("testo");
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<bool>("disponibile");
    QTest::addColumn<int>("fallisceAlPrint");
    QTest::addColumn<bool>("fallisceEndDoc");
    QTest::addColumn<QString>("ultima"); // the last call of a failed printout
    const QString titolo = QStringLiteral("Cielo di vetro");
    QTest::newRow("tutto") << "optTutto" << titolo << true << false << true << -1 << false << "";
    QTest::newRow("informazioni, in PDF")
        << "optComm" << titolo << false << true << true << -1 << false << "";
    QTest::newRow("testo") << "optCover"
                           << "Cielo di vetro di I Girasoli" << true << false << true << -1 << false
                           << "";
    QTest::newRow("elenco, in PDF")
        << ""
        << "Melodora 1.0 - Brano: a" << false << true << true << -1 << false << "";
    for (const QString opzione : { "optTutto", "" }) {
        const char* cosa = opzione.isEmpty() ? "elenco" : "scheda";
        const bool elenco = opzione.isEmpty();
        QTest::addRow("%s, nessun documento", cosa)
            << opzione << "" << false << false << false << -1 << false << "";
        QTest::addRow("%s, a metà", cosa)
            << opzione << "" << false << false << true << (elenco ? 5 : 12) << false
            << (elenco ? "Print b" : "");
        QTest::addRow("%s, fine documento", cosa)
            << opzione << "" << false << false << true << -1 << true << "EndDoc";
    }
}

// What the windows print, with the time of printing; a printout that fails is reported and
// abandoned at the failing step, and the card dialog stays open to try again.
void TestStampa::stampa()
{
    QFETCH(QString, opzione);
    QFETCH(QString, intestazione);
    QFETCH(bool, testo);
    QFETCH(bool, pdf);
    QFETCH(bool, disponibile);
    QFETCH(int, fallisceAlPrint);
    QFETCH(bool, fallisceEndDoc);
    QFETCH(QString, ultima);
    const QString file = m_cartella->cartella.filePath(QStringLiteral("Melodora_prova.pdf"));
    m_fake->stampante.disponibile = disponibile;
    m_fake->stampante.copione.fallisceAlPrint = fallisceAlPrint;
    m_fake->stampante.copione.fallisceEndDoc = fallisceEndDoc;
    if (pdf || intestazione.isEmpty())
        m_fake->stampante.copione.filePdf = file;
    const QDateTime prima = QDateTime::currentDateTime();
    frmStampa dlg(m_fake->platform, schedaDiProva(), nullptr, nullptr, [] { return kAdesso; });
    QSignalSpy chiuso(&dlg, &QDialog::finished);
    if (opzione.isEmpty()) {
        StampaElenco(m_fake->platform, nullptr, TipoElenco::Ricerca, QStringLiteral("Brano: a"),
            { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    } else {
        dlg.show();
        QTest::mouseClick(dlg.findChild<QRadioButton*>(opzione), Qt::LeftButton);
        QTest::mouseClick(dlg.cmdStampa, Qt::LeftButton);
    }
    const QDateTime dopo = QDateTime::currentDateTime();
    const int domande = opzione.isEmpty() ? 1 : 0; // the list's prompt
    if (!intestazione.isEmpty()) {
        QCOMPARE(m_fake->stampante.documenti.size(), size_t(1));
        const DocumentoRegistrato& doc = *m_fake->stampante.documenti.front();
        const QStringList righe = doc.righeComplete();
        QCOMPARE(righe.value(opzione.isEmpty() ? 1 : 2), intestazione);
        QCOMPARE(righe.contains(QStringLiteral("seconda riga ") + kNbsp), testo);
        QCOMPARE(doc.endDoc, 1);
        // The footer carries the time of printing.
        const QString piede = righe.value(righe.size() - (opzione.isEmpty() ? 1 : 2));
        if (opzione.isEmpty()) {
            const QDateTime ora = QDateTime::fromString(
                piede, QStringLiteral("'Scheda stampata in data 'dd/MM/yyyy' alle ore 'HH:mm:ss"));
            QVERIFY2(ora >= prima.addMSecs(-prima.time().msec()) && ora <= dopo, qPrintable(piede));
        } else {
            QCOMPARE(piede, kPiede);
        }
        QCOMPARE(m_fake->messaggi.mostrati.size(), domande);
        QCOMPARE(
            m_fake->shell.url_, pdf ? QList<QUrl> { QUrl::fromLocalFile(file) } : QList<QUrl>());
        // Printed: the dialog closes.
        QCOMPARE(chiuso.count(), opzione.isEmpty() ? 0 : 1);
        QCOMPARE(dlg.result(), int(opzione.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        return;
    }
    QCOMPARE(chiuso.count(), 0);
    QCOMPARE(dlg.isVisible(), !opzione.isEmpty());
    QCOMPARE(m_fake->messaggi.beep_, 1);
    QCOMPARE(m_fake->messaggi.mostrati.size(), domande + 1);
    QCOMPARE(scatola(m_fake->messaggi.mostrati.last()),
        scatola(kErrore, QStringLiteral("Attenzione: Operazione non eseguibile"), Icona::Critica,
            Pulsanti::Ok));
    QVERIFY(m_fake->shell.url_.isEmpty());
    if (!ultima.isEmpty())
        QCOMPARE(m_fake->stampante.documenti.front()->operazioni.last(), ultima);
}

QTEST_MAIN(TestStampa)
#include "test_stampa.moc"
