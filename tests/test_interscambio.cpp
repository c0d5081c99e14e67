// The command line's reading, import, export and update of the archive and its check, as a
// user runs them, with the bytes on disk compared.
#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "archive/Codifica.h"
#include "cli/Cli.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestInterscambio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void csvDaFoglioDiCalcolo();
    void csvRifiutato_data();
    void csvRifiutato();
    void valoriNonArchiviabili_data();
    void valoriNonArchiviabili();
    void esportaCsv();
    void giroCsvIdentico();
    void formatoDelFile_data();
    void formatoDelFile();
    void controllo_data();
    void controllo();
    void soloLettura();
    void countEShow();
    void giroJson();

private:
    int esegui(const QStringList& argomenti)
    {
        return eseguiCli(archivio(), argomenti, m_out, m_err);
    }
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    QString scrivi(const QString& nome, const QByteArray& dati)
    {
        return scriviFile(m_dir->filePath(nome), dati) ? m_dir->filePath(nome) : QString();
    }
    /** Bytes of field @p c of card @p n in the archive on disk. */
    QByteArray campoSuDisco(int n, Campo c)
    {
        return leggiFile(archivio()).mid((n - 1) * 2830 + info(c).offset, info(c).lunghezza);
    }
    static QByteArray riempito(const QByteArray& valore, Campo c)
    {
        return valore + QByteArray(info(c).lunghezza - valore.size(), ' ');
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_err;
};

void TestInterscambio::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestInterscambio::csvDaFoglioDiCalcolo()
{
    // As an Italian spreadsheet saves it: byte-order mark, semicolons, CR LF rows, its own
    // column order and case, lyrics over several lines with quotes inside, an empty row.
    const QByteArray csv = "\xEF\xBB\xBF"
                           "Testo;mp3;BRANO;Anno;Artista\r\n"
                           "\"Nel blu\ndipinto di blu;\r\n\"\"volare\"\"\";;  Volare ;1958;"
                           "Domenico Modugno\r\n"
                           ";;;;\r\n"
                           "\"\";/musica/città.mp3;Città vuota;\"1963\";Mina\r\n";
    QVERIFY(scriviArchivio(archivio(), { schedaDiProva(QStringLiteral("Esistente")) }));
    QCOMPARE(esegui({ "import", scrivi("brani.csv", csv) }), 0);
    QCOMPARE(m_out, QStringLiteral("Importate 2 schede (dalla 2 alla 3).\n"));
    QCOMPARE(m_err, QString());

    // The lone LF becomes CR LF, the CR LF stays, the doubled quotes are one.
    QCOMPARE(leggiFile(archivio()).mid(2830),
        record({ "Volare", "Domenico Modugno", "", "", "1958", "",
            "Nel blu\r\ndipinto di blu;\r\n\"volare\"" })
            + record({ "Citt\xE0 vuota", "Mina", "", "", "1963", "", "", "/musica/citt\xE0.mp3" }));
}

void TestInterscambio::csvRifiutato_data()
{
    QTest::addColumn<QByteArray>("csv"); // JSON when it starts with a bracket
    QTest::addColumn<QStringList>("messaggio"); // its parts, between bars
    const auto riga = [](const char* nome, const QByteArray& dati, const char* parti) {
        QTest::newRow(nome) << dati << QString::fromUtf8(parti).split(u'|');
    };
    riga("virgolette mai chiuse", "Brano;Testo\r\nUno;ok\r\nDue;\"aperte\r\nper sempre\r\n",
        "riga 3:|mai chiuse");
    riga("un campo in più", "Brano,Artista\r\nUno,A\r\nDue,B,C\r\n", "riga 3:|3 campi");
    riga("righe contate dentro le virgolette", "Brano,Testo\r\nUno,\"a\r\nb\nc\"\r\nDue,x,y\r\n",
        "riga 5:");
    riga("virgolette in mezzo al campo", "Brano\r\nUn \"titolo\"\r\n", "riga 2:|virgolette");
    riga("colonna sconosciuta", "Brano;Voto\r\nUno;5\r\n", "riga 1:|\"Voto\"");
    riga("senza la colonna Brano", "Artista\r\nMina\r\n", "colonna Brano");
    riga("scheda senza titolo", "Brano;Artista\r\nUno;A\r\n   ;B\r\n", "scheda 2 (riga 3)|titolo");
    riga("non UTF-8", "Brano\r\nUno\r\nCitt\xE0\r\n", "riga 3:|UTF-8");
    riga("vuoto", "\xEF\xBB\xBF", "vuoto");
    riga("JSON senza titolo", R"([{"Brano":"ok"},{"Brano":"   ","Artista":"x"}])", "scheda 2");
    riga("JSON chiave sconosciuta", R"([{"Brano":"ok","Voto":"5"}])", "Voto");
    riga("JSON malformato", R"([{"Brano":"ok"},)", "JSON");
    riga("JSON non un elenco", R"({"Brano":"ok"})", "elenco");
    riga("JSON valore numerico", R"([{"Brano":"ok","Anno":1999}])", "Anno");
}

void TestInterscambio::csvRifiutato()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, messaggio);
    const QString file
        = scrivi(csv.startsWith('[') || csv.startsWith('{') ? "x.json" : "x.csv", csv);

    // A refused import does not even create a missing archive...
    QCOMPARE(esegui({ "import", file }), 1);
    QVERIFY(!QFile::exists(archivio()));
    // ...and leaves an existing one byte for byte as it was.
    QVERIFY(scriviArchivio(archivio(), { schedaDiProva(QStringLiteral("Esistente")) }));
    const QByteArray prima = leggiFile(archivio());
    QCOMPARE(esegui({ "import", file, "--truncate" }), 1);
    QCOMPARE(leggiFile(archivio()), prima);
    for (const QString& parte : messaggio)
        QVERIFY2(m_err.contains(parte), qPrintable(m_err));
    QVERIFY2(m_err.contains(QStringLiteral("nessuna scheda importata")), qPrintable(m_err));
    QCOMPARE(m_out, QString());
}

void TestInterscambio::valoriNonArchiviabili_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("segnalati");
    QTest::addColumn<int>("campo");
    QTest::addColumn<QByteArray>("tagliato");

    // The length that counts is the stored one, with each line break two characters.
    QTest::newRow("testo lungo per gli a capo")
        << "Brano,Testo\r\nUno,\"" + QByteArray(1990, 'x') + QByteArray(10, '\n') + "\"\r\n"
        << QStringList { "campo Testo: 2010 caratteri" } << int(Campo::Testo)
        << QByteArray(1990, 'x') + QByteArray("\r\n\r\n\r\n\r\n\r\n");
    // Found by fuzzing: an invisible character alone is a title, stored as '?'.
    QTest::newRow("titolo di un solo carattere invisibile")
        << QByteArray("Brano\r\n\xEF\xBB\xBF\r\n")
        << QStringList { "scheda 1 (riga 2), campo Brano: il carattere U+FEFF non si può "
                         "archiviare" }
        << int(Campo::Brano) << riempito("?", Campo::Brano);
    QTest::newRow("due schede, due problemi")
        << "Brano;Note\r\n\"Uno\";" + QByteArray(241, 'n') + "\r\n  Due  ;\xF0\x9F\x8E\xB5\r\n"
        << QStringList { "scheda 1 (riga 2), campo Note: 241 caratteri, ma il campo ne contiene al "
                         "massimo 240",
               "scheda 2 (riga 3), campo Note: il carattere \"🎵\" (U+1F3B5)" }
        << int(Campo::Note) << QByteArray(240, 'n');
}

void TestInterscambio::valoriNonArchiviabili()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, segnalati);
    QFETCH(int, campo);
    QFETCH(QByteArray, tagliato);
    const QString file = scrivi(QStringLiteral("valori.csv"), csv);

    QVERIFY(scriviArchivio(archivio(), {}));
    QCOMPARE(esegui({ "import", file }), 1);
    QCOMPARE(leggiFile(archivio()), QByteArray());
    for (const QString& s : segnalati)
        QVERIFY2(m_err.contains(s), qPrintable(m_err));
    QVERIFY2(m_err.contains(QStringLiteral("--truncate")), qPrintable(m_err));

    // Accepted cut, or with '?' for what the set cannot hold, as the save button stores it.
    QCOMPARE(esegui({ "import", file, "--truncate" }), 0);
    const QStringList avvisi = m_err.split(u'\n').filter(QStringLiteral("attenzione: "));
    for (const QString& s : segnalati)
        QVERIFY2(!avvisi.filter(s).isEmpty(), qPrintable(m_err));
    QCOMPARE(campoSuDisco(1, static_cast<Campo>(campo)), tagliato);
}

void TestInterscambio::esportaCsv()
{
    Scheda s = schedaDiProva(QStringLiteral("Ciao, \"mondo\""), QStringLiteral("Ànna"));
    s.imposta(Campo::Testo, QStringLiteral("uno\r\ndue"));
    s.imposta(Campo::Note, QStringLiteral("a;b"));
    QVERIFY(scriviArchivio(archivio(), { s, schedaDiProva(QStringLiteral("Due")) }));
    QCOMPARE(esegui({ "export", "--format", "csv" }), 0);
    QCOMPARE(m_out,
        QStringLiteral("n,Brano,Artista,Album,Genere,Anno,Note,Testo,MP3\r\n"
                       "1,\"Ciao, \"\"mondo\"\"\",Ànna,\"Album di Ciao, \"\"mondo\"\"\",,1999,"
                       "\"a;b\",\"uno\r\ndue\",\r\n"
                       "2,Due,,Album di Due,,1999,,,\r\n"));
}

void TestInterscambio::giroCsvIdentico()
{
    // Cards as the window saves them, with what CSV must quote or keep: accents, the euro
    // sign (0x80), quotes at the start, separators, tabs, full-length fields, line breaks.
    QList<Scheda> schede;
    Scheda a = schedaDiProva(QStringLiteral("\"Perché\"; sì, no"), QStringLiteral("€uro\tband"),
        QStringLiteral("/musica/a b,c.mp3"), QStringLiteral("Pop"));
    a.imposta(Campo::Testo, QStringLiteral("riga 1\r\n\r\n  riga \"3\"\r\n"));
    schede << a;
    Scheda b = schedaDiProva(QString(120, QLatin1Char('B')));
    b.imposta(Campo::Testo,
        QString(999, QLatin1Char('t')) + QStringLiteral("\r\n") + QString(999, QLatin1Char('u')));
    b.imposta(Campo::MP3, QLatin1Char('/') + QString(249, QLatin1Char('p')));
    schede << b << schedaDiProva(QStringLiteral("ÿ Œ ™ ¤"));
    // A byte Windows-1252 leaves undefined still comes back as it was.
    QByteArray c = schedaDiProva(QStringLiteral("Indefinito")).inByte();
    c[340] = '\x81';
    schede << Scheda::daByte(c.constData());
    QVERIFY(scriviArchivio(archivio(), schede));
    const QByteArray disco = leggiFile(archivio());

    QCOMPARE(esegui({ "export", "--format", "csv" }), 0);
    const QString esportato = scrivi(QStringLiteral("e.csv"), m_out.toUtf8());
    QFile::remove(archivio());
    QCOMPARE(esegui({ "import", esportato }), 0);
    QCOMPARE(m_err, QString());
    QCOMPARE(leggiFile(archivio()), disco);
}

void TestInterscambio::formatoDelFile_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QStringList>("opzioni");
    QTest::addColumn<int>("stato");
    const QByteArray json = "\xEF\xBB\xBF [{\"Brano\": \"Dal JSON\"}]";
    const QByteArray csv = "Brano\r\nDal CSV\r\n";
    QTest::newRow("CSV senza estensione") << "schede.txt" << csv << QStringList() << 0;
    QTest::newRow("formato indicato")
        << "schede.csv" << json << QStringList { "--format", "json" } << 0;
    QTest::newRow("formato sbagliato") << "schede.json" << csv << QStringList() << 1;
    QTest::newRow("formato sconosciuto")
        << "schede.csv" << csv << QStringList { "--format", "xls" } << 2;
}

void TestInterscambio::formatoDelFile()
{
    QFETCH(QString, nome);
    QFETCH(QByteArray, dati);
    QFETCH(QStringList, opzioni);
    QFETCH(int, stato);
    QCOMPARE(esegui(QStringList { "import", scrivi(nome, dati) } + opzioni), stato);
    if (stato == 0) {
        const QByteArray titolo = dati.contains("JSON") ? "Dal JSON" : "Dal CSV";
        QCOMPARE(campoSuDisco(1, Campo::Brano), riempito(titolo, Campo::Brano));
    } else {
        QVERIFY(!QFile::exists(archivio()));
    }
}

void TestInterscambio::controllo_data()
{
    QTest::addColumn<QByteArray>("disco");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QStringList>("rapporto");

    const QByteArray uno = schedaDiProva(QStringLiteral("Uno")).inByte();
    const QByteArray due
        = schedaDiProva(QStringLiteral("Due"), {}, QStringLiteral("@AUDIO@")).inByte();
    QTest::newRow("integro") << uno + due << 0
                             << QStringList { "Lunghezza: 5660 byte, 2 schede",
                                    "Nessun problema: l'archivio è integro." };
    QTest::newRow("1000 byte in coda")
        << uno + due + QByteArray(1000, ' ') << 1
        << QStringList { "Trovato 1 problema:",
               "la lunghezza (6660 byte) non è un multiplo di 2830: gli ultimi "
               "1000 byte non formano una scheda intera" };
    QByteArray indefiniti = uno + due;
    indefiniti[2830 + 345] = '\x81';
    indefiniti[2830 + 400] = '\x9D';
    indefiniti[2830 + 2000] = '\x8F';
    indefiniti[2830 + 2001] = '\x80'; // the euro sign: defined
    QTest::newRow("byte indefiniti")
        << indefiniti << 1
        << QStringList { "Trovati 2 problemi:",
               "scheda 2, campo Note: 2 byte non definiti in Windows-1252 (il "
               "primo è 0x81, al byte 3175 del file contando da 0)",
               "scheda 2, campo Testo: 1 byte non definito in Windows-1252 (il "
               "primo è 0x8F, al byte 4830" };
    QTest::newRow("titolo vuoto") << uno + schedaDiProva(QString(5, QLatin1Char(' '))).inByte() << 1
                                  << QStringList { "scheda 2: il titolo del brano è vuoto" };
}

void TestInterscambio::controllo()
{
    QFETCH(QByteArray, disco);
    QFETCH(int, stato);
    QFETCH(QStringList, rapporto);
    // @AUDIO@ stands for a real file in the test's folder, padded to the same length.
    const QString audio = scrivi(QStringLiteral("brano.mp3"), "ID3");
    const qsizetype dove = disco.indexOf("@AUDIO@");
    if (dove >= 0)
        disco.replace(dove, audio.size(), audio.toLocal8Bit());
    QVERIFY(!scrivi(QStringLiteral("Sonoria.sng"), disco).isEmpty());

    QCOMPARE(esegui({ "check" }), stato);
    for (const QString& r : rapporto)
        QVERIFY2(m_out.contains(r), qPrintable(m_out));
    QCOMPARE(leggiFile(archivio()), disco);
}

void TestInterscambio::soloLettura()
{
    // Commands that only read never create the archive: a mistyped path is an error.
    for (const QStringList& comando : QList<QStringList> {
             { "check" }, { "count" }, { "export", "--format", "json" }, { "audio" } }) {
        QCOMPARE(esegui(comando), 1);
        QVERIFY2(m_err.contains(QStringLiteral("non esiste")), qPrintable(m_err));
        QVERIFY(!QFile::exists(archivio()));
    }
    QVERIFY(scriviArchivio(archivio(), {}));
    QCOMPARE(esegui({ "export", "--format", "json" }), 0);
    QCOMPARE(m_out, QStringLiteral("[]\n"));
    QCOMPARE(esegui({ "export", "--format", "xml" }), 2);
}

void TestInterscambio::countEShow()
{
    Scheda s = schedaDiProva(QStringLiteral("Perché"), QStringLiteral("Artista"));
    s.imposta(Campo::Testo, QStringLiteral("uno\r\ndue"));
    QVERIFY(scriviArchivio(archivio(), { schedaDiProva(QStringLiteral("Primo")), s }));
    QCOMPARE(esegui({ "count" }), 0);
    QCOMPARE(m_out, QStringLiteral("2\n"));
    QCOMPARE(esegui({ "show", "2", "--json" }), 0);
    QCOMPARE(m_out,
        QStringLiteral("{\"n\": 2, \"Brano\": \"Perché\", \"Artista\": \"Artista\", "
                       "\"Album\": \"Album di Perché\", \"Genere\": \"\", \"Anno\": "
                       "\"1999\", \"Note\": \"\", \"Testo\": \"uno\\r\\ndue\", \"MP3\": \"\"}\n"));
    QCOMPARE(esegui({ "show", "0" }), 1);
    // A damaged length prints the quotient and warns.
    QFile f(archivio());
    QVERIFY(f.resize(2 * 2830 + 1415));
    QCOMPARE(esegui({ "count" }), 0);
    QCOMPARE(m_out, QStringLiteral("2.5\n"));
    QVERIFY(m_err.contains(QStringLiteral("1415 byte")));
}

void TestInterscambio::giroJson()
{
    // JSON import applies the save button's rules (trim, cut, '?', pad; LF becomes CR LF)
    // and says what it changed; quotes and backslashes come back from the export.
    const QByteArray json = R"([{"n": 7, "Brano": "  Ti\"to\\lo  ", "Testo": "a\nb", "Artista":
        "Dvořák", "Note": ")"
        + QByteArray(300, 'n') + R"(", "Genere": "Rock"}])";
    QCOMPARE(esegui({ "import", scrivi("y.json", json) }), 0);
    const QByteArray disco = leggiFile(archivio());
    QCOMPARE(disco,
        record({ "Ti\"to\\lo", "Dvo?\xE1k", "", "Rock", "", QByteArray(240, 'n'), "a\r\nb", "" }));
    QVERIFY2(m_err.contains(QStringLiteral("scheda 1, campo Artista: il carattere \"ř\" (U+0159) "
                                           "non si può archiviare in Windows-1252")),
        qPrintable(m_err));
    // Export then import into an empty archive gives the same bytes.
    QCOMPARE(esegui({ "export", "--format", "json" }), 0);
    const QString esportato = scrivi(QStringLiteral("e.json"), m_out.toUtf8());
    QFile::remove(archivio());
    QCOMPARE(esegui({ "import", esportato }), 0);
    QCOMPARE(leggiFile(archivio()), disco);
    // Update replaces the keys given by the save button's rules and keeps the others.
    QCOMPARE(esegui({ "update", "1", scrivi("u.json", R"({"Anno": " 2001 ", "Genere": ""})") }), 0);
    QByteArray aggiornato = disco;
    aggiornato.replace(280, 40, QByteArray(40, ' '));
    aggiornato.replace(320, 20, QByteArray("2001").leftJustified(20, ' '));
    QCOMPARE(leggiFile(archivio()), aggiornato);
    QCOMPARE(esegui({ "update", "1", scrivi("v.json", R"({"Brano": "  "})") }), 1);
    QCOMPARE(leggiFile(archivio()), aggiornato);
}

QTEST_GUILESS_MAIN(TestInterscambio)
#include "test_interscambio.moc"
