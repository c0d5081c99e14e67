#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "archive/AppFilePath.h"
#include "cli/Cli.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void init();
    void countEShow();
    void exportJson();
    void giroCompleto();

private:
    int esegui(const QStringList& argomenti)
    {
        return eseguiCli(archivio(), argomenti, m_out, m_err);
    }
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    QString scriviTesto(const QString& nome, const QByteArray& dati)
    {
        QFile f(m_dir->filePath(nome));
        f.open(QIODevice::WriteOnly);
        f.write(dati);
        return f.fileName();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_err;
};

void TestCli::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestCli::countEShow()
{
    Scheda s = schedaDiProva(QStringLiteral("Perché"), QStringLiteral("Artista"));
    s.imposta(Campo::Testo, QStringLiteral("uno\r\ndue"));
    QVERIFY(scriviArchivio(archivio(), { schedaDiProva(QStringLiteral("Primo")), s }));
    QCOMPARE(esegui({ QStringLiteral("count") }), 0);
    QCOMPARE(m_out, QStringLiteral("2\n"));
    QCOMPARE(esegui({ QStringLiteral("show"), QStringLiteral("2"), QStringLiteral("--json") }), 0);
    QCOMPARE(m_out,
        QStringLiteral("{\"n\": 2, \"Brano\": \"Perché\", \"Artista\": \"Artista\", "
                       "\"Album\": \"Album di Perché\", \"Genere\": \"\", \"Anno\": "
                       "\"1999\", \"Note\": \"\", \"Testo\": \"uno\\r\\ndue\", \"MP3\": \"\"}\n"));
    QVERIFY(esegui({ QStringLiteral("show"), QStringLiteral("3") }) != 0);
    QVERIFY(m_err.contains(QStringLiteral("non esiste")));
    QVERIFY(esegui({ QStringLiteral("show"), QStringLiteral("0") }) != 0);
    // A damaged length prints the quotient and warns.
    QFile f(archivio());
    QVERIFY(f.resize(2 * 2830 + 1415));
    QCOMPARE(esegui({ QStringLiteral("count") }), 0);
    QCOMPARE(m_out, QStringLiteral("2.5\n"));
    QVERIFY(m_err.contains(QStringLiteral("1415 byte")));
}

void TestCli::exportJson()
{
    // Commands that only read never create the archive: a mistyped path is an error.
    const QList<QStringList> soloLettura { { QStringLiteral("count") },
        { QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json") },
        { QStringLiteral("audio") } };
    for (const QStringList& comando : soloLettura) {
        QCOMPARE(esegui(comando), 1);
        QVERIFY(!QFile::exists(archivio()));
    }
    QVERIFY(scriviArchivio(archivio(), {}));
    QCOMPARE(
        esegui({ QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json") }),
        0);
    QCOMPARE(m_out, QStringLiteral("[]\n"));
    QVERIFY(scriviArchivio(archivio(), { schedaDiProva(QStringLiteral("A \"q\" \\")) }));
    QCOMPARE(
        esegui({ QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json") }),
        0);
    const QJsonDocument doc = QJsonDocument::fromJson(m_out.toUtf8());
    QCOMPARE(doc.array().size(), 1);
    QCOMPARE(doc.array().at(0).toObject().value(QStringLiteral("Brano")).toString(),
        QStringLiteral("A \"q\" \\"));
    QVERIFY(esegui({ QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("xml") })
        != 0);
}

void TestCli::giroCompleto()
{
    // Import applies the save button's rules: trim, cut, '?', pad; LF becomes CR LF; and
    // says what it changed.
    const QByteArray json = R"([{"n": 7, "Brano": "  Titolo  ", "Testo": "a\nb", "Artista":
        "Dvořák", "Note": ")"
        + QByteArray(300, 'n') + R"(", "Genere": "Rock"}])";
    QCOMPARE(esegui({ QStringLiteral("import"), scriviTesto(QStringLiteral("y.json"), json) }), 0);
    const QByteArray disco = leggiFile(archivio());
    QCOMPARE(disco,
        record({ "Titolo", "Dvo?\xE1k", "", "Rock", "", QByteArray(240, 'n'), "a\r\nb", "" }));
    QVERIFY2(m_err.contains(QStringLiteral("scheda 1, campo Artista: il carattere \"ř\"")),
        qPrintable(m_err));
    QVERIFY2(
        m_err.contains(QStringLiteral("scheda 1, campo Note: 300 caratteri")), qPrintable(m_err));
    // Export then import into an empty archive gives the same bytes.
    QCOMPARE(
        esegui({ QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json") }),
        0);
    const QString esportato = scriviTesto(QStringLiteral("e.json"), m_out.toUtf8());
    QFile::remove(archivio());
    QCOMPARE(esegui({ QStringLiteral("import"), esportato }), 0);
    QCOMPARE(leggiFile(archivio()), disco);
    // Update replaces the keys given by the save button's rules and keeps the others.
    QCOMPARE(esegui({ QStringLiteral("update"), QStringLiteral("1"),
                 scriviTesto(QStringLiteral("u.json"), R"({"Anno": " 2001 ", "Genere": ""})") }),
        0);
    QByteArray aggiornato = disco;
    aggiornato.replace(280, 40, QByteArray(40, ' '));
    aggiornato.replace(320, 20, QByteArray("2001").leftJustified(20, ' '));
    QCOMPARE(leggiFile(archivio()), aggiornato);
    QCOMPARE(esegui({ QStringLiteral("update"), QStringLiteral("1"),
                 scriviTesto(QStringLiteral("v.json"), R"({"Brano": "  "})") }),
        1);
    QCOMPARE(leggiFile(archivio()), aggiornato);
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
