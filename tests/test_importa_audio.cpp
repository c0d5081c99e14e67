// Cards from audio files: the mapping rules as a table on a fake tag reader, real tagged
// files through the command line, and the window's drop handling wired to them.
#include "ArchivioDiProva.h"
#include "CliDiProva.h"
#include "FinestraDiProva.h"
#include "archive/ImportaAudio.h"
#include "platform/FileOps.h"
#include "platform/LettoreTag.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

using namespace melodora;
using namespace melodora::test;

Q_DECLARE_METATYPE(Risposta)

namespace {
/** "Campo:tipo" for each problem, as the table names them. */
QStringList nomi(const QList<ProblemaAudio>& problemi)
{
    static const char* const tipi[]
        = { "tagliato", "sostituito", "percorsoLungo", "percorsoNonArchiviabile", "illeggibile" };
    QStringList l;
    for (const ProblemaAudio& p : problemi)
        l.append(QStringLiteral("%1:%2").arg(
            QLatin1String(info(p.campo).nome), QLatin1String(tipi[static_cast<int>(p.tipo)])));
    return l;
}

TagAudio soloTitolo(const QString& titolo)
{
    TagAudio t;
    t.titolo = titolo;
    return t;
}

bool creaFile(const QString& percorso)
{
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly);
}

/** Sends a drag of @p url onto @p dove and drops it, as a file manager does. */
void trascina(QWidget* dove, const QList<QUrl>& url, const QString& testo = {})
{
    QMimeData dati;
    if (!url.isEmpty())
        dati.setUrls(url);
    if (!testo.isEmpty())
        dati.setText(testo);
    const QPoint punto(5, 5);
    QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dove, &entra);
    QVERIFY(entra.isAccepted());
    QDropEvent lascia(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dove, &lascia);
}
}

class TestImportaAudio : public QObject {
    Q_OBJECT
private slots:
    void regole_data();
    void regole();
    void importazione_data();
    void importazione();
    void altroProgrammaAggiunge();
    void fileVeri();
    void trascinaUnFile();
    void trascinaCartella_data();
    void trascinaCartella();
};

void TestImportaAudio::regole_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QStringList>("tag"); // title, artist, album, genre, year, lyrics
    QTest::addColumn<QStringList>("attesi"); // the eight fields as stored, without blanks
    QTest::addColumn<QStringList>("problemi");

    // The tags and the fields written with "|" between them.
    const auto riga = [](const char* nome, const QString& percorso, const QString& tag,
                          const QString& attesi, const QStringList& problemi = {}) {
        QTest::newRow(nome) << percorso << tag.split(u'|') << attesi.split(u'|') << problemi;
    };
    const QString p = QStringLiteral("/musica/Brano uno.live.mp3");
    riga("tutti i tag", p, "Titolo|Artista|Album|Synthwave|1999|Riga 1\nRiga 2",
        "Titolo|Artista|Album|Synthwave|1999||Riga 1\r\nRiga 2|" + p);
    riga("titolo vuoto: il nome del file", p, "|A||||", "Brano uno.live|A||||||" + p);
    riga("titolo di soli spazi", p, "   |||||", "Brano uno.live|||||||" + p);
    riga("spazi ai bordi, a capo nei campi di una riga", p, "  Tito\tlo |Uno\r\nDue||||  testo  ",
        "Tito lo|Uno  Due|||||testo|" + p);
    riga("troppo lunghi: tagliati", p,
        QString(125, 'T') + "|" + QString(41, 'a') + "||||" + QString(2001, 'x'),
        QString(120, 'T') + "|" + QString(40, 'a') + "|||||" + QString(2000, 'x') + "|" + p,
        { "Brano:tagliato", "Artista:tagliato", "Testo:tagliato" });
    riga("fuori da Windows-1252: '?', una per carattere", p, "Ωmega 😀 è|||||",
        "?mega ? è|||||||" + p, { "Brano:sostituito" });
    const QString lungo = QStringLiteral("/") + QString(245, 'c') + QStringLiteral("/a.mp3");
    riga("percorso troppo lungo: rifiutato", lungo, "T|||||", "T|||||||", { "MP3:percorsoLungo" });
    const QString giusto = QStringLiteral("/") + QString(243, 'c') + QStringLiteral("/a.mp3");
    riga("percorso di 250 caratteri", giusto, "T|||||", "T|||||||" + giusto);
    riga("percorso fuori da Windows-1252: rifiutato", "/musica/Ωmega.mp3", "|||||", "?mega|||||||",
        { "Brano:sostituito", "MP3:percorsoNonArchiviabile" });
}

void TestImportaAudio::regole()
{
    QFETCH(QString, percorso);
    QFETCH(QStringList, tag);
    QFETCH(QStringList, attesi);
    QFETCH(QStringList, problemi);
    const TagAudio t { tag[0], tag[1], tag[2], tag[3], tag[4], tag[5] };
    Scheda s;
    QList<ProblemaAudio> trovati;
    QCOMPARE(schedaDaTag(percorso, t, s, trovati), !attesi.last().isEmpty());
    QStringList campi;
    for (int k = 0; k < kNumeroCampi; ++k)
        campi.append(s.testo(static_cast<Campo>(k)));
    QCOMPARE(campi, attesi);
    QCOMPARE(nomi(trovati), problemi);
    for (const ProblemaAudio& p : trovati)
        QVERIFY(descriviProblemaAudio(p).startsWith(percorso + QStringLiteral(", campo ")));
}

void TestImportaAudio::importazione_data()
{
    QTest::addColumn<bool>("prova");
    QTest::addColumn<qint64>("annullaA");
    QTest::addColumn<int>("aggiunte");
    QTest::newRow("importa") << false << qint64(-1) << 1;
    QTest::newRow("--dry-run") << true << qint64(-1) << 0;
    QTest::newRow("annullata al secondo file") << false << qint64(1) << 0;
    QTest::newRow("annullata alla fine") << false << qint64(4) << 0;
}

void TestImportaAudio::importazione()
{
    QFETCH(bool, prova);
    QFETCH(qint64, annullaA);
    QFETCH(int, aggiunte);
    QTemporaryDir dir;
    const QString archivio = dir.filePath(QStringLiteral("Sonoria.sng"));
    const Scheda esistente = schedaDiProva(QStringLiteral("Esistente"), {}, "/m/doppio.mp3");
    QVERIFY(scriviArchivio(archivio, { esistente }));
    FakeLettoreTag lettore;
    lettore.tags.insert(QStringLiteral("/m/nuovo.mp3"), soloTitolo(QStringLiteral("Nuovo")));
    lettore.tags.insert(QStringLiteral("/m/doppio.mp3"), soloTitolo(QStringLiteral("Doppio")));
    // Already in the archive, given twice, unreadable.
    const QStringList file = { "/m/nuovo.mp3", "/m/doppio.mp3", "/m/nuovo.mp3", "/m/rotto.mp3" };
    ImportazioneAudio esito;
    const Esito e = importaAudio(file, archivio, fileOpsReali(), lettore, prova, esito,
        [annullaA](qint64 fatti, qint64, const QString&) { return fatti != annullaA; });
    QVERIFY2(e.ok, qPrintable(e.errore));
    QCOMPARE(esito.annullata, annullaA >= 0);
    Scheda nuova;
    nuova.imposta(Campo::Brano, QStringLiteral("Nuovo"));
    nuova.imposta(Campo::MP3, QStringLiteral("/m/nuovo.mp3"));
    QCOMPARE(leggiFile(archivio), esistente.inByte() + (aggiunte ? nuova.inByte() : QByteArray()));
    if (annullaA >= 0)
        return;
    QCOMPARE(esito.schede, QList<Scheda> { nuova });
    QCOMPARE((QList { esito.primo, esito.duplicati, esito.rifiutati }),
        (QList<qint64> { prova ? 0 : 2, 2, 1 }));
    QCOMPARE(nomi(esito.problemi), QStringList { "Brano:illeggibile" });
    // The archive's own path is never read for tags: skipped before.
    QVERIFY(!lettore.letti.contains(QStringLiteral("/m/doppio.mp3")));
}

// Another program adds the same file between the first look at the archive and the write:
// the path is checked again under the lock, so the card is not stored twice.
void TestImportaAudio::altroProgrammaAggiunge()
{
    QTemporaryDir dir;
    const QString archivio = dir.filePath(QStringLiteral("Sonoria.sng"));
    const Scheda altra = schedaDiProva(QStringLiteral("Altra"), {}, "/m/a.mp3");
    FakeLettoreTag lettore;
    for (const char* f : { "/m/a.mp3", "/m/b.mp3" })
        lettore.tags.insert(QString::fromLatin1(f), soloTitolo(QStringLiteral("Tag")));
    ImportazioneAudio esito;
    const Esito e = importaAudio({ "/m/a.mp3", "/m/b.mp3" }, archivio, fileOpsReali(), lettore,
        false, esito, [&](qint64 fatti, qint64 totale, const QString&) {
            return fatti < totale || scriviArchivio(archivio, { altra });
        });
    QVERIFY2(e.ok, qPrintable(e.errore));
    QCOMPARE(esito.duplicati, qint64(1));
    QCOMPARE(esito.schede.size(), 1);
    QCOMPARE(esito.primo, qint64(2));
    QCOMPARE(leggiFile(archivio), altra.inByte() + esito.schede.first().inByte());
    QCOMPARE(esito.schede.first().testo(Campo::MP3), QStringLiteral("/m/b.mp3"));
}

void TestImportaAudio::fileVeri()
{
    QTemporaryDir dir;
    const QString musica = dir.filePath(QStringLiteral("musica"));
    const QString lunga = musica + QStringLiteral("/") + QString(230, 'l');
    QVERIFY(QDir().mkpath(lunga));
    auto sox = [](const QString& f) {
        return QProcess::execute(QStringLiteral("sox"),
            { "-q", "-n", "-r", "44100", "-c", "1", f, "synth", "0.2", "sine", "440" });
    };
    for (const char* nome : { "a.mp3", "b.mp3", "c.flac", "d senza tag.wav", "e.mp3" })
        QCOMPARE(sox(musica + QStringLiteral("/") + QLatin1String(nome)), 0);
    QCOMPARE(sox(lunga + QStringLiteral("/f.wav")), 0);
    // The tags, written by a library other than the one that reads them.
    const char* script = R"(
import sys
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TCON, TDRC, USLT
from mutagen.flac import FLAC
d = sys.argv[1]
t = ID3()
t.add(TIT2(encoding=3, text="Canzone è"))
t.add(TPE1(encoding=3, text="Artista"))
t.add(TALB(encoding=3, text="Album"))
t.add(TCON(encoding=3, text="Synthwave"))
t.add(TDRC(encoding=3, text="1999"))
t.add(USLT(encoding=1, lang="ita", desc="", text="Prima riga\nSeconda è"))
t.save(d + "/a.mp3", v1=0)
with open(d + "/b.mp3", "ab") as f:
    def c(s, n): return s.encode("latin-1").ljust(n, b"\0")
    f.write(b"TAG" + c("Solo v1", 30) + c("Vecchio", 30) + c("Disco", 30) + b"1987"
        + c("", 30) + bytes([17]))
f = FLAC(d + "/c.flac")
f.update({"TITLE": "Flac", "ARTIST": "Gruppo", "ALBUM": "LP", "GENRE": "Jazz",
    "DATE": "2001", "LYRICS": "Uno\nDue"})
f.save()
t = ID3()
t.add(TIT2(encoding=3, text="Ωmega"))
t.save(d + "/e.mp3", v1=0)
)";
    QCOMPARE(QProcess::execute(QStringLiteral("/usr/bin/python3"),
                 { QStringLiteral("-c"), QString::fromUtf8(script), musica }),
        0);

    const QString archivio = dir.filePath(QStringLiteral("Sonoria.sng"));
    QString out, err;
    QCOMPARE(eseguiCli(archivio, { "import-audio", musica, "--recursive" }, out, err), 0);
    const QByteArray m = QFile::encodeName(musica) + '/';
    const QByteArray atteso = record({ "Canzone \xE8", "Artista", "Album", "Synthwave", "1999", "",
                                  "Prima riga\r\nSeconda \xE8", m + "a.mp3" })
        + record({ "Solo v1", "Vecchio", "Disco", "Rock", "1987", "", "", m + "b.mp3" })
        + record({ "Flac", "Gruppo", "LP", "Jazz", "2001", "", "Uno\r\nDue", m + "c.flac" })
        + record({ "d senza tag", "", "", "", "", "", "", m + "d senza tag.wav" })
        + record({ "?mega", "", "", "", "", "", "", m + "e.mp3" });
    QCOMPARE(leggiFile(archivio), atteso);
    QVERIFY2(out.contains(QStringLiteral("Aggiunte 5 schede (dalla 1 alla 5); 0 file già in "
                                         "archivio (saltati); 1 file rifiutati.")),
        qPrintable(out));
    QVERIFY2(err.contains(musica + QStringLiteral("/e.mp3, campo Brano: il carattere \"Ω\""))
            && err.contains(lunga + QStringLiteral("/f.wav, campo MP3: il percorso ha")),
        qPrintable(err));

    // Again: every path is already in the archive.
    QCOMPARE(eseguiCli(archivio, { "import-audio", musica, "--recursive" }, out, err), 0);
    QVERIFY2(out.contains(QStringLiteral("5 file già in archivio")), qPrintable(out));
    QCOMPARE(leggiFile(archivio), atteso);
    // A file that is not audio stops the whole command.
    QCOMPARE(eseguiCli(archivio, { "import-audio", musica + "/x.mp3", archivio }, out, err), 1);
    QCOMPARE(leggiFile(archivio), atteso);
}

void TestImportaAudio::trascinaUnFile()
{
    FinestraDiProva f;
    QVERIFY(f.mostra());
    const QString file = f.cartella.filePath(QStringLiteral("uno.mp3"));
    QVERIFY(creaFile(file));
    f.fake.tag.tags.insert(file,
        { QStringLiteral("Dal tag"), QStringLiteral("Artista del tag"), QStringLiteral("Album"),
            QStringLiteral("Pop"), QStringLiteral("2003"), QStringLiteral("Uno\nDue") });
    f.finestra->txtArtista->setText(QStringLiteral("Scritto a mano"));
    // Dropped onto a field: the file, not its name as text.
    trascina(f.finestra->txtBrano, { QUrl::fromLocalFile(file) }, file);
    const frmSonoria& w = *f.finestra;
    QCOMPARE((QStringList { w.txtBrano->text(), w.txtArtista->text(), w.txtGenere->currentText(),
                 w.txtTesto->toPlainText(), w.txtMP3->text(), w.lblPosizione->text() }),
        (QStringList { "Dal tag", "Scritto a mano", "Pop", "Uno\nDue", file, "" }));
    QVERIFY(f.fake.messaggi.mostrati.isEmpty());
    QVERIFY(!QFile::exists(f.archivio()));

    // Anything but local files is refused, and changes nothing.
    trascina(f.finestra.get(), {}, QStringLiteral("testo"));
    QCOMPARE(f.fake.messaggi.mostrati.size(), 1);
    QCOMPARE(f.fake.messaggi.mostrati.first().icona, Icona::Esclamazione);
    QVERIFY(!QFile::exists(f.archivio()));
}

void TestImportaAudio::trascinaCartella_data()
{
    QTest::addColumn<Risposta>("risposta");
    QTest::addColumn<qint64>("annullaA");
    QTest::addColumn<int>("aggiunte");
    QTest::newRow("Sì") << Risposta::Si << qint64(-1) << 3;
    QTest::newRow("No") << Risposta::No << qint64(-1) << 0;
    QTest::newRow("annullata") << Risposta::Si << qint64(2) << 0;
}

void TestImportaAudio::trascinaCartella()
{
    QFETCH(Risposta, risposta);
    QFETCH(qint64, annullaA);
    QFETCH(int, aggiunte);
    FinestraDiProva f;
    QVERIFY(f.mostra());
    const QString cartella = f.cartella.filePath(QStringLiteral("album"));
    for (const char* nome : { "1.mp3", "2.flac", "sotto/3.WAV" }) {
        const QString file = cartella + QStringLiteral("/") + QLatin1String(nome);
        QVERIFY(creaFile(file));
        f.fake.tag.tags.insert(file, soloTitolo(QLatin1String(nome)));
    }
    QVERIFY(creaFile(cartella + QStringLiteral("/copertina.jpg")));
    f.fake.messaggi.risposte.enqueue(risposta);
    f.fake.avanzamento.annullaA = annullaA;
    trascina(f.finestra.get(), { QUrl::fromLocalFile(cartella) });

    QCOMPARE(f.fake.messaggi.mostrati.size(), 1);
    QCOMPARE(scatola(f.fake.messaggi.mostrati.value(0)),
        scatola(QStringLiteral("Aggiungere 3 schede all'archivio?"),
            QStringLiteral("Melodora 1.0 - Conferma operazione"), Icona::Domanda, Pulsanti::SiNo));
    QCOMPARE(leggiFile(f.archivio()).size(), qsizetype(aggiunte) * kLunghezzaScheda);
    QCOMPARE(f.fake.avanzamento.aperture, risposta == Risposta::Si ? 1 : 0);
    // The first added card is shown; otherwise the window is as it was.
    QCOMPARE(f.finestra->lblPosizione->text(), aggiunte ? QStringLiteral(" 1") : QString());
    QCOMPARE(f.finestra->txtBrano->text(), aggiunte ? QStringLiteral("1.mp3") : QString());
}

QTEST_MAIN(TestImportaAudio)
#include "test_importa_audio.moc"
