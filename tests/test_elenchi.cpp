#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "lists/Elenchi.h"
#include "lists/OrdineAlfabetico.h"
#include "lists/Parole.h"
#include "platform/FileOps.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

namespace {
Scheda scheda(const QString& brano, const QString& artista = {}, const QString& album = {},
    const QString& genere = {}, const QString& anno = {}, const QString& mp3 = {})
{
    return Scheda::daTesti({ brano, artista, album, genere, anno, {}, {}, mp3 });
}
}

class TestElenchi : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void corrispondenza_data();
    void corrispondenza();
    void formatiVoce_data();
    void formatiVoce();
    void ordine_data();
    void ordine();
    void ordineTotale();
    void archivioDanneggiato();
    void trovaScheda_data();
    void trovaScheda();
    void criterio_data();
    void criterio();
    void primaVoce_data();
    void primaVoce();
    void cli_data();
    void cli();
    void parole_data();
    void parole();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    std::unique_ptr<ArchivioSchede> apri()
    {
        return ArchivioSchede::apri(archivio(), fileOpsReali());
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestElenchi::corrispondenza_data()
{
    QTest::addColumn<QString>("genere");
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<bool>("trovata");
    // Bytes written over the stored field as an outside program may have left them.
    QTest::addColumn<QByteArray>("grezzo");
    auto fila = [](const char* nome, const QString& genere, const QString& criterio, bool trovata,
                    const QByteArray& grezzo = {}) {
        QTest::newRow(nome) << genere << criterio << trovata << grezzo;
    };
    const QString x40(40, QLatin1Char('x'));
    fila("inizio", "Rock and Roll", "rock", true);
    fila("spazi intorno al criterio", "Pop", "  pOP ", true);
    fila("spazio oltre il campo", "Rock", "rock a", false);
    fila("lettere accentate", "Èlite Ùltima", "èLITE ù", true);
    fila("ÿ e Ÿ", "ÿè", "Ÿ", true);
    fila("accento diverso", "Perché", "perchè", false);
    fila("campo pieno, criterio uguale", x40, x40.toUpper(), true);
    fila("41 lettere", x40, x40 + QLatin1Char('x'), false);
    fila("fuori dalla code page", "Lodz", "Łódź", false);
    fila("spazi in testa al campo", {}, "rock", false, "  Rock");
    fila("byte cp1252", "€uro", "€U", true, "\x80uro");
}

void TestElenchi::corrispondenza()
{
    QFETCH(QString, genere);
    QFETCH(QString, criterio);
    QFETCH(bool, trovata);
    QFETCH(QByteArray, grezzo);
    QVERIFY(scriviArchivio(archivio(),
        { scheda("Primo", {}, {}, "Jazz"), scheda("Secondo", "Autore", {}, genere, "2001") }));
    if (!grezzo.isEmpty()) {
        QFile f(archivio());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(kLunghezzaScheda + info(Campo::Genere).offset));
        f.write(grezzo);
    }
    auto a = apri();
    QVERIFY(a);
    VociSchede voci;
    QVERIFY(cercaSchede(*a, CampoRicerca::Genere, criterio, voci));
    QCOMPARE(voci.testi(),
        trovata ? QStringList { togliSpazi(genere) + " - Secondo - Autore - 2001  (Scheda 2)" }
                : QStringList());
}

void TestElenchi::formatiVoce_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<QString>("album");
    QTest::addColumn<QString>("attesa");
    auto fila = [](const char* nome, CampoRicerca f, const QString& album, const QString& attesa) {
        QTest::newRow(nome) << int(f) << album << attesa;
    };
    fila("titolo", CampoRicerca::Titolo, "Onde",
        "Cielo di vetro - I Girasoli - Onde - 1965  (Scheda 12)");
    fila("artista", CampoRicerca::Artista, "Onde",
        "I Girasoli - Cielo di vetro - Onde - 1965  (Scheda 12)");
    fila("album", CampoRicerca::Album, "Onde",
        "Onde - Cielo di vetro - I Girasoli - 1965  (Scheda 12)");
}

void TestElenchi::formatiVoce()
{
    QFETCH(int, formato);
    QFETCH(QString, album);
    QFETCH(QString, attesa);
    const Scheda s = scheda("  Cielo di vetro", "I Girasoli", album, "Beat", "1965");
    const auto f = static_cast<CampoRicerca>(formato);
    QCOMPARE(voceScheda(f, 12, s), attesa);
    QCOMPARE(numeroDellaVoce(attesa), qint64(12));
}

void TestElenchi::ordine_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("dopo");
    auto fila = [](const char* nome, const QString& prima, const QString& dopo) {
        QTest::newRow(nome) << prima << dopo;
    };
    fila("trattino prima di lettera", "Rock - ACDC - Y - 1980  (Scheda 3)",
        "Rock and Roll - Elvis - X - 1956  (Scheda 2)");
    fila("spazio prima della punteggiatura", "a b", "a-b");
    fila("punteggiatura prima delle cifre", "Rock - x", "Rock 1");
    fila("cifre prima delle lettere", "1999", "Abba");
    fila("senza riguardo al maiuscolo", "amore", "Bello");
    fila("maiuscolo dopo minuscolo a parità", "rock", "Rock");
    fila("parola più corta prima", "Rock", "rocka");
    fila("accentata accanto alla base", "Àncora", "Ancore");
    fila("base prima dell'accentata", "Ancora", "Àncora");
    fila("acuto prima del grave", "perché", "perchè");
    fila("ß come ss", "Strasse", "Straße");
    fila("œ come oe", "Œuvre", "Ofelia");
    fila("cifra per cifra", "(Scheda 12)", "(Scheda 9)");
    fila("titoli uguali, artista", "Amore - Bianchi - A - 1  (Scheda 7)",
        "Amore - Rossi - A - 1  (Scheda 2)");
}

void TestElenchi::ordine()
{
    QFETCH(QString, prima);
    QFETCH(QString, dopo);
    QCOMPARE(confrontaAlfabetico(prima, dopo), -1);
    QCOMPARE(confrontaAlfabetico(dopo, prima), 1);
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
    // The same texts in the archive's bytes, backwards, sort as they do as texts.
    QStringList archiviabili;
    std::vector<QByteArray> byte;
    for (const QString& t : testi) {
        if (cp1252::rappresentabile(t)) {
            archiviabili.prepend(t);
            byte.insert(byte.begin(), cp1252::codifica(t));
        }
    }
    const std::vector<QByteArrayView> viste(byte.begin(), byte.end());
    QCOMPARE(ordineAlfabetico(viste), ordineAlfabetico(archiviabili));
}

void TestElenchi::archivioDanneggiato()
{
    // A trailing part record is not a card: every pass ends and lists whole cards only.
    const Scheda coda = scheda("Rock coda", {}, {}, "Rock", {}, "/m/coda.mp3");
    QVERIFY(
        scriviArchivio(archivio(), { scheda("Rock uno", {}, {}, "Rock", {}, "/m/uno.mp3"), coda }));
    QFile f(archivio());
    QVERIFY(f.resize(kLunghezzaScheda + 2600));
    auto a = apri();
    VociSchede voci;
    QVERIFY(cercaSchede(*a, CampoRicerca::Genere, QStringLiteral("rock"), voci));
    QCOMPARE(voci.size(), 1);
    QVERIFY(melodora::elencoAudio(*a, voci));
    QCOMPARE(voci.testi(), QStringList { "Rock uno -  -  -   (Scheda 1)" });
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
    QVERIFY(scriviArchivio(archivio(),
        { scheda("Uno", "A", "Album", {}, "2001"), scheda("Due", "B", "Album", {}, "2002"),
            scheda("X  (Scheda 1)", "B") }));
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
    QTest::addColumn<QString>("mostrato");
    auto fila = [](const char* nome, const QString& digitato, const QString& mostrato) {
        QTest::newRow(nome) << digitato << mostrato;
    };
    fila("18 caratteri", "abcdefghijklmnopqr", "abcdefghijklmnopqr");
    fila("18 tra spazi", "  abcdefghijklmnopqr  ", "abcdefghijklmnopqr");
    fila("19 caratteri", "abcdefghijklmnopqrs", "abcdefghijklmnopqr...");
    fila("spazi in testa contano nei 18", "   abcdefghijklmnopqrst", "abcdefghijklmno...");
    fila("taglio su uno spazio", "abcdefghijklmnopq rstu", "abcdefghijklmnopq...");
}

void TestElenchi::criterio()
{
    QFETCH(QString, digitato);
    QFETCH(QString, mostrato);
    QCOMPARE(criterioRicerca(CampoRicerca::Genere, digitato), "Genere musicale: " + mostrato);
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
    const QStringList voci { " - x", "Amore - A", "amore - B", "Àncora" };
    QCOMPARE(primaVoceCheInizia(voci, testo), indice);
}

void TestElenchi::cli_data()
{
    // Cards as "title|artist|album|genre|year|audio".
    QTest::addColumn<QStringList>("schede");
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("errore");
    // Card order differs from list order; equal titles go by the artist after them; the blank
    // after a title sorts before a letter; an accented first letter is another letter.
    const QStringList archivio { "Zucchero|Rossi|Dolce|Pop|1990|/m/z.mp3",
        "Rock and Roll|Elvis|X|Rock and Roll|1956|   ", "Rock|ACDC|Y|ROCK|1980|/m/r.mp3",
        "Àncora|Bianchi|Z|Hard Rock|1999|/m/a.mp3", "Ancore|Verdi|W|rock|2001", "Tab|||||\t",
        "amore|Rossi", "Amore|Bianchi", "Àmore|Verdi", "Amoretto|Neri", "Amore mio|Alfa" };
    // Arguments between bars.
    auto fila = [](const char* nome, const QStringList& schede, const QString& argomenti, int stato,
                    const QString& uscita, const QString& errore = {}) {
        QTest::newRow(nome) << schede << argomenti.split(u'|') << stato << uscita << errore;
    };
    fila("titolo", archivio, "search|titolo|an", 0, "Ancore - Verdi - W - 2001  (Scheda 5)\n");
    fila("titolo, in ordine", archivio, "search|titolo|am", 0,
        "Amore - Bianchi -  -   (Scheda 8)\namore - Rossi -  -   (Scheda 7)\n"
        "Amore mio - Alfa -  -   (Scheda 11)\nAmoretto - Neri -  -   (Scheda 10)\n");
    fila("criterio vuoto", archivio, "search|artista|   ", 1, {},
        "melodora-cli: Inserire le prime lettere del nome dell'artista prima di premere il "
        "pulsante Trova.\n");
    fila("campo sconosciuto", archivio, "search|anno|19", 2, {},
        "melodora-cli: uso: search titolo|artista|album|genere|testo|note|tutto TESTO\n");
    fila("audio", archivio, "audio", 0,
        "Àncora - Bianchi - Z - 1999  (Scheda 4)\nRock - ACDC - Y - 1980  (Scheda 3)\n"
        "Tab -  -  -   (Scheda 6)\nZucchero - Rossi - Dolce - 1990  (Scheda 1)\n");
    fila("nessun doppione", { "Volare|Modugno", "Volare|Gipsy Kings", "Vola|Modugno", "|", "|" },
        "duplicates", 0, "Nessun doppione.\n");
    fila("doppioni: maiuscole accenti punteggiatura spazi",
        { "Volare|Domenico Modugno", "Nel blu, dipinto di blu|Modugno", "volàre!|DOMENICO  MODUGNO",
            "Volare|Gipsy Kings", "Nel blu dipinto di blù|modugno", "  Vo-la-re |Domenico-Modugno",
            "...|Modugno", "-|Modugno" },
        "duplicates", 1,
        "Nel blu, dipinto di blu - Modugno: schede 2, 5\n"
        "Volare - Domenico Modugno: schede 1, 3, 6\n");
    // Two groups read alike once title and artist are joined: the first card's comes first.
    fila("doppioni: ß, œ; gruppi che si leggono uguali",
        { "Mare|Blu - Sole", "Mare - Blu|Sole", "MARE|blu  -  sole", "mare  blu|sole",
            "Straße|Cœur", "STRASSE|coeur" },
        "duplicates", 1,
        "Mare - Blu - Sole: schede 1, 3\nMare - Blu - Sole: schede 2, 4\n"
        "Straße - Cœur: schede 5, 6\n");
}

void TestElenchi::cli()
{
    QFETCH(QStringList, schede);
    QFETCH(QStringList, argomenti);
    QFETCH(int, stato);
    QFETCH(QString, uscita);
    QFETCH(QString, errore);
    QList<Scheda> l;
    for (const QString& s : schede) {
        const QStringList v = s.split(u'|');
        l.append(scheda(v.value(0), v.value(1), v.value(2), v.value(3), v.value(4), v.value(5)));
    }
    QVERIFY(scriviArchivio(archivio(), l));
    QString out;
    QString err;
    QCOMPARE(eseguiCli(archivio(), argomenti, out, err), stato);
    QCOMPARE(out, uscita);
    QCOMPARE(err, errore);
}

void TestElenchi::parole_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<bool>("trovato");
    auto fila = [](const char* nome, const QString& testo, const QString& criterio, bool trovato) {
        QTest::newRow(nome) << testo << criterio << trovato;
    };
    const QString strofa = QStringLiteral("Penso che un sogno così non ritorni mai più\r\n"
                                          "mi dipingevo le mani e la faccia di blu");
    fila("parole in altro ordine", strofa, "blu sogno penso", true);
    fila("una parola manca", strofa, "sogno mare", false);
    fila("inizio di parola", strofa, "dipin fac", true);
    fila("non dentro una parola", strofa, "ingevo", false);
    fila("re non trova ore", "Le ore passano", "re", false);
    fila("a cavallo di un a capo", strofa, "più mi", true);
    fila("a capo separa", "fine\r\ninizio", "inizio", true);
    fila("a capo non unisce", "fine\r\ninizio", "fineinizio", false);
    fila("accento nel testo", "Non so dire di no, Perché no", "perche", true);
    fila("accento in testa", "Canto ancora con l'Èstasi", "estasi canto", true);
    fila("accento nel criterio", "PERCHE NO", "perché", true);
    fila("accento diverso", "perchè", "PERCHÉ", true);
    fila("ß e ss", "Straße", "STRASSE", true);
    fila("ss e ß", "strasse", "straß", true);
    fila("œ e æ", "Cœur d'Æther", "coeur aeth", true);
    fila("punteggiatura", "«Volare», oh, oh! L'amore.", "volare oh amore l", true);
    fila("apostrofo nel criterio", "l'amore", "L'AMO", true);
    fila("criterio più lungo", "amore", "amores", false);
    fila("solo punteggiatura", "amore", " ,.; ", false);
    // Long texts, read eight bytes at a time: plain first letters, then bytes above 127.
    fila("à dentro una parola", "Questa è la città di là", "a", false);
    fila("à in testa", "Àncora una volta, perché àmbito", "ambit ancora", true);
    fila("seconda lettera accentata", "Sei lontano, Lì dove vai", "li", true);
    fila("ß dentro una parola", "Eine große Straße, lang", "ss", false);
    fila("œ in testa", "Il mio cœur e le œuvre", "oeuv", true);
    fila("œ dentro una parola", "Il mio cœur batte forte", "oe", false);
    fila("spazio indivisibile", "amore\u00A0mio per sempre", "mio amo", true);
    fila("cifre", "Nel 1999 e nel 2000, cantavo", "20 19", true);
    fila("cifre dentro", "Nel 1999 e nel 2000, cantavo", "99", false);
    fila("½ dopo una cifra", "Bevo litri3½ al giorno", "2 giorno", true);
    fila("dopo l'apostrofo", "Canto dell'amore e l'anima mia", "anim amo", true);
}

void TestElenchi::parole()
{
    QFETCH(QString, testo);
    QFETCH(QString, criterio);
    QFETCH(bool, trovato);
    const CriterioParole c(criterio);
    QCOMPARE(c.corrisponde(testo), trovato);
    // The archive's bytes, as the search reads them, with the blanks that fill a field.
    const QByteArray byte = cp1252::codifica(testo) + QByteArray(40, ' ');
    QCOMPARE(c.corrispondeByte({ QByteArrayView(byte) }), trovato);
    // Split over two fields, each word may be in either.
    const qsizetype meta = byte.indexOf(' ');
    if (meta > 0)
        QCOMPARE(c.corrispondeByte({ byte.left(meta), byte.mid(meta) }), trovato);
}

QTEST_GUILESS_MAIN(TestElenchi)
#include "test_elenchi.moc"
