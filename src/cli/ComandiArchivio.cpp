// Commands that read and write the archive itself.
#include "cli/Comandi.h"

#include "archive/Archivio.h"
#include "archive/Csv.h"
#include "archive/Interscambio.h"
#include "archive/Redazione.h"
#include "platform/FileOps.h"

#include <cmath>
#include <memory>

namespace melodora::cli {

int comandoCount(Contesto& c)
{
    if (!opzioniAmmesse(c, {}) || !c.argomenti.isEmpty()) {
        c.uscita.err << "melodora-cli: uso: count\n";
        return 2;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    const double numero = archivio->NumeroSchede();
    c.uscita.out << QString::number(numero, 'g', 15) << "\n";
    const qint64 len = archivio->lunghezza();
    if (len % kLunghezzaScheda != 0) {
        c.uscita.err << "melodora-cli: attenzione: la lunghezza dell'archivio (" << len
                     << " byte) non è un multiplo di " << kLunghezzaScheda << "; "
                     << len % kLunghezzaScheda << " byte in coda non formano una scheda\n";
    }
    return 0;
}

int comandoShow(Contesto& c)
{
    if (!opzioniAmmesse(c, { QStringLiteral("--json") }))
        return 2;
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    qint64 n = 0;
    Scheda scheda;
    if (!leggiSchedaRichiesta(c, *archivio, n, scheda))
        return 1;
    if (c.opzioni.contains(QStringLiteral("--json"))) {
        c.uscita.out << QString::fromUtf8(schedaInJson(n, scheda)) << "\n";
        return 0;
    }
    const char* etichette[kNumeroCampi] = { "Titolo del brano", "Artista", "Album",
        "Genere musicale", "Anno", "Note", "Testo della canzone", "File MP3" };
    c.uscita.out << "Scheda " << n << "\n";
    for (int i = 0; i < kNumeroCampi; ++i) {
        QString valore = scheda.testo(static_cast<Campo>(i));
        if (static_cast<Campo>(i) == Campo::Testo) {
            valore.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            c.uscita.out << etichette[i] << ":\n" << valore << "\n";
        } else {
            c.uscita.out << etichette[i] << ": " << valore << "\n";
        }
    }
    return 0;
}

int comandoExport(Contesto& c)
{
    const QString formato = c.opzioni.value(QStringLiteral("--format"));
    if (!opzioniAmmesse(c, { QStringLiteral("--format") }) || !c.argomenti.isEmpty()
        || (formato != QLatin1String("json") && formato != QLatin1String("csv"))) {
        c.uscita.err << "melodora-cli: uso: export --format json|csv\n";
        return 2;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    QByteArray dati;
    const Esito e = formato == QLatin1String("csv") ? esportaCsv(*archivio, dati)
                                                    : esportaJson(*archivio, dati);
    if (!e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return 1;
    }
    c.uscita.out << QString::fromUtf8(dati);
    return 0;
}

namespace {
    /** JSON when the name ends in .json or, for other names, when the text opens with '['. */
    bool sembraJson(const QString& nome, const QByteArray& dati)
    {
        if (nome.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
            return true;
        if (nome.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            return false;
        const QByteArray inizio = (dati.startsWith("\xEF\xBB\xBF") ? dati.mid(3) : dati).trimmed();
        return inizio.startsWith('[');
    }
}

int comandoImport(Contesto& c)
{
    const QString formato = c.opzioni.value(QStringLiteral("--format"));
    if (!opzioniAmmesse(c, { QStringLiteral("--format"), QStringLiteral("--truncate") })
        || c.argomenti.size() != 1
        || (c.opzioni.contains(QStringLiteral("--format")) && formato != QLatin1String("json")
            && formato != QLatin1String("csv"))) {
        c.uscita.err << "melodora-cli: uso: import FILE.json|FILE.csv [--format json|csv] "
                        "[--truncate]\n";
        return 2;
    }
    const QString nomeFile = c.argomenti.first();
    QByteArray dati;
    if (!leggiFileDati(c, nomeFile, dati))
        return 1;
    const bool json
        = formato.isEmpty() ? sembraJson(nomeFile, dati) : formato == QLatin1String("json");
    QList<Scheda> schede;
    QList<ProblemaValore> problemi;
    const Esito letto
        = json ? leggiJson(dati, schede, &problemi) : leggiCsv(dati, schede, &problemi);
    if (!letto) {
        c.uscita.err << "melodora-cli: " << nomeFile << ": " << letto.errore
                     << "; nessuna scheda importata\n";
        return 1;
    }
    // A spreadsheet loses data silently when a cell is cut: ask before storing it cut.
    // The JSON import keeps the save button's rules (cut, '?') and only warns.
    const bool accetta = json || c.opzioni.contains(QStringLiteral("--truncate"));
    if (!problemi.isEmpty() && !accetta) {
        elencaProblemi(c.uscita.err, problemi, "");
        c.uscita.err << "melodora-cli: " << problemi.size()
                     << (problemi.size() == 1 ? " valore non entra" : " valori non entrano")
                     << " nell'archivio così com'è; nessuna scheda importata. Con --truncate "
                        "i valori troppo lunghi vengono tagliati e i caratteri non archiviabili "
                        "sostituiti da '?'.\n";
        return 1;
    }
    qint64 primo = 0;
    if (Esito e = Redazione(c.archivio, fileOpsReali()).aggiungiSchede(schede, primo); !e) {
        c.uscita.err << "melodora-cli: " << e.errore << "; nessuna scheda importata\n";
        return 1;
    }
    if (!problemi.isEmpty()) {
        elencaProblemi(c.uscita.err, problemi, "attenzione: ");
        c.uscita.err << "melodora-cli: attenzione: " << problemi.size()
                     << (problemi.size() == 1 ? " valore archiviato tagliato"
                                              : " valori archiviati tagliati")
                     << " o con '?' al posto dei caratteri non archiviabili\n";
    }
    if (schede.isEmpty())
        c.uscita.out << "Nessuna scheda da importare.\n";
    else
        c.uscita.out << "Importate " << schede.size() << " schede (dalla " << primo << " alla "
                     << primo + schede.size() - 1 << ").\n";
    return 0;
}

} // namespace melodora::cli
