#include "ArchivioDiProva.h"
#include "FakePlatform.h"
#include "FinestraDiProva.h"
#include "archive/AppFilePath.h"
#include "main_window/frmSonoria.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestNavigazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void avvioVuoto();
    void navigazioneSuTre_data();
    void navigazioneSuTre();
    void archivioVuotoOMancante_data();
    void archivioVuotoOMancante();
    void modificheScartate();
    void nuovoSvuota();
    void archivioIllegibile();

private:
    std::unique_ptr<FinestraDiProva> m_prova;
    QTemporaryDir* m_dir = nullptr;
    FakePlatform* m_fake = nullptr;
    frmSonoria* m_win = nullptr;
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    void treSchede()
    {
        QVERIFY(scriviArchivio(archivio(),
            { schedaDiProva(QStringLiteral("Uno"), QStringLiteral("A1")),
                schedaDiProva(
                    QStringLiteral("Due"), QStringLiteral("A2"), QStringLiteral("/musica/due.mp3")),
                schedaDiProva(QStringLiteral("  Tre  "), QStringLiteral("A3")) }));
    }
    void clic(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

void TestNavigazione::init()
{
    m_prova = std::make_unique<FinestraDiProva>();
    QVERIFY(m_prova->cartella.isValid());
    m_dir = &m_prova->cartella;
    m_fake = &m_prova->fake;
    m_win = m_prova->finestra.get();
    QVERIFY(m_prova->mostra());
}

void TestNavigazione::cleanup() { m_prova.reset(); }

void TestNavigazione::avvioVuoto()
{
    QCOMPARE(m_win->windowTitle(), QStringLiteral(" Melodora 1.0"));
    QCOMPARE(m_win->lblPosizione->text(), QString());
    QCOMPARE(m_win->txtBrano->text(), QString());
    QCOMPARE(m_win->txtGenere->currentText(), QString());
    QCOMPARE(m_win->txtGenere->count(), 50);
    QCOMPARE(m_win->txtGenere->itemText(0), QStringLiteral("Africana"));
    QCOMPARE(m_win->txtGenere->itemText(49), QStringLiteral("Western"));
    QCOMPARE(m_fake->guida.file, m_dir->filePath(QStringLiteral("Sonoria.hlp")));
    // No card is read at start-up: the archive is not even created.
    QVERIFY(!QFile::exists(archivio()));
    QVERIFY(!m_win->cmdPlay->isEnabled());
}

void TestNavigazione::navigazioneSuTre_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<QString>("titolo");
    QTest::newRow("avanti") << QStringLiteral("cmdAvanti") << QStringLiteral(" 3")
                            << QStringLiteral("Tre");
    QTest::newRow("indietro") << QStringLiteral("cmdIndietro") << QStringLiteral(" 1")
                              << QStringLiteral("Uno");
    QTest::newRow("primo") << QStringLiteral("cmdPrimo") << QStringLiteral(" 1")
                           << QStringLiteral("Uno");
    QTest::newRow("ultimo") << QStringLiteral("cmdUltimo") << QStringLiteral(" 3")
                            << QStringLiteral("Tre");
}

void TestNavigazione::navigazioneSuTre()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, didascalia);
    QFETCH(QString, titolo);
    treSchede();
    clic(m_win->cmdPrimo);
    clic(m_win->cmdAvanti);
    QCOMPARE(m_win->lblPosizione->text(), QStringLiteral(" 2"));
    QCOMPARE(m_win->txtMP3->text(), QStringLiteral("/musica/due.mp3"));
    QVERIFY(m_win->cmdPlay->isEnabled());
    clic(m_win->findChild<QToolButton*>(pulsante));
    QCOMPARE(m_win->lblPosizione->text(), didascalia);
    QCOMPARE(m_win->txtBrano->text(), titolo);
    QVERIFY(!m_win->cmdPlay->isEnabled());
    // At either end the same button shows the same card again, without a message.
    clic(m_win->findChild<QToolButton*>(pulsante));
    QCOMPARE(m_win->lblPosizione->text(), didascalia);
    QVERIFY(m_fake->messaggi.mostrati.isEmpty());
}

void TestNavigazione::archivioVuotoOMancante_data()
{
    QTest::addColumn<bool>("esiste");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<bool>("messaggio");
    QTest::addRow("mancante, primo") << false << QStringLiteral("cmdPrimo") << true;
    QTest::addRow("vuoto, avanti") << true << QStringLiteral("cmdAvanti") << true;
    QTest::addRow("vuoto, ultimo") << true << QStringLiteral("cmdUltimo") << true;
    QTest::addRow("vuoto, indietro") << true << QStringLiteral("cmdIndietro") << false;
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
    clic(m_win->findChild<QToolButton*>(pulsante));
    QCOMPARE(m_fake->messaggi.mostrati.size(), messaggio ? 1 : 0);
    if (messaggio) {
        const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
        QCOMPARE(m.testo, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QCOMPARE(m.titolo, QStringLiteral("Melodora 1.0 - Attenzione:"));
        QCOMPARE(m.icona, Icona::Esclamazione);
        QCOMPARE(m.pulsanti, Pulsanti::Ok);
    }
    QCOMPARE(m_win->txtBrano->text(), QString());
    QCOMPARE(m_win->lblPosizione->text(), QString());
    QCOMPARE(QApplication::focusWidget(), m_win->txtBrano);
    QVERIFY(QFile::exists(archivio()));
    QCOMPARE(QFileInfo(archivio()).size(), 0);
}

void TestNavigazione::modificheScartate()
{
    treSchede();
    const QByteArray prima = leggiFile(archivio());
    clic(m_win->cmdPrimo);
    m_win->txtBrano->setText(QStringLiteral("Cambiato"));
    m_win->txtTesto->setPlainText(QStringLiteral("riga\nriga"));
    clic(m_win->cmdAvanti);
    clic(m_win->cmdIndietro);
    QCOMPARE(m_win->txtBrano->text(), QStringLiteral("Uno"));
    QCOMPARE(m_win->txtTesto->toPlainText(), QString());
    QCOMPARE(leggiFile(archivio()), prima);
}

void TestNavigazione::nuovoSvuota()
{
    treSchede();
    clic(m_win->cmdUltimo);
    clic(m_win->cmdNuovo);
    QCOMPARE(m_win->lblPosizione->text(), QString());
    QCOMPARE(m_win->txtBrano->text(), QString());
    QCOMPARE(m_win->txtArtista->text(), QString());
    QCOMPARE(QApplication::focusWidget(), m_win->txtBrano);
    clic(m_win->cmdAvanti);
    QCOMPARE(m_win->lblPosizione->text(), QStringLiteral(" 1"));
}

void TestNavigazione::archivioIllegibile()
{
    // The system's reason is told, and the card on display stays as it was, number and all.
    treSchede();
    clic(m_win->cmdPrimo);
    QVERIFY(QFile::remove(archivio()));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Sonoria.sng")));
    clic(m_win->cmdAvanti);
    QCOMPARE(m_fake->messaggi.mostrati.size(), 1);
    const MessaggioMostrato& m = m_fake->messaggi.mostrati.first();
    QVERIFY2(m.testo.startsWith(QStringLiteral("Impossibile leggere l'archivio.\r\n\r\n")
                 + archivio() + QStringLiteral(": ")),
        qPrintable(m.testo));
    QCOMPARE((QList<QVariant> { m.titolo, int(m.icona), int(m.pulsanti) }),
        (QList<QVariant> { QStringLiteral("Melodora 1.0 - Messaggio di errore"),
            int(Icona::Esclamazione), int(Pulsanti::Ok) }));
    QCOMPARE(m_win->lblPosizione->text(), QStringLiteral(" 1"));
    QCOMPARE(m_win->txtBrano->text(), QStringLiteral("Uno"));
}

QTEST_MAIN(TestNavigazione)
#include "test_navigazione.moc"
