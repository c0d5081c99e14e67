#include "cli/Cli.h"

#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "archive/Interscambio.h"
#include "cli/Comandi.h"
#include "lists/Elenchi.h"
#include "platform/CaricaPeriferiche.h"
#include "platform/ErroreSistema.h"
#include "platform/FileOps.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace melodora::cli {

namespace {
    // Options that take a value; every other --option is a flag.
    const QStringList kOpzioniConValore = { QStringLiteral("--archive"), QStringLiteral("--format"),
        QStringLiteral("--layout"), QStringLiteral("--pdf") };

    void aiuto(QTextStream& out)
    {
        // The same archive as the window's, wherever this installation keeps it.
        out << "Uso: melodora-cli [--archive FILE] COMANDO [ARGOMENTI]\n\n"
               "Lavora sull'archivio delle schede del programma, oppure sul file indicato con\n"
               "--archive. L'archivio del programma è:\n  "
            << percorsoArchivio(QString())
            << "\nEsce con 0 se il comando riesce.\n\n"
               "Comandi:\n";
        for (const Comando& c : comandi()) {
            out << "  " << c.sintassi << "\n";
            // Long descriptions wrap at 80 columns under the command.
            QString riga;
            for (const QString& parola : QString::fromUtf8(c.descrizione).split(u' ')) {
                if (!riga.isEmpty() && 6 + riga.size() + 1 + parola.size() > 80) {
                    out << "      " << riga << "\n";
                    riga.clear();
                }
                riga += (riga.isEmpty() ? QString() : QStringLiteral(" ")) + parola;
            }
            out << "      " << riga << "\n      esempio: " << c.esempio << "\n";
        }
    }

    /**
     * Commands that write to standard output themselves: export passes data for another
     * program on exactly, and the lists make each line harmless as they write it, so that a
     * list of every card is never held whole a second time.
     */
    bool scriveDaSe(const QString& comando)
    {
        static const QStringList comandi = { QStringLiteral("export"), QStringLiteral("search"),
            QStringLiteral("audio"), QStringLiteral("duplicates") };
        return comandi.contains(comando);
    }

    /** The command named in @p argomenti, the first word that is neither option nor value. */
    QString nomeComando(const QStringList& argomenti)
    {
        for (qsizetype i = 0; i < argomenti.size(); ++i) {
            const QString& a = argomenti.at(i);
            if (a == QLatin1String("--help") || a == QLatin1String("-h"))
                return {};
            if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
                if (kOpzioniConValore.contains(a))
                    ++i;
                continue;
            }
            return a;
        }
        return {};
    }
}

/**
 * Text for a terminal: a card's value may hold control characters (an import from anywhere)
 * that would move the cursor, retitle the window or clear the screen. C0 and C1 controls other
 * than tab and line breaks are shown as \xNN instead. A CR is a line break only before a LF,
 * which may be the one written right after @p testo (@p seguitoDaACapo).
 */
QString perTerminale(const QString& testo, bool seguitoDaACapo)
{
    const char16_t* c = reinterpret_cast<const char16_t*>(testo.utf16());
    const qsizetype n = testo.size();
    auto innocuo = [c, n, seguitoDaACapo](qsizetype i) {
        const char16_t u = c[i];
        return (u >= 0x20 && u < 0x7F) || u > 0x9F || u == u'\t' || u == u'\n'
            || (u == u'\r' && (i + 1 < n ? c[i + 1] == u'\n' : seguitoDaACapo));
    };
    // Most outputs hold no such character, long lists among them: they go as they are. The
    // first look, without branches, is one the compiler does many characters at a time; a CR
    // sends the text to the closer look below.
    bool tutti = true;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = c[i];
        tutti &= ((u >= 0x20) & ((u < 0x7F) | (u > 0x9F))) | (u == u'\t') | (u == u'\n');
    }
    if (tutti)
        return testo;
    qsizetype i = 0;
    while (i < n && innocuo(i))
        ++i;
    if (i == n)
        return testo;
    QString out = testo.first(i);
    out.reserve(n + 16);
    for (; i < n; ++i) {
        if (innocuo(i))
            out.append(QChar(c[i]));
        else
            out.append(QStringLiteral("\\x%1").arg(unsigned(c[i]), 2, 16, QLatin1Char('0')));
    }
    return out;
}

namespace {
    /** How many of the @p n bytes at @p p are printable ASCII before the first that is not. */
    qsizetype asciiStampabile(const unsigned char* p, qsizetype n)
    {
        qsizetype k = 0;
#if defined(__SSE2__)
        // Signed, the bytes above 127 are below zero: one comparison finds 0x20 to 0x7F.
        const __m128i spazio = _mm_set1_epi8(0x1F);
        const __m128i canc = _mm_set1_epi8(0x7F);
        for (; k + 16 <= n; k += 16) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
            const int buoni = _mm_movemask_epi8(
                _mm_andnot_si128(_mm_cmpeq_epi8(b, canc), _mm_cmpgt_epi8(b, spazio)));
            if (buoni != 0xFFFF)
                return k + std::countr_one(static_cast<unsigned>(buoni));
        }
#endif
        while (k < n && p[k] >= 0x20 && p[k] < 0x7F)
            ++k;
        return k;
    }
}

void scriviVoci(QTextStream& out, const VociSchede& voci)
{
    // Each byte's UTF-8, or its \xNN where it would act on a terminal, as perTerminale has
    // it; a CR goes as it is before the LF that follows it, or follows the entry.
    struct Byte {
        std::array<char, 4> c;
        qsizetype n;
    };
    static const std::array<Byte, 256> tabella = [] {
        std::array<Byte, 256> t {};
        for (int b = 0; b < 256; ++b) {
            const QByteArray u
                = perTerminale(QString(cp1252::decodifica(static_cast<unsigned char>(b)))).toUtf8();
            t[static_cast<size_t>(b)].n = u.size();
            std::copy(u.begin(), u.end(), t[static_cast<size_t>(b)].c.begin());
        }
        return t;
    }();
    constexpr size_t kPezzo = 1 << 16;
    std::string pezzo;
    pezzo.reserve(kPezzo * 2);
    auto manda = [&out, &pezzo] {
        out.flush();
        if (QIODevice* d = out.device()) {
            d->write(pezzo.data(), static_cast<qint64>(pezzo.size()));
            if (auto* f = qobject_cast<QFileDevice*>(d))
                f->flush();
        } else {
            out << QString::fromUtf8(pezzo.data(), static_cast<qsizetype>(pezzo.size()));
        }
        pezzo.clear();
    };
    // The entries lie in the order they were found, not in the list's: asking for the next
    // ones early keeps the output from waiting on each in turn.
    constexpr qsizetype kAvanti = 8;
    for (qsizetype i = 0; i < voci.size(); ++i) {
        if (i + kAvanti < voci.size())
            __builtin_prefetch(voci.byte(i + kAvanti).data());
        const QByteArrayView v = voci.byte(i);
        const auto* p = reinterpret_cast<const unsigned char*>(v.data());
        const qsizetype n = v.size();
        for (qsizetype k = 0; k < n;) {
            // Runs of printable ASCII, most of every entry, go in one piece.
            const qsizetype fine = k + asciiStampabile(p + k, n - k);
            pezzo.append(reinterpret_cast<const char*>(p + k), static_cast<size_t>(fine - k));
            if (fine == n)
                break;
            if (p[fine] == '\r' && (fine + 1 == n || p[fine + 1] == '\n'))
                pezzo += '\r';
            else
                pezzo.append(tabella[p[fine]].c.data(), static_cast<size_t>(tabella[p[fine]].n));
            k = fine + 1;
        }
        pezzo += '\n';
        if (pezzo.size() >= kPezzo)
            manda();
    }
    manda();
}

std::unique_ptr<ArchivioSchede> apriArchivio(Contesto& c)
{
    Esito errore;
    // Only read: a mistyped path is an error, not a new empty archive.
    auto archivio = ArchivioSchede::apriInLettura(c.archivio, fileOpsReali(), &errore);
    if (!archivio)
        c.uscita.err << "melodora-cli: impossibile aprire l'archivio " << errore.errore << "\n";
    return archivio;
}

void elencaProblemi(QTextStream& err, const QList<ProblemaValore>& problemi, const char* prefisso)
{
    // At most this many problems are listed; a spreadsheet gone wrong can have thousands.
    constexpr qsizetype kProblemiMostrati = 50;
    for (qsizetype i = 0; i < problemi.size() && i < kProblemiMostrati; ++i)
        err << "melodora-cli: " << prefisso << descriviProblema(problemi.at(i)) << "\n";
    if (problemi.size() > kProblemiMostrati)
        err << "melodora-cli: ... e altri " << problemi.size() - kProblemiMostrati << " valori\n";
}

bool leggiFileDati(Contesto& c, const QString& percorso, QByteArray& dati)
{
    const auto rifiuta = [&](const QString& motivo) {
        c.uscita.err << "melodora-cli: impossibile leggere " << percorso << ": " << motivo << "\n";
        return false;
    };
    // Non-blocking: opening a FIFO for reading would wait for a writer.
    const int fd
        = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return rifiuta(descriviErrno(errno));
    struct stat st { };
    QString motivo;
    if (::fstat(fd, &st) != 0)
        motivo = descriviErrno(errno);
    else if (S_ISDIR(st.st_mode))
        motivo = descriviErrno(EISDIR);
    else if (!S_ISREG(st.st_mode))
        motivo = QStringLiteral("non è un file regolare");
    QByteArray letti;
    while (motivo.isEmpty()) {
        char blocco[65536];
        const ssize_t n = ::read(fd, blocco, sizeof blocco);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            motivo = descriviErrno(errno);
        if (n <= 0)
            break;
        letti.append(blocco, n);
    }
    ::close(fd);
    if (!motivo.isEmpty())
        return rifiuta(motivo);
    dati = std::move(letti);
    return true;
}

bool opzioniAmmesse(Contesto& c, const QStringList& ammesse)
{
    for (auto it = c.opzioni.cbegin(); it != c.opzioni.cend(); ++it) {
        if (!ammesse.contains(it.key())) {
            c.uscita.err << "melodora-cli: opzione non valida per questo comando: " << it.key()
                         << "\n";
            return false;
        }
    }
    return true;
}

bool leggiSchedaRichiesta(Contesto& c, const ArchivioSchede& archivio, qint64& n, Scheda& scheda)
{
    if (c.argomenti.size() != 1) {
        c.uscita.err << "melodora-cli: indicare il numero di una scheda\n";
        return false;
    }
    bool ok = false;
    n = c.argomenti.first().toLongLong(&ok);
    const qint64 totale = archivio.schedeIntere();
    if (!ok || n < 1 || n > totale) {
        c.uscita.err << "melodora-cli: la scheda " << c.argomenti.first()
                     << " non esiste (l'archivio contiene " << totale << " schede)\n";
        return false;
    }
    if (Esito e = archivio.LeggiScheda(n, scheda); !e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return false;
    }
    return true;
}

QString percorsoArchivio(const QString& opzione)
{
    if (!opzione.isEmpty())
        return opzione;
    return AppFilePath(QString::fromLatin1(kNomeArchivio));
}

int esegui(const QStringList& argomenti, Uscita uscita, const ServiziStampa& stampa)
{
    QStringList parole;
    QMap<QString, QString> opzioni;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            aiuto(uscita.out);
            return 0;
        }
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            if (kOpzioniConValore.contains(a)) {
                if (i + 1 >= argomenti.size()) {
                    uscita.err << "melodora-cli: manca il valore dell'opzione " << perTerminale(a)
                               << "\n";
                    return 2;
                }
                opzioni.insert(a, argomenti.at(++i));
            } else {
                opzioni.insert(a, QString());
            }
            continue;
        }
        parole.append(a);
    }
    if (parole.isEmpty()) {
        aiuto(uscita.err);
        return 2;
    }
    const QString nome = parole.takeFirst();
    for (const Comando& c : comandi()) {
        if (nome == QLatin1String(c.nome)) {
            // What the command writes for people reaches the terminal only made harmless.
            QString testoOut;
            QString testoErr;
            QTextStream out(&testoOut);
            QTextStream err(&testoErr);
            const bool daSe = scriveDaSe(nome);
            Contesto contesto { parole,
                percorsoArchivio(opzioni.value(QStringLiteral("--archive"))), opzioni,
                { daSe ? uscita.out : out, err }, stampa };
            contesto.opzioni.remove(QStringLiteral("--archive"));
            const int stato = c.esegui(contesto);
            out.flush();
            err.flush();
            uscita.out << perTerminale(testoOut);
            uscita.err << perTerminale(testoErr);
            return stato;
        }
    }
    uscita.err << "melodora-cli: comando sconosciuto \"" << perTerminale(nome)
               << "\". Usare --help per l'elenco dei comandi.\n";
    return 2;
}

bool serveGrafica(const QStringList& argomenti)
{
    // Only printing draws; every other command starts sooner without the GUI side of Qt.
    static const QStringList grafica
        = { QStringLiteral("print"), QStringLiteral("print-list"), QStringLiteral("songbook") };
    return grafica.contains(nomeComando(argomenti));
}

ServiziStampa caricaServiziStampa()
{
    // Without an application Qt cannot say where the program is; the kernel can.
    const QString programma = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    ServiziStampa s;
    s.periferiche = caricaPeriferiche(QFileInfo(programma).absolutePath(), s.errore);
    return s;
}

const QList<Comando>& comandi()
{
    static const QList<Comando> elenco = {
        { "count", "count", "Stampa il numero di schede in archivio.", "melodora-cli count",
            comandoCount },
        { "show", "show N [--json]",
            "Mostra i campi della scheda N (senza spazi iniziali e finali).",
            "melodora-cli show 3 --json", comandoShow },
        { "export", "export --format json|csv",
            "Esporta tutte le schede sullo standard output: JSON (UTF-8) oppure CSV (RFC 4180, "
            "UTF-8, separato da virgole, righe chiuse da CR LF, intestazione "
            "n,Brano,Artista,Album,Genere,Anno,Note,Testo,MP3). Importato in un archivio vuoto "
            "lo ridà byte per byte solo se ogni scheda ha un titolo e nessun valore inizia "
            "con spazi, contiene un CR o un LF isolato o un byte non definito in Windows-1252.",
            "melodora-cli export --format csv > schede.csv", comandoExport },
        { "import", "import FILE.json|FILE.csv [--format json|csv] [--truncate]",
            "Aggiunge in coda le schede di un file JSON o CSV (formato dall'estensione o dal "
            "contenuto); tutto o niente. Il CSV può essere separato da virgole o da punti e "
            "virgola, con le colonne in qualunque ordine; un valore troppo lungo o con caratteri "
            "non archiviabili blocca l'importazione, a meno di --truncate (tagliato, '?').",
            "melodora-cli import schede.csv --truncate", comandoImport },
        { "import-audio", "import-audio PERCORSO... [--recursive] [--dry-run]",
            "Aggiunge in coda una scheda per ogni file audio (mp3, wav, flac, ogg, m4a) indicato "
            "o contenuto nelle cartelle (con --recursive anche nelle sottocartelle), dai suoi "
            "tag: titolo (o il nome del file), artista, album, genere, anno, testo; tutto o "
            "niente. I file già in archivio sono saltati; i valori troppo lunghi sono tagliati e "
            "i caratteri non archiviabili sostituiti da '?'; un percorso troppo lungo o non "
            "archiviabile esclude il file. Con --dry-run elenca soltanto le schede da aggiungere.",
            "melodora-cli import-audio ~/Musica --recursive", comandoImportAudio },
        { "update", "update N FILE.json",
            "Sostituisce la scheda N con l'oggetto JSON del file (le chiavi di export --format "
            "json; una chiave assente lascia il valore archiviato), come il pulsante Salva; "
            "rifiuta la modifica se un altro programma ha cambiato la scheda nel frattempo.",
            "melodora-cli update 3 scheda3.json", comandoUpdate },
        { "delete", "delete N", "Elimina la scheda N, come il pulsante Elimina (senza domanda).",
            "melodora-cli delete 4", comandoDelete },
        { "check", "check",
            "Controlla l'archivio: lunghezza non multipla di 2830, titoli vuoti, file audio "
            "inesistenti, byte non definiti in Windows-1252; esce con 0 solo se è integro.",
            "melodora-cli check", comandoCheck },
        { "search", "search titolo|artista|album|genere|testo|note|tutto TESTO",
            "Elenca, in ordine alfabetico, le schede il cui campo inizia con TESTO; con testo, "
            "note o tutto, le schede il cui testo, le cui note o uno qualunque dei cui campi "
            "contengono tutte le parole di TESTO, in qualunque ordine, ciascuna come inizio di "
            "una parola, senza badare a maiuscole e accenti.",
            "melodora-cli search genere rock", comandoSearch },
        { "audio", "audio", "Elenca, in ordine alfabetico, le schede con un file audio.",
            "melodora-cli audio", comandoAudio },
        { "print", "print N --layout tutto|info|testo [--pdf FILE [--overwrite]]",
            "Stampa la scheda N nell'impaginazione scelta (stampante predefinita o PDF). Il PDF "
            "prende il nome FILE solo quando è completo; un file esistente viene sostituito "
            "solo con --overwrite, mai un collegamento simbolico né l'archivio.",
            "melodora-cli print 3 --layout tutto --pdf scheda3.pdf", comandoPrint },
        { "print-list",
            "print-list search CAMPO TESTO | print-list audio [--pdf FILE [--overwrite]]",
            "Stampa l'elenco di una ricerca o l'elenco dei brani audio; --pdf come per print.",
            "melodora-cli print-list audio --pdf brani.pdf", comandoPrintList },
        { "songbook", "songbook --pdf FILE [search CAMPO TESTO | audio]",
            "Stampa in un PDF il canzoniere di tutte le schede (o di una ricerca, o dei brani "
            "audio), nell'ordine dell'elenco: frontespizio con la data, indice con titolo, "
            "artista e pagina, il testo di ogni brano da una pagina nuova, pagine numerate.",
            "melodora-cli songbook --pdf canzoniere.pdf search genere rock", comandoSongbook },
        { "duplicates", "duplicates",
            "Elenca i gruppi di schede con lo stesso titolo e artista (senza badare a maiuscole, "
            "accenti, punteggiatura e spazi), ognuno con i numeri delle schede; esce con 0 solo "
            "se non ce ne sono (\"Nessun doppione.\").",
            "melodora-cli duplicates", comandoDuplicates },
    };
    return elenco;
}

} // namespace melodora::cli
