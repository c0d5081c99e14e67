#include "ArchivioDiProva.h"
#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
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
    void appendFallitoNonLasciaCoda();
    void cartelleProgramma_data();
    void cartelleProgramma();

private:
    QTemporaryDir m_dir;
    QString percorso(const QString& nome) { return m_dir.filePath(nome); }
};

void TestArchivio::campiNelRecord_data()
{
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QByteArray>("suDisco");
    const auto riga = [](const char* nome, Campo c, const QString& valore, const QByteArray& b) {
        QTest::newRow(nome) << int(c) << valore
                            << b + QByteArray(info(c).lunghezza - b.size(), ' ');
    };
    riga("titolo di 125 tenuto a 120", Campo::Brano, QString(125, 'x'), QByteArray(120, 'x'));
    riga("spazi solo ai lati", Campo::Brano, "  Cielo di vetro ", "Cielo di vetro");
    riga("tab ai lati resta", Campo::Artista, "\tA ", "\tA");
    riga("vuoto e' solo spazi", Campo::Album, QString(), {});
    riga("percorso di 250", Campo::MP3, QString(250, 'p'), QByteArray(250, 'p'));
    // What the set lacks is one '?' each, an emoji too, before the field is cut to length.
    riga("emoji in fondo al campo pieno", Campo::Artista, QString(39, 'a') + "🎵",
        QByteArray(39, 'a') + '?');
    riga("surrogato isolato e ideogramma", Campo::Anno, QString(QChar(0xD83C)) + "歌 x", "?? x");
    riga("Windows-1252 oltre Latin-1", Campo::Note, "è€’“—”ŒŸ\u00A0",
        "\xE8\x80\x92\x93\x97\x94\x8C\x9F\xA0");
    // The five bytes the set leaves undefined read as C1 controls and go back unchanged.
    riga(
        "byte indefiniti", Campo::Note, "A\u0081\u008D\u008F\u0090\u009D", "A\x81\x8D\x8F\x90\x9D");
    // 2000 characters with CR LF: the line ends count two each.
    QString testo;
    while (testo.size() < 2000)
        testo += "la\r\n";
    testo.truncate(2000);
    riga("testo di 2000 con a capo", Campo::Testo, testo, testo.toLatin1());
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
    const QByteArray disco = leggiFile(file);
    QCOMPARE(disco.size(), kLunghezzaScheda);
    const InfoCampo& i = kCampi[campo];
    QCOMPARE(disco.mid(i.offset, i.lunghezza), suDisco);
    // Every other byte is a blank.
    QByteArray resto = disco;
    resto.replace(i.offset, i.lunghezza, QByteArray(i.lunghezza, ' '));
    QCOMPARE(resto, QByteArray(kLunghezzaScheda, ' '));
    // Read and written back, the record is byte for byte the same.
    Scheda letta;
    QVERIFY(a->LeggiScheda(1, letta).ok);
    QVERIFY(a->ScriviScheda(1, letta).ok);
    QCOMPARE(leggiFile(file), disco);
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
    QVERIFY(!e.ok && !e.errore.isEmpty());
    a.reset();
    QCOMPARE(leggiFile(file), prima);
}

// Which installation keeps its files where: only a package's layout moves the user's files.
void TestArchivio::cartelleProgramma_data()
{
    QTest::addColumn<QStringList>("guide");
    QTest::addColumn<QString>("eseguibile");
    QTest::addColumn<QString>("dati");
    QTest::addColumn<QString>("guida");
    const auto riga
        = [](const char* nome, const QStringList& guide, const char* eseguibile, const char* dati,
              const char* guida) { QTest::newRow(nome) << guide << eseguibile << dati << guida; };
    riga("pacchetto", { "usr/share/melodora/Sonoria.hlp" }, "usr/bin", "casa/.local/share/Melodora",
        "usr/share/melodora");
    riga("build", { "build/Sonoria.hlp" }, "build", "build", "build");
    // A help file next to the program wins: that folder was copied as a whole.
    riga("entrambe", { "usr/bin/Sonoria.hlp", "usr/share/melodora/Sonoria.hlp" }, "usr/bin",
        "usr/bin", "usr/bin");
    riga("senza guida", {}, "usr/bin", "usr/bin", "usr/bin");
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
    // The program's own files are looked up in its folder.
    impostaCartellaProgramma(c.dati);
    QCOMPARE(AppFilePath(QStringLiteral("Sonoria.sng")), c.dati + QStringLiteral("/Sonoria.sng"));
    impostaCartellaProgramma(QString());
}

QTEST_GUILESS_MAIN(TestArchivio)
#include "test_archivio.moc"
