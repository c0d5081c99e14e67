#include "ArchivioDiProva.h"
#include "cli/Comandi.h"
#include "lists/Elenchi.h"
#include "platform/PrintSurface.h"
#include "platform/StampanteQt.h"
#include "printing/StampaElenco.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace melodora;
using namespace melodora::test;

namespace {
// A card whose values would retitle the terminal, ring it and clear the screen.
const QString kOstile = QStringLiteral("Evil\x1b]0;pwn\x07\x1b[2J");

/** Every file under @p cartella (hidden ones too) with its bytes. */
QMap<QString, QByteArray> contenuto(const QString& cartella)
{
    QMap<QString, QByteArray> file;
    const QDir dir(cartella);
    for (const QFileInfo& f :
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        file.insert(f.fileName(),
            f.isSymLink() ? "->" + f.symLinkTarget().toUtf8()
                          : (f.isFile() ? leggiFile(f.filePath()) : QByteArray("<altro>")));
    }
    return file;
}

struct Esecuzione {
    int stato = -1;
    QString out;
    QString err;
};

/** melodora-cli in @p cartella, as a user without XDG_RUNTIME_DIR in the C locale runs it. */
Esecuzione esegui(const QString& cartella, const QStringList& argomenti)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(cartella);
    p.start(QStringLiteral(MELODORA_CLI),
        QStringList { QStringLiteral("--archive"), QStringLiteral("Sonoria.sng") } + argomenti);
    // A FIFO opened for reading would hang here.
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
        QString::fromUtf8(p.readAllStandardError()) };
}

/** A control character a terminal would act on: C0 and C1 but tab and line breaks. */
bool haControlli(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        const bool aCapo = u == u'\n' || (u == u'\r' && s.mid(i + 1, 1) == u"\n");
        if (!aCapo && u != u'\t' && (u < 0x20 || (u >= 0x7F && u <= 0x9F)))
            return true;
    }
    return false;
}
}

class TestPrudenza : public QObject {
    Q_OBJECT
private slots:
    void init();
    void comandi_data();
    void comandi();
    void vociPerTerminale();
    void discoPieno_data();
    void discoPieno();

private:
    QString percorso(const QString& nome) const { return m_dir->filePath(nome); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPrudenza::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPrudenza::comandi_data()
{
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("messaggio"); // on standard output or standard error
    QTest::addColumn<QString>("pdf"); // the file that must be a new, whole PDF afterwards
    const QString stampa = QStringLiteral("print 1 --layout tutto --pdf ");
    const QString elenco = QStringLiteral("print-list audio --pdf ");
    // The arguments between blanks.
    const auto riga = [](const char* nome, const QString& a, int stato, const QString& m,
                          const QString& pdf = {}) {
        QTest::newRow(nome) << a.split(u' ') << stato << m << pdf;
    };

    // --pdf FILE: never the archive, never through a link, never an existing file unasked.
    riga("pdf sull'archivio per hard link", elenco + "stesso.pdf --overwrite", 1,
        "stesso.pdf è l'archivio delle schede: non viene sovrascritto; nessun file scritto");
    riga("pdf su un link all'archivio", stampa + "link-archivio.pdf --overwrite", 1,
        "link-archivio.pdf è un collegamento simbolico: non viene né seguito né sostituito");
    riga("pdf esistente senza --overwrite", stampa + "vecchio.pdf", 1,
        "il file vecchio.pdf esiste già; con --overwrite viene sostituito; nessun file scritto");
    riga("pdf su una cartella", elenco + "cartella --overwrite", 1, "cartella è una cartella");
    riga("pdf su una fifo", stampa + "fifo --overwrite", 1, "fifo non è un file regolare");
    riga("pdf in una cartella inesistente", stampa + "manca/x.pdf", 1,
        "il file o la cartella non esiste");
    riga("--overwrite senza --pdf", "print-list audio --overwrite", 1,
        "--overwrite vale solo con --pdf FILE");
    riga("pdf nuovo", "print 2 --layout tutto --pdf nuovo.pdf", 0, "Stampato su File PDF nuovo.pdf",
        "nuovo.pdf");
    riga("pdf sostituito con --overwrite", elenco + "vecchio.pdf --overwrite", 0,
        "Stampato su File PDF vecchio.pdf", "vecchio.pdf");

    // Values reach the terminal escaped; export passes them on exactly.
    riga("show", "show 2", 0, "Titolo del brano: Evil\\x1b]0;pwn\\x07\\x1b[2J");
    riga("show, un byte C1", "show 2", 0, "Album: C1\\x81");
    riga("show --json", "show 2 --json", 0, "Evil\\u001b]0;pwn\\u0007");
    riga("search", "search titolo evil", 0, "Evil\\x1b]0;pwn\\x07\\x1b[2J");
    riga("audio", "audio", 0, "Evil\\x1b]0;pwn\\x07\\x1b[2J");
    riga("check", "check", 1, "il file audio \"/manca\\x1b[2J.mp3\" non esiste");
    riga("export csv esatto", "export --format csv", 0, kOstile);

    // check reads only regular files, and never waits on a FIFO.
    riga("check di una fifo", "--archive fifo check", 1, "fifo: non è un file regolare");
    riga("check di una cartella", "--archive cartella check", 1, "cartella: è una cartella");

    // Import: Italian messages, repeated keys and lone surrogates named.
    riga("chiave ripetuta", "import ripetuta.json", 1,
        "scheda 2 dell'elenco: la chiave \"Brano\" compare due volte");
    riga("chiave ripetuta in update", "update 1 ripetuta1.json", 1,
        "scheda 1: la chiave \"Anno\" compare due volte");
    riga("surrogato isolato", "import surrogato.json", 1,
        "scheda 1 dell'elenco: il valore di \"Note\" contiene un surrogato UTF-16 isolato "
        "(\\udc00), che non è un carattere");
    riga("valore non valido", "import valore.json", 1,
        "file JSON non valido (al byte 15): valore non valido");
    riga("testo non chiuso", "import aperto.json", 1, "un testo non è chiuso dalle virgolette");
    riga("UTF-8 non valido", "import utf8.json", 1, "testo non in UTF-8 valido");
    riga("troppo annidato", "import annidato.json", 1, "troppi livelli annidati");
    riga("file inesistente", "import manca.json", 1,
        "impossibile leggere manca.json: il file o la cartella non esiste");
    riga("import di una cartella", "import cartella", 1,
        "impossibile leggere cartella: è una cartella");
    riga(
        "import di una fifo", "import fifo", 1, "impossibile leggere fifo: non è un file regolare");

    // A card number that is none or out of range changes nothing.
    riga("delete 0", "delete 0", 2, "\"0\" non è il numero di una scheda");
    riga("delete di due schede", "delete 1 2", 2, "uso: delete N");
    riga("delete oltre la fine", "delete 3", 1, "nessuna scheda è stata eliminata");
    riga("update oltre la fine", "update 3 nota.json", 1, "la scheda 3 non esiste");

    riga(
        "--help e il giro completo", "--help", 0, "byte per byte solo se ogni scheda ha un titolo");
}

void TestPrudenza::comandi()
{
    QFETCH(QStringList, argomenti);
    QFETCH(int, stato);
    QFETCH(QString, messaggio);
    QFETCH(QString, pdf);

    QByteArray archivio = schedaDiProva(QStringLiteral("Primo")).inByte()
        + schedaDiProva(kOstile, {}, QStringLiteral("/manca\x1b[2J.mp3")).inByte();
    // Album of card 2: a byte Windows-1252 leaves undefined, read as the C1 control U+0081.
    const InfoCampo& album = info(Campo::Album);
    archivio.replace(kLunghezzaScheda + album.offset, album.lunghezza,
        QByteArray("C1\x81").leftJustified(album.lunghezza, ' '));
    QVERIFY(scriviFile(percorso("Sonoria.sng"), archivio));
    QVERIFY(scriviFile(percorso("vecchio.pdf"), "%PDF-1.4 vecchio\n%%EOF\n"));
    QVERIFY(QFile::link(percorso("Sonoria.sng"), percorso("link-archivio.pdf")));
    QCOMPARE(::link(QFile::encodeName(percorso("Sonoria.sng")).constData(),
                 QFile::encodeName(percorso("stesso.pdf")).constData()),
        0);
    QCOMPARE(::mkfifo(QFile::encodeName(percorso("fifo")).constData(), 0600), 0);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("cartella")));
    QVERIFY(scriviFile(percorso("ripetuta.json"),
        R"([{"Brano":"a"}, {"Brano":"b", "Artista":"x", "Br\u0061no":"c"}])"));
    QVERIFY(scriviFile(percorso("ripetuta1.json"), R"({"Anno":"1","Genere":"x","Anno":"2"})"));
    QVERIFY(scriviFile(
        percorso("surrogato.json"), R"([{"Brano":"ok \ud83c\udfb5", "Note":"a\udc00b"}])"));
    QVERIFY(scriviFile(percorso("valore.json"), R"([{"Brano": tru}])"));
    QVERIFY(scriviFile(percorso("aperto.json"), R"([{"Brano": "ok)"));
    QVERIFY(scriviFile(percorso("utf8.json"), "[{\"Brano\": \"\xff\"}]"));
    QVERIFY(scriviFile(percorso("annidato.json"), QByteArray(5000, '[') + QByteArray(5000, ']')));
    QVERIFY(scriviFile(percorso("nota.json"), R"({"Note": "n"})"));

    const QMap<QString, QByteArray> prima = contenuto(m_dir->path());
    const Esecuzione e = esegui(m_dir->path(), argomenti);
    QVERIFY2(e.stato == stato, qPrintable(QStringLiteral("%1\n%2").arg(e.out, e.err)));
    QVERIFY2((e.out + e.err).contains(messaggio), qPrintable(e.out + e.err));

    // Nothing else changed, nothing left behind: the archive's bytes, the old PDF, no
    // temporary file.
    QMap<QString, QByteArray> dopo = contenuto(m_dir->path());
    if (!pdf.isEmpty()) {
        QVERIFY(dopo.value(pdf).startsWith("%PDF-"));
        QVERIFY(dopo.value(pdf).size() > 1000);
        dopo.insert(pdf, prima.value(pdf));
        if (!prima.contains(pdf))
            dopo.remove(pdf);
    }
    QCOMPARE(dopo, prima);

    // Only the command's own Italian lines, never a raw control character (but in export).
    if (!argomenti.contains(QStringLiteral("export")))
        QVERIFY2(!haControlli(e.out + e.err), qPrintable(e.out + e.err));
    for (const QString& r : e.err.split(u'\n', Qt::SkipEmptyParts))
        QVERIFY2(r.startsWith(QLatin1String("melodora-cli: ")), qPrintable(r));
    for (const char* inglese : { "No such", "denied", "illegal", "unterminated", "invalid",
             "directory", "Returned false", "XDG_RUNTIME_DIR" })
        QVERIFY2(!e.err.contains(QLatin1String(inglese), Qt::CaseInsensitive), qPrintable(e.err));
}

void TestPrudenza::vociPerTerminale()
{
    // The list commands write entries from their bytes: every byte, and a CR before a LF,
    // goes out as the same entry made harmless as a text would.
    VociSchede voci;
    QString atteso;
    auto aggiungi = [&](const QByteArray& titolo) {
        QByteArray record(kLunghezzaScheda, ' ');
        record.replace(info(Campo::Brano).offset, titolo.size(), titolo);
        voci.aggiungi(CampoRicerca::Titolo, voci.size() + 1, record.constData());
        atteso += cli::perTerminale(voci.voce(voci.size() - 1), true) + u'\n';
    };
    for (int b = 0; b < 256; ++b)
        aggiungi(QByteArray("a") + char(b) + "b");
    aggiungi("a\r\nb\r");
    QBuffer uscita;
    QVERIFY(uscita.open(QIODevice::WriteOnly));
    QTextStream out(&uscita);
    cli::scriviVoci(out, voci);
    QCOMPARE(QString::fromUtf8(uscita.data()), atteso);
}

void TestPrudenza::discoPieno_data()
{
    QTest::addColumn<QStringList>("argomenti"); // empty: the window's PDF folder
    QTest::addColumn<bool>("vecchio"); // an older file of that name is there
    QTest::newRow("print, file nuovo")
        << QStringList { "print", "1", "--layout", "tutto" } << false;
    QTest::newRow("print-list, sostituendo")
        << QStringList { "print-list", "audio", "--overwrite" } << true;
    QTest::newRow("cartella PDF della finestra") << QStringList() << false;
}

void TestPrudenza::discoPieno()
{
    QFETCH(QStringList, argomenti);
    QFETCH(bool, vecchio);
    if (::geteuid() != 0)
        QSKIP("a full disk needs a tmpfs mounted for the test, and only root can mount one");
    const QString disco = percorso("disco");
    QVERIFY(QDir().mkpath(disco));
    QProcess monta;
    monta.start(
        QStringLiteral("mount"), { "-t", "tmpfs", "-o", "size=64k,mode=0755", "tmpfs", disco });
    if (!monta.waitForFinished() || monta.exitCode() != 0)
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ")
            + QString::fromLocal8Bit(monta.readAllStandardError())));
    struct Smonta {
        QString cartella;
        ~Smonta() { QProcess::execute(QStringLiteral("umount"), { cartella }); }
    } smonta { disco };

    QVERIFY(scriviArchivio(percorso("Sonoria.sng"),
        { schedaDiProva(QStringLiteral("Primo"), QStringLiteral("A"), QStringLiteral("/a.mp3")),
            schedaDiProva(QStringLiteral("Secondo"), {}, QStringLiteral("/b.mp3")) }));
    const QString nome = QDir(disco).filePath(QStringLiteral("stampa.pdf"));
    if (vecchio)
        QVERIFY(scriviFile(nome, "%PDF-1.4 vecchio\n%%EOF\n"));
    // Fill the disk, then free 8 KB: a PDF starts, then finds no room.
    {
        QFile pieno(QDir(disco).filePath(QStringLiteral("pieno")));
        QVERIFY(pieno.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray blocco(4096, 'x');
        while (pieno.write(blocco) == blocco.size()) { }
        QVERIFY(pieno.resize(std::max<qint64>(0, pieno.size() - 8192)));
    }
    const QMap<QString, QByteArray> prima = contenuto(disco);
    const QByteArray archivio = leggiFile(percorso("Sonoria.sng"));

    if (argomenti.isEmpty()) {
        QtPrinterService servizio(disco);
        auto doc = servizio.nuovoDocumento();
        QStringList righe;
        for (int i = 0; i < 300; ++i)
            righe.append(QStringLiteral("Riga %1 di un elenco lungo").arg(i));
        QVERIFY(
            !StampaRigheElenco(*doc, TipoElenco::Audio, {}, righe, QDateTime::currentDateTime()));
        QVERIFY2(doc->descrizioneErrore().endsWith(QStringLiteral(": il disco è pieno")),
            qPrintable(doc->descrizioneErrore()));
    } else {
        const Esecuzione e = esegui(m_dir->path(), argomenti + QStringList { "--pdf", nome });
        QCOMPARE(e.stato, 1);
        QVERIFY2(e.err.startsWith(QStringLiteral("melodora-cli: stampa non riuscita: "
                                                 "impossibile scrivere il file PDF "))
                && e.err.endsWith(QStringLiteral(": il disco è pieno\n")),
            qPrintable(e.err));
        QCOMPARE(e.out, QString());
    }
    QCOMPARE(contenuto(disco), prima);
    QCOMPARE(leggiFile(percorso("Sonoria.sng")), archivio);
}

QTEST_MAIN(TestPrudenza)
#include "test_prudenza.moc"
