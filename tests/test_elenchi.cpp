#include "ArchivioDiProva.h"
#include "archive/Archivio.h"
#include "cli/Cli.h"
#include "lists/Elenchi.h"
#include "lists/OrdineAlfabetico.h"
#include "platform/FileOps.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
Scheda scheda(const QString& brano, const QString& artista, const QString& album,
    const QString& genere, const QString& anno, const QString& mp3 = {})
{
    Scheda s;
    s.imposta(Campo::Brano, brano);
    s.imposta(Campo::Artista, artista);
    s.imposta(Campo::Album, album);
    s.imposta(Campo::Genere, genere);
    s.imposta(Campo::Anno, anno);
    s.imposta(Campo::MP3, mp3);
    return s;
}

/** A card whose field holds @p grezzo exactly as stored, blanks included. */
QByteArray recordConCampo(Campo campo, const QByteArray& grezzo)
{
    QByteArray r = Scheda().inByte();
    r.replace(info(campo).offset, grezzo.size(), grezzo);
    return r;
}
}

class TestElenchi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void corrispondenza_data();
    void corrispondenza();
    void campoGrezzo_data();
    void campoGrezzo();
    void formatiVoce_data();
    void formatiVoce();
    void ordine_data();
    void ordine();
    void ordineTotale();
    void ricercaOrdinata();
    void elencoAudio();
    void archivioDanneggiato();
    void trovaScheda_data();
    void trovaScheda();
    void criterio_data();
    void criterio();
    void formatoDelCriterio();
    void primaVoce_data();
    void primaVoce();
    void cli_data();
    void cli();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    std::unique_ptr<ArchivioSchede> apri()
    {
        return ArchivioSchede::apri(archivio(), fileOpsReali());
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestElenchi::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestElenchi::corrispondenza_data()
{
    QTest::addColumn<QString>("genere");
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<bool>("trovata");
    QTest::newRow("stesso testo") << "Rock"
                                  << "rock" << true;
    QTest::newRow("maiuscolo") << "ROCK"
                               << "rock" << true;
    QTest::newRow("inizio") << "Rock and Roll"
                            << "rock" << true;
    QTest::newRow("non all'inizio") << "Hard Rock"
                                    << "rock" << false;
    QTest::newRow("criterio più lungo") << "Pop"
                                        << "Pops" << false;
    QTest::newRow("spazi intorno al criterio") << "Pop"
                                               << "  pOP " << true;
    QTest::newRow("spazio dentro al criterio") << "Rock and Roll"
                                               << "rock a" << true;
    QTest::newRow("spazio oltre il campo") << "Rock"
                                           << "rock a" << false;
    QTest::newRow("lettere accentate") << "Èlite Ùltima"
                                       << "èLITE ù" << true;
    QTest::newRow("ÿ e Ÿ") << "ÿè"
                           << "Ÿ" << true;
    QTest::newRow("accento diverso") << "Perché"
                                     << "perchè" << false;
    QTest::newRow("campo pieno, criterio uguale")
        << QString(40, QLatin1Char('x')) << QString(40, QLatin1Char('X')) << true;
    QTest::newRow("41 lettere") << QString(40, QLatin1Char('x')) << QString(41, QLatin1Char('x'))
                                << false;
    QTest::newRow("fuori dalla code page") << "Lodz"
                                           << "Łódź" << false;
}

void TestElenchi::corrispondenza()
{
    QFETCH(QString, genere);
    QFETCH(QString, criterio);
    QFETCH(bool, trovata);
    QVERIFY(scriviArchivio(archivio(),
        { scheda(QStringLiteral("Primo"), {}, {}, QStringLiteral("Jazz"), {}),
            scheda(QStringLiteral("Secondo"), QStringLiteral("Autore"), {}, genere,
                QStringLiteral("2001")) }));
    auto a = apri();
    QVERIFY(a);
    QStringList voci;
    QVERIFY(cercaSchede(*a, CampoRicerca::Genere, criterio, voci));
    if (trovata)
        QCOMPARE(voci,
            QStringList {
                togliSpazi(genere) + QStringLiteral(" - Secondo - Autore - 2001  (Scheda 2)") });
    else
        QCOMPARE(voci, QStringList());
}

void TestElenchi::campoGrezzo_data()
{
    // Fields as an outside program may have written them: the rule reads the stored form.
    QTest::addColumn<QByteArray>("grezzo");
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<bool>("trovata");
    QTest::newRow("spazi in testa") << QByteArray("  Rock") << "rock" << false;
    QTest::newRow("spazi in testa, criterio che li salta") << QByteArray("  Rock") << "ro" << false;
    QTest::newRow("tabulazione") << QByteArray("\tRock") << "rock" << false;
    QTest::newRow("byte cp1252") << QByteArray("\x80uro") << QStringLiteral("€U") << true;
}

void TestElenchi::campoGrezzo()
{
    QFETCH(QByteArray, grezzo);
    QFETCH(QString, criterio);
    QFETCH(bool, trovata);
    QFile f(archivio());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(recordConCampo(Campo::Genere, grezzo));
    f.close();
    auto a = apri();
    QStringList voci;
    QVERIFY(cercaSchede(*a, CampoRicerca::Genere, criterio, voci));
    QCOMPARE(voci.size(), trovata ? 1 : 0);
}

void TestElenchi::formatiVoce_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<QString>("album");
    QTest::addColumn<QString>("attesa");
    const QString album = QStringLiteral("Onde");
    QTest::newRow("titolo") << int(CampoRicerca::Titolo) << album
                            << "Cielo di vetro - I Girasoli - Onde - 1965  (Scheda 12)";
    QTest::newRow("titolo senza album") << int(CampoRicerca::Titolo) << QString()
                                        << "Cielo di vetro - I Girasoli -  - 1965  (Scheda 12)";
    QTest::newRow("artista") << int(CampoRicerca::Artista) << album
                             << "I Girasoli - Cielo di vetro - Onde - 1965  (Scheda 12)";
    QTest::newRow("album") << int(CampoRicerca::Album) << album
                           << "Onde - Cielo di vetro - I Girasoli - 1965  (Scheda 12)";
    QTest::newRow("genere") << int(CampoRicerca::Genere) << album
                            << "Beat - Cielo di vetro - I Girasoli - 1965  (Scheda 12)";
}

void TestElenchi::formatiVoce()
{
    QFETCH(int, formato);
    QFETCH(QString, album);
    QFETCH(QString, attesa);
    const Scheda s = scheda(QStringLiteral("  Cielo di vetro"), QStringLiteral("I Girasoli"), album,
        QStringLiteral("Beat"), QStringLiteral("1965"));
    const auto f = static_cast<CampoRicerca>(formato);
    QCOMPARE(voceScheda(f, 12, s), attesa);
    QCOMPARE(voceRecord(f, 12, s.inByte().constData()), attesa);
    QCOMPARE(numeroDellaVoce(attesa), qint64(12));
}

void TestElenchi::ordine_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("dopo");
    QTest::newRow("trattino prima di lettera") << "Rock - ACDC - Y - 1980  (Scheda 3)"
                                               << "Rock and Roll - Elvis - X - 1956  (Scheda 2)";
    QTest::newRow("spazio prima della punteggiatura") << "a b"
                                                      << "a-b";
    QTest::newRow("punteggiatura prima delle cifre") << "Rock - x"
                                                     << "Rock 1";
    QTest::newRow("cifre prima delle lettere") << "1999"
                                               << "Abba";
    QTest::newRow("senza riguardo al maiuscolo") << "amore"
                                                 << "Bello";
    QTest::newRow("maiuscolo dopo minuscolo a parità") << "rock"
                                                       << "Rock";
    QTest::newRow("parola più corta prima") << "Rock"
                                            << "rocka";
    QTest::newRow("accentata accanto alla base") << "Àncora"
                                                 << "Ancore";
    QTest::newRow("base prima dell'accentata") << "Ancora"
                                               << "Àncora";
    QTest::newRow("accentata prima della z") << "Éva"
                                             << "Zucchero";
    QTest::newRow("acuto prima del grave") << "perché"
                                           << "perchè";
    QTest::newRow("grave prima della lettera dopo") << "perchè"
                                                    << "perchi";
    QTest::newRow("ß come ss") << "Strasse"
                               << "Straße";
    QTest::newRow("ß prima di sst") << "Straße"
                                    << "Strasset";
    QTest::newRow("œ come oe") << "Œuvre"
                               << "Ofelia";
    QTest::newRow("cifra per cifra") << "(Scheda 12)"
                                     << "(Scheda 9)";
    QTest::newRow("titoli uguali, artista") << "Amore - Bianchi - A - 1  (Scheda 7)"
                                            << "Amore - Rossi - A - 1  (Scheda 2)";
}

void TestElenchi::ordine()
{
    QFETCH(QString, prima);
    QFETCH(QString, dopo);
    QCOMPARE(confrontaAlfabetico(prima, dopo), -1);
    QCOMPARE(confrontaAlfabetico(dopo, prima), 1);
    QStringList l { dopo, prima };
    ordinaAlfabetico(l);
    QCOMPARE(l, (QStringList { prima, dopo }));
}

void TestElenchi::ordineTotale()
{
    // The sort agrees with the comparison, and the comparison is a total order, on random
    // texts: short ones, long ones sharing long beginnings (beyond the sort's short keys), and
    // characters far outside the archive's code page.
    const QString alfabeto = QStringLiteral(" -.,()'aAàÀáeEèéÈzZ09ßsSœoOæ\u00A0€中、ｗ");
    QRandomGenerator rng(2024);
    QStringList testi;
    for (int i = 0; i < 600; ++i) {
        QString t = i > 0 && rng.bounded(2) == 0
            ? testi.at(rng.bounded(static_cast<int>(testi.size()))).left(rng.bounded(40))
            : QString();
        const int n = rng.bounded(1, i % 3 == 0 ? 40 : 6);
        for (int k = 0; k < n; ++k)
            t.append(alfabeto.at(rng.bounded(static_cast<int>(alfabeto.size()))));
        testi.append(t);
    }
    ordinaAlfabetico(testi);
    for (qsizetype i = 0; i + 1 < testi.size(); ++i) {
        const int r = confrontaAlfabetico(testi.at(i), testi.at(i + 1));
        QVERIFY2(r < 0 || (r == 0 && testi.at(i) == testi.at(i + 1)),
            qPrintable(testi.at(i) + QStringLiteral(" | ") + testi.at(i + 1)));
        QCOMPARE(confrontaAlfabetico(testi.at(i + 1), testi.at(i)), -r);
    }
    for (qsizetype i = 0; i + 7 < testi.size(); i += 7)
        QVERIFY(confrontaAlfabetico(testi.at(i), testi.at(i + 7)) <= 0);
}

void TestElenchi::ricercaOrdinata()
{
    // Card order differs from list order; equal titles go by the artist after them; the
    // blank after a title sorts before a letter; an accented first letter is another letter.
    QVERIFY(scriviArchivio(archivio(),
        { scheda(QStringLiteral("Zucchero"), QStringLiteral("A"), {}, {}, QStringLiteral("1")),
            scheda(QStringLiteral("amore"), QStringLiteral("Rossi"), {}, {}, QStringLiteral("2")),
            scheda(QStringLiteral("Amore"), QStringLiteral("Bianchi"), {}, {}, QStringLiteral("3")),
            scheda(QStringLiteral("Àmore"), QStringLiteral("Verdi"), {}, {}, QStringLiteral("4")),
            scheda(QStringLiteral("Amoretto"), QStringLiteral("Neri"), {}, {}, QStringLiteral("5")),
            scheda(QStringLiteral("Amore mio"), QStringLiteral("Alfa"), {}, {},
                QStringLiteral("6")) }));
    auto a = apri();
    QStringList voci;
    QVERIFY(cercaSchede(*a, CampoRicerca::Titolo, QStringLiteral("am"), voci));
    QCOMPARE(voci,
        (QStringList { QStringLiteral("Amore - Bianchi -  - 3  (Scheda 3)"),
            QStringLiteral("amore - Rossi -  - 2  (Scheda 2)"),
            QStringLiteral("Amore mio - Alfa -  - 6  (Scheda 6)"),
            QStringLiteral("Amoretto - Neri -  - 5  (Scheda 5)") }));
}

void TestElenchi::elencoAudio()
{
    QList<Scheda> schede;
    for (int i = 1; i <= 9; ++i)
        schede.append(scheda(QStringLiteral("Brano %1").arg(i), {}, {}, {}, {}));
    schede[1] = scheda(QStringLiteral("Zucchero"), {}, {}, {}, {}, QStringLiteral("/m/z.mp3"));
    schede[8] = scheda(QStringLiteral("Amore"), {}, {}, {}, {}, QStringLiteral("/manca.wav"));
    schede[6] = scheda(QStringLiteral("Àncora"), {}, {}, {}, {}, QStringLiteral("/m/a.mp3"));
    schede[7] = scheda(QStringLiteral("Ancore"), {}, {}, {}, {}, QStringLiteral("/m/b.mp3"));
    QVERIFY(scriviArchivio(archivio(), schede));
    // An audio path of blanks only is no audio file; a tab is a character.
    QFile f(archivio());
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(4 * 2830 + 2580 + 100);
    f.write("\t");
    f.close();
    auto a = apri();
    QStringList voci;
    QVERIFY(melodora::elencoAudio(*a, voci));
    QCOMPARE(voci,
        (QStringList { QStringLiteral("Amore -  -  -   (Scheda 9)"),
            QStringLiteral("Àncora -  -  -   (Scheda 7)"),
            QStringLiteral("Ancore -  -  -   (Scheda 8)"),
            QStringLiteral("Brano 5 -  -  -   (Scheda 5)"),
            QStringLiteral("Zucchero -  -  -   (Scheda 2)") }));
}

void TestElenchi::archivioDanneggiato()
{
    // A trailing part record is not a card: every pass ends and lists whole cards only.
    Scheda coda = scheda(QStringLiteral("Rock coda"), {}, {}, QStringLiteral("Rock"), {},
        QStringLiteral("/m/coda.mp3"));
    QVERIFY(scriviArchivio(archivio(),
        { scheda(QStringLiteral("Rock uno"), {}, {}, QStringLiteral("Rock"), {},
              QStringLiteral("/m/uno.mp3")),
            coda }));
    QFile f(archivio());
    QVERIFY(f.resize(2830 + 2600));
    auto a = apri();
    QStringList voci;
    QVERIFY(cercaSchede(*a, CampoRicerca::Genere, QStringLiteral("rock"), voci));
    QCOMPARE(voci.size(), 1);
    QVERIFY(melodora::elencoAudio(*a, voci));
    QCOMPARE(voci, QStringList { QStringLiteral("Rock uno -  -  -   (Scheda 1)") });
    QVERIFY(!melodora::trovaScheda(
        *a, CampoRicerca::Titolo, voceScheda(CampoRicerca::Titolo, 2, coda)));
}

void TestElenchi::trovaScheda_data()
{
    QTest::addColumn<QString>("voce");
    QTest::addColumn<qint64>("numero"); // 0: no card
    const QString base = QStringLiteral("Due - B - Album - 2002  (Scheda ");
    QTest::newRow("giusta") << base + "2)" << qint64(2);
    QTest::newRow("altra scheda") << base + "3)" << qint64(0);
    QTest::newRow("oltre la fine") << base + "4)" << qint64(0);
    QTest::newRow("zero iniziale") << base + "02)" << qint64(0);
    QTest::newRow("numero enorme") << base + "99999999999999999999)" << qint64(0);
    QTest::newRow("senza numero") << QStringLiteral("Due - B - Album - 2002") << qint64(0);
    QTest::newRow("testo in un campo")
        << QStringLiteral("X  (Scheda 1) - B -  -   (Scheda 3)") << qint64(3);
}

void TestElenchi::trovaScheda()
{
    QFETCH(QString, voce);
    QFETCH(qint64, numero);
    const Scheda tre = scheda(QStringLiteral("X  (Scheda 1)"), QStringLiteral("B"), {}, {}, {});
    QVERIFY(scriviArchivio(archivio(),
        { scheda(QStringLiteral("Uno"), QStringLiteral("A"), QStringLiteral("Album"), {},
              QStringLiteral("2001")),
            scheda(QStringLiteral("Due"), QStringLiteral("B"), QStringLiteral("Album"), {},
                QStringLiteral("2002")),
            tre }));
    auto a = apri();
    const auto trovata = melodora::trovaScheda(*a, CampoRicerca::Titolo, voce);
    QCOMPARE(trovata.has_value(), numero != 0);
    if (trovata) {
        QCOMPARE(trovata->numero, numero);
        QCOMPARE(voceScheda(CampoRicerca::Titolo, numero, trovata->scheda), voce);
    }
}

void TestElenchi::criterio_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("didascalia");
    QTest::newRow("breve") << "rock"
                           << "Genere musicale: rock";
    QTest::newRow("18 caratteri") << "abcdefghijklmnopqr"
                                  << "Genere musicale: abcdefghijklmnopqr";
    QTest::newRow("18 tra spazi") << "  abcdefghijklmnopqr  "
                                  << "Genere musicale: abcdefghijklmnopqr";
    QTest::newRow("19 caratteri") << "abcdefghijklmnopqrs"
                                  << "Genere musicale: abcdefghijklmnopqr...";
    QTest::newRow("esempio") << "la luna sopra il mare"
                             << "Genere musicale: la luna sopra il m...";
    QTest::newRow("spazi in testa contano nei 18") << "   abcdefghijklmnopqrst"
                                                   << "Genere musicale: abcdefghijklmno...";
    QTest::newRow("taglio su uno spazio") << "abcdefghijklmnopq rstu"
                                          << "Genere musicale: abcdefghijklmnopq...";
}

void TestElenchi::criterio()
{
    QFETCH(QString, digitato);
    QFETCH(QString, didascalia);
    QCOMPARE(criterioRicerca(CampoRicerca::Genere, digitato), didascalia);
}

void TestElenchi::formatoDelCriterio()
{
    const CampoRicerca tutti[] = { CampoRicerca::Titolo, CampoRicerca::Artista, CampoRicerca::Album,
        CampoRicerca::Genere };
    for (CampoRicerca c : tutti)
        QCOMPARE(melodora::formatoDelCriterio(criterioRicerca(c, QStringLiteral("x"))), c);
    QVERIFY(!melodora::formatoDelCriterio(QString()));
    QVERIFY(!melodora::formatoDelCriterio(QStringLiteral("Bra")));
    QVERIFY(!melodora::formatoDelCriterio(QStringLiteral("brano: x")));
}

void TestElenchi::primaVoce_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("indice");
    QTest::newRow("vuoto") << QString() << -1;
    QTest::newRow("prima dall'alto") << "am" << 1;
    QTest::newRow("maiuscole") << "AMORE - B" << 2;
    QTest::newRow("accentata") << "àN" << 3;
    QTest::newRow("nessuna") << "amx" << -1;
    QTest::newRow("spazio") << " " << 0;
}

void TestElenchi::primaVoce()
{
    QFETCH(QString, testo);
    QFETCH(int, indice);
    const QStringList voci { QStringLiteral(" - x"), QStringLiteral("Amore - A"),
        QStringLiteral("amore - B"), QStringLiteral("Àncora") };
    QCOMPARE(primaVoceCheInizia(voci, testo), indice);
}

void TestElenchi::cli_data()
{
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("errore");
    QTest::newRow("genere") << QStringList { "search", "genere", "rock" } << 0
                            << "rock - Ancore - Verdi - 2001  (Scheda 5)\n"
                               "ROCK - Rock - ACDC - 1980  (Scheda 3)\n"
                               "Rock and Roll - Rock and Roll - Elvis - 1956  (Scheda 2)\n"
                            << QString();
    QTest::newRow("titolo") << QStringList { "search", "titolo", "an" } << 0
                            << "Ancore - Verdi - W - 2001  (Scheda 5)\n"
                            << QString();
    QTest::newRow("nessuna") << QStringList { "search", "album", "nulla" } << 0 << QString()
                             << QString();
    QTest::newRow("criterio vuoto")
        << QStringList { "search", "artista", "   " } << 1 << QString()
        << "Inserire le prime lettere del nome dell'artista prima di premere il pulsante "
           "Trova.\n";
    QTest::newRow("campo sconosciuto") << QStringList { "search", "anno", "19" } << 2 << QString()
                                       << "melodora-cli: uso: search titolo|artista|album|genere "
                                          "TESTO\n";
    QTest::newRow("audio") << QStringList { "audio" } << 0
                           << "Àncora - Bianchi - Z - 1999  (Scheda 4)\n"
                              "Rock - ACDC - Y - 1980  (Scheda 3)\n"
                              "Zucchero - Rossi - Dolce - 1990  (Scheda 1)\n"
                           << QString();
}

void TestElenchi::cli()
{
    QFETCH(QStringList, argomenti);
    QFETCH(int, stato);
    QFETCH(QString, uscita);
    QFETCH(QString, errore);
    QVERIFY(scriviArchivio(archivio(),
        { scheda(QStringLiteral("Zucchero"), QStringLiteral("Rossi"), QStringLiteral("Dolce"),
              QStringLiteral("Pop"), QStringLiteral("1990"), QStringLiteral("/m/z.mp3")),
            scheda(QStringLiteral("Rock and Roll"), QStringLiteral("Elvis"), QStringLiteral("X"),
                QStringLiteral("Rock and Roll"), QStringLiteral("1956"), QStringLiteral("   ")),
            scheda(QStringLiteral("Rock"), QStringLiteral("ACDC"), QStringLiteral("Y"),
                QStringLiteral("ROCK"), QStringLiteral("1980"), QStringLiteral("/m/r.mp3")),
            scheda(QStringLiteral("Àncora"), QStringLiteral("Bianchi"), QStringLiteral("Z"),
                QStringLiteral("Hard Rock"), QStringLiteral("1999"), QStringLiteral("/m/a.mp3")),
            scheda(QStringLiteral("Ancore"), QStringLiteral("Verdi"), QStringLiteral("W"),
                QStringLiteral("rock"), QStringLiteral("2001")) }));
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    QCOMPARE(
        cli::esegui(QStringList { QStringLiteral("--archive"), archivio() } + argomenti, { o, e }),
        stato);
    o.flush();
    e.flush();
    QCOMPARE(out, uscita);
    QCOMPARE(err, errore);
}

QTEST_GUILESS_MAIN(TestElenchi)
#include "test_elenchi.moc"
