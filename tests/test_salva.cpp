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
const QString kTitoloSalvato = QStringLiteral("Melodora 1.0 - Salvataggio terminato");
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
    void nuovaScheda();
    void elimina_data();
    void elimina();
    void eliminaNuova();
    void altroProgramma();
    void gomma();
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
    /**
     * Every file operation of @p azione fails in turn (call n in run n), the window set up
     * afresh by @p prepara each time, until a run in which none failed. After each run the
     * archive holds @p vecchio or @p nuovo and no descriptor is left open; @p verifica(n,
     * whether the archive is the old one, the fields before, a text naming the failure)
     * judges the rest.
     */
    template <typename Prepara, typename Verifica>
    void ogniGuasto(Prepara prepara, void (frmSonoria::*azione)(), const QByteArray& vecchio,
        const QByteArray& nuovo, Verifica verifica)
    {
        const int descrittori = descrittoriAperti();
        for (int n = 1; !QTest::currentTestFailed(); ++n) {
            QVERIFY2(n < 300, "the action never ends without a failure");
            m_file->azzera(0);
            prepara();
            const QStringList campi = stato();
            m_fake->messaggi.mostrati.clear();
            m_fake->messaggi.beep_ = 0;
            m_file->azzera(n);

            (m_win->*azione)();

            const QString contesto = QStringLiteral("guasto alla chiamata %1 (%2)")
                                         .arg(n)
                                         .arg(m_file->registro.value(n - 1));
            const QByteArray dopo = leggiFile(archivio());
            QVERIFY2(dopo == vecchio || dopo == nuovo, qPrintable(contesto));
            verifica(n, dopo == vecchio, campi, contesto);
            QCOMPARE(descrittoriAperti(), descrittori);
            if (!m_file->guastoAvvenuto)
                break; // every operation of the action has failed once
        }
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

void TestSalva::nuovaScheda()
{
    const QList<Scheda> prima = schede({ "Uno", "Due", "Tre" });
    QVERIFY(scriviArchivio(archivio(), prima));
    clic(m_win->cmdNuovo);
    // A title of blanks is none: nothing is written, the user is taken to the title.
    QTest::keyClicks(m_win->txtBrano, QStringLiteral("   "));
    QTest::keyClicks(m_win->txtArtista, QStringLiteral("Domenico"));
    m_win->txtNote->setFocus();
    const QStringList senzaTitolo = stato();
    clic(m_win->cmdSalva);
    QCOMPARE(scatole(m_fake->messaggi),
        Scatole { scatola(QStringLiteral("E' necessario specificare il titolo del brano che si "
                                         "vuole archiviare."),
            QStringLiteral("Melodora 1.0 - Salvataggio non applicabile"), Icona::Esclamazione) });
    QCOMPARE(QApplication::focusWidget(), m_win->txtBrano);
    QCOMPARE(stato(), senzaTitolo);
    QCOMPARE(m_fake->messaggi.beep_, 0);
    QCOMPARE(leggiFile(archivio()), byteDi(prima));
    m_fake->messaggi.mostrati.clear();

    m_win->txtBrano->clear();
    QTest::keyClicks(m_win->txtBrano, QStringLiteral("  Volare "));
    m_win->txtGenere->setEditText(QStringLiteral("Pop"));
    m_win->txtTesto->setPlainText(QStringLiteral("Penso che un sogno così\nnon ritorni mai più"));
    const QStringList campi = stato();

    clic(m_win->cmdSalva);

    // One blank from the text and one from the caption before the number.
    QCOMPARE(scatole(m_fake->messaggi),
        Scatole { scatola(QStringLiteral("La scheda n.  4 è stata inserita in archivio."),
            kTitoloSalvato, Icona::Informazione) });
    QStringList attesi = campi;
    attesi.last() = QStringLiteral(" 4");
    QCOMPARE(stato(), attesi);
    const QByteArray dopo = leggiFile(archivio());
    QCOMPARE(dopo.size(), 4 * 2830);
    QCOMPARE(dopo.left(3 * 2830), byteDi(prima));
    const QByteArray record = dopo.mid(3 * 2830);
    QCOMPARE(record.mid(0, 7), QByteArray("Volare "));
    QCOMPARE(record.mid(6, 114), QByteArray(114, ' '));
    QCOMPARE(
        record.mid(580, 45), QByteArray("Penso che un sogno cos\xec\r\nnon ritorni mai pi\xf9 "));
    QCOMPARE(record.mid(2580), QByteArray(250, ' '));

    // The same fields saved again replace that card: still one card more, not two.
    m_win->txtAnno->setText(QStringLiteral("1958"));
    clic(m_win->cmdSalva);
    QCOMPARE(scatole(m_fake->messaggi).mid(1),
        Scatole { scatola(QStringLiteral("Le modifiche apportate alla scheda n.  4 sono state "
                                         "inserite in archivio."),
            kTitoloSalvato, Icona::Informazione) });
    QCOMPARE(leggiFile(archivio()), dopo.left(3 * 2830 + 320) + "1958 " + dopo.mid(3 * 2830 + 325));
}

void TestSalva::elimina_data()
{
    QTest::addColumn<QStringList>("titoli");
    QTest::addColumn<int>("scheda");
    QTest::addColumn<QStringList>("restano");
    QTest::addColumn<QString>("didascalia");
    const QStringList tre { "Uno", "Due", "Tre" };
    QTest::newRow("2 di 3") << tre << 2 << QStringList { "Uno", "Tre" } << " 1";
    QTest::newRow("l'unica") << QStringList { "Sola" } << 1 << QStringList {} << QString();
}

void TestSalva::elimina()
{
    QFETCH(QStringList, titoli);
    QFETCH(int, scheda);
    QFETCH(QStringList, restano);
    QFETCH(QString, didascalia);
    QVERIFY(scriviArchivio(archivio(), schede(titoli)));
    vaiAllaScheda(scheda);
    m_fake->messaggi.mostrati.clear();

    clic(m_win->cmdElimina);

    // The question and the result; no empty-archive message.
    QCOMPARE(scatole(m_fake->messaggi),
        (Scatole {
            scatola(QStringLiteral("Si vuole proprio cancellare la scheda n. %1?").arg(scheda),
                QStringLiteral("Melodora 1.0 - Conferma operazione"), Icona::Domanda,
                Pulsanti::SiNo),
            scatola(kRimossa, QStringLiteral("Melodora 1.0 - Cancellazione terminata"),
                Icona::Informazione) }));
    QCOMPARE(m_fake->messaggi.beep_, 0);
    QCOMPARE(leggiFile(archivio()), byteDi(schede(restano)));
    QVERIFY(!QFile::exists(temporaneo()));
    QCOMPARE(m_win->lblPosizione->text(), didascalia);
    QCOMPARE(stato().first(), restano.value(didascalia.trimmed().toInt() - 1));
    QCOMPARE(stato().join(QString()).isEmpty(), restano.isEmpty());
}

// A new card on display: nothing to delete, so no question.
void TestSalva::eliminaNuova()
{
    QVERIFY(scriviArchivio(archivio(), schede({ "Uno", "Due", "Tre" })));
    const QByteArray prima = leggiFile(archivio());
    clic(m_win->cmdNuovo);
    QTest::keyClicks(m_win->txtNote, QStringLiteral("modificata ma non salvata"));
    const QStringList campi = stato();
    m_fake->messaggi.mostrati.clear();

    clic(m_win->cmdElimina);

    QCOMPARE(scatole(m_fake->messaggi),
        Scatole { scatola(
            QStringLiteral("La cancellazione può essere applicata soltanto ad una scheda già "
                           "presente in archivio.")
                + kSeparatore
                + QStringLiteral("Se si vuole semplicemente vuotare tutti i campi di testo, fare "
                                 "clic su Nuovo."),
            QStringLiteral("Melodora 1.0 - Operazione non applicabile"), Icona::Informazione) });
    QCOMPARE(leggiFile(archivio()), prima);
    QCOMPARE(stato(), campi);
}

// The window shows card 5 while another program deletes card 2: the old card 6 is now
// number 5; then a card past the end of the shortened archive. Neither delete nor save may
// touch them, both say why, and what was typed stays on screen.
void TestSalva::altroProgramma()
{
    QVERIFY(
        scriviArchivio(archivio(), schede({ "Uno", "Due", "Tre", "Quattro", "Cinque", "Sei" })));
    vaiAllaScheda(5);
    QTest::keyClicks(m_win->txtNote, QStringLiteral(" e modificata"));
    QProcess figlio;
    figlio.start(QStringLiteral(MELODORA_CLI),
        { QStringLiteral("--archive"), archivio(), QStringLiteral("delete"), QStringLiteral("2") });
    QVERIFY(figlio.waitForFinished(60000));
    QCOMPARE(figlio.exitCode(), 0);
    const auto rifiutate = [this](int n, const QString& perche) {
        const QByteArray prima = leggiFile(archivio());
        QStringList campi = stato();
        m_fake->messaggi.mostrati.clear();
        m_fake->messaggi.beep_ = 0;
        clic(m_win->cmdElimina);
        QCOMPARE(stato(), campi);
        clic(m_win->cmdSalva);
        QCOMPARE(scatole(m_fake->messaggi).mid(1),
            (Scatole { scatola(QStringLiteral("La scheda n. %1").arg(n) + perche, kTitoloErrore,
                           Icona::Informazione),
                scatola(kSalvataggioRifiutato.arg(n), kTitoloErrore, Icona::Critica) }));
        campi.last() = QString(); // no card on display any more
        QCOMPARE(stato(), campi);
        QCOMPARE(m_fake->messaggi.beep_, 2);
        QCOMPARE(leggiFile(archivio()), prima);
    };
    rifiutate(5,
        QStringLiteral(" è stata modificata da un altro programma: nessuna scheda è stata "
                       "eliminata.")
            + kSeparatore
            + QStringLiteral(
                "Per vedere la scheda com'è ora, tornarvi con i pulsanti di scorrimento."));
    // The next save keeps the typed card as a new one.
    const QByteArray delFiglio = leggiFile(archivio());
    clic(m_win->cmdSalva);
    QCOMPARE(m_win->lblPosizione->text(), QStringLiteral(" 6"));
    QCOMPARE(leggiFile(archivio()), delFiglio + m_win->SchedaDaCampi().inByte());

    m_win->MostraScheda(7, schedaDiProva(QStringLiteral("Sparita")));
    rifiutate(7,
        QStringLiteral(" non è più presente in archivio.") + kSeparatore
            + QStringLiteral("L'archivio è stato modificato da un altro programma: nessuna "
                             "scheda è stata eliminata."));
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

// A save leaves the song playing; a deletion ends it before its question, whatever the
// answer, and the answer No changes nothing else.
void TestSalva::duranteLaRiproduzione()
{
    const QString brano = QStringLiteral("/musica/uno.mp3");
    QVERIFY(scriviArchivio(archivio(),
        { schedaDiProva(QStringLiteral("Uno"), QStringLiteral("A"), brano),
            schedaDiProva(QStringLiteral("Due")) }));
    vaiAllaScheda(1);
    clic(m_win->cmdPlay);
    QCOMPARE(m_fake->media.comandi, QStringList { "play " + brano });
    clic(m_win->cmdSalva);
    QCOMPARE(m_fake->media.comandi, QStringList { "play " + brano });
    QVERIFY(m_win->cmdStop->isEnabled());
    QCOMPARE(m_fake->messaggi.mostrati.last().titolo, kTitoloSalvato);

    QTest::keyClicks(m_win->txtNote, QStringLiteral("modificata ma non salvata"));
    const QByteArray prima = leggiFile(archivio());
    const QStringList campi = stato();
    m_fake->messaggi.mostrati.clear();
    m_fake->messaggi.risposte.enqueue(Risposta::No);
    clic(m_win->cmdElimina);
    QCOMPARE(m_fake->media.comandi,
        (QStringList { "play " + brano, "play " + brano, "close " + brano }));
    QVERIFY(!m_win->cmdStop->isEnabled());
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1); // the question only
    QCOMPARE(leggiFile(archivio()), prima);
    QCOMPARE(stato(), campi);
    QVERIFY(!QFile::exists(temporaneo()));
}

void TestSalva::salvaConGuasti_data()
{
    QTest::addColumn<int>("schedePrima"); // -1: no archive file
    QTest::addColumn<int>("scheda"); // card on display, 0 for a new one
    QTest::newRow("nuova, archivio mancante") << -1 << 0;
    QTest::newRow("nuova in coda") << 2 << 0;
    QTest::newRow("modifica della 2") << 3 << 2;
}

// A failure must be told and leave the window as it was.
void TestSalva::salvaConGuasti()
{
    QFETCH(int, schedePrima);
    QFETCH(int, scheda);
    const QList<Scheda> vecchie
        = schede(QStringList({ "Uno", "Due", "Tre" }).mid(0, std::max(schedePrima, 0)));
    QList<Scheda> nuove = vecchie;
    const Scheda nuova = schedaDiProva(QStringLiteral("Nuova"), QStringLiteral("Chi"));
    if (scheda == 0)
        nuove.append(nuova);
    else
        nuove[scheda - 1] = nuova;
    const QString didascaliaDopo = frmSonoria::TestoPosizione(scheda == 0 ? nuove.size() : scheda);
    const auto prepara = [&] {
        QFile::remove(archivio());
        if (schedePrima >= 0)
            QVERIFY(scriviArchivio(archivio(), vecchie));
        if (scheda == 0)
            m_win->cmdNuovo_Click();
        else
            m_win->MostraScheda(scheda, vecchie.at(scheda - 1));
        m_win->txtBrano->setText(QStringLiteral("Nuova"));
        m_win->txtArtista->setText(QStringLiteral("Chi"));
        m_win->txtAlbum->setText(QStringLiteral("Album di Nuova"));
        m_win->txtAnno->setText(QStringLiteral("1999"));
    };
    int guasti = 0;
    ogniGuasto(prepara, &frmSonoria::cmdSalva_Click, byteDi(vecchie), byteDi(nuove),
        [&](int, bool vecchio, const QStringList& campi, const QString& contesto) {
            QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
            const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
            if (m.testo != kErroreSalvataggio) {
                QVERIFY2(!vecchio, qPrintable(contesto + QStringLiteral(": ") + m.testo));
                QCOMPARE(m.titolo, kTitoloSalvato);
                QCOMPARE(m_win->lblPosizione->text(), didascaliaDopo);
                QCOMPARE(m_fake->messaggi.beep_, 0);
                return;
            }
            QVERIFY2(m_file->guastoAvvenuto, qPrintable(contesto));
            QCOMPARE(scatola(m), scatola(kErroreSalvataggio, kTitoloErrore, Icona::Nessuna));
            QCOMPARE(m_fake->messaggi.beep_, 1);
            QCOMPARE(stato(), campi);
            // A new card that was written after all would be appended again by the next
            // save: a reported failure of an append must leave the old archive.
            QVERIFY2(scheda > 0 || vecchio, qPrintable(contesto));
            ++guasti;
        });
    QVERIFY(guasti >= 3);
}

void TestSalva::eliminaConGuasti_data()
{
    QTest::addColumn<QStringList>("titoli");
    QTest::addColumn<int>("scheda");
    QTest::newRow("2 di 3") << QStringList { "Uno", "Due", "Tre" } << 2;
    QTest::newRow("l'unica") << QStringList { "Sola" } << 1;
}

// A Schede.tmp full of junk, left by an earlier crash, lies beside the archive each time.
void TestSalva::eliminaConGuasti()
{
    QFETCH(QStringList, titoli);
    QFETCH(int, scheda);
    const QList<Scheda> vecchie = schede(titoli);
    QList<Scheda> nuove = vecchie;
    nuove.removeAt(scheda - 1);
    const QByteArray spazzatura(5 * 2830 + 17, 'X');
    const auto prepara = [&] {
        QVERIFY(scriviArchivio(archivio(), vecchie));
        QFile f(temporaneo());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(spazzatura);
    };
    // The deletion's own operations come first; the ones after them belong to the
    // navigation that shows the card before, which ignores its failures.
    prepara();
    m_file->azzera(0);
    qint64 rimaste = 0;
    QVERIFY(Redazione(archivio(), *m_file).elimina(scheda, vecchie.at(scheda - 1), rimaste).ok);
    const int operazioniCancellazione = m_file->chiamate;
    QVERIFY(operazioniCancellazione >= 8);

    int guasti = 0;
    const auto mostra = [&] {
        prepara();
        m_win->MostraScheda(scheda, vecchie.at(scheda - 1));
    };
    ogniGuasto(mostra, &frmSonoria::cmdElimina_Click, byteDi(vecchie), byteDi(nuove),
        [&](int n, bool vecchio, const QStringList& campi, const QString& contesto) {
            // Nothing of this attempt stays behind, nor is the leftover half-changed.
            if (QFile::exists(temporaneo()))
                QVERIFY2(leggiFile(temporaneo()) == spazzatura, qPrintable(contesto));
            // A navigation step that fails after the deletion says so, between the two.
            auto m = m_fake->messaggi.mostrati;
            if (m.size() == 3 && m.at(1).testo.startsWith(QStringLiteral("Impossibile leggere")))
                m.removeAt(1);
            QCOMPARE(m.size(), 2);
            QCOMPARE(m.at(0).pulsanti, Pulsanti::SiNo);
            if (vecchio) {
                QVERIFY2(
                    m_file->guastoAvvenuto && n <= operazioniCancellazione, qPrintable(contesto));
                QCOMPARE(scatola(m.at(1)),
                    scatola(kErroreCancellazione, kTitoloErrore, Icona::Informazione));
                QCOMPARE(m_fake->messaggi.beep_, 1);
                QCOMPARE(stato(), campi);
                ++guasti;
            } else if (n <= operazioniCancellazione || !m_file->guastoAvvenuto) {
                // The archive lost the card: the window no longer shows it, whether the
                // folder sync after the rename failed (reported) or not.
                const int prima = std::max(1, scheda - 1);
                QCOMPARE(m_win->lblPosizione->text(),
                    nuove.isEmpty() ? QString() : frmSonoria::TestoPosizione(prima));
                QCOMPARE(m_win->txtBrano->text(),
                    nuove.isEmpty() ? QString() : nuove.at(prima - 1).testo(Campo::Brano));
                if (m.at(1).testo.startsWith(kRimossaNonSincronizzata))
                    QVERIFY2(m_file->guastoAvvenuto, qPrintable(contesto));
                else
                    QCOMPARE(m.at(1).testo, kRimossa);
            } else {
                QCOMPARE(m.at(1).testo, kRimossa); // a navigation step failed, silently
            }
        });
    QVERIFY(guasti >= 6);
}

QTEST_MAIN(TestSalva)
#include "test_salva.moc"
