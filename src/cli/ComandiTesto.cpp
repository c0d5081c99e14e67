// Commands on the words of the cards: search by words, the songbook, duplicates.
#include "cli/Comandi.h"
#include "cli/ElencoRichiesto.h"
#include "cli/Stampa.h"

#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "lists/Parole.h"
#include "platform/Platform.h"
#include "platform/PrintSurface.h"
#include "printing/Canzoniere.h"
#include "printing/TestiStampa.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace melodora::cli {

int comandoSongbook(Contesto& c)
{
    const QString uso
        = QStringLiteral("melodora-cli: uso: songbook --pdf FILE [search CAMPO TESTO | audio]\n"
                         "  CAMPO: titolo|artista|album|genere|testo|note|tutto\n");
    ElencoRichiesto elenco;
    int uscita = 0;
    auto archivio = apriElencoDaStampare(c, elenco, true, true, uso, uscita);
    if (!archivio)
        return uscita;

    // The songs in the order of the list that names them.
    VociSchede voci;
    Esito e = elenco.voci(*archivio, voci);
    QList<TestiScheda> canzoni;
    for (qsizetype i = 0; e && i < voci.size(); ++i) {
        const qint64 n = numeroDellaVoce(voci.voce(i));
        Scheda scheda;
        e = archivio->LeggiScheda(n, scheda);
        TestiScheda testi = testiDaScheda(scheda);
        if (e && titoloMancante(testi))
            c.uscita.err << "melodora-cli: la scheda " << n
                         << " non ha titolo e non entra nel canzoniere\n";
        else if (e)
            canzoni.append(std::move(testi));
    }
    archivio.reset();
    if (!e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return 1;
    }
    if (canzoni.isEmpty()) {
        c.uscita.err << "melodora-cli: " << testi_stampa::ListaVuota << "\n";
        return 1;
    }

    // The contents need the pages the songs begin on, which only a layout tells: lay the
    // book out in a scratch file first, then for real with those numbers. The contents keep
    // their size whatever numbers they show, so the second layout breaks pages as the first.
    const QDateTime adesso = QDateTime::currentDateTime();
    QTemporaryDir prova;
    if (!prova.isValid()) {
        c.uscita.err << "melodora-cli: impossibile creare una cartella temporanea\n";
        return 1;
    }
    QList<int> pagine;
    QList<int> inizi;
    {
        const std::unique_ptr<PrinterService> servizio
            = stampantePdf(c, QDir(prova.path()).filePath(QStringLiteral("b.pdf")));
        std::unique_ptr<PrintSurface> bozza = servizio->nuovoDocumento();
        if (!StampaCanzoniere(*bozza, canzoni, pagine, adesso, inizi)) {
            c.uscita.err << "melodora-cli: stampa non riuscita: " << bozza->descrizioneErrore()
                         << "\n";
            return 1;
        }
    }
    pagine = inizi;
    const std::unique_ptr<PrinterService> servizio = stampante(c);
    std::unique_ptr<PrintSurface> documento = servizio->nuovoDocumento();
    const bool riuscito = StampaCanzoniere(*documento, canzoni, pagine, adesso, inizi);
    if (riuscito && inizi != pagine) {
        // Cannot happen while the contents keep their size; a wrong contents page is a fault.
        c.uscita.err << "melodora-cli: i numeri di pagina dell'indice non corrispondono\n";
        return 1;
    }
    return riferisci(c, *documento, riuscito);
}

int comandoDuplicates(Contesto& c)
{
    if (!c.opzioni.isEmpty() || !c.argomenti.isEmpty()) {
        c.uscita.err << "melodora-cli: uso: duplicates\n";
        return 2;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    QList<GruppoDoppioni> gruppi;
    if (const Esito e = cercaDoppioni(*archivio, gruppi); !e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return 1;
    }
    if (gruppi.isEmpty()) {
        c.uscita.out << "Nessun doppione.\n";
        return 0;
    }
    for (const GruppoDoppioni& g : gruppi) {
        QStringList numeri;
        for (qint64 n : g.schede)
            numeri.append(QString::number(n));
        const QString riga = g.brano + QStringLiteral(" - ") + g.artista
            + QStringLiteral(": schede ") + numeri.join(QStringLiteral(", "));
        c.uscita.out << perTerminale(riga, true) << '\n';
    }
    return 1;
}

} // namespace melodora::cli
