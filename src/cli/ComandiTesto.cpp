// Commands on the words of the cards: search by words, the songbook, duplicates.
#include "cli/Comandi.h"

#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "lists/OrdineAlfabetico.h"
#include "lists/Parole.h"
#include "platform/PrintSurface.h"
#include "platform/StampanteQt.h"
#include "printing/Canzoniere.h"
#include "printing/TestiStampa.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

namespace melodora::cli {

namespace {
    const QString kOpzionePdf = QStringLiteral("--pdf");

    bool ambitoParole(const QString& parola, AmbitoParole& ambito)
    {
        static const QMap<QString, AmbitoParole> ambiti = {
            { QStringLiteral("testo"), AmbitoParole::Testo },
            { QStringLiteral("note"), AmbitoParole::Note },
            { QStringLiteral("tutto"), AmbitoParole::Tutto },
        };
        if (!ambiti.contains(parola))
            return false;
        ambito = ambiti.value(parola);
        return true;
    }

    bool campoRicerca(const QString& parola, CampoRicerca& campo)
    {
        static const QMap<QString, CampoRicerca> campi = {
            { QStringLiteral("titolo"), CampoRicerca::Titolo },
            { QStringLiteral("artista"), CampoRicerca::Artista },
            { QStringLiteral("album"), CampoRicerca::Album },
            { QStringLiteral("genere"), CampoRicerca::Genere },
        };
        if (!campi.contains(parola))
            return false;
        campo = campi.value(parola);
        return true;
    }

    /** The entries of a search of @p campo for @p testo, as `search` lists them. */
    Esito vociDellaRicerca(const ArchivioSchede& archivio, const QString& campo,
        const QString& testo, QStringList& voci)
    {
        AmbitoParole ambito = AmbitoParole::Testo;
        if (ambitoParole(campo, ambito))
            return cercaParole(archivio, ambito, testo, voci);
        CampoRicerca c = CampoRicerca::Titolo;
        campoRicerca(campo, c);
        return cercaSchede(archivio, c, testo, voci);
    }

    /** The title-format entries of every card, in list order. */
    Esito tutteLeVoci(const ArchivioSchede& archivio, QStringList& voci)
    {
        voci.clear();
        const Esito e = archivio.perOgniScheda([&](qint64 n, const char* record) {
            voci.append(voceRecord(CampoRicerca::Titolo, n, record));
            return true;
        });
        ordinaAlfabetico(voci);
        return e;
    }
}

int comandoSearchParole(Contesto& c)
{
    AmbitoParole ambito = AmbitoParole::Testo;
    if (!c.opzioni.isEmpty() || c.argomenti.size() != 2
        || !ambitoParole(c.argomenti.at(0), ambito)) {
        c.uscita.err << "melodora-cli: uso: search testo|note|tutto PAROLE\n";
        return 2;
    }
    if (CriterioParole(c.argomenti.at(1)).vuoto()) {
        c.uscita.err << "melodora-cli: indicare almeno una parola da cercare\n";
        return 1;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    QStringList voci;
    if (const Esito e = cercaParole(*archivio, ambito, c.argomenti.at(1), voci); !e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return 1;
    }
    for (const QString& v : voci)
        c.uscita.out << v << "\n";
    return 0;
}

int comandoSongbook(Contesto& c)
{
    const QString uso
        = QStringLiteral("melodora-cli: uso: songbook --pdf FILE [search CAMPO TESTO | audio]\n"
                         "  CAMPO: titolo|artista|album|genere|testo|note|tutto\n");
    const QString pdf = c.opzioni.value(kOpzionePdf);
    const QString tipo = c.argomenti.value(0);
    AmbitoParole ambito = AmbitoParole::Testo;
    CampoRicerca campo = CampoRicerca::Titolo;
    const bool ricerca = tipo == QLatin1String("search") && c.argomenti.size() == 3
        && (ambitoParole(c.argomenti.at(1), ambito) || campoRicerca(c.argomenti.at(1), campo));
    const bool audio = tipo == QLatin1String("audio") && c.argomenti.size() == 1;
    if (!opzioniAmmesse(c, { kOpzionePdf }) || pdf.isEmpty()
        || !(c.argomenti.isEmpty() || ricerca || audio)) {
        c.uscita.err << uso;
        return 2;
    }
    if (ricerca && togliSpazi(c.argomenti.at(2)).isEmpty()) {
        c.uscita.err << "melodora-cli: indicare il testo da cercare\n";
        return 2;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        c.uscita.err << "melodora-cli: la stampa richiede l'interfaccia grafica di Qt\n";
        return 1;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;

    // The songs in the order of the list that names them.
    QStringList voci;
    Esito e = ricerca ? vociDellaRicerca(*archivio, c.argomenti.at(1), c.argomenti.at(2), voci)
        : audio       ? elencoAudio(*archivio, voci)
                      : tutteLeVoci(*archivio, voci);
    QList<TestiScheda> canzoni;
    for (qsizetype i = 0; e && i < voci.size(); ++i) {
        const qint64 n = numeroDellaVoce(voci.at(i));
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
        QtPrinterService servizio
            = QtPrinterService::versoFilePdf(QDir(prova.path()).filePath(QStringLiteral("b.pdf")));
        std::unique_ptr<PrintSurface> bozza = servizio.nuovoDocumento();
        if (!StampaCanzoniere(*bozza, canzoni, pagine, adesso, inizi)) {
            c.uscita.err << "melodora-cli: stampa non riuscita: " << bozza->descrizioneErrore()
                         << "\n";
            return 1;
        }
    }
    pagine = inizi;
    QtPrinterService servizio = QtPrinterService::versoFilePdf(pdf);
    std::unique_ptr<PrintSurface> documento = servizio.nuovoDocumento();
    const bool riuscito = StampaCanzoniere(*documento, canzoni, pagine, adesso, inizi);
    if (!riuscito) {
        c.uscita.err << "melodora-cli: stampa non riuscita";
        if (!documento->descrizioneErrore().isEmpty())
            c.uscita.err << ": " << documento->descrizioneErrore();
        c.uscita.err << "\n";
        return 1;
    }
    if (inizi != pagine) {
        // Cannot happen while the contents keep their size; a wrong contents page is a fault.
        c.uscita.err << "melodora-cli: i numeri di pagina dell'indice non corrispondono\n";
        return 1;
    }
    c.uscita.out << "Stampato su " << documento->DeviceName() << "\n";
    return 0;
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
        c.uscita.out << g.brano << " - " << g.artista << ": schede "
                     << numeri.join(QStringLiteral(", ")) << "\n";
    }
    return 1;
}

} // namespace melodora::cli
