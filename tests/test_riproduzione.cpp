// The main window's playback buttons and the choice of the audio file, through the
// fake media control and the fake file dialog.
#include "ArchivioDiProva.h"
#include "FinestraDiProva.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
const QString P1 = QStringLiteral("/musica/primo brano.mp3");
const QString P2 = QStringLiteral("/musica/secondo.wav");
}

class TestRiproduzione : public QObject, ConFinestra {
    Q_OBJECT
private slots:
    void init() { QVERIFY(apri()); }
    void cleanup() { chiudi(); }
    void sequenza();
    void fileMancanteUnaVolta();
    void chiusuraPrimaDi_data();
    void chiusuraPrimaDi();
    void playSenzaBrano();
    void sfoglia_data();
    void sfoglia();
    void dialogoRealeTuttiIFile();
    void tastoInTxtMP3_data();
    void tastoInTxtMP3();

private:
    QStringList& comandi() { return m_fake->media.comandi; }
    void dueSchede()
    {
        QVERIFY(scriviArchivio(archivio(),
            { schedaDiProva(QStringLiteral("Uno"), {}, P1),
                schedaDiProva(QStringLiteral("Due"), {}, P2) }));
    }
    void clic(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    /** Play, Pause and Stop enabled: "000" no file, "100" ready, "111" playing, "101" paused. */
    QString pulsanti() const
    {
        return abilitati({ m_win->cmdPlay, m_win->cmdPause, m_win->cmdStop });
    }
};

void TestRiproduzione::sequenza()
{
    m_win->txtMP3->setText(P1);
    QStringList stati { pulsanti() };
    for (QToolButton* b : { m_win->cmdPlay, m_win->cmdPause, m_win->cmdPlay, m_win->cmdStop }) {
        clic(b);
        stati << pulsanti();
    }
    QCOMPARE(stati, (QStringList { "100", "111", "101", "111", "100" }));
    // The path goes out as it is, blanks included, never quoted.
    QCOMPARE(comandi(),
        (QStringList { "play " + P1, "pause " + P1, "play " + P1, "play " + P1, "close " + P1 }));
    QVERIFY(m_win->animazione->tmrAniGif->isActive()); // each play runs the title animation
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestRiproduzione::chiusuraPrimaDi_data()
{
    QTest::addColumn<QString>("azione"); // what is clicked; empty: the window is closed
    QTest::addColumn<QString>("scelto"); // the file dialog's answer
    QTest::addColumn<QString>("file"); // txtMP3 afterwards
    QTest::addRow("scheda successiva") << "cmdAvanti" << QString() << P2;
    QTest::addRow("scheda precedente") << "cmdIndietro" << QString() << P1;
    QTest::addRow("nuova scheda") << "cmdNuovo" << QString() << QString();
    QTest::addRow("gomma") << "imgGomma" << QString() << QString();
    QTest::addRow("sfoglia annullato") << "cmdSfoglia" << QString() << P1;
    QTest::addRow("sfoglia con scelta") << "cmdSfoglia" << P2 << P2;
    QTest::addRow("chiusura della finestra") << QString() << QString() << P1;
}

void TestRiproduzione::chiusuraPrimaDi()
{
    QFETCH(QString, azione);
    QFETCH(QString, scelto);
    QFETCH(QString, file);
    dueSchede();
    clic(m_win->cmdPrimo);
    QCOMPARE(m_win->txtMP3->text(), P1);
    clic(m_win->cmdPlay);
    QCOMPARE(comandi(), QStringList { "play " + P1 });

    // What the action does to the path is checked when the song has already ended.
    const auto primaDelCambio = connect(
        m_win->txtMP3, &QLineEdit::textChanged, this, [this] { QCOMPARE(comandi().size(), 3); });
    m_fake->dialoghi.risposta = scelto;
    if (azione.isEmpty())
        QVERIFY(m_win->close());
    else
        QTest::mouseClick(m_win->findChild<QWidget*>(azione), Qt::LeftButton);
    disconnect(primaDelCambio);

    // Ending playback is the pair play, close on the file that was playing, and nothing more.
    QCOMPARE(comandi(), (QStringList { "play " + P1, "play " + P1, "close " + P1 }));
    QCOMPARE(m_win->txtMP3->text(), file);
    QCOMPARE(pulsanti(), QString(file.isEmpty() ? "000" : "100"));
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestRiproduzione::fileMancanteUnaVolta()
{
    // The player reports a missing file on each Play; nothing was opened, so Pause, Stop
    // and the endings of playback have nothing to act on and send nothing.
    dueSchede();
    m_fake->media.mancanti.append(P1);
    const auto messaggi = [this] { return m_fake->messaggi.mostrati.size(); };
    clic(m_win->cmdPrimo);
    QStringList stati;
    for (QToolButton* b : { m_win->cmdPlay, m_win->cmdPause, m_win->cmdStop }) {
        clic(b);
        stati << pulsanti();
    }
    // The buttons change as they do for a file that plays; the Play was reported once.
    QCOMPARE(stati, (QStringList { "111", "101", "100" }));
    QCOMPARE(messaggi(), 1);
    clic(m_win->cmdPlay);
    QCOMPARE(messaggi(), 2);
    clic(m_win->cmdAvanti);
    clic(m_win->cmdIndietro);
    clic(m_win->cmdPlay);
    QVERIFY(m_win->close());
    QCOMPARE(messaggi(), 3);
    QCOMPARE(comandi(), (QStringList { "play ", "play ", "play " }));
}

void TestRiproduzione::playSenzaBrano()
{
    // Blanks are no file.
    m_win->txtMP3->setText(QStringLiteral("  "));
    m_win->cmdPlay_Click();
    QCOMPARE(scatole(m_fake->messaggi),
        Scatole {
            scatola(QStringLiteral("Importare un brano audio prima di premere questo pulsante."),
                QStringLiteral("Attenzione: nessun brano selezionato"), Icona::Esclamazione) });
    QVERIFY(comandi().isEmpty());
    QCOMPARE(pulsanti(), QStringLiteral("000"));
}

void TestRiproduzione::sfoglia_data()
{
    QTest::addColumn<QString>("scelto"); // empty: the user cancelled
    QTest::addColumn<QString>("motivo"); // empty: the card takes the path
    QTest::newRow("annullato") << QString() << QString();
    QTest::newRow("con spazi e accenti")
        << QStringLiteral("/home/utente/La mia musica/Però che canzone d'amore.mp3") << QString();
    QTest::newRow("250 caratteri")
        << QString(QStringLiteral("/") + QString(245, 'a') + ".mp3") << QString();
    // The card holds 250 characters of Windows-1252: anything else would be stored mangled.
    QTest::newRow("251 caratteri") << QString(QStringLiteral("/") + QString(246, 'a') + ".mp3")
                                   << QStringLiteral("Il percorso è lungo 251 caratteri, ma la "
                                                     "scheda ne può contenere al massimo 250.");
    QTest::newRow("carattere fuori dal set")
        << QStringLiteral("/musica/歌.mp3")
        << QStringLiteral("Il percorso contiene il carattere \"歌\" (U+6B4C), che la scheda non "
                          "può contenere.");
    QTest::newRow("emoji, lungo anche")
        << QStringLiteral("/musica/🎵") + QString(250, 'a')
        << QStringLiteral("Il percorso contiene il carattere \"🎵\" (U+1F3B5), che la scheda "
                          "non può contenere.");
    QTest::newRow("invisibile") << QStringLiteral("/musica/a\u200Bb.mp3")
                                << QStringLiteral("Il percorso contiene il carattere U+200B, che "
                                                  "la scheda non può contenere.");
}

void TestRiproduzione::sfoglia()
{
    QFETCH(QString, scelto);
    QFETCH(QString, motivo);
    m_win->txtMP3->setText(P1);
    m_fake->dialoghi.risposta = scelto;
    clic(m_win->cmdSfoglia);
    QCOMPARE((QStringList { m_fake->dialoghi.titolo, m_fake->dialoghi.cartella }
                 + m_fake->dialoghi.filtri),
        (QStringList { "Selezionare un file MP3 o WAV:", QDir::currentPath(), "File Mp3 (*.mp3)",
            "File Wave (*.wav)", "Tutti i file (*.*)" }));
    Scatole attese;
    if (!motivo.isEmpty())
        attese.append(
            scatola(QStringLiteral("Il file audio selezionato non è valido.\r\n\r\n") + motivo,
                QStringLiteral("Melodora 1.0 - Attenzione:"), Icona::Critica));
    QCOMPARE(scatole(m_fake->messaggi), attese);
    // A refused or cancelled choice leaves the path the card had.
    QCOMPARE(m_win->txtMP3->text(), scelto.isEmpty() || !motivo.isEmpty() ? P1 : scelto);
    QCOMPARE(pulsanti(), QStringLiteral("100"));
    QVERIFY(comandi().isEmpty());
}

void TestRiproduzione::dialogoRealeTuttiIFile()
{
    // The real dialog lists, under "Tutti i file (*.*)", a file whose name has no dot.
    QTemporaryDir cartella;
    for (const char* nome : { "canzone.mp3", "suono.wav", "senzaestensione" }) {
        QFile f(cartella.filePath(QString::fromLatin1(nome)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QStringList voci;
    QStringList conMp3;
    QStringList conTutti;
    // The dialog is modal: worked from inside its event loop.
    const auto sonda = quandoModale<QFileDialog>([&](QFileDialog* dialogo) {
        auto* tipi = dialogo->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* vista = dialogo->findChild<QListView*>(QStringLiteral("listView"));
        const auto elencati = [vista] {
            QStringList nomi;
            const QModelIndex radice = vista->rootIndex();
            for (int r = 0; r < vista->model()->rowCount(radice); ++r)
                nomi << vista->model()->index(r, 0, radice).data().toString();
            return nomi;
        };
        for (int i = 0; tipi && i < tipi->count(); ++i)
            voci << tipi->itemText(i);
        if (tipi && vista) {
            // A wait that runs out shows in the comparisons below.
            (void)QTest::qWaitFor(
                [&] { return elencati().contains(QStringLiteral("canzone.mp3")); });
            conMp3 = elencati();
            QTest::keyClick(tipi, Qt::Key_End); // the user picks the last filter
            (void)QTest::qWaitFor([&] { return elencati().size() == 3; });
            conTutti = elencati();
            // The user types the name and opens it.
            if (auto* nome = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                QTest::keyClicks(nome, QStringLiteral("senzaestensione"));
            static_cast<QDialog*>(dialogo)->accept(); // as the Open button does
        }
        if (dialogo->isVisible())
            dialogo->reject(); // whatever went wrong, the test goes on to report it
    });
    QtFileDialogService servizio;
    const QString scelto
        = servizio.scegliFile(m_win, QStringLiteral("Selezionare un file MP3 o WAV:"),
            cartella.path(), { "File Mp3 (*.mp3)", "File Wave (*.wav)", "Tutti i file (*.*)" });
    QCOMPARE(voci, (QStringList { "File Mp3 (*.mp3)", "File Wave (*.wav)", "Tutti i file (*.*)" }));
    QCOMPARE(conMp3, QStringList { "canzone.mp3" });
    conTutti.sort();
    QCOMPARE(conTutti, (QStringList { "canzone.mp3", "senzaestensione", "suono.wav" }));
    QCOMPARE(scelto, cartella.filePath(QStringLiteral("senzaestensione")));
}

void TestRiproduzione::tastoInTxtMP3_data()
{
    QTest::addColumn<int>("tasto");
    QTest::newRow("lettera") << int(Qt::Key_A);
    QTest::newRow("invio") << int(Qt::Key_Return);
    QTest::newRow("backspace") << int(Qt::Key_Backspace);
}

void TestRiproduzione::tastoInTxtMP3()
{
    QFETCH(int, tasto);
    m_win->txtMP3->setText(P1);
    for (int volta = 1; volta <= 2; ++volta) {
        m_win->txtMP3->setFocus();
        QCOMPARE(QApplication::focusWidget(), m_win->txtMP3);
        QCOMPARE(sfondo(m_win->txtMP3), kColoreFuoco);
        QTest::keyClick(m_win->txtMP3, Qt::Key(tasto));
        QCOMPARE(QApplication::focusWidget(), m_win->cmdSfoglia);
        QCOMPARE(sfondo(m_win->txtMP3), QColor(Qt::white));
        QCOMPARE(m_win->txtMP3->text(), P1);
    }
    QCOMPARE(scatole(m_fake->messaggi),
        Scatole(2,
            scatola(
                QStringLiteral(
                    "Specificare il percorso di un file audio utilizzando il pulsante Sfoglia."),
                QStringLiteral("Melodora 1.0 - Attenzione:"), Icona::Informazione)));
}

QTEST_MAIN(TestRiproduzione)
#include "test_riproduzione.moc"
