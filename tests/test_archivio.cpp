#include "ArchivioDiProva.h"
#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "platform/FileOps.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

class TestArchivio : public QObject {
    Q_OBJECT
private slots:
    void campiNelRecord_data();
    void campiNelRecord();
    void codifica1252_data();
    void codifica1252();
    void byteIndefinitiRestanoUguali();
    void carattereNonRappresentabile();
    void testoDi2000ConACapo();
    void archivioMancanteCreatoVuoto();
    void numeroSchedeReale_data();
    void numeroSchedeReale();
    void scritturaEOffset();
    void appendFallitoNonLasciaCoda();
    void passaggioSuArchivioDanneggiato();
    void appFilePath();
    void cartelleProgramma_data();
    void cartelleProgramma();
    void arrotondamentoBancario_data();
    void arrotondamentoBancario();

private:
    QTemporaryDir m_dir;
    QString percorso(const QString& nome) { return m_dir.filePath(nome); }
};

void TestArchivio::campiNelRecord_data()
{
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QByteArray>("suDisco");
    const QString lungo = QString(125, QLatin1Char('x'));
    QTest::newRow("titolo di 125 tenuto a 120")
        << int(Campo::Brano) << lungo << QByteArray(120, 'x');
    QTest::newRow("spazi solo ai lati") << int(Campo::Brano) << QStringLiteral("  Cielo di vetro ")
                                        << QByteArray("Cielo di vetro") + QByteArray(106, ' ');
    QTest::newRow("tab ai lati resta")
        << int(Campo::Artista) << QStringLiteral("\tA ") << QByteArray("\tA") + QByteArray(38, ' ');
    QTest::newRow("vuoto e' solo spazi") << int(Campo::Album) << QString() << QByteArray(120, ' ');
    QTest::newRow("percorso di 250")
        << int(Campo::MP3) << QString(250, QLatin1Char('p')) << QByteArray(250, 'p');
    QTest::newRow("anno libero") << int(Campo::Anno) << QStringLiteral("1965 circa")
                                 << QByteArray("1965 circa") + QByteArray(10, ' ');
    // What the set lacks is one '?' each, an emoji too, before the field is cut to length.
    QTest::newRow("emoji in fondo al campo pieno")
        << int(Campo::Artista) << QString(39, QLatin1Char('a')) + QStringLiteral("🎵")
        << QByteArray(39, 'a') + '?';
    QTest::newRow("surrogato isolato e ideogramma")
        << int(Campo::Anno) << QString(QChar(0xD83C)) + QStringLiteral("歌 x")
        << QByteArray("?? x") + QByteArray(16, ' ');
}

void TestArchivio::campiNelRecord()
{
    QFETCH(int, campo);
    QFETCH(QString, valore);
    QFETCH(QByteArray, suDisco);
    const QString file = percorso(QStringLiteral("campi.sng"));
    QFile::remove(file);
    Scheda s;
    s.imposta(static_cast<Campo>(campo), valore);
    auto a = ArchivioSchede::apri(file, fileOpsReali());
    QVERIFY(a);
    QVERIFY(a->ScriviScheda(1, s).ok);
    a.reset();
    const QByteArray disco = leggiFile(file);
    QCOMPARE(disco.size(), kLunghezzaScheda);
    const InfoCampo& i = kCampi[campo];
    QCOMPARE(disco.mid(i.offset, i.lunghezza), suDisco);
    // Every other byte is a blank.
    QByteArray resto = disco;
    resto.replace(i.offset, i.lunghezza, QByteArray(i.lunghezza, ' '));
    QCOMPARE(resto, QByteArray(kLunghezzaScheda, ' '));
}

void TestArchivio::codifica1252_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("byte");
    QTest::newRow("e grave") << QStringLiteral("è") << QByteArray("\xE8");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
    QTest::newRow("apostrofo tipografico") << QStringLiteral("’") << QByteArray("\x92");
    QTest::newRow("virgolette e trattino") << QStringLiteral("“—”") << QByteArray("\x93\x97\x94");
    QTest::newRow("Œ e Ÿ") << QStringLiteral("ŒŸ") << QByteArray("\x8C\x9F");
    QTest::newRow("spazio non separabile") << QStringLiteral("\u00A0") << QByteArray("\xA0");
}

void TestArchivio::codifica1252()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, byte);
    const QString file = percorso(QStringLiteral("cp.sng"));
    QFile::remove(file);
    Scheda s;
    s.imposta(Campo::Note, testo);
    {
        auto a = ArchivioSchede::apri(file, fileOpsReali());
        QVERIFY(a && a->ScriviScheda(1, s).ok);
    }
    const QByteArray disco = leggiFile(file);
    QCOMPARE(disco.mid(340, byte.size()), byte);
    auto a = ArchivioSchede::apri(file, fileOpsReali());
    Scheda letta;
    QVERIFY(a->LeggiScheda(1, letta).ok);
    QCOMPARE(letta.testo(Campo::Note), testo);
}

void TestArchivio::byteIndefinitiRestanoUguali()
{
    // A record written by another program with bytes Windows-1252 leaves undefined
    // must survive a read and a write unchanged.
    QByteArray record(kLunghezzaScheda, ' ');
    record[0] = 'A';
    record[1] = '\x81';
    record[2] = '\x8D';
    record[3] = '\x8F';
    record[4] = '\x90';
    record[5] = '\x9D';
    const Scheda s = Scheda::daByte(record.constData());
    QCOMPARE(s.inByte(), record);
    QVERIFY(cp1252::byteIndefinito(0x81));
    QVERIFY(!cp1252::byteIndefinito(0x80));
}

void TestArchivio::carattereNonRappresentabile()
{
    int sostituiti = 0;
    QCOMPARE(cp1252::codifica(QStringLiteral("a✓b"), &sostituiti), QByteArray("a?b"));
    QCOMPARE(sostituiti, 1);
    QVERIFY(!cp1252::rappresentabile(QStringLiteral("日本")));
    QVERIFY(cp1252::rappresentabile(QStringLiteral("perché € ’")));
}

void TestArchivio::testoDi2000ConACapo()
{
    // 1000 lines of "x" + CR LF would be 3000; take exactly 2000 characters.
    QString testo;
    while (testo.size() < 2000)
        testo += QStringLiteral("la\r\n");
    testo.truncate(2000);
    Scheda s;
    s.imposta(Campo::Testo, testo);
    const QByteArray b = s.inByte();
    QCOMPARE(b.mid(580, 2000), testo.toLatin1());
    QCOMPARE(b.at(2579), '\n');
    QCOMPARE(b.mid(2580, 250), QByteArray(250, ' '));
}

void TestArchivio::archivioMancanteCreatoVuoto()
{
    const QString file = percorso(QStringLiteral("mancante.sng"));
    QVERIFY(!QFile::exists(file));
    auto a = ArchivioSchede::apri(file, fileOpsReali());
    QVERIFY(a);
    QCOMPARE(a->NumeroSchede(), 0.0);
    a.reset();
    QVERIFY(QFile::exists(file));
    QCOMPARE(QFileInfo(file).size(), 0);
}

void TestArchivio::numeroSchedeReale_data()
{
    QTest::addColumn<qint64>("lunghezza");
    QTest::addColumn<double>("numero");
    QTest::newRow("vuoto") << qint64(0) << 0.0;
    QTest::newRow("tre") << qint64(3 * 2830) << 3.0;
    QTest::newRow("mezza") << qint64(2830 + 1415) << 1.5;
    QTest::newRow("1000 in coda") << qint64(2 * 2830 + 1000) << (2 * 2830 + 1000) / 2830.0;
}

void TestArchivio::numeroSchedeReale()
{
    QFETCH(qint64, lunghezza);
    QFETCH(double, numero);
    const QString file = percorso(QStringLiteral("n.sng"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(f.resize(lunghezza));
    }
    auto a = ArchivioSchede::apri(file, fileOpsReali());
    QCOMPARE(a->NumeroSchede(), numero);
    QCOMPARE(a->schedeIntere(), lunghezza / 2830);
}

void TestArchivio::scritturaEOffset()
{
    const QString file = percorso(QStringLiteral("tre.sng"));
    QVERIFY(scriviArchivio(file,
        { schedaDiProva(QStringLiteral("Uno")), schedaDiProva(QStringLiteral("Due")),
            schedaDiProva(QStringLiteral("Tre")) }));
    QCOMPARE(leggiFile(file).mid(5660, 3), QByteArray("Tre"));
    auto a = ArchivioSchede::apri(file, fileOpsReali());
    Scheda s;
    QVERIFY(a->LeggiScheda(3, s).ok);
    QCOMPARE(s.testo(Campo::Brano), QStringLiteral("Tre"));
    // Writing count + 1 appends one record; writing an existing card replaces it.
    QVERIFY(a->ScriviScheda(4, schedaDiProva(QStringLiteral("Quattro"))).ok);
    QCOMPARE(a->NumeroSchede(), 4.0);
    QVERIFY(a->ScriviScheda(2, schedaDiProva(QStringLiteral("Due bis"))).ok);
    QCOMPARE(a->NumeroSchede(), 4.0);
    a.reset();
    const QByteArray b = leggiFile(file);
    QCOMPARE(b.mid(2830, 7), QByteArray("Due bis"));
    QCOMPARE(b.mid(3 * 2830, 7), QByteArray("Quattro"));
}

namespace {
// Fails every write after the first @p riuscite bytes have gone out: a disk that fills up.
class DiscoPieno : public FileOps {
public:
    ssize_t pwrite(int fd, const void* buf, size_t len, off_t offset) override
    {
        if (m_restano <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const size_t n = std::min(len, static_cast<size_t>(m_restano));
        m_restano -= static_cast<qint64>(n);
        return FileOps::pwrite(fd, buf, n, offset);
    }
    qint64 m_restano = 1000;
};
}

void TestArchivio::appendFallitoNonLasciaCoda()
{
    const QString file = percorso(QStringLiteral("pieno.sng"));
    QVERIFY(scriviArchivio(file, { schedaDiProva(QStringLiteral("Uno")) }));
    const QByteArray prima = leggiFile(file);
    DiscoPieno disco;
    auto a = ArchivioSchede::apri(file, disco);
    const Esito e = a->ScriviScheda(2, schedaDiProva(QStringLiteral("Due")));
    QVERIFY(!e.ok);
    QVERIFY(!e.errore.isEmpty());
    a.reset();
    QCOMPARE(leggiFile(file), prima);
}

void TestArchivio::passaggioSuArchivioDanneggiato()
{
    const QString file = percorso(QStringLiteral("danno.sng"));
    QVERIFY(scriviArchivio(
        file, { schedaDiProva(QStringLiteral("Uno")), schedaDiProva(QStringLiteral("Due")) }));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::Append));
        f.write(QByteArray(1000, 'z'));
    }
    const QByteArray prima = leggiFile(file);
    auto a = ArchivioSchede::apri(file, fileOpsReali());
    QList<qint64> visti;
    QVERIFY(a->perOgniScheda([&](qint64 n, const char*) {
                 visti.append(n);
                 return true;
             }).ok);
    QCOMPARE(visti, (QList<qint64> { 1, 2 }));
    // The part record reads as its bytes followed by blanks.
    Scheda coda;
    QVERIFY(a->LeggiScheda(3, coda).ok);
    QCOMPARE(coda.testo(Campo::Brano), QString(120, QLatin1Char('z')));
    QCOMPARE(coda.testo(Campo::MP3), QString());
    QVERIFY(!a->LeggiScheda(4, coda).ok);
    a.reset();
    QCOMPARE(leggiFile(file), prima);
}

void TestArchivio::appFilePath()
{
    impostaCartellaProgramma(QStringLiteral("/tmp/prog"));
    QCOMPARE(AppFilePath(QStringLiteral("Sonoria.sng")), QStringLiteral("/tmp/prog/Sonoria.sng"));
    impostaCartellaProgramma(QStringLiteral("/"));
    QCOMPARE(AppFilePath(QStringLiteral("Sonoria.sng")), QStringLiteral("/Sonoria.sng"));
    impostaCartellaProgramma(QString());
    QCOMPARE(AppFilePath(QStringLiteral("x")),
        QCoreApplication::applicationDirPath() + QStringLiteral("/x"));
}

// Which installation keeps its files where: only a package's layout moves the user's files.
void TestArchivio::cartelleProgramma_data()
{
    QTest::addColumn<QStringList>("guide");
    QTest::addColumn<QString>("eseguibile");
    QTest::addColumn<QString>("dati");
    QTest::addColumn<QString>("guida");
    const QString casa = QStringLiteral("casa/.local/share/Melodora");
    QTest::newRow("pacchetto") << QStringList { "usr/share/melodora/Sonoria.hlp" } << "usr/bin"
                               << casa << "usr/share/melodora";
    QTest::newRow("build") << QStringList { "build/Sonoria.hlp" } << "build"
                           << "build"
                           << "build";
    QTest::newRow("cartella copiata") << QStringList { "copia/bin/Sonoria.hlp" } << "copia/bin"
                                      << "copia/bin"
                                      << "copia/bin";
    // A help file next to the program wins: that folder was copied as a whole.
    QTest::newRow("entrambe") << QStringList { "usr/bin/Sonoria.hlp",
        "usr/share/melodora/Sonoria.hlp" }
                              << "usr/bin"
                              << "usr/bin"
                              << "usr/bin";
    QTest::newRow("senza guida") << QStringList {} << "usr/bin"
                                 << "usr/bin"
                                 << "usr/bin";
}

void TestArchivio::cartelleProgramma()
{
    QFETCH(QStringList, guide);
    QFETCH(QString, eseguibile);
    QFETCH(QString, dati);
    QFETCH(QString, guida);
    QTemporaryDir radice;
    for (const QString& g : guide) {
        QVERIFY(QDir().mkpath(QFileInfo(radice.filePath(g)).path()));
        QFile f(radice.filePath(g));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir().mkpath(radice.filePath(eseguibile)));
    const CartelleProgramma c = melodora::cartelleProgramma(
        radice.filePath(eseguibile), radice.filePath(QStringLiteral("casa/.local/share")));
    QCOMPARE(c.dati, radice.filePath(dati));
    QCOMPARE(c.guida, radice.filePath(guida));
}

void TestArchivio::arrotondamentoBancario_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<qint64>("n");
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(4);
    QTest::newRow("2.4") << 2.4 << qint64(2);
    QTest::newRow("2.6") << 2.6 << qint64(3);
}

void TestArchivio::arrotondamentoBancario()
{
    QFETCH(double, x);
    QFETCH(qint64, n);
    QCOMPARE(arrotondaNumero(x), n);
}

QTEST_GUILESS_MAIN(TestArchivio)
#include "test_archivio.moc"
