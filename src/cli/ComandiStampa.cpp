// Commands that print a card or a list, through the same layouts as the windows.
#include "cli/Comandi.h"
#include "cli/ElencoRichiesto.h"
#include "cli/Stampa.h"

#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "platform/FileCompleto.h"
#include "platform/FileOps.h"
#include "platform/Periferiche.h"
#include "platform/PrintSurface.h"
#include "printing/StampaElenco.h"
#include "printing/StampaScheda.h"
#include "printing/TestiStampa.h"

#include <QCoreApplication>

#include <memory>

namespace melodora::cli {

const QString kOpzionePdf = QStringLiteral("--pdf");
const QString kOpzioneSostituisci = QStringLiteral("--overwrite");

bool graficaDisponibile(Contesto& c)
{
    if (!c.stampa.periferiche) {
        c.uscita.err << "melodora-cli: la stampa non è disponibile: non si trova o non si può "
                        "caricare una parte del programma\n";
        for (const QString& riga : c.stampa.errore.split(u'\n', Qt::SkipEmptyParts))
            c.uscita.err << "melodora-cli: " << riga << "\n";
        return false;
    }
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && app->inherits("QGuiApplication"))
        return true;
    c.uscita.err << "melodora-cli: la stampa richiede l'interfaccia grafica di Qt\n";
    return false;
}

/**
 * --pdf FILE: a new file, or with --overwrite an existing regular one; never a symbolic
 * link, never the archive, whatever name reaches it.
 */
Destinazione destinazionePdf(const Contesto& c)
{
    return { c.opzioni.value(kOpzionePdf), c.opzioni.contains(kOpzioneSostituisci), c.archivio };
}

/** False, with the reason on standard error, when --pdf names a file we may not write. */
bool pdfAmmesso(Contesto& c)
{
    if (!c.opzioni.contains(kOpzionePdf)) {
        if (!c.opzioni.contains(kOpzioneSostituisci))
            return true;
        c.uscita.err << "melodora-cli: --overwrite vale solo con --pdf FILE\n";
        return false;
    }
    bool esiste = false;
    const QString ostacolo = controllaDestinazione(destinazionePdf(c), &esiste);
    if (ostacolo.isEmpty())
        return true;
    c.uscita.err << "melodora-cli: " << ostacolo
                 << (esiste ? "; con --overwrite viene sostituito" : "")
                 << "; nessun file scritto\n";
    return false;
}

/** --pdf FILE writes that file; otherwise the default printer, as the windows print. */
std::unique_ptr<PrinterService> stampante(const Contesto& c)
{
    Periferiche& p = *c.stampa.periferiche;
    return c.opzioni.contains(kOpzionePdf) ? p.stampantePdf(destinazionePdf(c)) : p.stampante();
}

std::unique_ptr<PrinterService> stampantePdf(const Contesto& c, const QString& percorso)
{
    return c.stampa.periferiche->stampantePdf(Destinazione { percorso, false, {} });
}

std::unique_ptr<ArchivioSchede> apriElencoDaStampare(Contesto& c, ElencoRichiesto& elenco,
    bool tutteAmmesse, bool pdfObbligatorio, const QString& uso, int& uscita)
{
    uscita = 2;
    if (!opzioniAmmesse(c, { kOpzionePdf, kOpzioneSostituisci })
        || (pdfObbligatorio && c.opzioni.value(kOpzionePdf).isEmpty())
        || !elenco.leggi(c.argomenti, tutteAmmesse)) {
        c.uscita.err << uso;
        return nullptr;
    }
    uscita = 1;
    if (const QString vuoto = elenco.criterioVuoto(); !vuoto.isEmpty()) {
        c.uscita.err << "melodora-cli: " << vuoto << "\n";
        return nullptr;
    }
    if (!pdfAmmesso(c) || !graficaDisponibile(c))
        return nullptr;
    return apriArchivio(c);
}

int riferisci(Contesto& c, const PrintSurface& documento, bool riuscito)
{
    if (!riuscito) {
        c.uscita.err << "melodora-cli: stampa non riuscita";
        if (!documento.descrizioneErrore().isEmpty())
            c.uscita.err << ": " << documento.descrizioneErrore();
        c.uscita.err << "\n";
        return 1;
    }
    c.uscita.out << "Stampato su " << documento.DeviceName() << "\n";
    return 0;
}

int comandoPrint(Contesto& c)
{
    static const QMap<QString, Impaginazione> impaginazioni = {
        { QStringLiteral("tutto"), Impaginazione::Completa },
        { QStringLiteral("info"), Impaginazione::Informazioni },
        { QStringLiteral("testo"), Impaginazione::Testo },
    };
    const QString layout = c.opzioni.value(QStringLiteral("--layout"));
    if (!opzioniAmmesse(c, { QStringLiteral("--layout"), kOpzionePdf, kOpzioneSostituisci })
        || c.argomenti.size() != 1 || !impaginazioni.contains(layout)) {
        c.uscita.err << "melodora-cli: uso: print N --layout tutto|info|testo [--pdf FILE "
                        "[--overwrite]]\n";
        return 2;
    }
    if (!pdfAmmesso(c) || !graficaDisponibile(c))
        return 1;
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    qint64 n = 0;
    Scheda scheda;
    if (!leggiSchedaRichiesta(c, *archivio, n, scheda))
        return 1;
    archivio.reset();

    const TestiScheda testi = testiDaScheda(scheda);
    if (titoloMancante(testi)) {
        c.uscita.err << "melodora-cli: " << testi_stampa::TitoloMancante << "\n";
        return 1;
    }
    const std::unique_ptr<PrinterService> servizio = stampante(c);
    std::unique_ptr<PrintSurface> documento = servizio->nuovoDocumento();
    const bool riuscito = StampaScheda(
        *documento, impaginazioni.value(layout), testi, QDateTime::currentDateTime());
    return riferisci(c, *documento, riuscito);
}

int comandoPrintList(Contesto& c)
{
    const QString uso = QStringLiteral("melodora-cli: uso: print-list search CAMPO TESTO "
                                       "[--pdf FILE [--overwrite]] | print-list audio "
                                       "[--pdf FILE [--overwrite]]\n"
                                       "  CAMPO: titolo|artista|album|genere|testo|note|tutto\n");
    ElencoRichiesto elenco;
    int uscita = 0;
    auto archivio = apriElencoDaStampare(c, elenco, false, false, uso, uscita);
    if (!archivio)
        return uscita;
    VociSchede voci;
    const Esito e = elenco.voci(*archivio, voci);
    archivio.reset();
    if (!e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return 1;
    }
    if (voci.isEmpty()) {
        c.uscita.err << "melodora-cli: " << testi_stampa::ListaVuota << "\n";
        return 1;
    }
    const std::unique_ptr<PrinterService> servizio = stampante(c);
    std::unique_ptr<PrintSurface> documento = servizio->nuovoDocumento();
    const bool riuscito = StampaRigheElenco(*documento,
        elenco.tipo == ElencoRichiesto::Tipo::Audio ? TipoElenco::Audio : TipoElenco::Ricerca,
        elenco.criterio(), voci.testi(), QDateTime::currentDateTime());
    return riferisci(c, *documento, riuscito);
}

} // namespace melodora::cli
