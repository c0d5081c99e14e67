// The navigation buttons and Nuovo of the main window.
#include "ArchivioDiProva.h"
#include "FinestraDiProva.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestNavigazione : public QObject, ConFinestra {
    Q_OBJECT
private slots:
    void init() { QVERIFY(apri()); }
    void cleanup() { chiudi(); }
    void avvioVuoto();
    void navigazioneSuTre_data();
    void navigazioneSuTre();
    void archivioVuotoOMancante_data();
    void archivioVuotoOMancante();
    void modificheScartateENuovo();
    void archivioIllegibile();

private:
    void treSchede()
    {
        QVERIFY(scriviArchivio(archivio(),
            { schedaDiProva(QStringLiteral("Uno"), QStringLiteral("A1")),
                schedaDiProva(
                    QStringLiteral("Due"), QStringLiteral("A2"), QStringLiteral("/musica/due.mp3")),
                schedaDiProva(QStringLiteral("  Tre  "), QStringLiteral("A3")) }));
    }
    void clic(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void clic(const QString& nome) { clic(m_win->findChild<QToolButton*>(nome)); }
    /** The caption and the title on display. */
    QStringList mostrata() const
    {
        return { m_win->lblPosizione->text(), m_win->txtBrano->text() };
    }
};

void TestNavigazione::avvioVuoto()
{
    QCOMPARE(m_win->windowTitle(), QStringLiteral(" Melodora 1.0"));
    QCOMPARE(mostrata(), QStringList(2, QString()));
    QCOMPARE(m_win->txtGenere->currentText(), QString());
    QCOMPARE(m_win->txtGenere->count(), 50);
    QCOMPARE(m_win->txtGenere->itemText(0), QStringLiteral("Africana"));
    QCOMPARE(m_fake->guida.file, m_prova->cartella.filePath(QStringLiteral("Sonoria.hlp")));
    // No card is read at start-up: the archive is not even created.
    QVERIFY(!QFile::exists(archivio()));
    QVERIFY(!m_win->cmdPlay->isEnabled());
}

void TestNavigazione::navigazioneSuTre_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QStringList>("attesa"); // caption and title
    QTest::newRow("avanti") << "cmdAvanti" << QStringList { " 3", "Tre" };
    QTest::newRow("indietro") << "cmdIndietro" << QStringList { " 1", "Uno" };
    QTest::newRow("primo") << "cmdPrimo" << QStringList { " 1", "Uno" };
    QTest::newRow("ultimo") << "cmdUltimo" << QStringList { " 3", "Tre" };
}

void TestNavigazione::navigazioneSuTre()
{
    QFETCH(QString, pulsante);
    QFETCH(QStringList, attesa);
    treSchede();
    clic(m_win->cmdPrimo);
    clic(m_win->cmdAvanti);
    QCOMPARE(mostrata(), (QStringList { " 2", "Due" }));
    QCOMPARE(m_win->txtMP3->text(), QStringLiteral("/musica/due.mp3"));
    QVERIFY(m_win->cmdPlay->isEnabled());
    clic(pulsante);
    QCOMPARE(mostrata(), attesa);
    QVERIFY(!m_win->cmdPlay->isEnabled());
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestNavigazione::archivioVuotoOMancante_data()
{
    QTest::addColumn<bool>("esiste");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<bool>("messaggio");
    QTest::addRow("mancante, primo") << false << "cmdPrimo" << true;
    QTest::addRow("vuoto, avanti") << true << "cmdAvanti" << true;
    QTest::addRow("vuoto, ultimo") << true << "cmdUltimo" << true;
    QTest::addRow("vuoto, indietro") << true << "cmdIndietro" << false;
}

void TestNavigazione::archivioVuotoOMancante()
{
    QFETCH(bool, esiste);
    QFETCH(QString, pulsante);
    QFETCH(bool, messaggio);
    if (esiste)
        QVERIFY(scriviArchivio(archivio(), {}));
    m_win->txtBrano->setText(QStringLiteral("scritto a mano"));
    m_win->txtArtista->setFocus();
    clic(pulsante);
    const QStringList vuoto = scatola(QStringLiteral("L'archivio non contiene nessuna scheda."),
        QStringLiteral("Melodora 1.0 - Attenzione:"), Icona::Esclamazione);
    QCOMPARE(scatole(m_fake->messaggi), messaggio ? Scatole { vuoto } : Scatole());
    QCOMPARE(mostrata(), QStringList(2, QString()));
    QCOMPARE(QApplication::focusWidget(), m_win->txtBrano);
    QVERIFY(QFile::exists(archivio()));
    QCOMPARE(QFileInfo(archivio()).size(), 0);
}

void TestNavigazione::modificheScartateENuovo()
{
    treSchede();
    const QByteArray prima = leggiFile(archivio());
    clic(m_win->cmdPrimo);
    m_win->txtBrano->setText(QStringLiteral("Cambiato"));
    m_win->txtTesto->setPlainText(QStringLiteral("riga\nriga"));
    clic(m_win->cmdAvanti);
    clic(m_win->cmdIndietro);
    QCOMPARE(mostrata(), (QStringList { " 1", "Uno" }));
    QCOMPARE(m_win->txtTesto->toPlainText(), QString());
    QCOMPARE(leggiFile(archivio()), prima);
    // Nuovo empties the card and the caption; Avanti then starts from the first card.
    clic(m_win->cmdUltimo);
    clic(m_win->cmdNuovo);
    QCOMPARE(mostrata(), QStringList(2, QString()));
    QCOMPARE(m_win->txtArtista->text(), QString());
    QCOMPARE(QApplication::focusWidget(), m_win->txtBrano);
    clic(m_win->cmdAvanti);
    QCOMPARE(mostrata(), (QStringList { " 1", "Uno" }));
}

void TestNavigazione::archivioIllegibile()
{
    // The system's reason is told, and the card on display stays as it was, number and all.
    treSchede();
    clic(m_win->cmdPrimo);
    QVERIFY(QFile::remove(archivio()));
    QVERIFY(QDir(m_prova->cartella.path()).mkdir(QStringLiteral("Sonoria.sng")));
    clic(m_win->cmdAvanti);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato m = m_fake->messaggi.mostrati.first();
    const QString inizio = QStringLiteral("Impossibile leggere l'archivio.\r\n\r\n") + archivio()
        + QStringLiteral(": ");
    QVERIFY2(m.testo.startsWith(inizio) && m.testo.size() > inizio.size(), qPrintable(m.testo));
    QCOMPARE(scatola({}, m.titolo, m.icona, m.pulsanti),
        scatola({}, QStringLiteral("Melodora 1.0 - Messaggio di errore"), Icona::Esclamazione));
    QCOMPARE(mostrata(), (QStringList { " 1", "Uno" }));
}

QTEST_MAIN(TestNavigazione)
#include "test_navigazione.moc"
