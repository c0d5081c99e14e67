// Saving, deleting and the eraser, through the main window's real widgets.
#include "ArchivioDiProva.h"
#include "FileOpsGuasti.h"
#include "FinestraDiProva.h"
#include "archive/Redazione.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
const QString kSeparatore = QStringLiteral("\r\n\r\n");
const QString kTitoloErrore = QStringLiteral("Melodora 1.0 - Messaggio di errore");
const QString kErroreSalvataggio = QStringLiteral(
    "Il Sistema non permette di salvare i dati.\r\n\r\nAccertarsi che il file di archivio "
    "(Sonoria.sng) non abbia attributi di protezione.");
const QString kErroreCancellazione
    = QStringLiteral("Impossibile eliminare la scheda.\r\n\r\nAccertarsi che il file di "
                     "archivio non abbia attributi di protezione.");
const QString kSalvataggioRifiutato = QStringLiteral(
    "Impossibile salvare le modifiche.\r\n\r\nLa scheda n. %1 è stata modificata o rimossa da un "
    "altro programma. I dati inseriti sono rimasti nei campi: per archiviarli come una nuova "
    "scheda, fare clic su Salva.");
const QString kRimossaNonSincronizzata
    = QStringLiteral("La scheda è stata rimossa dall'archivio, ma il sistema non ha confermato");
const QString kRimossa = QStringLiteral("La scheda è stata rimossa dall'archivio.");

QList<Scheda> schede(const QStringList& titoli)
{
    QList<Scheda> l;
    for (const QString& t : titoli)
        l.append(schedaDiProva(t, QStringLiteral("Artista di ") + t));
    return l;
}

// Open descriptors of this process: a failure path that forgets a close shows here.
int descrittoriAperti() { return int(QDir(QStringLiteral("/proc/self/fd")).count()); }
}

class TestSalva : public QObject, ConFinestra {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void salvaSenzaTitolo_data();
    void salvaSenzaTitolo();
    void nuovaScheda_data();
    void nuovaScheda();
    void oltreLaFine_data();
    void oltreLaFine();
    void elimina_data();
    void elimina();
    void eliminaNonFatta_data();
    void eliminaNonFatta();
    void altroProgramma();
    void gomma();
    void duranteLaRiproduzione_data();
    void duranteLaRiproduzione();
    void salvaConGuasti_data();
    void salvaConGuasti();
    void eliminaConGuasti_data();
    void eliminaConGuasti();

private:
    QString temporaneo() const { return m_prova->cartella.filePath(QStringLiteral("Schede.tmp")); }
    void clic(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    /** The eight texts and the caption, as the user sees them. */
    QStringList stato() const
    {
        return { m_win->txtBrano->text(), m_win->txtArtista->text(), m_win->txtAlbum->text(),
            m_win->txtGenere->currentText(), m_win->txtAnno->text(), m_win->txtNote->text(),
            m_win->txtTesto->toPlainText(), m_win->txtMP3->text(), m_win->lblPosizione->text() };
    }
    /** Shows card @p n by the navigation buttons, as a user would reach it. */
    void vaiAllaScheda(int n)
    {
        clic(m_win->cmdPrimo);
        for (int i = 1; i < n; ++i)
            clic(m_win->cmdAvanti);
        QCOMPARE(m_win->lblPosizione->text(), frmSonoria::TestoPosizione(n));
    }
    void verificaMessaggio(const MessaggioMostrato& m, const QString& testo, const QString& titolo,
        Icona icona, Pulsanti pulsanti)
    {
        QCOMPARE(scatola(m), scatola(testo, titolo, icona, pulsanti));
    }

    std::unique_ptr<FileOpsGuasti> m_file;
};

void TestSalva::init()
{
    m_file = std::make_unique<FileOpsGuasti>();
    QVERIFY(apri(m_file.get()));
}

void TestSalva::cleanup()
{
    chiudi();
    m_file.reset();
}

void TestSalva::salvaSenzaTitolo_data()
{
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<int>("scheda"); // card on display, 0 for a new one
    QTest::addColumn<bool>("archivioPresente");
    QTest::newRow("vuoto, archivio mancante") << QString() << 0 << false;
    QTest::newRow("solo spazi, scheda 2") << QStringLiteral("   ") << 2 << true;
}

void TestSalva::salvaSenzaTitolo()
{
    QFETCH(QString, titolo);
    QFETCH(int, scheda);
    QFETCH(bool, archivioPresente);
    if (archivioPresente)
        QVERIFY(scriviArchivio(archivio(), schede({ "Uno", "Due", "Tre" })));
    if (scheda > 0)
        vaiAllaScheda(scheda);
    const QByteArray prima = leggiFile(archivio());
    m_win->txtBrano->setText(titolo);
    m_win->txtArtista->setText(QStringLiteral("Qualcuno"));
    m_win->txtNote->setFocus();
    const QStringList campi = stato();
    m_fake->messaggi.mostrati.clear();

    clic(m_win->cmdSalva);

    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    verificaMessaggio(m_fake->messaggi.mostrati.first(),
        QStringLiteral("E' necessario specificare il titolo del brano che si vuole archiviare."),
        QStringLiteral("Melodora 1.0 - Salvataggio non applicabile"), Icona::Esclamazione,
        Pulsanti::Ok);
    QCOMPARE(QApplication::focusWidget(), m_win->txtBrano);
    QCOMPARE(stato(), campi);
    QCOMPARE(m_fake->messaggi.beep_, 0);
    QCOMPARE(QFile::exists(archivio()), archivioPresente);
    QCOMPARE(leggiFile(archivio()), prima);
}

void TestSalva::nuovaScheda_data()
{
    QTest::addColumn<int>("schedePrima"); // -1: no archive file at all
    QTest::newRow("archivio mancante") << -1;
    QTest::newRow("in coda a tre") << 3;
}

void TestSalva::nuovaScheda()
{
    QFETCH(int, schedePrima);
    QList<Scheda> prima;
    if (schedePrima >= 0) {
        prima = schede(QStringList({ "Uno", "Due", "Tre" }).mid(0, schedePrima));
        QVERIFY(scriviArchivio(archivio(), prima));
    }
    const int n = std::max(schedePrima, 0) + 1;
    clic(m_win->cmdNuovo);
    QTest::keyClicks(m_win->txtBrano, QStringLiteral("  Volare "));
    QTest::keyClicks(m_win->txtArtista, QStringLiteral("Domenico"));
    m_win->txtGenere->setEditText(QStringLiteral("Pop"));
    m_win->txtTesto->setPlainText(QStringLiteral("Penso che un sogno così\nnon ritorni mai più"));
    const QStringList campi = stato();

    clic(m_win->cmdSalva);

    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    // One blank from the text and one from the caption before the number.
    verificaMessaggio(m_fake->messaggi.mostrati.last(),
        QStringLiteral("La scheda n.  %1 è stata inserita in archivio.").arg(n),
        QStringLiteral("Melodora 1.0 - Salvataggio terminato"), Icona::Informazione, Pulsanti::Ok);
    QStringList attesi = campi;
    attesi.last() = QStringLiteral(" %1").arg(n);
    QCOMPARE(stato(), attesi);
    const QByteArray dopo = leggiFile(archivio());
    QCOMPARE(dopo.size(), n * 2830);
    QCOMPARE(dopo.left((n - 1) * 2830), byteDi(prima));
    const QByteArray record = dopo.mid((n - 1) * 2830);
    QCOMPARE(record.mid(0, 7), QByteArray("Volare "));
    QCOMPARE(record.mid(6, 114), QByteArray(114, ' '));
    QCOMPARE(
        record.mid(580, 45), QByteArray("Penso che un sogno cos\xec\r\nnon ritorni mai pi\xf9 "));
    QCOMPARE(record.mid(2580), QByteArray(250, ' '));

    // The same fields saved again replace that card: still one card more, not two.
    m_win->txtAnno->setText(QStringLiteral("1958"));
    clic(m_win->cmdSalva);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 2);
    verificaMessaggio(m_fake->messaggi.mostrati.last(),
        QStringLiteral("Le modifiche apportate alla scheda n.  %1 sono state inserite in "
                       "archivio.")
            .arg(n),
        QStringLiteral("Melodora 1.0 - Salvataggio terminato"), Icona::Informazione, Pulsanti::Ok);
    const QByteArray ancora = leggiFile(archivio());
    QCOMPARE(ancora.size(), n * 2830);
    QCOMPARE(ancora.mid((n - 1) * 2830 + 320, 5), QByteArray("1958 "));
}

void TestSalva::oltreLaFine_data()
{
    QTest::addColumn<bool>("elimina");
    QTest::addColumn<int>("scheda");
    QTest::addColumn<int>("lunghezza"); // of the archive, in bytes; -1: no file
    // Deleting card 4 of 3 is the case where closing the gap would drop card 3 instead.
    QTest::newRow("salva 4 di 3") << false << 4 << 3 * 2830;
    QTest::newRow("salva 1, archivio mancante") << false << 1 << -1;
    QTest::newRow("elimina 4 di 3") << true << 4 << 3 * 2830;
    QTest::newRow("elimina 1 di 0") << true << 1 << 0;
}

// The archive was shortened by someone else after this card was shown.
void TestSalva::oltreLaFine()
{
    QFETCH(bool, elimina);
    QFETCH(int, scheda);
    QFETCH(int, lunghezza);
    if (lunghezza >= 0) {
        QVERIFY(scriviArchivio(archivio(), schede({ "Uno", "Due", "Tre" })));
        QVERIFY(QFile::resize(archivio(), lunghezza));
    }
    const QByteArray prima = leggiFile(archivio());
    m_win->MostraScheda(scheda, schedaDiProva(QStringLiteral("Sparita")));
    m_win->txtNote->setFocus();
    const QStringList campi = stato();

    clic(elimina ? m_win->cmdElimina : m_win->cmdSalva);

    const auto& m = m_fake->messaggi.mostrati;
    if (elimina) {
        QCOMPARE(m.size(), 2);
        QCOMPARE(m.at(0).pulsanti, Pulsanti::SiNo);
        verificaMessaggio(m.at(1),
            QStringLiteral("La scheda n. %1 non è più presente in archivio.").arg(scheda)
                + kSeparatore
                + QStringLiteral("L'archivio è stato modificato da un altro programma: nessuna "
                                 "scheda è stata eliminata."),
            kTitoloErrore, Icona::Informazione, Pulsanti::Ok);
        QCOMPARE(stato(), campi);
        QVERIFY(!QFile::exists(temporaneo()));
    } else {
        // The typed fields stay, as a new card that the next save stores.
        QCOMPARE(m.size(), 1);
        verificaMessaggio(m.first(), kSalvataggioRifiutato.arg(scheda), kTitoloErrore,
            Icona::Critica, Pulsanti::Ok);
        QStringList attesi = campi;
        attesi[8] = QString();
        QCOMPARE(stato(), attesi);
    }
    QCOMPARE(m_fake->messaggi.beep_, 1);
    QCOMPARE(leggiFile(archivio()), prima);
    QCOMPARE(QFileInfo(archivio()).size(), std::max(lunghezza, 0));
}

void TestSalva::elimina_data()
{
    QTest::addColumn<QStringList>("titoli");
    QTest::addColumn<int>("scheda");
    QTest::addColumn<bool>("avanzo"); // a Schede.tmp full of junk left by an earlier crash
    QTest::addColumn<QStringList>("restano");
    QTest::addColumn<QString>("didascalia");
    const QStringList tre { "Uno", "Due", "Tre" };
    QTest::newRow("2 di 3, Schede.tmp rimasto")
        << tre << 2 << true << QStringList { "Uno", "Tre" } << " 1";
    QTest::newRow("1 di 3") << tre << 1 << false << QStringList { "Due", "Tre" } << " 1";
    QTest::newRow("3 di 3") << tre << 3 << false << QStringList { "Uno", "Due" } << " 2";
    QTest::newRow("l'unica, Schede.tmp rimasto")
        << QStringList { "Sola" } << 1 << true << QStringList {} << QString();
}

void TestSalva::elimina()
{
    QFETCH(QStringList, titoli);
    QFETCH(int, scheda);
    QFETCH(bool, avanzo);
    QFETCH(QStringList, restano);
    QFETCH(QString, didascalia);
    QVERIFY(scriviArchivio(archivio(), schede(titoli)));
    if (avanzo) {
        QVERIFY(scriviArchivio(temporaneo(), schede({ "Fantasma" })));
        QFile f(temporaneo());
        QVERIFY(f.open(QIODevice::Append) && f.write(QByteArray(7 * 2830 + 100, 'X')) > 0);
    }
    vaiAllaScheda(scheda);
    m_fake->messaggi.mostrati.clear();

    clic(m_win->cmdElimina);

    const auto& m = m_fake->messaggi.mostrati;
    QCOMPARE(m.size(), 2); // the question and the result; no empty-archive message
    verificaMessaggio(m.at(0),
        QStringLiteral("Si vuole proprio cancellare la scheda n. %1?").arg(scheda),
        QStringLiteral("Melodora 1.0 - Conferma operazione"), Icona::Domanda, Pulsanti::SiNo);
    verificaMessaggio(m.at(1), kRimossa, QStringLiteral("Melodora 1.0 - Cancellazione terminata"),
        Icona::Informazione, Pulsanti::Ok);
    QCOMPARE(m_fake->messaggi.beep_, 0);
    QCOMPARE(leggiFile(archivio()), byteDi(schede(restano)));
    QVERIFY(!QFile::exists(temporaneo()));
    QCOMPARE(m_win->lblPosizione->text(), didascalia);
    if (restano.isEmpty()) {
        QCOMPARE(stato(), QStringList(9, QString()));
    } else {
        QCOMPARE(m_win->txtBrano->text(), restano.at(didascalia.trimmed().toInt() - 1));
    }
}

void TestSalva::eliminaNonFatta_data()
{
    QTest::addColumn<bool>("nuova"); // a new card on display: nothing to delete, no question
    QTest::newRow("risposta No") << false;
    QTest::newRow("scheda nuova") << true;
}

void TestSalva::eliminaNonFatta()
{
    QFETCH(bool, nuova);
    QVERIFY(scriviArchivio(archivio(), schede({ "Uno", "Due", "Tre" })));
    const QByteArray prima = leggiFile(archivio());
    if (nuova)
        clic(m_win->cmdNuovo);
    else
        vaiAllaScheda(2);
    QTest::keyClicks(m_win->txtNote, QStringLiteral("modificata ma non salvata"));
    const QStringList campi = stato();
    m_fake->messaggi.mostrati.clear();
    m_fake->messaggi.risposte.enqueue(Risposta::No);

    clic(m_win->cmdElimina);

    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
    if (nuova)
        verificaMessaggio(m,
            QStringLiteral("La cancellazione può essere applicata soltanto ad una scheda già "
                           "presente in archivio.")
                + kSeparatore
                + QStringLiteral("Se si vuole semplicemente vuotare tutti i campi di testo, fare "
                                 "clic su Nuovo."),
            QStringLiteral("Melodora 1.0 - Operazione non applicabile"), Icona::Informazione,
            Pulsanti::Ok);
    else
        QCOMPARE(m.pulsanti, Pulsanti::SiNo);
    QCOMPARE(leggiFile(archivio()), prima);
    QCOMPARE(stato(), campi);
    QVERIFY(!QFile::exists(temporaneo()));
}

// The window shows card 5 while another program deletes card 2: the old card 6 is now
// number 5. Neither delete nor save may touch it, and what was typed stays on screen.
void TestSalva::altroProgramma()
{
    const QList<Scheda> sei = schede({ "Uno", "Due", "Tre", "Quattro", "Cinque", "Sei" });
    QVERIFY(scriviArchivio(archivio(), sei));
    vaiAllaScheda(5);
    QTest::keyClicks(m_win->txtNote, QStringLiteral(" e modificata"));
    QProcess figlio;
    figlio.start(QStringLiteral(MELODORA_CLI),
        { QStringLiteral("--archive"), archivio(), QStringLiteral("delete"), QStringLiteral("2") });
    QVERIFY(figlio.waitForFinished(60000));
    QCOMPARE(figlio.exitCode(), 0);
    const QByteArray delFiglio = leggiFile(archivio());
    const QStringList campi = stato();
    m_fake->messaggi.mostrati.clear();

    clic(m_win->cmdElimina);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 2);
    QCOMPARE(m_fake->messaggi.mostrati.at(1).testo,
        QStringLiteral("La scheda n. 5 è stata modificata da un altro programma: nessuna scheda "
                       "è stata eliminata.")
            + kSeparatore
            + QStringLiteral(
                "Per vedere la scheda com'è ora, tornarvi con i pulsanti di scorrimento."));
    QCOMPARE(stato(), campi);
    clic(m_win->cmdSalva);
    QCOMPARE(m_fake->messaggi.mostrati.last().testo, kSalvataggioRifiutato.arg(5));
    QCOMPARE(leggiFile(archivio()), delFiglio);
    QCOMPARE(stato().mid(0, 8), campi.mid(0, 8));
    QCOMPARE(m_win->lblPosizione->text(), QString());
    // The next save keeps the typed card as a new one.
    clic(m_win->cmdSalva);
    QCOMPARE(m_win->lblPosizione->text(), QStringLiteral(" 6"));
    QCOMPARE(leggiFile(archivio()), delFiglio + m_win->SchedaDaCampi().inByte());
}

void TestSalva::gomma()
{
    QVERIFY(scriviArchivio(archivio(),
        { schedaDiProva(
            QStringLiteral("Uno"), QStringLiteral("A"), QStringLiteral("/m/uno.mp3")) }));
    const QByteArray prima = leggiFile(archivio());
    vaiAllaScheda(1);
    QVERIFY(m_win->cmdPlay->isEnabled());
    QStringList atteso = stato();
    atteso[7] = QString();

    QTest::mouseClick(m_win->imgGomma, Qt::RightButton); // any button erases

    QCOMPARE(stato(), atteso);
    QVERIFY(!m_win->cmdPlay->isEnabled());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
    // Only a save takes the path out of the stored card.
    QCOMPARE(leggiFile(archivio()), prima);
    clic(m_win->cmdSalva);
    QCOMPARE(leggiFile(archivio()).mid(2580), QByteArray(250, ' '));
}

void TestSalva::duranteLaRiproduzione_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<bool>("ferma");
    QTest::newRow("salva") << QStringLiteral("salva") << false;
    QTest::newRow("elimina, risposta No") << QStringLiteral("elimina") << true;
}

void TestSalva::duranteLaRiproduzione()
{
    QFETCH(QString, azione);
    QFETCH(bool, ferma);
    const QString brano = QStringLiteral("/musica/uno.mp3");
    QVERIFY(scriviArchivio(archivio(),
        { schedaDiProva(QStringLiteral("Uno"), QStringLiteral("A"), brano),
            schedaDiProva(QStringLiteral("Due")) }));
    vaiAllaScheda(1);
    clic(m_win->cmdPlay);
    QCOMPARE(m_fake->media.comandi, QStringList { "play " + brano });
    QVERIFY(m_win->cmdStop->isEnabled());
    m_fake->messaggi.risposte.enqueue(Risposta::No);

    if (azione == QLatin1String("salva"))
        clic(m_win->cmdSalva);
    else
        clic(m_win->cmdElimina);

    if (ferma) {
        // The song ends before anything else happens, whatever the answer to the question.
        QCOMPARE(m_fake->media.comandi,
            (QStringList { "play " + brano, "play " + brano, "close " + brano }));
        QVERIFY(!m_win->cmdStop->isEnabled());
    } else {
        QCOMPARE(m_fake->media.comandi, QStringList { "play " + brano });
        QVERIFY(m_win->cmdStop->isEnabled());
        QCOMPARE(m_fake->messaggi.mostrati.last().titolo,
            QStringLiteral("Melodora 1.0 - Salvataggio terminato"));
    }
}

void TestSalva::salvaConGuasti_data()
{
    QTest::addColumn<int>("schedePrima"); // -1: no archive file
    QTest::addColumn<int>("scheda"); // card on display, 0 for a new one
    QTest::newRow("nuova, archivio mancante") << -1 << 0;
    QTest::newRow("nuova in coda") << 2 << 0;
    QTest::newRow("modifica della 2") << 3 << 2;
}

// Every file operation of a save fails in turn: each time the archive must be the old
// one or the new one, and a failure must be told and leave the window as it was.
void TestSalva::salvaConGuasti()
{
    QFETCH(int, schedePrima);
    QFETCH(int, scheda);
    const QList<Scheda> vecchie
        = schede(QStringList({ "Uno", "Due", "Tre" }).mid(0, std::max(schedePrima, 0)));
    const Scheda nuova = schedaDiProva(QStringLiteral("Nuova"), QStringLiteral("Chi"));
    QList<Scheda> nuove = vecchie;
    if (scheda == 0)
        nuove.append(nuova);
    else
        nuove[scheda - 1] = nuova;
    const QByteArray attesoPrima = byteDi(vecchie);
    const QByteArray attesoDopo = byteDi(nuove);
    const QString didascaliaDopo = frmSonoria::TestoPosizione(scheda == 0 ? nuove.size() : scheda);

    int descrittori = -1;
    int guasti = 0;
    for (int n = 1;; ++n) {
        QVERIFY2(n < 200, "the save never ends without a failure");
        QFile::remove(archivio());
        if (schedePrima >= 0)
            QVERIFY(scriviArchivio(archivio(), vecchie));
        m_file->azzera(0);
        if (scheda == 0)
            m_win->cmdNuovo_Click();
        else
            m_win->MostraScheda(scheda, vecchie.at(scheda - 1));
        m_win->txtBrano->setText(QStringLiteral("Nuova"));
        m_win->txtArtista->setText(QStringLiteral("Chi"));
        m_win->txtAlbum->setText(QStringLiteral("Album di Nuova"));
        m_win->txtAnno->setText(QStringLiteral("1999"));
        const QStringList campi = stato();
        m_fake->messaggi.mostrati.clear();
        m_fake->messaggi.beep_ = 0;
        if (descrittori < 0)
            descrittori = descrittoriAperti();
        m_file->azzera(n);

        m_win->cmdSalva_Click();

        const QString contesto = QStringLiteral("guasto alla chiamata %1 (%2)")
                                     .arg(n)
                                     .arg(m_file->registro.value(n - 1));
        const QByteArray dopo = leggiFile(archivio());
        QVERIFY2(dopo == attesoPrima || dopo == attesoDopo, qPrintable(contesto));
        QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
        const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
        if (m.testo == kErroreSalvataggio) {
            QVERIFY2(m_file->guastoAvvenuto, qPrintable(contesto));
            verificaMessaggio(m, kErroreSalvataggio, kTitoloErrore, Icona::Nessuna, Pulsanti::Ok);
            QCOMPARE(m_fake->messaggi.beep_, 1);
            QCOMPARE(stato(), campi);
            // A new card that was written after all would be appended again by the next
            // save: a reported failure of an append must leave the old archive.
            if (scheda == 0)
                QVERIFY2(dopo == attesoPrima, qPrintable(contesto));
            ++guasti;
        } else {
            QVERIFY2(dopo == attesoDopo, qPrintable(contesto + QStringLiteral(": ") + m.testo));
            QCOMPARE(m.titolo, QStringLiteral("Melodora 1.0 - Salvataggio terminato"));
            QCOMPARE(m_win->lblPosizione->text(), didascaliaDopo);
            QCOMPARE(m_fake->messaggi.beep_, 0);
        }
        QCOMPARE(descrittoriAperti(), descrittori);
        if (!m_file->guastoAvvenuto)
            break; // every operation of the save has failed once
    }
    QVERIFY(guasti >= 3);
}

void TestSalva::eliminaConGuasti_data()
{
    QTest::addColumn<QStringList>("titoli");
    QTest::addColumn<int>("scheda");
    QTest::addColumn<bool>("avanzo");
    QTest::addColumn<bool>("senzaCopiaNelNucleo");
    const QStringList tre { "Uno", "Due", "Tre" };
    QTest::newRow("2 di 3") << tre << 2 << false << false;
    QTest::newRow("2 di 3, copia a blocchi") << tre << 2 << false << true;
    QTest::newRow("2 di 3, Schede.tmp rimasto") << tre << 2 << true << false;
    QTest::newRow("3 di 3") << tre << 3 << false << false;
    QTest::newRow("l'unica") << QStringList { "Sola" } << 1 << true << false;
}

void TestSalva::eliminaConGuasti()
{
    QFETCH(QStringList, titoli);
    QFETCH(int, scheda);
    QFETCH(bool, avanzo);
    QFETCH(bool, senzaCopiaNelNucleo);
    const QList<Scheda> vecchie = schede(titoli);
    QList<Scheda> nuove = vecchie;
    nuove.removeAt(scheda - 1);
    const QByteArray attesoPrima = byteDi(vecchie);
    const QByteArray attesoDopo = byteDi(nuove);
    const QByteArray spazzatura(5 * 2830 + 17, 'X');
    m_file->senzaCopiaNelNucleo = senzaCopiaNelNucleo;
    auto prepara = [&] {
        QVERIFY(scriviArchivio(archivio(), vecchie));
        QFile::remove(temporaneo());
        if (avanzo) {
            QFile f(temporaneo());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(spazzatura);
        }
    };
    // The deletion's own operations come first; the ones after them belong to the
    // navigation that shows the card before, which ignores its failures.
    prepara();
    m_file->azzera(0);
    qint64 rimaste = 0;
    QVERIFY(Redazione(archivio(), *m_file).elimina(scheda, vecchie.at(scheda - 1), rimaste).ok);
    const int operazioniCancellazione = m_file->chiamate;
    QVERIFY(operazioniCancellazione >= 8);

    int descrittori = -1;
    int guasti = 0;
    for (int n = 1;; ++n) {
        QVERIFY2(n < 300, "the deletion never ends without a failure");
        prepara();
        m_file->azzera(0);
        m_win->MostraScheda(scheda, vecchie.at(scheda - 1));
        const QStringList campi = stato();
        m_fake->messaggi.mostrati.clear();
        m_fake->messaggi.beep_ = 0;
        if (descrittori < 0)
            descrittori = descrittoriAperti();
        m_file->azzera(n);

        m_win->cmdElimina_Click();

        const QString contesto = QStringLiteral("guasto alla chiamata %1 (%2)")
                                     .arg(n)
                                     .arg(m_file->registro.value(n - 1));
        const QByteArray dopo = leggiFile(archivio());
        QVERIFY2(dopo == attesoPrima || dopo == attesoDopo, qPrintable(contesto));
        // Nothing of an earlier attempt or of this one stays behind, except a leftover
        // that this attempt could not remove.
        if (QFile::exists(temporaneo()))
            QVERIFY2(avanzo && leggiFile(temporaneo()) == spazzatura, qPrintable(contesto));
        // A navigation step that fails after the deletion says so, between the two.
        auto m = m_fake->messaggi.mostrati;
        if (m.size() == 3 && m.at(1).testo.startsWith(QStringLiteral("Impossibile leggere")))
            m.removeAt(1);
        QCOMPARE(m.size(), 2);
        QCOMPARE(m.at(0).pulsanti, Pulsanti::SiNo);
        if (dopo == attesoPrima) {
            QVERIFY2(m_file->guastoAvvenuto && n <= operazioniCancellazione, qPrintable(contesto));
            verificaMessaggio(
                m.at(1), kErroreCancellazione, kTitoloErrore, Icona::Informazione, Pulsanti::Ok);
            QCOMPARE(m_fake->messaggi.beep_, 1);
            QCOMPARE(stato(), campi);
            ++guasti;
        } else if (n <= operazioniCancellazione || !m_file->guastoAvvenuto) {
            // The archive lost the card: the window no longer shows it, whether the folder
            // sync after the rename failed (reported) or not.
            const QString atteso
                = nuove.isEmpty() ? QString() : frmSonoria::TestoPosizione(std::max(1, scheda - 1));
            QCOMPARE(m_win->lblPosizione->text(), atteso);
            QCOMPARE(m_win->txtBrano->text(),
                nuove.isEmpty() ? QString()
                                : nuove.at(std::max(1, scheda - 1) - 1).testo(Campo::Brano));
            if (m.at(1).testo.startsWith(kRimossaNonSincronizzata))
                QVERIFY2(m_file->guastoAvvenuto, qPrintable(contesto));
            else
                QCOMPARE(m.at(1).testo, kRimossa);
        } else {
            QCOMPARE(m.at(1).testo, kRimossa); // a navigation step failed, silently
        }
        QCOMPARE(descrittoriAperti(), descrittori);
        if (!m_file->guastoAvvenuto)
            break;
    }
    QVERIFY(guasti >= 6);
}

QTEST_MAIN(TestSalva)
#include "test_salva.moc"
