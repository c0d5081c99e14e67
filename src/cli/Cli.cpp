#include "cli/Cli.h"

#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "archive/Interscambio.h"
#include "cli/Comandi.h"
#include "platform/FileOps.h"

namespace melodora::cli {

namespace {
    // Options that take a value; every other --option is a flag.
    const QStringList kOpzioniConValore = { QStringLiteral("--archive"), QStringLiteral("--format"),
        QStringLiteral("--layout"), QStringLiteral("--pdf") };

    void aiuto(QTextStream& out)
    {
        out << "Uso: melodora-cli [--archive FILE] COMANDO [ARGOMENTI]\n\n"
               "Lavora sull'archivio delle schede (Sonoria.sng accanto al programma, oppure il\n"
               "file indicato con --archive). Esce con 0 se il comando riesce.\n\n"
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

bool leggiNumero(Contesto& c, const ArchivioSchede& archivio, qint64& n)
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
    return true;
}

QString percorsoArchivio(const QString& opzione)
{
    if (!opzione.isEmpty())
        return opzione;
    return AppFilePath(QString::fromLatin1(kNomeArchivio));
}

int esegui(const QStringList& argomenti, Uscita uscita)
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
                    uscita.err << "melodora-cli: manca il valore dell'opzione " << a << "\n";
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
            Contesto contesto { parole,
                percorsoArchivio(opzioni.value(QStringLiteral("--archive"))), opzioni, uscita };
            contesto.opzioni.remove(QStringLiteral("--archive"));
            return c.esegui(contesto);
        }
    }
    uscita.err << "melodora-cli: comando sconosciuto \"" << nome
               << "\". Usare --help per l'elenco dei comandi.\n";
    return 2;
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
            "n,Brano,Artista,Album,Genere,Anno,Note,Testo,MP3).",
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
        { "search", "search titolo|artista|album|genere TESTO",
            "Elenca, in ordine alfabetico, le schede il cui campo inizia con TESTO.",
            "melodora-cli search genere rock", comandoSearch },
        { "audio", "audio", "Elenca, in ordine alfabetico, le schede con un file audio.",
            "melodora-cli audio", comandoAudio },
        { "print", "print N --layout tutto|info|testo [--pdf FILE]",
            "Stampa la scheda N nell'impaginazione scelta (stampante predefinita o PDF).",
            "melodora-cli print 3 --layout tutto --pdf scheda3.pdf", comandoPrint },
        { "print-list", "print-list search CAMPO TESTO | print-list audio [--pdf FILE]",
            "Stampa l'elenco di una ricerca o l'elenco dei brani audio.",
            "melodora-cli print-list audio --pdf brani.pdf", comandoPrintList },
    };
    return elenco;
}

} // namespace melodora::cli
