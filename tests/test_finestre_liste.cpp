#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "FinestraDiProva.h"
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
    bool operator==(const Aperta&) const = default;
};

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
QString pulsanti(const frmElencoURL& w) { return abilitati({ w.cmdPlay, w.cmdPause, w.cmdStop }); }
}

class TestFinestreListe : public QObject, ConCartella {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The search window.
    void ricercaApertura();
    void ricerca_data();
    void ricerca();
    void indietroEFormati();
    void suggerimento();
    void voceNonPiuInArchivio();

    // The audio list window.
    void elencoAlCaricamento();
    void riproduzione_data();
    void riproduzione();
    void riproduzioneReale();

    void dallaFinestraPrincipale();
    void vociIntere();

private:
    QString archivio() const { return m_cartella->archivio(); }
    void scriviSchede();
    template <class Finestra> std::unique_ptr<Finestra> apri(bool conSchede = true)
    {
        if (conSchede)
            scriviSchede();
        auto w = std::make_unique<Finestra>(m_fake->platform, [this](qint64 n, const Scheda& s) {
            m_aperte.append({ n, s });
        });
        return mostraAttiva(w.get()) ? std::move(w) : nullptr;
    }
    /** Which panel shows, whether the hint shows, what is selected, the messages shown. */
    template <class Finestra> QString stato(const Finestra& w) const
    {
        QString s
            = w.lblFaiClic->isHidden() ? QStringLiteral("senza invito") : QStringLiteral("invito");
        if constexpr (std::is_same_v<Finestra, frmFindInviata>)
            s += w.picOpzioni->isVisible() && !w.picLista->isVisible() ? QStringLiteral(", criteri")
                : !w.picOpzioni->isVisible() && w.picLista->isVisible() ? QStringLiteral(", lista")
                                                                        : QStringLiteral(", ?");
        return s
            + QStringLiteral(", voce %1, %2 messaggi")
                  .arg(w.lstTrovati->selezionato())
                  .arg(m_fake->messaggi.mostrati.size());
    }

    /** Card @p n handed over, as m_aperte holds it; none for 0. */
    QList<Aperta> aperta(qint64 n) const
    {
        return n ? QList<Aperta> { { n, m_schede.at(n - 1) } } : QList<Aperta>();
    }

    QList<Aperta> m_aperte;
    QList<Scheda> m_schede;
};

void TestFinestreListe::init()
{
    prepara();
    m_fake->tasti.consegna = false;
    m_aperte.clear();
}

void TestFinestreListe::cleanup() { m_cartella.reset(); }

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
    m_schede[2].imposta(Campo::Testo, QStringLiteral("Nel blu, dipinto di blu\r\nfelice"));
    m_schede[5].imposta(Campo::Testo, QStringLiteral("Perché il cielo è così BLU?"));
    QVERIFY(scriviArchivio(archivio(), m_schede));
}

void TestFinestreListe::ricercaApertura()
{
    auto w = apri<frmFindInviata>(false);
    QVERIFY(w);
    QCOMPARE(stato(*w), QStringLiteral("senza invito, criteri, voce -1, 0 messaggi"));
    QCOMPARE(m_fake->guida.file, m_cartella->cartella.filePath(QStringLiteral("Sonoria.hlp")));
    // The box with the focus takes the focus colour; the others are white. The lyrics box
    // comes after the genre's button.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindQual));
    QCOMPARE(sfondo(w->txtFindQual), kColoreFuoco);
    QCOMPARE(sfondo(w->txtFindCit), QColor(Qt::white));
    QTest::keyClick(w->txtFindQual, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindCit));
    QCOMPARE(sfondo(w->txtFindQual), QColor(Qt::white));
    QCOMPARE(sfondo(w->txtFindCit), kColoreFuoco);
    w->cmdData->setFocus();
    QTest::keyClick(w->cmdData, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtFindTesto));
    QCOMPARE(sfondo(w->txtFindTesto), kColoreFuoco);
    QCOMPARE(w->cmdTesto->toolTip(), QStringLiteral(" Trova "));
    QTest::mouseClick(w->cmdGuida, Qt::LeftButton);
    QCOMPARE(m_fake->tasti.inviati, QStringList { QStringLiteral("{F1}") });
    QTest::mouseClick(w->cmdChiudi, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestFinestreListe::ricerca_data()
{
    // Each criterion by its button or by Enter in its box: the entries are the command
    // line's for the same field, and a double click on the first opens its card. A criterion
    // of blanks is refused.
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("pulsante"); // empty: Enter
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<QString>("campo"); // the command line's name of the field
    QTest::addColumn<int>("quante");
    QTest::addColumn<int>("prima"); // the card of the first entry
    const auto fila = [](const char* riga, const char* casella, const char* pulsante,
                          const char* criterio, const char* campo, int quante, int prima) {
        QTest::newRow(riga) << QString::fromUtf8(casella) << QString::fromUtf8(pulsante)
                            << QString::fromUtf8(criterio) << QString::fromUtf8(campo) << quante
                            << prima;
    };
    fila("titolo", "txtFindQual", "cmdMittente", "  rock ", "titolo", 2, 3);
    fila("artista, invio", "txtFindCit", "", "ROSSI", "artista", 2, 6);
    fila("album, invio", "txtFindCog", "", "al", "album", 3, 4);
    fila("genere", "txtFindAzi", "cmdData", "rock", "genere", 3, 5);
    fila("testo", "txtFindTesto", "cmdTesto", "blu", "testo", 2, 6);
    fila("testo, invio, nessuna", "txtFindTesto", "", "blu nessuna", "testo", 0, 0);
    fila("titolo vuoto", "txtFindQual", "cmdMittente", "    ", "titolo", 0, 0);
    fila("artista vuoto", "txtFindCit", "cmdOggetto", " ", "artista", 0, 0);
    fila("album vuoto", "txtFindCog", "cmdDestina", "", "album", 0, 0);
    fila("genere vuoto", "txtFindAzi", "cmdData", "  ", "genere", 0, 0);
    fila("testo vuoto, invio", "txtFindTesto", "", "  ", "testo", 0, 0);
}

void TestFinestreListe::ricerca()
{
    QFETCH(QString, casella);
    QFETCH(QString, pulsante);
    QFETCH(QString, criterio);
    QFETCH(QString, campo);
    QFETCH(int, quante);
    QFETCH(int, prima);
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    // The caption's name of each field, and what a search by it needs.
    const QHash<QString, QStringList> campi {
        { "titolo", { "Brano", "le prime lettere del titolo del brano" } },
        { "artista", { "Artista", "le prime lettere del nome dell'artista" } },
        { "album", { "Album", "le prime lettere del titolo dell'album" } },
        { "genere", { "Genere musicale", "le prime lettere del genere musicale" } },
        { "testo", { "Testo", "una o più parole del testo della canzone" } },
    };
    auto* e = w->findChild<QLineEdit*>(casella);
    const bool vuoto = criterio.trimmed().isEmpty();
    if (!vuoto)
        e->setFocus(); // a refusal must bring the focus back to the box itself
    QTest::keyClicks(e, criterio);
    if (pulsante.isEmpty())
        QTest::keyClick(e, Qt::Key_Return);
    else
        QTest::mouseClick(w->findChild<QToolButton*>(pulsante), Qt::LeftButton);
    if (vuoto) {
        QCOMPARE(scatole(m_fake->messaggi),
            Scatole { scatola(
                "Inserire " + campi.value(campo).at(1) + " prima di premere il pulsante Trova.",
                QStringLiteral("Attenzione:"), Icona::Informazione) });
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e));
        QCOMPARE(stato(*w), QStringLiteral("senza invito, criteri, voce -1, 1 messaggi"));
        QCOMPARE(w->lstTrovati->conteggio(), 0);
        return;
    }
    QString out;
    QString err;
    eseguiCli(archivio(), { "search", campo, criterio }, out, err);
    QCOMPARE(voci(w->lstTrovati), out.split(u'\n', Qt::SkipEmptyParts));
    QVERIFY(w->lblTrovati->isVisible());
    QCOMPARE((QStringList { w->lblCriterio->text(), w->lblTrovati->text() }),
        (QStringList { campi.value(campo).at(0) + ": " + criterio.trimmed(),
            QString::number(quante) + "  SCHEDE TROVATE" }));
    QCOMPARE(stato(*w), QStringLiteral("senza invito, lista, voce -1, 0 messaggi"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtCerca));
    if (quante == 0)
        return;
    doppioClic(w->lstTrovati, 0);
    QCOMPARE(m_aperte, aperta(prima));
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Accepted));
}

void TestFinestreListe::indietroEFormati()
{
    auto w = apri<frmFindInviata>();
    QVERIFY(w);
    cerca(w->txtFindQual, w->cmdMittente, QStringLiteral("rock"));
    clic(w->lstTrovati, 1);
    QCOMPARE(stato(*w), QStringLiteral("invito, lista, voce 1, 0 messaggi"));
    QTest::mouseClick(w->cmdIndietro, Qt::LeftButton);
    QCOMPARE(stato(*w), QStringLiteral("invito, criteri, voce 1, 0 messaggi"));
    QCOMPARE(w->lstTrovati->conteggio(), 2); // the list stays until the next search

    // A search keeps the hint as it was; with nothing selected nothing opens.
    cerca(w->txtFindCit, w->cmdOggetto, QStringLiteral("rossi"));
    QCOMPARE(stato(*w), QStringLiteral("invito, lista, voce -1, 0 messaggi"));
    // Typing selects the first entry it begins; letters that begin none hide the hint.
    QTest::keyClicks(w->txtCerca, QStringLiteral("ROSSI - Z"));
    QCOMPARE(stato(*w), QStringLiteral("invito, lista, voce 1, 0 messaggi"));
    QTest::keyClick(w->txtCerca, Qt::Key_X);
    QCOMPARE(stato(*w), QStringLiteral("senza invito, lista, voce -1, 0 messaggi"));
    w->lstTrovati_DblClick();
    QTest::keyClick(w->txtCerca, Qt::Key_Return);
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(w->isVisible());
    // The criterion caption names the format of the entries: with any other beginning
    // nothing opens; a double click on the hint opens the selected entry.
    clic(w->lstTrovati, 0);
    w->lblCriterio->setText(QStringLiteral("Altro: rossi"));
    w->lstTrovati_DblClick();
    QVERIFY(m_aperte.isEmpty());
    w->lblCriterio->setText(QStringLiteral("Artista: rossi"));
    QTest::mouseDClick(w->lblFaiClic, Qt::LeftButton);
    QCOMPARE(m_aperte, aperta(6));
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
    QCOMPARE(m_fake->guida.file, m_cartella->cartella.filePath(QStringLiteral("Sonoria.hlp")));
    // The command line's list; a path of blanks only is not listed, a missing file is.
    QString out;
    QString err;
    QCOMPARE(eseguiCli(archivio(), { "audio" }, out, err), 0);
    QCOMPARE(voci(w->lstTrovati), out.split(u'\n', Qt::SkipEmptyParts));
    QCOMPARE(w->lblTrovati->text(), QStringLiteral("4  brani in archivio"));
    QCOMPARE(stato(*w) + ", " + pulsanti(*w) + w->lblMP3->text(),
        QStringLiteral("senza invito, voce -1, 0 messaggi, 000"));
    w->lstTrovati_DblClick(); // nothing selected: nothing opens
    QVERIFY(m_aperte.isEmpty());
    QVERIFY(m_fake->media.comandi.isEmpty());
}

void TestFinestreListe::riproduzione_data()
{
    QTest::addColumn<QStringList>("passi"); // an entry clicked, letters typed, a widget clicked
    QTest::addColumn<QStringList>("comandi");
    QTest::addColumn<QString>("esito"); // hint, selection, messages, buttons; or "chiusa"
    QTest::addColumn<QString>("mp3"); // the caption, without the blanks that fill it out
    QTest::addColumn<int>("scheda"); // the card handed over, 0 for none
    const QStringList fineRock { "play /m/rock.mp3", "play /m/rock.mp3", "close /m/rock.mp3" };
    // Another entry: the paused song ends first; the new one is ready, not playing.
    QTest::newRow("altra voce dopo la pausa")
        << QStringList { "clic 3", "cmdPlay", "cmdPause", "clic 1" }
        << QStringList { "play /m/zucchero.mp3", "pause /m/zucchero.mp3", "play /m/zucchero.mp3",
               "close /m/zucchero.mp3" }
        << "invito, voce 1, 0 messaggi, 100"
        << "/m/ancora mia.wav" << 0;
    // Letters that begin no entry end the song whatever Stop shows; a file never opened has
    // nothing to end, and more such letters send nothing more.
    QTest::newRow("lettere senza voce, in riproduzione")
        << QStringList { "digita RO", "cmdPlay", "digita Z", "digita Z" } << fineRock
        << "senza invito, voce -1, 0 messaggi, 000" << QString() << 0;
    QTest::newRow("lettere senza voce, pronto")
        << QStringList { "digita RO", "digita Z", "digita Z" } << QStringList()
        << "senza invito, voce -1, 0 messaggi, 000" << QString() << 0;
    // Letters that still begin the playing entry leave the song and its buttons alone;
    // letters that begin another end it and make that one current.
    QTest::newRow("lettere della stessa voce")
        << QStringList { "digita zu", "cmdPlay", "digita cc" }
        << QStringList { "play /m/zucchero.mp3" } << "invito, voce 3, 0 messaggi, 111"
        << "/m/zucchero.mp3" << 0;
    QTest::newRow("lettere di un'altra voce")
        << QStringList { "digita zu", "cmdPlay", "testo a" }
        << QStringList { "play /m/zucchero.mp3", "play /m/zucchero.mp3", "close /m/zucchero.mp3" }
        << "invito, voce 0, 0 messaggi, 100"
        << "/m/manca.mp3" << 0;
    // The volume window leaves the song playing (a path with a blank of its own).
    QTest::newRow("volume") << QStringList { "clic 1", "cmdPlay", "cmdVolume" }
                            << QStringList { "play /m/ancora mia.wav" }
                            << "invito, voce 1, 0 messaggi, 111"
                            << "/m/ancora mia.wav" << 0;
    // Leaving ends the playback; the hint also hands the card over.
    QTest::newRow("fai clic apre la scheda") << QStringList { "clic 2", "cmdPlay", "lblFaiClic" }
                                             << fineRock << "chiusa" << QString() << 3;
    QTest::newRow("chiudi") << QStringList { "clic 2", "cmdPlay", "cmdChiudi" } << fineRock
                            << "chiusa" << QString() << 0;
}

void TestFinestreListe::riproduzione()
{
    QFETCH(QStringList, passi);
    QFETCH(QStringList, comandi);
    QFETCH(QString, esito);
    QFETCH(QString, mp3);
    QFETCH(int, scheda);
    auto w = apri<frmElencoURL>();
    QVERIFY(w);
    bool volume = false;
    const auto sonda = quandoModale<frmVolume>([&](frmVolume* v) {
        volume = true;
        v->reject();
    });
    for (const QString& passo : passi) {
        const QString resto = passo.section(u' ', 1);
        if (passo.startsWith(QLatin1String("clic ")))
            clic(w->lstTrovati, resto.toInt());
        else if (passo.startsWith(QLatin1String("digita ")))
            QTest::keyClicks(w->txtCerca, resto);
        else if (passo.startsWith(QLatin1String("testo ")))
            w->txtCerca->setText(resto);
        else
            QTest::mouseClick(w->findChild<QWidget*>(passo), Qt::LeftButton);
    }
    QCOMPARE(m_fake->media.comandi, comandi);
    QCOMPARE(volume, passi.contains(QLatin1String("cmdVolume")));
    QCOMPARE(m_aperte, aperta(scheda));
    if (!w->isVisible()) {
        QCOMPARE(esito, QStringLiteral("chiusa"));
        w.reset(); // already unloaded: nothing more is sent
        QCOMPARE(m_fake->media.comandi, comandi);
        return;
    }
    QCOMPARE(stato(*w) + ", " + pulsanti(*w), esito);
    // The caption holds the field as stored, blanks and all.
    QCOMPARE(w->lblMP3->text(), mp3.isEmpty() ? QString() : mp3.leftJustified(250));
}

void TestFinestreListe::riproduzioneReale()
{
    // The list's current file is the field as stored, padded with blanks; the real player
    // must still find the file (a path with a blank of its own).
    const QString wav = m_cartella->cartella.filePath(QStringLiteral("tono di prova.wav"));
    QCOMPARE(QProcess::execute(QStringLiteral("sox"),
                 { "-q", "-n", "-r", "44100", "-c", "2", wav, "synth", "5", "sine", "440", "vol",
                     "0.3" }),
        0);
    QVERIFY(scriviArchivio(archivio(), { scheda("Tono", "Prova", {}, {}, wav) }));
    QtMediaService media(m_fake->messaggi);
    Platform piattaforma = m_fake->con(&media);
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
    const auto ricerca = quandoModale<frmFindInviata>([](frmFindInviata* w) {
        cerca(w->txtFindQual, w->cmdMittente, QStringLiteral("amo"));
        QTest::keyClicks(w->txtCerca, QStringLiteral("a"));
        QTest::keyClick(w->txtCerca, Qt::Key_Return);
    });
    principale.cmdTrova_Click();
    QCOMPARE(principale.SchedaDaCampi(), m_schede.at(5));
    QCOMPARE(principale.lblPosizione->text(), QStringLiteral(" 6"));

    const auto lista = quandoModale<frmElencoURL>([](frmElencoURL* w) {
        w->txtCerca->setText(QStringLiteral("àn"));
        doppioClic(w->lstTrovati, w->lstTrovati->selezionato());
    });
    principale.cmdListaMP3_Click();
    QCOMPARE(principale.SchedaDaCampi(), m_schede.at(3));
    QCOMPARE(principale.lblPosizione->text(), QStringLiteral(" 4"));
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
