#include "ArchivioDiProva.h"
#include "CliDiProva.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProcess>
#include <QScrollBar>
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

QStringList voci(const CasellaElenco* l)
{
    // What the list shows, read back through its model.
    QStringList t;
    for (int i = 0; i < l->model()->rowCount(); ++i)
        t.append(l->model()->index(i, 0).data().toString());
    return t;
}

void clic(CasellaElenco* l, int riga)
{
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->rettangolo(riga).center());
}

void doppioClic(CasellaElenco* l, int riga)
{
    clic(l, riga);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->rettangolo(riga).center());
}

void cerca(QLineEdit* casella, QToolButton* pulsante, const QString& testo)
{
    casella->setFocus();
    casella->setText(testo);
    QTest::mouseClick(pulsante, Qt::LeftButton);
}

// The three playback buttons' enabled states, as "play pause stop" flags.
QString pulsanti(const frmElencoURL& w)
{
    QString s;
    for (const QWidget* b : { w.cmdPlay, w.cmdPause, w.cmdStop })
        s.append(b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0'));
    return s;
}
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
    void suggerimento();
    void voceNonPiuInArchivio();
    void ricercaTesto();

    // The audio list window.
    void elencoAlCaricamento();
    void clicSuUnaVoce();
    void digitazioneSenzaVoce_data();
    void digitazioneSenzaVoce();
    void digitazioneStessaVoce();
    void uscitaFermaLaRiproduzione_data();
    void uscitaFermaLaRiproduzione();
    void volumeNonFerma();
    void riproduzioneReale();

    void dallaFinestraPrincipale();
    void vociIntere();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    void scriviSchede();
    template <class Finestra> std::unique_ptr<Finestra> apri(bool conSchede = true)
    {
        if (conSchede)
            scriviSchede();
        auto w = std::make_unique<Finestra>(m_fake->platform, [this](qint64 n, const Scheda& s) {
            m_aperte.append({ n, s });
        });
        w->show();
        QApplication::setActiveWindow(w.get());
        return QTest::qWaitForWindowActive(w.get()) ? std::move(w) : nullptr;
    }

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
        scheda("Zucchero", "Rossi", "Dolce", "Pop", "/m/zucchero.mp3"),
        scheda("Rock and Roll", "Elvis", "Sole", "Rock and Roll", "   "),
        scheda("Rock", "ACDC", "Albero", "ROCK", "/m/rock.mp3"),
        scheda("Àncora", "Bianchi", "Alba", "Hard Rock", "/m/ancora mia.wav"),
        scheda("Ancore", "Verdi", "Onde", "rock"),
        scheda("Amore", "Rossi", "Alberi", "Pop", "/m/manca.mp3"),
    };
    QVERIFY(scriviArchivio(archivio(), m_schede));
}

void TestFinestreListe::ricercaApertura()
{
    auto w = apri<frmFindInviata>(false);
    QVERIFY(w);
    QVERIFY(w->picOpzioni->isVisible());
    QVERIFY(!w->picLista->isVisible());
    QVERIFY(w->lblFaiClic->isHidden());
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    // The box with the focus takes the focus colour; the others are white.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindQual));
    QCOMPARE(sfondo(w->txtFindQual), QColor(255, 255, 192));
    QCOMPARE(sfondo(w->txtFindCit), QColor(Qt::white));
    QTest::keyClick(w->txtFindQual, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindCit));
    QCOMPARE(sfondo(w->txtFindQual), QColor(Qt::white));
    QCOMPARE(sfondo(w->txtFindCit), QColor(255, 255, 192));
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
    QTest::addColumn<QString>("cosa");
    auto fila = [](const char* c, const char* p, const char* t, const char* cosa) {
        QTest::newRow(c) << QString(c) << QString(p) << QString(t) << QString(cosa);
    };
    fila("txtFindQual", "cmdMittente", "    ", "del titolo del brano");
    fila("txtFindCit", "cmdOggetto", " ", "del nome dell'artista");
    fila("txtFindCog", "cmdDestina", "", "del titolo dell'album");
    fila("txtFindAzi", "cmdData", "  ", "del genere musicale");
}

void TestFinestreListe::criterioVuoto()
{
    QFETCH(QString, casella);
    QFETCH(QString, pulsante);
    QFETCH(QString, testo);
    QFETCH(QString, cosa);
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    w->findChild<QLineEdit*>(casella)->setText(testo);
    QTest::mouseClick(w->findChild<QToolButton*>(pulsante), Qt::LeftButton);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
    QCOMPARE((std::pair { m.testo + " | " + m.titolo, std::pair { m.icona, m.pulsanti } }),
        (std::pair { "Inserire le prime lettere " + cosa
                + " prima di premere il pulsante Trova. | Attenzione:",
            std::pair { Icona::Informazione, Pulsanti::Ok } }));
    QTRY_COMPARE(QApplication::focusWidget(), w->findChild<QWidget*>(casella));
    QVERIFY(w->picOpzioni->isVisible());
    QVERIFY(!w->picLista->isVisible());
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
    QTest::newRow("41 lettere") << QString(41, QLatin1Char('r')) << QStringList();
}

void TestFinestreListe::ricercaGenere()
{
    QFETCH(QString, criterio);
    QFETCH(QStringList, attese);
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    cerca(w->txtFindAzi, w->cmdData, criterio);
    QCOMPARE(voci(w->lstTrovati), attese);
    QCOMPARE(w->lblTrovati->text(), QString::number(attese.size()) + "  SCHEDE TROVATE");
    QVERIFY(w->lblTrovati->isVisible());
    QVERIFY(w->picLista->isVisible());
    QVERIFY(!w->picOpzioni->isVisible());
    QCOMPARE(w->lblCriterio->text(),
        "Genere musicale: " + (criterio.size() > 18 ? criterio.left(18) + "..." : criterio));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtCerca));
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QVERIFY(w->lblFaiClic->isHidden());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestFinestreListe::titoloIndietroGenere()
{
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    cerca(w->txtFindQual, w->cmdMittente, QStringLiteral("  rock "));
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Rock - ACDC - Albero - 1999  (Scheda 3)",
            "Rock and Roll - Elvis - Sole - 1999  (Scheda 2)" }));
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Brano: rock"));
    clic(w->lstTrovati, 1);
    QVERIFY(w->lblFaiClic->isVisible());

    QTest::mouseClick(w->cmdIndietro, Qt::LeftButton);
    QVERIFY(w->picOpzioni->isVisible());
    QVERIFY(!w->picLista->isVisible());
    QCOMPARE(w->lstTrovati->conteggio(), 2); // the list stays until the next search

    // A search keeps the hint as it was; the genre format is rebuilt when a card opens.
    cerca(w->txtFindAzi, w->cmdData, QStringLiteral("pop"));
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Pop - Amore - Rossi - 1999  (Scheda 6)",
            "Pop - Zucchero - Rossi - 1999  (Scheda 1)" }));
    QVERIFY(!w->lblFaiClic->isHidden());
    doppioClic(w->lstTrovati, 1);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(1));
    QCOMPARE(m_aperte.first().scheda, m_schede.at(0));
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Accepted));
}

void TestFinestreListe::ricercaTesto()
{
    m_schede = { scheda("Volare", "Modugno", "Blu", "Pop"), scheda("Mare", "Rossi", "Onde", "Pop"),
        scheda("Cielo", "Verdi", "Blu", "Rock") };
    m_schede[0].imposta(
        Campo::Testo, QStringLiteral("Nel blu, dipinto di blu\r\nfelice di stare lassù"));
    m_schede[1].imposta(Campo::Testo, QStringLiteral("Il mare è blu"));
    m_schede[2].imposta(Campo::Testo, QStringLiteral("Perché il cielo è così BLU?"));
    QVERIFY(scriviArchivio(archivio(), m_schede));
    auto w = apri<frmFindInviata>(false);
    QVERIFY(w);
    // Reached with Tab after the genre's button, like the four others.
    w->cmdData->setFocus();
    QTest::keyClick(w->cmdData, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindTesto));
    QCOMPARE(sfondo(w->txtFindTesto), QColor(255, 255, 192));
    QCOMPARE(w->cmdTesto->toolTip(), QStringLiteral(" Trova "));

    QTest::keyClick(w->txtFindTesto, Qt::Key_Return);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    QCOMPARE(m_fake->messaggi.mostrati.first().titolo, QStringLiteral("Attenzione:"));
    QVERIFY(w->picOpzioni->isVisible());

    QTest::keyClicks(w->txtFindTesto, QStringLiteral("blu PERCHE"));
    QTest::keyClick(w->txtFindTesto, Qt::Key_Return);
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Testo: blu PERCHE"));
    QCOMPARE(w->lblTrovati->text(), QStringLiteral("1  SCHEDE TROVATE"));

    // The same entries as the command line's, in the same order.
    cerca(w->txtFindTesto, w->cmdTesto, QStringLiteral("blu"));
    QString out;
    QString err;
    QCOMPARE(eseguiCli(archivio(), { "search", "testo", "blu" }, out, err), 0);
    QCOMPARE(voci(w->lstTrovati), out.split(u'\n', Qt::SkipEmptyParts));
    QCOMPARE(voci(w->lstTrovati).size(), 3);
    doppioClic(w->lstTrovati, 2);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(1));
    QCOMPARE(m_aperte.first().scheda, m_schede.at(0));
}

void TestFinestreListe::doppioClicSenzaSelezione()
{
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    QTest::keyClicks(w->txtFindCit, QStringLiteral("ROSSI"));
    QTest::keyClick(w->txtFindCit, Qt::Key_Enter);
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Artista: ROSSI"));
    QCOMPARE(w->lstTrovati->conteggio(), 2);
    w->lstTrovati_DblClick();
    QTest::keyClick(w->txtCerca, Qt::Key_Return);
    QTest::mouseDClick(w->lblFaiClic, Qt::LeftButton);
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(w->isVisible());
    // The double click on the hint opens the selected entry in the artist format.
    clic(w->lstTrovati, 0);
    QTest::mouseDClick(w->lblFaiClic, Qt::LeftButton);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(6));
    // The criterion caption names the format: with any other beginning nothing opens.
    w->lblCriterio->setText(QStringLiteral("Altro: rossi"));
    w->lstTrovati_DblClick();
    QCOMPARE(m_aperte.size(), 1);
}

void TestFinestreListe::digitazioneRicerca()
{
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    w->txtFindCog->setFocus();
    QTest::keyClicks(w->txtFindCog, QStringLiteral("al"));
    QTest::keyClick(w->txtFindCog, Qt::Key_Return); // Enter runs the album search
    QCOMPARE(w->lblCriterio->text(), QStringLiteral("Album: al"));
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Alba - Àncora - Bianchi - 1999  (Scheda 4)",
            "Alberi - Amore - Rossi - 1999  (Scheda 6)",
            "Albero - Rock - ACDC - 1999  (Scheda 3)" }));
    QTest::keyClicks(w->txtCerca, QStringLiteral("ALBER"));
    QCOMPARE(w->lstTrovati->selezionato(), 1);
    QVERIFY(w->lblFaiClic->isVisible());
    QTest::keyClick(w->txtCerca, Qt::Key_O);
    QCOMPARE(w->lstTrovati->selezionato(), 2);
    QTest::keyClick(w->txtCerca, Qt::Key_X);
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QVERIFY(w->lblFaiClic->isHidden());
    // Enter in the search box opens the selected entry.
    w->txtCerca->clear();
    QTest::keyClicks(w->txtCerca, QStringLiteral("alba"));
    QTest::keyClick(w->txtCerca, Qt::Key_Return);
    QCOMPARE(m_aperte.size(), 1);
    QCOMPARE(m_aperte.first().n, qint64(4));
    QVERIFY(!w->isVisible());
}

void TestFinestreListe::suggerimento()
{
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    cerca(w->txtFindAzi, w->cmdData, QStringLiteral("r"));
    CasellaElenco* l = w->lstTrovati;
    QCOMPARE(l->conteggio(), 3);
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
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    cerca(w->txtFindQual, w->cmdMittente, QStringLiteral("zu"));
    QCOMPARE(w->lstTrovati->conteggio(), 1);
    // Another program changed the card behind the window's back: nothing opens.
    m_schede[0].imposta(Campo::Anno, QStringLiteral("2000"));
    QVERIFY(scriviArchivio(archivio(), m_schede));
    doppioClic(w->lstTrovati, 0);
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(w->isVisible());
}

void TestFinestreListe::elencoAlCaricamento()
{
    auto w = apri<frmElencoURL>();
    QVERIFY(w);
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    // Blanks only: not listed. A file that does not exist: listed. Title order, not card order.
    QCOMPARE(voci(w->lstTrovati),
        (QStringList { "Amore - Rossi - Alberi - 1999  (Scheda 6)",
            "Àncora - Bianchi - Alba - 1999  (Scheda 4)", "Rock - ACDC - Albero - 1999  (Scheda 3)",
            "Zucchero - Rossi - Dolce - 1999  (Scheda 1)" }));
    QCOMPARE(w->lblTrovati->text(), QStringLiteral("4  brani in archivio"));
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QCOMPARE(w->lblMP3->text(), QString());
    QCOMPARE(pulsanti(*w), QStringLiteral("000"));
    QVERIFY(w->lblFaiClic->isHidden());
    w->lstTrovati_DblClick(); // nothing selected: nothing opens
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(m_fake->media.comandi.isEmpty());
}

void TestFinestreListe::clicSuUnaVoce()
{
    auto w = apri<frmElencoURL>();
    QVERIFY(w);
    clic(w->lstTrovati, 3);
    // The caption holds the field as stored, blanks and all.
    QCOMPARE(w->lblMP3->text(), m_schede.at(0).grezzo(Campo::MP3));
    QCOMPARE(w->lblMP3->text().size(), 250);
    QCOMPARE(pulsanti(*w), QStringLiteral("100"));
    QVERIFY(w->lblFaiClic->isVisible());
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QTest::mouseClick(w->cmdPause, Qt::LeftButton);
    // Another entry: the paused song ends first; the new one is ready, not playing.
    clic(w->lstTrovati, 1);
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/zucchero.mp3", "pause /m/zucchero.mp3", "play /m/zucchero.mp3",
            "close /m/zucchero.mp3" }));
    QCOMPARE(w->lblMP3->text(), m_schede.at(3).grezzo(Campo::MP3));
    QCOMPARE(pulsanti(*w), QStringLiteral("100"));
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QCOMPARE(m_fake->media.comandi.last(), QStringLiteral("play /m/ancora mia.wav"));
}

void TestFinestreListe::digitazioneSenzaVoce_data()
{
    QTest::addColumn<bool>("suona");
    QTest::addColumn<bool>("mancante");
    QTest::addColumn<QStringList>("comandi");
    QTest::addColumn<int>("messaggi");
    // Ending the playback when no entry matches does not look at whether Stop is enabled; a
    // file never opened, or missing, has nothing to end.
    QTest::newRow("in riproduzione")
        << true << false
        << QStringList { "play /m/rock.mp3", "play /m/rock.mp3", "close /m/rock.mp3" } << 0;
    QTest::newRow("pronto") << false << false << QStringList() << 0;
    QTest::newRow("mancante, pronto") << false << true << QStringList() << 0;
    // Reported by the player on the Play, and only there.
    QTest::newRow("mancante, dopo play") << true << true << QStringList { "play " } << 1;
}

void TestFinestreListe::digitazioneSenzaVoce()
{
    QFETCH(bool, suona);
    QFETCH(bool, mancante);
    QFETCH(QStringList, comandi);
    QFETCH(int, messaggi);
    if (mancante)
        m_fake->media.mancanti.append(QStringLiteral("/m/rock.mp3"));
    auto w = apri<frmElencoURL>();
    QVERIFY(w);
    QTest::keyClicks(w->txtCerca, QStringLiteral("RO"));
    QCOMPARE(w->lstTrovati->selezionato(), 2);
    QCOMPARE(w->lblMP3->text().trimmed(), QStringLiteral("/m/rock.mp3"));
    QVERIFY(w->lblFaiClic->isVisible());
    if (suona)
        QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QTest::keyClick(w->txtCerca, Qt::Key_Z);
    QCOMPARE(m_fake->media.comandi, comandi);
    QVERIFY(w->lstTrovati->selezionato() < 0);
    QCOMPARE(pulsanti(*w), QStringLiteral("000"));
    QCOMPARE(w->lblMP3->text(), QString());
    QVERIFY(w->lblFaiClic->isHidden());
    // More letters that begin nothing send nothing more.
    QTest::keyClick(w->txtCerca, Qt::Key_Z);
    QCOMPARE(m_fake->media.comandi, comandi);
    QCOMPARE(m_fake->messaggi.mostrati.size(), messaggi);
}

void TestFinestreListe::digitazioneStessaVoce()
{
    auto w = apri<frmElencoURL>();
    QVERIFY(w);
    QTest::keyClicks(w->txtCerca, QStringLiteral("zu"));
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    // Letters that still begin the playing entry leave the song and its buttons alone.
    QTest::keyClicks(w->txtCerca, QStringLiteral("cc"));
    QCOMPARE(m_fake->media.comandi, QStringList { "play /m/zucchero.mp3" });
    QCOMPARE(pulsanti(*w).mid(1), QStringLiteral("11")); // pause and stop
    // Letters that begin another entry end it and make that one current.
    w->txtCerca->setText(QStringLiteral("a"));
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/zucchero.mp3", "play /m/zucchero.mp3", "close /m/zucchero.mp3" }));
    QCOMPARE(w->lblMP3->text().trimmed(), QStringLiteral("/m/manca.mp3"));
    QCOMPARE(pulsanti(*w), QStringLiteral("100"));
}

void TestFinestreListe::uscitaFermaLaRiproduzione_data()
{
    QTest::addColumn<bool>("apreScheda");
    QTest::newRow("fai clic apre la scheda") << true;
    QTest::newRow("chiudi") << false;
}

void TestFinestreListe::uscitaFermaLaRiproduzione()
{
    QFETCH(bool, apreScheda);
    auto w = apri<frmElencoURL>();
    QVERIFY(w);
    clic(w->lstTrovati, 2);
    QTest::mouseClick(w->cmdPlay, Qt::LeftButton);
    QTest::mouseClick(
        apreScheda ? static_cast<QWidget*>(w->lblFaiClic) : w->cmdChiudi, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play /m/rock.mp3", "play /m/rock.mp3", "close /m/rock.mp3" }));
    QCOMPARE(m_aperte.size(), apreScheda ? 1 : 0);
    if (apreScheda) {
        QCOMPARE(m_aperte.first().n, qint64(3));
        QCOMPARE(m_aperte.first().scheda, m_schede.at(2));
    }
    w.reset(); // already unloaded: nothing more is sent
    QCOMPARE(m_fake->media.comandi.size(), 3);
}

void TestFinestreListe::volumeNonFerma()
{
    auto w = apri<frmElencoURL>();
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

void TestFinestreListe::riproduzioneReale()
{
    // The list's current file is the field as stored, padded with blanks; the real player
    // must still find the file (a path with a blank of its own).
    const QString wav = m_dir->filePath(QStringLiteral("tono di prova.wav"));
    QCOMPARE(QProcess::execute(QStringLiteral("sox"),
                 { "-q", "-n", "-r", "44100", "-c", "2", wav, "synth", "5", "sine", "440", "vol",
                     "0.3" }),
        0);
    QVERIFY(scriviArchivio(archivio(), { scheda("Tono", "Prova", {}, {}, wav) }));
    QtMediaService media(m_fake->messaggi);
    Platform piattaforma { m_fake->messaggi, m_fake->guida, m_fake->tasti, m_fake->dialoghi, media,
        m_fake->mixer, m_fake->stampante, m_fake->shell, fileOpsReali(), m_fake->tag,
        m_fake->avanzamento };
    auto w = std::make_unique<frmElencoURL>(piattaforma, [](qint64, const Scheda&) {});
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

void TestFinestreListe::dallaFinestraPrincipale()
{
    // Both windows hand the chosen card to the main window, and go away.
    scriviSchede();
    frmSonoria principale(m_fake->platform);
    principale.show();
    int visti = 0;
    QTimer::singleShot(0, this, [&] {
        auto* w = qobject_cast<frmFindInviata*>(QApplication::activeModalWidget());
        QVERIFY(w);
        ++visti;
        cerca(w->txtFindQual, w->cmdMittente, QStringLiteral("amo"));
        QTest::keyClicks(w->txtCerca, QStringLiteral("a"));
        QTest::keyClick(w->txtCerca, Qt::Key_Return);
    });
    principale.cmdTrova_Click();
    QCOMPARE(principale.lblPosizione->text(), QStringLiteral(" 6"));
    QCOMPARE(principale.txtBrano->text(), QStringLiteral("Amore"));
    QCOMPARE(principale.txtNote->text(), QStringLiteral("note di Amore"));
    QCOMPARE(principale.txtMP3->text(), QStringLiteral("/m/manca.mp3"));

    QTimer::singleShot(0, this, [&] {
        auto* w = qobject_cast<frmElencoURL*>(QApplication::activeModalWidget());
        QVERIFY(w);
        ++visti;
        w->txtCerca->setText(QStringLiteral("àn"));
        doppioClic(w->lstTrovati, w->lstTrovati->selezionato());
    });
    principale.cmdListaMP3_Click();
    QCOMPARE(visti, 2);
    QCOMPARE(principale.lblPosizione->text(), QStringLiteral(" 4"));
    QCOMPARE(principale.txtGenere->currentText(), QStringLiteral("Hard Rock"));
    QVERIFY(principale.findChildren<frmFindInviata*>().isEmpty());
    QVERIFY(principale.findChildren<frmElencoURL*>().isEmpty());
}

void TestFinestreListe::vociIntere()
{
    // An entry wider than the box is not cut short: the list scrolls sideways to its end,
    // and every row is as wide as the widest, wherever it stands in the list.
    CasellaElenco lista;
    lista.resize(200, 100);
    const QString lunga = QStringLiteral("Cielo di vetro sopra la città che dorme - I Girasoli "
                                         "- Onde del mare e delle colline - 1965  (Scheda 12)");
    lista.riempi({ lunga, QStringLiteral("Corta  (Scheda 3)") });
    lista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lista));
    const int larghezza = lista.fontMetrics().horizontalAdvance(lunga);
    QVERIFY(larghezza > lista.viewport()->width());
    QVERIFY(lista.horizontalScrollBar()->isVisible());
    lista.horizontalScrollBar()->setValue(lista.horizontalScrollBar()->maximum());
    for (int riga = 0; riga < 2; ++riga) {
        QVERIFY(lista.rettangolo(riga).width() > larghezza);
        QVERIFY(lista.rettangolo(riga).right() <= lista.viewport()->width());
    }
}

QTEST_MAIN(TestFinestreListe)
#include "test_finestre_liste.moc"
