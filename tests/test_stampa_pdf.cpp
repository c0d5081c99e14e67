// Real printouts: PDF files written by the Qt print surface, read back with poppler's tools.
#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "platform/PrintSurface.h"
#include "platform/StampanteQt.h"
#include "printing/StampaElenco.h"
#include "printing/StampaScheda.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
// Frame of the PDF pages: a sixth of an inch that no printer reaches, then the printout's
// own margins (600 twips left, 900 twips right of wrapped text), all in points.
constexpr double kBordo = 12;
constexpr double kOrigine = kBordo + 30;
constexpr double kMargineDestro = 45;

struct Parola {
    int pagina;
    double xMin, yMin, xMax, yMax;
    QString testo;
};

struct Pagine {
    double larghezza = 0;
    double altezza = 0;
    QList<Parola> parole;
};

QString esegui(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 fallito: %2>")
            .arg(programma, QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

/** The PDF's text, with pdftotext's @p opzione ("-bbox", "-layout") when given. */
QString testoPdf(const QString& file, const QString& opzione = {})
{
    QStringList argomenti { "-enc", "UTF-8", file, "-" };
    if (!opzione.isEmpty())
        argomenti.prepend(opzione);
    return esegui(QStringLiteral("pdftotext"), argomenti);
}

/** The pages of a PDF's text: pdftotext ends each one with a form feed. */
QStringList paginePdf(const QString& file, const QString& opzione = {})
{
    QStringList pagine = testoPdf(file, opzione).split(QLatin1Char('\f'));
    pagine.removeLast();
    return pagine;
}

/** The words with their boxes, in points from the top left of their page. */
Pagine pagine(const QString& file)
{
    const QString html = testoPdf(file, QStringLiteral("-bbox"));
    Pagine esito;
    const QRegularExpression pagina(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    const QRegularExpression parola(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int n = -1;
    for (const QString& riga : html.split(QLatin1Char('\n'))) {
        if (const auto m = pagina.match(riga); m.hasMatch()) {
            ++n;
            esito.larghezza = m.captured(1).toDouble();
            esito.altezza = m.captured(2).toDouble();
        } else if (const auto w = parola.match(riga); w.hasMatch()) {
            esito.parole.append({ n, w.captured(1).toDouble(), w.captured(2).toDouble(),
                w.captured(3).toDouble(), w.captured(4).toDouble(), w.captured(5) });
        }
    }
    return esito;
}

/** The words of @p testo, without the rules and the invisible no-break space. */
QStringList parole(const QString& testo)
{
    QStringList esito;
    for (const QString& p :
        testo.split(QRegularExpression(QStringLiteral("[\\s\\x{00A0}]+")), Qt::SkipEmptyParts)) {
        if (!p.contains(QRegularExpression(QStringLiteral("^_+$"))))
            esito.append(p);
    }
    return esito;
}

/** Lyrics of @p versi lines: short ones, a long one that wraps every seventh, a blank every tenth.
 */
QString testoLungo(int versi)
{
    QStringList righe;
    for (int i = 1; i <= versi; ++i) {
        if (i % 10 == 0)
            righe.append(QString());
        else if (i % 7 == 0)
            righe.append(
                QStringLiteral("Verso %1 lungo: il vento porta via le parole della canzone "
                               "lontano sopra le colline e il mare, fino alla città che "
                               "dorme e non sa più cantare")
                    .arg(i));
        else
            righe.append(QStringLiteral("Verso %1 della canzone").arg(i));
    }
    return righe.join(QStringLiteral("\r\n"));
}

TestiScheda schedaLunga()
{
    // A title and an artist too long for their lines.
    return { QStringLiteral("Cielo di vetro sopra la città che dorme, una canzone lunga come un "
                            "viaggio in treno tra le colline e il mare dell'Italia"),
        QStringLiteral("Girasoli con l'orchestra sinfonica della città, il coro delle voci "
                       "bianche e la banda del paese"),
        QStringLiteral("Onde"), QStringLiteral("Pop"), QStringLiteral("1965"),
        QStringLiteral("Registrata dal vivo a Perugia, è la più bella"), testoLungo(160) };
}

/** Arguments written with "|" between them. */
QStringList argomenti(const char* riga) { return QString::fromUtf8(riga).split(QLatin1Char('|')); }
}

class TestStampaPdf : public QObject {
    Q_OBJECT
private slots:
    void init();
    void schedaLungaInPdf();
    void elencoInPdf();
    void nessunaPaginaBianca();
    void cartellaAutomatica();
    void comandi_data();
    void comandi();
    void canzoniere();

private:
    QString percorso(const QString& nome) const { return m_dir->filePath(nome); }
    QString archivio() const { return percorso(QStringLiteral("Sonoria.sng")); }
    int cli(const QStringList& argomenti) { return eseguiCli(archivio(), argomenti, m_out, m_err); }
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_err;
};

void TestStampaPdf::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestStampaPdf::schedaLungaInPdf()
{
    const QString pdf = percorso(QStringLiteral("scheda.pdf"));
    QtPrinterService servizio = QtPrinterService::versoFilePdf(pdf);
    const QDateTime adesso(QDate(2024, 3, 5), QTime(21, 7, 3));
    const TestiScheda t = schedaLunga();
    auto doc = servizio.nuovoDocumento();
    QVERIFY(doc);
    QVERIFY(StampaCompleta(*doc, t, adesso));
    QVERIFY(!doc->fallito());
    QCOMPARE(doc->filePdf(), pdf);

    QVERIFY(paginePdf(pdf).size() > 1);
    const QString testo = testoPdf(pdf);
    // Everything, in order, and nothing else.
    const QStringList atteso = parole(QStringList { t.brano, "Artista o gruppo:", t.artista,
        "Album:", t.album, "Genere musicale:", t.genere, "Anno di pubblicazione:", t.anno,
        "NOTE:", t.note, "TESTO DELLA CANZONE:", t.testo, melodora::piedeDiPagina(adesso) }
                                          .join(QLatin1Char(' ')));
    QCOMPARE(parole(testo), atteso);

    // Arial resolves to the Liberation font of the same metrics.
    const QString font = esegui(QStringLiteral("pdffonts"), { pdf });
    QVERIFY2(font.contains(QStringLiteral("LiberationSans-BoldItalic")), qPrintable(font));
    QVERIFY2(font.contains(QStringLiteral("LiberationSans ")), qPrintable(font));

    // Where the words stand.
    const Pagine p = pagine(pdf);
    QVERIFY(p.parole.size() > 100);
    const auto prima = [&](const QString& cercata) {
        for (const Parola& w : p.parole) {
            if (w.testo == cercata)
                return w;
        }
        return Parola { -1, 0, 0, 0, 0, {} };
    };
    // The four values in one column: column 36 of Arial 10.
    QFont arial(QStringLiteral("Liberation Sans"));
    arial.setPointSizeF(10);
    QImage misura(10, 10, QImage::Format_RGB32);
    misura.setDotsPerMeterX(qRound(1200 / 0.0254));
    misura.setDotsPerMeterY(qRound(1200 / 0.0254));
    const double colonna
        = kOrigine + 35 * QFontMetricsF(arial, &misura).averageCharWidth() * 72.0 / 1200;
    for (const char* s : { "Girasoli", "Onde", "Pop", "1965" })
        QVERIFY2(qAbs(prima(QString::fromUtf8(s)).xMin - colonna) < 1, s);
    QVERIFY(prima(QStringLiteral("pubblicazione:")).xMax < colonna);
    // Nothing outside the margins and the page frame, but the rules; the wrap fills lines.
    double destraMassima = 0;
    for (const Parola& w : p.parole) {
        if (w.testo.startsWith(QLatin1Char('_')))
            continue;
        QVERIFY2(w.xMin > kOrigine - 0.6, qPrintable(w.testo));
        QVERIFY2(w.xMax < p.larghezza - kBordo - kMargineDestro + 0.6, qPrintable(w.testo));
        QVERIFY2(w.yMax < p.altezza - kBordo + 0.6, qPrintable(w.testo));
        destraMassima = qMax(destraMassima, w.xMax);
    }
    QVERIFY(destraMassima > p.larghezza - kBordo - kMargineDestro - 40);
}

void TestStampaPdf::elencoInPdf()
{
    const QString pdf = percorso(QStringLiteral("elenco.pdf"));
    QtPrinterService servizio = QtPrinterService::versoFilePdf(pdf);
    // Every tenth row 150 characters or more: wider than the line in Times New Roman 12.
    const QString lungo = QStringLiteral(
        " e il lungo viaggio della canzone che attraversa le colline e il mare, fino alla "
        "città che dorme sotto le stelle");
    QStringList righe;
    for (int i = 1; i <= 90; ++i) {
        righe.append(QStringLiteral("Brano %1%2 - Artista -  - 19%3  (Scheda %4)")
                         .arg(i, 3, 10, QLatin1Char('0'))
                         .arg(i % 10 ? QString() : lungo)
                         .arg(i % 100, 2, 10, QLatin1Char('0'))
                         .arg(i));
        QVERIFY(i % 10 || righe.last().size() >= 150);
    }
    const QDateTime adesso(QDate(2023, 11, 30), QTime(8, 0, 59));
    auto doc = servizio.nuovoDocumento();
    QVERIFY(StampaRigheElenco(
        *doc, TipoElenco::Ricerca, QStringLiteral("Brano: brano"), righe, adesso));

    QVERIFY(paginePdf(pdf).size() > 1);
    const QString atteso = QStringLiteral("Melodora 1.0 - Brano: brano ")
        + righe.join(QLatin1Char(' '))
        + QStringLiteral(
            " Totale voci in elenco: 90 Scheda stampata in data 30/11/2023 alle ore 08:00:59");
    QCOMPARE(parole(testoPdf(pdf)), parole(atteso));
    const QString font = esegui(QStringLiteral("pdffonts"), { pdf });
    QVERIFY2(font.contains(QStringLiteral("LiberationSerif")), qPrintable(font));
    // Rows at the 600-twip margin; the long ones continue on the next line, within the right
    // margin.
    const Pagine p = pagine(pdf);
    for (const Parola& w : p.parole) {
        if (w.testo == QLatin1String("Brano"))
            QVERIFY(qAbs(w.xMin - kOrigine) < 0.6);
        QVERIFY2(w.xMin > kOrigine - 0.6, qPrintable(w.testo));
        QVERIFY2(w.xMax < p.larghezza - kBordo - kMargineDestro + 0.6, qPrintable(w.testo));
    }
}

void TestStampaPdf::nessunaPaginaBianca()
{
    // Text down to around the bottom of the first page, then empty lines past it: the page
    // breaks only before text, so every page holds some.
    int dueDocumenti = 0;
    for (int righe = 64; righe <= 78; ++righe) {
        const QString pdf = percorso(QStringLiteral("bianca%1.pdf").arg(righe));
        QtPrinterService servizio = QtPrinterService::versoFilePdf(pdf);
        auto doc = servizio.nuovoDocumento();
        for (int i = 1; i <= righe; ++i)
            doc->Print(QStringLiteral("Riga %1").arg(i));
        for (int i = 0; i < 6; ++i)
            doc->Print({});
        QVERIFY(doc->EndDoc());
        const QStringList pagine = paginePdf(pdf);
        for (const QString& pagina : pagine)
            QVERIFY(!pagina.trimmed().isEmpty());
        const int n = int(pagine.size());
        dueDocumenti += n == 2;
    }
    QVERIFY(dueDocumenti > 0); // the text did reach a second page
}

void TestStampaPdf::cartellaAutomatica()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this system has a default printer: documents go there");
    const QString cartella = percorso(QStringLiteral("Documenti/Melodora"));
    QtPrinterService servizio(cartella);
    QCOMPARE(servizio.nomeDispositivo(), QStringLiteral("File PDF in ") + cartella);

    // Two printouts within the same second: two files, none overwritten.
    QStringList file;
    for (int i = 0; i < 2; ++i) {
        auto doc = servizio.nuovoDocumento();
        QVERIFY(StampaRigheElenco(*doc, TipoElenco::Audio, {},
            { QStringLiteral("Documento %1").arg(i) }, QDateTime::currentDateTime()));
        QCOMPARE(doc->DeviceName(), QStringLiteral("File PDF ") + doc->filePdf());
        file.append(doc->filePdf());
    }
    QVERIFY(file[0] != file[1]);
    const QRegularExpression nome(
        QStringLiteral("^Melodora_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d(_\\d+)?\\.pdf$"));
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(QFileInfo(file[i]).absolutePath(), cartella);
        QVERIFY2(nome.match(QFileInfo(file[i]).fileName()).hasMatch(), qPrintable(file[i]));
        QVERIFY(testoPdf(file[i]).contains(QStringLiteral("Documento %1").arg(i)));
    }

    // A printout abandoned before its end leaves no file behind.
    {
        auto doc = servizio.nuovoDocumento();
        doc->Print(QStringLiteral("mai finito"));
        QVERIFY(doc->filePdf().isEmpty()); // named only once whole
    }
    QCOMPARE(QDir(cartella).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A folder that cannot be made fails the printout.
    const QString unFile = percorso(QStringLiteral("un-file"));
    QVERIFY(QFile(unFile).open(QIODevice::WriteOnly));
    QtPrinterService impossibile(unFile + QStringLiteral("/Melodora"));
    auto doc = impossibile.nuovoDocumento();
    QVERIFY(!StampaRigheElenco(
        *doc, TipoElenco::Audio, {}, { QStringLiteral("a") }, QDateTime::currentDateTime()));
    QVERIFY(doc->fallito());
}

void TestStampaPdf::comandi_data()
{
    QTest::addColumn<QStringList>("argomenti"); // @PDF@: the file to write
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("messaggio"); // on standard error; on success, the PDF's words
    const auto riga = [](const char* nome, const char* argomentiCli, int stato, const char* m) {
        QTest::newRow(nome) << argomenti(argomentiCli) << stato << QString::fromUtf8(m);
    };
    const char* const info = "Perché no Artista o gruppo: Èlite Album: Dischi Genere "
                             "musicale: Rock and Roll Anno di pubblicazione: 1999 NOTE:";
    riga("tutto", "print|2|--layout|tutto|--pdf|@PDF@", 0,
        (QByteArray(info) + " TESTO DELLA CANZONE: Prima strofa Seconda strofa Scheda stampata")
            .constData());
    riga("info", "print|2|--layout|info|--pdf|@PDF@", 0,
        (QByteArray(info) + " Scheda stampata").constData());
    riga("testo", "print|2|--layout|testo|--pdf|@PDF@", 0,
        "Perché no di Èlite Prima strofa Seconda strofa Scheda stampata");
    // Heading, rows in list order and totals, as the windows print them.
    riga("elenco audio", "print-list|audio|--pdf|@PDF@", 0,
        "Sonoria in archivio Amore - A - Album di Amore - 1999 (Scheda 3) Zucchero - B - Album "
        "di Zucchero - 1999 (Scheda 1) Totale brani: 2 Scheda stampata");
    riga("elenco di ricerca", "print-list|search|genere|rock|--pdf|@PDF@", 0,
        "Melodora 1.0 - Genere musicale: rock Rock - Zucchero - B - 1999 (Scheda 1) Rock and "
        "Roll - Perché no - Èlite - 1999 (Scheda 2) Totale voci in elenco: 2 Scheda stampata");
    riga("layout sconosciuto", "print|1|--layout|tutti", 2, "uso: print");
    riga("scheda inesistente", "print|5|--layout|tutto", 1, "non esiste");
    riga("titolo vuoto", "print|4|--layout|testo", 1,
        "E' necessario compilare il campo Titolo del brano");
    riga("elenco senza tipo", "print-list", 2, "uso: print-list");
    riga("ricerca senza testo", "print-list|search|titolo", 2, "uso: print-list");
    riga("ricerca di spazi", "print-list|search|genere|   ", 1, "Trova");
    riga("audio con argomenti", "print-list|audio|rock", 2, "uso: print-list");
    riga("opzione estranea", "print-list|audio|--layout|info", 2, "opzione non valida");
}

void TestStampaPdf::comandi()
{
    QFETCH(QStringList, argomenti);
    QFETCH(int, stato);
    QFETCH(QString, messaggio);
    const QString pdf = percorso(QStringLiteral("cli.pdf"));
    argomenti.replaceInStrings(QStringLiteral("@PDF@"), pdf);
    const Scheda s = Scheda::daTesti({ "   Perché no   ", "Èlite", "Dischi", "Rock and Roll",
        "1999", {}, "Prima strofa\r\n\r\nSeconda strofa", {} });
    QVERIFY(scriviArchivio(archivio(),
        { schedaDiProva("Zucchero", "B", "/m/z.mp3", "Rock"), s,
            schedaDiProva("Amore", "A", "/m/a.mp3", "Pop"), schedaDiProva({}) }));
    QCOMPARE(cli(argomenti), stato);
    if (stato != 0) {
        QVERIFY2(m_err.contains(messaggio), qPrintable(m_err));
        QVERIFY(m_out.isEmpty());
        return;
    }
    QCOMPARE(m_out, QStringLiteral("Stampato su File PDF ") + pdf + QLatin1Char('\n'));
    const QStringList atteso = parole(messaggio);
    const QStringList letto = parole(testoPdf(pdf));
    QCOMPARE(letto.mid(0, atteso.size()), atteso);
}

void TestStampaPdf::canzoniere()
{
    // The first song fills pages, so the numbers of the contents must come from the layout.
    Scheda lungo = schedaDiProva(QStringLiteral("Alfa"), QStringLiteral("Uno"));
    QStringList strofe;
    for (int i = 1; i <= 120; ++i)
        strofe.append(QStringLiteral("verso %1").arg(i));
    lungo.imposta(Campo::Testo, strofe.join(QStringLiteral("\r\n")));
    Scheda breve = schedaDiProva(QStringLiteral("Gamma"), QStringLiteral("Tre"));
    breve.imposta(Campo::Testo, QStringLiteral("la la la"));
    QVERIFY(scriviArchivio(archivio(),
        { breve, schedaDiProva(QStringLiteral("Delta")), lungo, schedaDiProva({}),
            schedaDiProva(QStringLiteral("Beta"), QStringLiteral("Due")) }));
    const QString pdf = percorso(QStringLiteral("canzoniere.pdf"));
    QCOMPARE(cli({ "songbook", "--pdf", pdf }), 0);
    QVERIFY2(m_err.contains(QStringLiteral("scheda 4 non ha titolo")), qPrintable(m_err));

    const QStringList pagine = paginePdf(pdf, QStringLiteral("-layout"));
    QVERIFY(pagine.first().contains(QStringLiteral("Canzoniere")));
    QVERIFY(pagine.first().contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
    const QRegularExpression voce(QStringLiteral("^\\s*(\\S.*\\S)\\s{2,}(\\d+)\\s*$"));
    const QStringList canzoni = { "Alfa - Uno", "Beta - Due", "Delta", "Gamma - Tre" };
    const QStringList intestazioni = { "Alfa di Uno", "Beta di Due", "Delta", "Gamma di Tre" };
    QList<int> numeri;
    for (const QString& riga : pagine.at(1).split(QLatin1Char('\n'))) {
        const auto m = voce.match(riga);
        if (m.hasMatch() && canzoni.contains(m.captured(1))) {
            QCOMPARE(m.captured(1), canzoni.at(numeri.size()));
            numeri.append(m.captured(2).toInt());
        }
    }
    QCOMPARE(numeri.size(), canzoni.size());
    QVERIFY2(numeri.at(1) > numeri.at(0) + 1, "the long song takes more than one page");
    for (qsizetype i = 0; i < numeri.size(); ++i) {
        QVERIFY(numeri.at(i) >= 3 && numeri.at(i) <= pagine.size());
        QStringList righe = pagine.at(numeri.at(i) - 1).split(QLatin1Char('\n'));
        righe.replaceInStrings(QRegularExpression(QStringLiteral("^\\s+|\\s+$")), QString());
        righe.removeAll(QString());
        QVERIFY2(righe.contains(intestazioni.at(i)), qPrintable(righe.join(u'|')));
        QCOMPARE(righe.last(), QString::number(numeri.at(i))); // the number at the foot
    }
}

QTEST_MAIN(TestStampaPdf)
#include "test_stampa_pdf.moc"
