// The editing core shared by the window and the command line: its rules as tables, failures
// of every file operation, and real processes that write one archive at once or are killed.
#include "ArchivioDiProva.h"
#include "FileOpsGuasti.h"
#include "archive/Redazione.h"
#include "platform/FileOps.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace melodora;
using namespace melodora::test;

Q_DECLARE_METATYPE(Verso)
Q_DECLARE_METATYPE(Motivo)

namespace {
Scheda scheda(const QString& titolo) { return schedaDiProva(titolo, QStringLiteral("Artista")); }

QList<Scheda> schede(int quante)
{
    QList<Scheda> l;
    for (int i = 1; i <= quante; ++i)
        l.append(scheda(QStringLiteral("Brano %1").arg(i)));
    return l;
}

void attendi(qint64 microsecondi)
{
    timespec t { static_cast<time_t>(microsecondi / 1000000),
        static_cast<long>(microsecondi % 1000000) * 1000 };
    while (nanosleep(&t, &t) != 0) { }
}

const QByteArray kCoda(1415, 'z'); // half a record: a file damaged elsewhere
const Scheda kNuova = scheda(QStringLiteral("Nuova"));

/**
 * An archive described as "1,2,3" (its cards by their original number), "N" for the new
 * card, "+coda" for a trailing part record; "-" for no file at all.
 */
QByteArray archivioDa(const QString& descrizione)
{
    QByteArray b;
    QString d = descrizione;
    const bool coda = d.endsWith(QLatin1String("+coda"));
    d.chop(coda ? 5 : 0);
    for (const QString& parte : d.split(u',', Qt::SkipEmptyParts))
        b.append(parte == QLatin1String("N") ? kNuova.inByte()
                                             : scheda(QStringLiteral("Brano ") + parte).inByte());
    return coda ? b + kCoda : b;
}

/** Runs "sostituisci", "elimina", "aggiungi", "importa" (two cards) or "niente" (an import of
 *  none) on card @p n, as seen in @p vista when given. */
Esito agisci(Redazione& r, const QString& azione, qint64 n, const std::optional<Scheda>& vista,
    qint64& numero)
{
    if (azione == u"sostituisci")
        return r.sostituisci(n, vista, kNuova);
    if (azione == u"elimina")
        return r.elimina(n, vista, numero);
    if (azione == u"aggiungi")
        return r.aggiungi(kNuova, numero);
    return r.aggiungiSchede(
        azione == u"importa" ? QList { kNuova, kNuova } : QList<Scheda> {}, numero);
}
}

class TestRedazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void regole_data();
    void regole();
    void naviga_data();
    void naviga();
    void archivioInUso();
    void collegamentoSimbolico();
    void temporaneoOstile_data();
    void temporaneoOstile();
    void guasti_data();
    void guasti();
    void processiInParallelo();
    void uccisi_data();
    void uccisi();

private:
    QString archivio() const { return m_dir->filePath(QStringLiteral("Sonoria.sng")); }
    QString temporaneo() const { return m_dir->filePath(QStringLiteral("Schede.tmp")); }
    /** Starts melodora-cli on the test's archive. */
    void avvia(QProcess& p, const QStringList& argomenti)
    {
        p.start(QStringLiteral(MELODORA_CLI),
            QStringList { QStringLiteral("--archive"), archivio() } + argomenti);
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRedazione::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRedazione::regole_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("vista"); // "giusta": card n as written; "altra"; "": no check
    QTest::addColumn<Motivo>("motivo");
    QTest::addColumn<QString>("dopo");
    const auto riga = [](const char* nome, const char* azione, const char* prima, int n,
                          const char* vista, Motivo motivo, const char* dopo) {
        QTest::newRow(nome) << QString::fromLatin1(azione) << QString::fromLatin1(prima) << n
                            << QString::fromLatin1(vista) << motivo << QString::fromLatin1(dopo);
    };
    using enum Motivo;
    riga("sostituisce la 2", "sostituisci", "1,2,3", 2, "giusta", Nessuno, "1,N,3");
    riga("sostituisce, cambiata", "sostituisci", "1,2,3", 2, "altra", Cambiata, "1,2,3");
    riga("sostituisce oltre la fine", "sostituisci", "1,2,3", 4, "giusta", Inesistente, "1,2,3");
    riga("sostituisce la parte", "sostituisci", "1,2+coda", 3, "", Inesistente, "1,2+coda");
    riga("sostituisce, archivio mancante", "sostituisci", "-", 1, "", Inesistente, "");
    riga("elimina la 2", "elimina", "1,2,3", 2, "giusta", Nessuno, "1,3");
    riga("elimina senza controllo", "elimina", "1,2,3", 3, "", Nessuno, "1,2");
    riga("elimina, cambiata", "elimina", "1,2,3", 2, "altra", Cambiata, "1,2,3");
    riga("elimina oltre la fine", "elimina", "1,2,3", 4, "", Inesistente, "1,2,3");
    riga("elimina, coda tenuta", "elimina", "1,2+coda", 1, "giusta", Nessuno, "2+coda");
    riga("elimina la parte", "elimina", "1,2+coda", 3, "", Inesistente, "1,2+coda");
    riga("elimina, archivio mancante", "elimina", "-", 1, "", Inesistente, "-");
    riga("aggiunge", "aggiungi", "1,2,3", 4, "", Nessuno, "1,2,3,N");
    riga("aggiunge, archivio mancante", "aggiungi", "-", 1, "", Nessuno, "N");
    riga("aggiunge, danneggiato", "aggiungi", "1,2+coda", 0, "", Danneggiato, "1,2+coda");
    riga("importa", "importa", "1,2,3", 4, "", Nessuno, "1,2,3,N,N");
    riga("importa, archivio mancante", "importa", "-", 1, "", Nessuno, "N,N");
    riga("importa, danneggiato", "importa", "1,2+coda", 0, "", Danneggiato, "1,2+coda");
    riga("importa niente, mancante", "niente", "-", 1, "", Nessuno, "-");
}

void TestRedazione::regole()
{
    QFETCH(QString, azione);
    QFETCH(QString, prima);
    QFETCH(int, n);
    QFETCH(QString, vista);
    QFETCH(Motivo, motivo);
    QFETCH(QString, dopo);
    if (prima != QLatin1String("-")) {
        QVERIFY(scriviFile(archivio(), archivioDa(prima)));
        QVERIFY(::chmod(QFile::encodeName(archivio()).constData(), 0640) == 0);
    }
    std::optional<Scheda> vistaScheda;
    if (!vista.isEmpty())
        vistaScheda
            = scheda(QStringLiteral("Brano %1").arg(vista == QLatin1String("giusta") ? n : 9));
    Redazione r(archivio(), fileOpsReali());
    qint64 numero = 0;
    const Esito e = agisci(r, azione, n, vistaScheda, numero);
    QCOMPARE(e.motivo, motivo);
    QCOMPARE(e.ok, motivo == Motivo::Nessuno);
    QVERIFY(e.ok || !e.errore.isEmpty());
    if (dopo == QLatin1String("-")) {
        QVERIFY(!QFile::exists(archivio()));
    } else {
        QCOMPARE(leggiFile(archivio()), archivioDa(dopo));
        if (prima != QLatin1String("-")) {
            QCOMPARE(QFileInfo(archivio()).permissions(),
                QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                    | QFile::ReadGroup);
        }
    }
    if (e.ok && azione != QLatin1String("sostituisci"))
        QCOMPARE(numero,
            azione == QLatin1String("elimina") ? qint64(archivioDa(dopo).size() / 2830)
                                               : qint64(n));
    QVERIFY(!QFile::exists(temporaneo()));
}

void TestRedazione::naviga_data()
{
    QTest::addColumn<Verso>("verso");
    QTest::addColumn<int>("corrente");
    QTest::addColumn<QString>("prima"); // as in regole; "cartella": a folder in its place
    QTest::addColumn<int>("n"); // the card shown, 0 for none, -1 for an error
    using enum Verso;
    QTest::newRow("successiva") << Successiva << 2 << "1,2,3" << 3;
    QTest::newRow("successiva sull'ultima") << Successiva << 3 << "1,2,3" << 3;
    QTest::newRow("precedente") << Precedente << 2 << "1,2,3" << 1;
    QTest::newRow("precedente sulla prima") << Precedente << 1 << "1,2,3" << 1;
    QTest::newRow("precedente oltre la fine") << Precedente << 9 << "1,2,3" << 3;
    QTest::newRow("prima") << Prima << 3 << "1,2,3" << 1;
    QTest::newRow("ultima") << Ultima << 1 << "1,2,3" << 3;
    // A real count of 2.5 is rounded to the even number, 3.5 up to 4.
    QTest::newRow("ultima di 2.5") << Ultima << 1 << "1,2+coda" << 2;
    QTest::newRow("ultima di 3.5") << Ultima << 1 << "1,2,3+coda" << 4;
    QTest::newRow("vuoto") << Successiva << 2 << "" << 0;
    QTest::newRow("mancante") << Prima << 0 << "-" << 0;
    QTest::newRow("una cartella") << Prima << 2 << "cartella" << -1;
}

void TestRedazione::naviga()
{
    QFETCH(Verso, verso);
    QFETCH(int, corrente);
    QFETCH(QString, prima);
    QFETCH(int, n);
    if (prima == QLatin1String("cartella"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Sonoria.sng")));
    else if (prima != QLatin1String("-"))
        QVERIFY(scriviFile(archivio(), archivioDa(prima)));
    qint64 numero = 77;
    Scheda letta = kNuova;
    const Esito e = Redazione(archivio(), fileOpsReali()).naviga(verso, corrente, numero, letta);
    if (n < 0) {
        // The reason is told; what the caller holds stays together, untouched.
        QVERIFY(!e.ok);
        QVERIFY(!e.errore.isEmpty());
        QCOMPARE(numero, qint64(77));
        QCOMPARE(letta, kNuova);
        return;
    }
    QVERIFY2(e.ok, qPrintable(e.errore));
    QCOMPARE(numero, qint64(n));
    if (n > 3) // a part record reads as its bytes, then blanks
        QCOMPARE(letta.inByte(), kCoda + QByteArray(2830 - kCoda.size(), ' '));
    else if (n > 0)
        QCOMPARE(letta.testo(Campo::Brano), QStringLiteral("Brano %1").arg(n));
    QVERIFY(QFile::exists(archivio())); // the window creates a missing archive, empty
}

void TestRedazione::archivioInUso()
{
    // Another program holds the lock: every writer gives up after its wait, writing nothing.
    const QByteArray prima = byteDi(schede(3));
    QVERIFY(scriviFile(archivio(), prima));
    const int cartella
        = ::open(QFile::encodeName(m_dir->path()).constData(), O_RDONLY | O_DIRECTORY);
    QVERIFY(cartella >= 0);
    QCOMPARE(::flock(cartella, LOCK_EX), 0);
    Redazione r(archivio(), fileOpsReali(), { std::chrono::milliseconds(50), false });
    qint64 n = 0;
    for (const char* azione : { "aggiungi", "sostituisci", "elimina", "importa" })
        QCOMPARE(agisci(r, azione, 1, std::nullopt, n).motivo, Motivo::Occupato);
    QCOMPARE(leggiFile(archivio()), prima);
    ::close(cartella);
    QVERIFY(r.aggiungi(kNuova, n).ok);
}

void TestRedazione::collegamentoSimbolico()
{
    // The archive is a link to a private file elsewhere: the target changes, the link stays.
    QTemporaryDir altrove;
    const QString bersaglio = altrove.filePath(QStringLiteral("vero.sng"));
    QVERIFY(scriviFile(bersaglio, byteDi(schede(3))));
    QVERIFY(::chmod(QFile::encodeName(bersaglio).constData(), 0600) == 0);
    QVERIFY(QFile::link(bersaglio, archivio()));
    Redazione r(archivio(), fileOpsReali());
    qint64 n = 0;
    QVERIFY(r.elimina(2, scheda(QStringLiteral("Brano 2")), n).ok);
    QVERIFY(r.aggiungiSchede({ kNuova }, n).ok);
    QVERIFY(QFileInfo(archivio()).isSymLink());
    QCOMPARE(leggiFile(bersaglio), archivioDa(QStringLiteral("1,3,N")));
    QCOMPARE(QFileInfo(bersaglio).permissions(),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    QVERIFY(!QFile::exists(temporaneo()));
    QVERIFY(!QFile::exists(altrove.filePath(QStringLiteral("Schede.tmp"))));
}

void TestRedazione::temporaneoOstile_data()
{
    QTest::addColumn<bool>("cartella");
    QTest::newRow("un collegamento") << false;
    QTest::newRow("una cartella") << true;
}

void TestRedazione::temporaneoOstile()
{
    // Something planted under the temporary name: a link is never followed; a folder stops
    // the deletion with an error that names it, and the archive stays whole.
    QFETCH(bool, cartella);
    const QString altro = m_dir->filePath(QStringLiteral("altro.txt"));
    QVERIFY(scriviFile(altro, "da non toccare"));
    if (cartella)
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Schede.tmp")));
    else
        QVERIFY(QFile::link(altro, temporaneo()));
    const QByteArray prima = byteDi(schede(3));
    QVERIFY(scriviFile(archivio(), prima));
    qint64 n = 0;
    const Esito e = Redazione(archivio(), fileOpsReali()).elimina(3, std::nullopt, n);
    QCOMPARE(leggiFile(altro), QByteArray("da non toccare"));
    if (cartella) {
        QVERIFY(!e.ok);
        QVERIFY2(e.errore.contains(QLatin1String("Schede.tmp")), qPrintable(e.errore));
        QCOMPARE(leggiFile(archivio()), prima);
    } else {
        QVERIFY(e.ok);
        QCOMPARE(leggiFile(archivio()), byteDi(schede(2)));
        QVERIFY(!QFileInfo::exists(temporaneo()));
    }
}

void TestRedazione::guasti_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<bool>("senzaCopiaNelNucleo");
    QTest::addColumn<QString>("dopo"); // as in regole
    QTest::newRow("elimina") << "elimina" << false << "1,3";
    QTest::newRow("elimina, copia a blocchi") << "elimina" << true << "1,3";
    QTest::newRow("importa") << "importa" << false << "1,2,3,N,N";
    QTest::newRow("sostituisci") << "sostituisci" << false << "1,N,3";
    QTest::newRow("aggiungi") << "aggiungi" << false << "1,2,3,N";
}

// Every file operation fails in turn: the archive is then the old one or the new one, a
// reported failure leaves the old one (unless only the folder's sync failed), and nothing
// is left open or behind.
void TestRedazione::guasti()
{
    QFETCH(QString, azione);
    QFETCH(bool, senzaCopiaNelNucleo);
    QFETCH(QString, dopo);
    const QByteArray vecchio = archivioDa(QStringLiteral("1,2,3"));
    const QByteArray nuovo = archivioDa(dopo);
    FileOpsGuasti ops;
    ops.senzaCopiaNelNucleo = senzaCopiaNelNucleo;
    const int descrittori = int(QDir(QStringLiteral("/proc/self/fd")).count());
    int guasti = 0;
    for (int chiamata = 1;; ++chiamata) {
        QVERIFY(chiamata < 100);
        QVERIFY(scriviFile(archivio(), vecchio));
        QVERIFY(scriviFile(temporaneo(), "avanzo di un'altra volta"));
        ops.azzera(chiamata);
        Redazione r(archivio(), ops);
        qint64 n = 0;
        const Esito e = agisci(r, azione, 2, scheda(QStringLiteral("Brano 2")), n);
        const QString contesto = QStringLiteral("guasto alla chiamata %1 (%2)")
                                     .arg(chiamata)
                                     .arg(ops.registro.value(chiamata - 1));
        const QByteArray letto = leggiFile(archivio());
        if (e.ok || e.motivo == Motivo::NonSincronizzata)
            QVERIFY2(letto == nuovo, qPrintable(contesto));
        else
            QVERIFY2(letto == vecchio, qPrintable(contesto + QStringLiteral(": ") + e.errore));
        QCOMPARE(int(QDir(QStringLiteral("/proc/self/fd")).count()), descrittori);
        if (!ops.guastoAvvenuto) {
            QVERIFY2(e.ok, qPrintable(e.errore)); // with nothing failing, the action is done
            break;
        }
        guasti += e.ok ? 0 : 1;
    }
    QVERIFY(guasti >= 3);
}

// Writers in separate processes at the same moment: imports and deletions of the first
// card. Every imported card ends up in the archive once, none torn.
void TestRedazione::processiInParallelo()
{
    constexpr int kImport = 5, kSchede = 40, kCancellazioni = 3;
    QVERIFY(scriviFile(archivio(), byteDi(schede(kCancellazioni + 1))));
    std::vector<std::unique_ptr<QProcess>> processi;
    for (int p = 0; p < kImport + kCancellazioni; ++p) {
        QStringList argomenti { QStringLiteral("delete"), QStringLiteral("1") };
        if (p < kImport) {
            QByteArray json = "[";
            for (int i = 0; i < kSchede; ++i)
                json += (i ? "," : "")
                    + QStringLiteral("{\"Brano\": \"P%1 S%2\"}").arg(p).arg(i).toUtf8();
            const QString file = m_dir->filePath(QStringLiteral("p%1.json").arg(p));
            QVERIFY(scriviFile(file, json + "]"));
            argomenti = QStringList { QStringLiteral("import"), file };
        }
        processi.push_back(std::make_unique<QProcess>());
        avvia(*processi.back(), argomenti);
    }
    for (auto& p : processi) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    const QByteArray dopo = leggiFile(archivio());
    QCOMPARE(dopo.size(), qsizetype(kImport * kSchede + 1) * 2830);
    QMultiHash<QString, int> titoli;
    for (qsizetype i = 0; i < dopo.size(); i += 2830)
        titoli.insert(Scheda::daByte(dopo.constData() + i).testo(Campo::Brano), 0);
    QCOMPARE(titoli.count(QStringLiteral("Brano %1").arg(kCancellazioni + 1)), 1);
    for (int p = 0; p < kImport; ++p)
        for (int i = 0; i < kSchede; ++i)
            QCOMPARE(titoli.count(QStringLiteral("P%1 S%2").arg(p).arg(i)), 1);
}

void TestRedazione::uccisi_data()
{
    QTest::addColumn<QString>("comando");
    QTest::newRow("delete") << "delete";
    QTest::newRow("import") << "import";
}

// A writer killed at any moment leaves the old archive or the new one, never a mix, and
// the next writer is not disturbed by what it left. The kills fall before the program's
// work, through its copy, around its rename, and after its end.
void TestRedazione::uccisi()
{
    QFETCH(QString, comando);
    constexpr int kSchede = 6000;
    Scheda modello = scheda(QStringLiteral("Brano"));
    modello.imposta(Campo::Testo, QStringLiteral("una strofa ").repeated(150));
    const QByteArray record = modello.inByte();
    QByteArray vecchio;
    vecchio.reserve(qsizetype(kSchede) * 2830);
    for (int i = 1; i <= kSchede; ++i) {
        QByteArray r = record;
        r.replace(6, 8, QByteArray::number(i).rightJustified(8, '0')); // every card different
        vecchio.append(r);
    }
    QByteArray nuovo = vecchio.mid(2830);
    QStringList argomenti { comando, QStringLiteral("1") };
    if (comando == QLatin1String("import")) {
        const QByteArray testo = QByteArray("la la ").repeated(300);
        const QString file = m_dir->filePath(QStringLiteral("nuove.json"));
        QVERIFY(scriviFile(file,
            "["
                + QByteArray("{\"Brano\": \"Importata\", \"Testo\": \"" + testo + "\"},\n")
                      .repeated(249)
                + "{\"Brano\": \"Importata\", \"Testo\": \"" + testo + "\"}]"));
        argomenti = QStringList { comando, file };
        const Scheda importata = Scheda::daTesti(
            { QStringLiteral("Importata"), {}, {}, {}, {}, {}, QString::fromLatin1(testo), {} });
        nuovo = vecchio + importata.inByte().repeated(250);
    }
    // The writers never write into the archive they read, so each round starts from a link
    // to one pristine copy; were it written in place, the pristine copy would show it.
    const QString originale = m_dir->filePath(QStringLiteral("originale.sng"));
    QProcess p;
    auto ripristina = [&] {
        QFile::remove(archivio());
        QCOMPARE(::link(QFile::encodeName(originale).constData(),
                     QFile::encodeName(archivio()).constData()),
            0);
    };
    auto cronometra = [&] {
        ripristina();
        QElapsedTimer orologio;
        avvia(p, argomenti);
        p.waitForStarted();
        orologio.start();
        p.waitForFinished(60000);
        return orologio.nsecsElapsed() / 1000;
    };
    // How long the command takes on a one-card archive (start-up, reading, locking), then on
    // this one: the difference is the copy and the rename.
    QVERIFY(scriviFile(originale, vecchio.left(2830)));
    const qint64 avvio = cronometra();
    // The full run starts beside what a killed run left: it must not disturb it.
    QVERIFY(scriviFile(originale, vecchio));
    QVERIFY(scriviFile(temporaneo(), vecchio.left(5 * 2830 + 3)));
    const qint64 durata = cronometra();
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(leggiFile(archivio()) == nuovo);
    QVERIFY(!QFile::exists(temporaneo()));

    // Start-up times vary: the kills meant for the copy spread a little beyond it.
    QList<qint64> ritardi { 0, avvio / 2 };
    for (int k = 0; k <= 3; ++k)
        ritardi.append(avvio * 9 / 10 + (durata * 11 / 10 - avvio * 9 / 10) * k / 3);
    ritardi.append(durata * 3 / 2);
    int vecchi = 0, nuovi = 0;
    for (const qint64 ritardo : ritardi) {
        ripristina();
        avvia(p, argomenti);
        QVERIFY(p.waitForStarted());
        attendi(qMax<qint64>(ritardo, 0));
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(60000));
        const QByteArray dopo = leggiFile(archivio());
        QVERIFY2(dopo == vecchio || dopo == nuovo,
            qPrintable(QStringLiteral("archivio rovinato da un SIGKILL dopo %1 µs").arg(ritardo)));
        (dopo == vecchio ? vecchi : nuovi)++;
    }
    QVERIFY(leggiFile(originale) == vecchio);
    qInfo("%d colpi: %d archivi vecchi, %d nuovi (il comando dura %lld µs, %lld per partire)",
        int(ritardi.size()), vecchi, nuovi, static_cast<long long>(durata),
        static_cast<long long>(avvio));
    QVERIFY(vecchi > 0);
}

QTEST_MAIN(TestRedazione)
#include "test_redazione.moc"
