#include "ArchivioDiProva.h"
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "audio/frmVolume.h"
#include "lists/CasellaElenco.h"
#include "lists/frmElencoURL.h"
#include "lists/frmFindInviata.h"
#include "main_window/frmSonoria.h"
#include "platform/FileOps.h"
#include "platform/MediaQt.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
Scheda scheda(const QString& brano, const QString& artista, const QString& album,
    const QString& genere, const QString& mp3 = {})
{
    Scheda s;
    s.imposta(Campo::Brano, brano);
    s.imposta(Campo::Artista, artista);
    s.imposta(Campo::Album, album);
    s.imposta(Campo::Genere, genere);
    s.imposta(Campo::Anno, QStringLiteral("1999"));
    s.imposta(Campo::Note, QStringLiteral("note di ") + brano);
    s.imposta(Campo::MP3, mp3);
    return s;
}

struct Aperta {
    qint64 n;
    Scheda scheda;
};

QColor sfondo(const QWidget* w) { return w->palette().color(QPalette::Base); }
}

class TestFinestreListe : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The search window.
    void ricercaApertura();
    void criterioVuoto_data();
    void criterioVuoto();
    void ricercaGenere_data();
    void ricercaGenere();
    void titoloIndietroGenere();
    void doppioClicSenzaSelezione();
    void digitazioneRicerca();
    void invioNelleCaselle();
    void suggerimento();
    void voceNonPiuInArchivio();
    void aperturaDallaFinestraPrincipale();

    // The audio list window.
    void elencoAlCaricamento();
    void elencoArchivioVuotoOMancante_data();
    void elencoArchivioVuotoOMancante();
    void clicSuUnaVoce();
    void digitazioneSenzaVoce_data();
    void digitazioneSenzaVoce();
    void digitazioneStessaVoce();
    void faiClicApreLaScheda();
    void chiusuraFermaLaRiproduzione();
    void volumeNonFerma();
    void elencoDallaFinestraPrincipale();
    void riproduzioneReale();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    std::function<void(qint64, const Scheda&)> registra()
    {
        return [this](qint64 n, const Scheda& s) { m_aperte.append({ n, s }); };
    }
    void scriviSchede();
    std::unique_ptr<frmFindInviata> apriRicerca();
    std::unique_ptr<frmElencoURL> apriElenco();
    void cerca(frmFindInviata& w, QLineEdit* casella, QToolButton* pulsante, const QString& testo);
    static QStringList voci(const CasellaElenco* l);
    static void doppioClic(CasellaElenco* l, int riga);
    static void clic(CasellaElenco* l, int riga);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fake;
    QList<Aperta> m_aperte;
    QList<Scheda> m_schede;
};

void TestFinestreListe::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    impostaCartellaProgramma(m_dir->path());
    m_fake = std::make_unique<FakePlatform>();
    m_fake->tasti.consegna = false;
    m_aperte.clear();
    m_schede.clear();
}

void TestFinestreListe::cleanup()
{
    m_fake.reset();
    impostaCartellaProgramma(QString());
    m_dir.reset();
}

void TestFinestreListe::scriviSchede()
{
    m_schede = {
        scheda(QStringLiteral("Zucchero"), QStringLiteral("Rossi"), QStringLiteral("Dolce"),
            QStringLiteral("Pop"), QStringLiteral("/m/zucchero.mp3")),
        scheda(QStringLiteral("Rock and Roll"), QStringLiteral("Elvis"), QStringLiteral("Sole"),
            QStringLiteral("Rock and Roll"), QStringLiteral("   ")),
        scheda(QStringLiteral("Rock"), QStringLiteral("ACDC"), QStringLiteral("Albero"),
            QStringLiteral("ROCK"), QStringLiteral("/m/rock.mp3")),
        scheda(QStringLiteral("Àncora"), QStringLiteral("Bianchi"), QStringLiteral("Alba"),
            QStringLiteral("Hard Rock"), QStringLiteral("/m/ancora mia.wav")),
        scheda(QStringLiteral("Ancore"), QStringLiteral("Verdi"), QStringLiteral("Onde"),
            QStringLiteral("rock")),
        scheda(QStringLiteral("Amore"), QStringLiteral("Rossi"), QStringLiteral("Alberi"),
            QStringLiteral("Pop"), QStringLiteral("/m/manca.mp3")),
    };
    QVERIFY(scriviArchivio(archivio(), m_schede));
}

std::unique_ptr<frmFindInviata> TestFinestreListe::apriRicerca()
{
    auto w = std::make_unique<frmFindInviata>(m_fake->platform, registra());
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        return nullptr;
    return w;
}

std::unique_ptr<frmElencoURL> TestFinestreListe::apriElenco()
{
    auto w = std::make_unique<frmElencoURL>(m_fake->platform, registra());
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        return nullptr;
    return w;
}

void TestFinestreListe::cerca(
    frmFindInviata& w, QLineEdit* casella, QToolButton* pulsante, const QString& testo)
{
    Q_UNUSED(w);
    casella->setFocus();
    casella->setText(testo);
    QTest::mouseClick(pulsante, Qt::LeftButton);
}

QStringList TestFinestreListe::voci(const CasellaElenco* l)
{
    // What the list shows, read back through its model.
    QStringList t;
    for (int i = 0; i < l->model()->rowCount(); ++i)
        t.append(l->model()->index(i, 0).data().toString());
    return t;
}

void TestFinestreListe::doppioClic(CasellaElenco* l, int riga)
{
    const QPoint p = l->rettangolo(riga).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
}

void TestFinestreListe::clic(CasellaElenco* l, int riga)
{
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->rettangolo(riga).center());
}

void TestFinestreListe::ricercaApertura()
{
    auto w = apriRicerca();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Trova scheda"));
    QVERIFY(w->picOpzioni->isVisible());
    QVERIFY(!w->picLista->isVisible());
    QVERIFY(!w->lblTrovati->isVisible());
    QVERIFY(w->lblFaiClic->isHidden());
    QCOMPARE(w->lstTrovati->conteggio(), 0);
    QCOMPARE(w->lblCriterio->text(), QString());
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    QCOMPARE(w->fraMittente->title(), QStringLiteral(" Titolo del brano: "));
    QCOMPARE(w->fraData->title(), QStringLiteral(" Genere musicale: "));
    QCOMPARE(w->cmdDestina->toolTip(), QStringLiteral(" Trova "));
    QCOMPARE(w->txtFindCit->maxLength(), 240);
    QCOMPARE(w->txtFindAzi->maxLength(), 200);
    QCOMPARE(w->txtFindQual->font().family(), QStringLiteral("Times New Roman"));
    // The focus starts in the title box, which takes the focus colour; the others are white.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindQual));
    QCOMPARE(sfondo(w->txtFindQual), QColor(255, 255, 192));
    QCOMPARE(sfondo(w->txtFindCit), QColor(Qt::white));
    QTest::keyClick(w->txtFindQual, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindCit));
    QCOMPARE(sfondo(w->txtFindQual), QColor(Qt::white));
    QCOMPARE(sfondo(w->txtFindCit), QColor(255, 255, 192));
    QCOMPARE(
        w->findChild<QLabel*>(QStringLiteral("imgMittente"))->toolTip(), QStringLiteral(" Zoom "));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("imgDestina"))->toolTip(), QString());
    QTest::mouseClick(w->cmdGuida, Qt::LeftButton);
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QTest::mouseClick(w->cmdChiudi, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestFinestreListe::criterioVuoto_data()
{
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("messaggio");
    const QString titolo = QStringLiteral(
        "Inserire le prime lettere del titolo del brano prima di premere il pulsante Trova.");
    QTest::newRow("titolo vuoto") << "txtFindQual"
                                  << "cmdMittente" << QString() << titolo;
    QTest::newRow("titolo spazi") << "txtFindQual"
                                  << "cmdMittente"
                                  << "    " << titolo;
    QTest::newRow("artista") << "txtFindCit"
                             << "cmdOggetto"
                             << " "
                             << "Inserire le prime lettere del nome dell'artista prima di premere "
                                "il pulsante Trova.";
    QTest::newRow("album") << "txtFindCog"
                           << "cmdDestina" << QString()
                           << "Inserire le prime lettere del titolo dell'album prima di premere il "
                              "pulsante Trova.";
    QTest::newRow("genere") << "txtFindAzi"
                            << "cmdData"
                            << "  "
                            << "Inserire le prime lettere del genere musicale prima di premere il "
                               "pulsante Trova.";
}

void TestFinestreListe::criterioVuoto()
{
    QFETCH(QString, casella);
    QFETCH(QString, pulsante);
    QFETCH(QString, testo);
    QFETCH(QString, messaggio);
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    auto* c = w->findChild<QLineEdit*>(casella);
    cerca(*w, w->txtFindQual, w->findChild<QToolButton*>(pulsante), QString());
    c->setText(testo);
    m_fake->messaggi.mostrati.clear();
    QTest::mouseClick(w->findChild<QToolButton*>(pulsante), Qt::LeftButton);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
    QCOMPARE(m.testo, messaggio);
    QCOMPARE(m.titolo, QStringLiteral("Attenzione:"));
    QCOMPARE(m.icona, Icona::Informazione);
    QCOMPARE(m.pulsanti, Pulsanti::Ok);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c));
    QVERIFY(w->picOpzioni->isVisible());
    QVERIFY(!w->picLista->isVisible());
    QVERIFY(!w->lblTrovati->isVisible());
    QCOMPARE(w->lstTrovati->conteggio(), 0);
}

void TestFinestreListe::ricercaGenere_data()
{
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<QStringList>("attese");
    QTest::newRow("rock") << "rock"
                          << QStringList { "rock - Ancore - Verdi - 1999  (Scheda 5)",
                                 "ROCK - Rock - ACDC - 1999  (Scheda 3)",
                                 "Rock and Roll - Rock and Roll - Elvis - 1999  (Scheda 2)" };
    QTest::newRow("Pops") << "Pops" << QStringList();
    QTest::newRow("41 lettere") << QString(41, QLatin1Char('r')) << QStringList();
}

void TestFinestreListe::ricercaGenere()
{
    QFETCH(QString, criterio);
    QFETCH(QStringList, attese);
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    cerca(*w, w->txtFindAzi, w->cmdData, criterio);
    QCOMPARE(voci(w->lstTrovati), attese);
    QCOMPARE(w->lblTrovati->text(), QString::number(attese.size()) + "  SCHEDE TROVATE");
    QVERIFY(w->lblTrovati->isVisible());
    QVERIFY(w->picLista->isVisible());
    QVERIFY(!w->picOpzioni->isVisible());
    QCOMPARE(w->lblCriterio->text(),
        criterio.size() > 18 ? "Genere musicale: " + criterio.left(18) + "..."
                             : "Genere musicale: " + criterio);
    QCOMPARE(w->lblCerca->text(),
        QStringLiteral("Inserire le prime lettere del genere musicale nel riquadro sottostante:"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtCerca));
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QVERIFY(w->lblFaiClic->isHidden());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestFinestreListe::titoloIndietroGenere()
{
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    cerca(*w, w->txtFindQual, w->cmdMittente, QStringLiteral("  rock "));
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Rock - ACDC - Albero - 1999  (Scheda 3)",
            "Rock and Roll - Elvis - Sole - 1999  (Scheda 2)" }));
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Brano: rock"));
    clic(w->lstTrovati, 1);
    QVERIFY(w->lblFaiClic->isVisible());

    QTest::mouseClick(w->cmdIndietro, Qt::LeftButton);
    QVERIFY(w->picOpzioni->isVisible());
    QVERIFY(!w->picLista->isVisible());
    QVERIFY(!w->lblTrovati->isVisible());
    QCOMPARE(w->lstTrovati->conteggio(), 2); // the list stays until the next search

    // A search keeps the hint as it was; the genre format is rebuilt when a card opens.
    cerca(*w, w->txtFindAzi, w->cmdData, QStringLiteral("pop"));
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Pop - Amore - Rossi - 1999  (Scheda 6)",
            "Pop - Zucchero - Rossi - 1999  (Scheda 1)" }));
    QCOMPARE(w->lblTrovati->text(), QStringLiteral("2  SCHEDE TROVATE"));
    QVERIFY(!w->lblFaiClic->isHidden());
    doppioClic(w->lstTrovati, 1);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(1));
    QCOMPARE(m_aperte.first().scheda, m_schede.at(0));
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Accepted));
}

void TestFinestreListe::doppioClicSenzaSelezione()
{
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    cerca(*w, w->txtFindCit, w->cmdOggetto, QStringLiteral("ROSSI"));
    QCOMPARE(w->lstTrovati->conteggio(), 2);
    w->lstTrovati_DblClick();
    QTest::keyClick(w->txtCerca, Qt::Key_Return);
    QTest::mouseDClick(w->lblFaiClic, Qt::LeftButton);
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(w->isVisible());
    // The criterion caption names the format: with any other beginning nothing opens.
    w->lstTrovati->seleziona(0);
    w->lblCriterio->setText(QStringLiteral("Altro: rossi"));
    w->lstTrovati_DblClick();
    QVERIFY(m_aperte.isEmpty());
}

void TestFinestreListe::digitazioneRicerca()
{
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    cerca(*w, w->txtFindCog, w->cmdDestina, QStringLiteral("al"));
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Alba - Àncora - Bianchi - 1999  (Scheda 4)",
            "Alberi - Amore - Rossi - 1999  (Scheda 6)",
            "Albero - Rock - ACDC - 1999  (Scheda 3)" }));
    QTest::keyClicks(w->txtCerca, QStringLiteral("ALBER"));
    QCOMPARE(w->lstTrovati->selezionato(), 1);
    QVERIFY(w->lblFaiClic->isVisible());
    QTest::keyClick(w->txtCerca, Qt::Key_O);
    QCOMPARE(w->lstTrovati->selezionato(), 2);
    QCOMPARE(w->lstTrovati->testoSelezionato(), w->lstTrovati->voci().at(2));
    QTest::keyClick(w->txtCerca, Qt::Key_X);
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QVERIFY(w->lblFaiClic->isHidden());
    w->txtCerca->clear();
    QVERIFY(w->lstTrovati->selezionato() < 0);
    // Enter in the search box opens the selected entry.
    QTest::keyClicks(w->txtCerca, QStringLiteral("alba"));
    QTest::keyClick(w->txtCerca, Qt::Key_Return);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(4));
    QCOMPARE(m_aperte.first().scheda.testo(Campo::Brano), QStringLiteral("Àncora"));
    QVERIFY(!w->isVisible());
}

void TestFinestreListe::invioNelleCaselle()
{
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    w->txtFindCog->setFocus();
    QTest::keyClicks(w->txtFindCog, QStringLiteral("ond"));
    QTest::keyClick(w->txtFindCog, Qt::Key_Return);
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Album: ond"));
    QCOMPARE(voci(w->lstTrovati), QStringList { "Onde - Ancore - Verdi - 1999  (Scheda 5)" });
    QTest::mouseClick(w->cmdIndietro, Qt::LeftButton);
    QTest::keyClicks(w->txtFindCit, QStringLiteral("elv"));
    QTest::keyClick(w->txtFindCit, Qt::Key_Enter);
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Artista: elv"));
    // The double click on the hint opens the selected entry in the artist format.
    clic(w->lstTrovati, 0);
    QTest::mouseDClick(w->lblFaiClic, Qt::LeftButton);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(2));
}

void TestFinestreListe::suggerimento()
{
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    cerca(*w, w->txtFindAzi, w->cmdData, QStringLiteral("r"));
    QCOMPARE(w->lstTrovati->conteggio(), 3);
    CasellaElenco* l = w->lstTrovati;
    QTest::mouseMove(l->viewport(), l->rettangolo(1).center());
    QTRY_COMPARE(l->toolTip(), " " + l->voci().at(1) + " ");
    // Below the last entry the nearest one is the last.
    QTest::mouseMove(l->viewport(), QPoint(10, l->viewport()->height() - 2));
    QTRY_COMPARE(l->toolTip(), " " + l->voci().at(2) + " ");
    w->lstTrovati_MouseMove(QPoint(-5, 3));
    QCOMPARE(l->toolTip(), QString());
}

void TestFinestreListe::voceNonPiuInArchivio()
{
    scriviSchede();
    auto w = apriRicerca();
    QVERIFY(w);
    cerca(*w, w->txtFindQual, w->cmdMittente, QStringLiteral("zu"));
    QCOMPARE(w->lstTrovati->conteggio(), 1);
    // Another program changed the card behind the window's back: nothing opens.
    m_schede[0].imposta(Campo::Anno, QStringLiteral("2000"));
    QVERIFY(scriviArchivio(archivio(), m_schede));
    doppioClic(w->lstTrovati, 0);
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(w->isVisible());
    // So does an archive cut short, whatever its length.
    QFile f(archivio());
    QVERIFY(f.resize(1000));
    doppioClic(w->lstTrovati, 0);
    QVERIFY(m_aperte.isEmpty());
}

void TestFinestreListe::aperturaDallaFinestraPrincipale()
{
    scriviSchede();
    frmSonoria principale(m_fake->platform);
    principale.show();
    bool visto = false;
    QTimer::singleShot(0, this, [&] {
        auto* w = qobject_cast<frmFindInviata*>(QApplication::activeModalWidget());
        QVERIFY(w);
        visto = true;
        w->txtFindQual->setText(QStringLiteral("amo"));
        QTest::mouseClick(w->cmdMittente, Qt::LeftButton);
        QTest::keyClicks(w->txtCerca, QStringLiteral("a"));
        QTest::keyClick(w->txtCerca, Qt::Key_Return);
    });
    principale.cmdTrova_Click();
    QVERIFY(visto);
    QCOMPARE(principale.lblPosizione->text(), QStringLiteral(" 6"));
    QCOMPARE(principale.txtBrano->text(), QStringLiteral("Amore"));
    QCOMPARE(principale.txtNote->text(), QStringLiteral("note di Amore"));
    QCOMPARE(principale.txtMP3->text(), QStringLiteral("/m/manca.mp3"));
    QVERIFY(principale.findChildren<frmFindInviata*>().isEmpty());
}

void TestFinestreListe::elencoAlCaricamento()
{
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral(" Lista MP3"));
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    // Blanks only: not listed. A file that does not exist: listed. Title order, not card order.
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Amore - Rossi - Alberi - 1999  (Scheda 6)",
            "Àncora - Bianchi - Alba - 1999  (Scheda 4)", "Rock - ACDC - Albero - 1999  (Scheda 3)",
            "Zucchero - Rossi - Dolce - 1999  (Scheda 1)" }));
    QCOMPARE(w->lblTrovati->text(), QStringLiteral("4  brani in archivio"));
    QVERIFY(w->lblTrovati->isVisible());
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QCOMPARE(w->lblMP3->text(), QString());
    QVERIFY(!w->cmdPlay->isEnabled());
    QVERIFY(!w->cmdPause->isEnabled());
    QVERIFY(!w->cmdStop->isEnabled());
    QVERIFY(w->lblFaiClic->isHidden());
    QCOMPARE(
        w->lblCerca->text(), QStringLiteral("Digitare le prime lettere del brano da cercare."));
    QCOMPARE(w->lblFaiClic->text(),
        QStringLiteral(
            "Fare doppio clic sul brano selezionato per visualizzare la relativa scheda."));
    w->lstTrovati_DblClick(); // nothing selected: nothing opens
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(m_fake->media.comandi.isEmpty());
}

void TestFinestreListe::elencoArchivioVuotoOMancante_data()
{
    QTest::addColumn<bool>("crea");
    QTest::newRow("vuoto") << true;
    QTest::newRow("mancante") << false;
}

void TestFinestreListe::elencoArchivioVuotoOMancante()
{
    QFETCH(bool, crea);
    if (crea)
        QVERIFY(scriviArchivio(archivio(), {}));
    auto w = apriElenco();
    QVERIFY(w);
    QCOMPARE(w->lstTrovati->conteggio(), 0);
    QCOMPARE(w->lblTrovati->text(), QStringLiteral("0  brani in archivio"));
    QVERIFY(QFile::exists(archivio()));
}

void TestFinestreListe::clicSuUnaVoce()
{
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    clic(w->lstTrovati, 3);
    // The caption holds the field as stored, blanks and all.
    QCOMPARE(w->lblMP3->text(), m_schede.at(0).grezzo(Campo::MP3));
    QCOMPARE(w->lblMP3->text().size(), 250);
    QVERIFY(w->cmdPlay->isEnabled());
    QVERIFY(!w->cmdPause->isEnabled());
    QVERIFY(!w->cmdStop->isEnabled());
    QVERIFY(w->lblFaiClic->isVisible());
    QVERIFY(m_fake->media.comandi.isEmpty());

    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QCOMPARE(m_fake->media.comandi, QStringList { "play /m/zucchero.mp3" });
    QVERIFY(w->cmdPause->isEnabled());
    QVERIFY(w->cmdStop->isEnabled());
    QTest::mouseClick(w->cmdPause, Qt::LeftButton);
    QVERIFY(!w->cmdPause->isEnabled());
    QVERIFY(w->cmdStop->isEnabled());

    // Another entry: the paused song ends first; the new one is ready, not playing.
    clic(w->lstTrovati, 1);
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/zucchero.mp3", "pause /m/zucchero.mp3", "play /m/zucchero.mp3",
            "close /m/zucchero.mp3" }));
    QCOMPARE(w->lblMP3->text(), m_schede.at(3).grezzo(Campo::MP3));
    QVERIFY(w->cmdPlay->isEnabled());
    QVERIFY(!w->cmdPause->isEnabled());
    QVERIFY(!w->cmdStop->isEnabled());
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QCOMPARE(m_fake->media.comandi.last(), QStringLiteral("play /m/ancora mia.wav"));
    QTest::mouseClick(w->cmdStop, Qt::LeftButton);
    QCOMPARE(m_fake->media.comandi.mid(5),
        (QStringList { "play /m/ancora mia.wav", "close /m/ancora mia.wav" }));
    QVERIFY(w->cmdPlay->isEnabled());
    QVERIFY(!w->cmdStop->isEnabled());
}

void TestFinestreListe::digitazioneSenzaVoce_data()
{
    QTest::addColumn<bool>("suona");
    QTest::addColumn<QStringList>("comandi");
    // Ending the playback when no entry matches does not look at whether the song plays.
    QTest::newRow("in riproduzione")
        << true
        << QStringList { "play /m/rock.mp3", "play /m/rock.mp3", "close /m/rock.mp3",
               "play /m/rock.mp3", "close /m/rock.mp3" };
    QTest::newRow("pronto") << false << QStringList { "play /m/rock.mp3", "close /m/rock.mp3" };
}

void TestFinestreListe::digitazioneSenzaVoce()
{
    QFETCH(bool, suona);
    QFETCH(QStringList, comandi);
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    QTest::keyClicks(w->txtCerca, QStringLiteral("RO"));
    QCOMPARE(w->lstTrovati->selezionato(), 2);
    QCOMPARE(w->lblMP3->text().trimmed(), QStringLiteral("/m/rock.mp3"));
    QVERIFY(w->cmdPlay->isEnabled());
    QVERIFY(w->lblFaiClic->isVisible());
    if (suona)
        QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QTest::keyClick(w->txtCerca, Qt::Key_Z);
    QCOMPARE(m_fake->media.comandi, comandi);
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QVERIFY(!w->cmdPlay->isEnabled());
    QVERIFY(!w->cmdPause->isEnabled());
    QVERIFY(!w->cmdStop->isEnabled());
    QCOMPARE(w->lblMP3->text(), QString());
    QVERIFY(w->lblFaiClic->isHidden());
    // More letters that begin nothing send nothing more.
    QTest::keyClick(w->txtCerca, Qt::Key_Z);
    QCOMPARE(m_fake->media.comandi, comandi);
}

void TestFinestreListe::digitazioneStessaVoce()
{
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    QTest::keyClicks(w->txtCerca, QStringLiteral("zu"));
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    // Letters that still begin the playing entry leave the song and its buttons alone.
    QTest::keyClicks(w->txtCerca, QStringLiteral("cc"));
    QCOMPARE(m_fake->media.comandi, QStringList { "play /m/zucchero.mp3" });
    QVERIFY(w->cmdStop->isEnabled());
    QVERIFY(w->cmdPause->isEnabled());
    // Letters that begin another entry end it and make that one current.
    w->txtCerca->setText(QStringLiteral("a"));
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/zucchero.mp3", "play /m/zucchero.mp3", "close /m/zucchero.mp3" }));
    QCOMPARE(w->lblMP3->text().trimmed(), QStringLiteral("/m/manca.mp3"));
    QVERIFY(w->cmdPlay->isEnabled());
    QVERIFY(!w->cmdStop->isEnabled());
}

void TestFinestreListe::faiClicApreLaScheda()
{
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    clic(w->lstTrovati, 2);
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QTest::mouseClick(w->lblFaiClic, Qt::LeftButton);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(3));
    QCOMPARE(m_aperte.first().scheda, m_schede.at(2));
    QVERIFY(!w->isVisible());
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/rock.mp3", "play /m/rock.mp3", "close /m/rock.mp3" }));
}

void TestFinestreListe::chiusuraFermaLaRiproduzione()
{
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    clic(w->lstTrovati, 0);
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QTest::mouseClick(w->cmdChiudi, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/manca.mp3", "play /m/manca.mp3", "close /m/manca.mp3" }));
    w.reset(); // already unloaded: nothing more is sent
    QCOMPARE(m_fake->media.comandi.size(), 3);
    QVERIFY(m_aperte.isEmpty());
}

void TestFinestreListe::volumeNonFerma()
{
    scriviSchede();
    auto w = apriElenco();
    QVERIFY(w);
    clic(w->lstTrovati, 0);
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    bool aperta = false;
    QTimer::singleShot(0, this, [&] {
        auto* v = qobject_cast<frmVolume*>(QApplication::activeModalWidget());
        aperta = v != nullptr;
        if (v)
            v->reject();
    });
    QTest::mouseClick(w->cmdVolume, Qt::LeftButton);
    QVERIFY(aperta);
    QCOMPARE(m_fake->media.comandi, QStringList { "play /m/manca.mp3" });
    QVERIFY(w->cmdStop->isEnabled());
    QVERIFY(w->isVisible());
}

void TestFinestreListe::elencoDallaFinestraPrincipale()
{
    scriviSchede();
    frmSonoria principale(m_fake->platform);
    principale.show();
    bool visto = false;
    QTimer::singleShot(0, this, [&] {
        auto* w = qobject_cast<frmElencoURL*>(QApplication::activeModalWidget());
        QVERIFY(w);
        visto = true;
        w->txtCerca->setText(QStringLiteral("àn"));
        doppioClic(w->lstTrovati, w->lstTrovati->selezionato());
    });
    principale.cmdListaMP3_Click();
    QVERIFY(visto);
    QCOMPARE(principale.lblPosizione->text(), QStringLiteral(" 4"));
    QCOMPARE(principale.txtBrano->text(), QStringLiteral("Àncora"));
    QCOMPARE(principale.txtGenere->currentText(), QStringLiteral("Hard Rock"));
}

void TestFinestreListe::riproduzioneReale()
{
    // The list's current file is the field as stored, padded with blanks; the real player
    // must still find the file (a path with a blank of its own).
    const QString wav = m_dir->filePath(QStringLiteral("tono di prova.wav"));
    QCOMPARE(QProcess::execute(QStringLiteral("sox"),
                 { "-q", "-n", "-r", "44100", "-c", "2", wav, "synth", "5", "sine", "440", "vol",
                     "0.3" }),
        0);
    QVERIFY(scriviArchivio(
        archivio(), { scheda(QStringLiteral("Tono"), QStringLiteral("Prova"), {}, {}, wav) }));
    QtMediaService media(m_fake->messaggi);
    Platform piattaforma { m_fake->messaggi, m_fake->guida, m_fake->tasti, m_fake->dialoghi, media,
        m_fake->mixer, m_fake->stampante, m_fake->shell, fileOpsReali() };
    auto w = std::make_unique<frmElencoURL>(piattaforma, registra());
    w->show();
    clic(w->lstTrovati, 0);
    QCOMPARE(w->lblMP3->text().size(), 250);
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QVERIFY(media.lettore(wav));
    QTRY_COMPARE_WITH_TIMEOUT(
        media.lettore(wav)->playbackState(), QMediaPlayer::PlayingState, 10000);
    QTest::mouseClick(w->cmdChiudi, Qt::LeftButton);
    QVERIFY(!media.lettore(wav));
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

QTEST_MAIN(TestFinestreListe)
#include "test_finestre_liste.moc"
