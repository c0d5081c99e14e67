// Commands that list cards as the search and audio list windows do, through the same code.
#include "cli/Comandi.h"
#include "cli/ElencoRichiesto.h"

#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "platform/FileOps.h"

#include <memory>

namespace melodora::cli {

namespace {
    int stampaVoci(Contesto& c, const Esito& esito, const VociSchede& voci)
    {
        if (!esito) {
            c.uscita.err << "melodora-cli: " << esito.errore << "\n";
            return 1;
        }
        scriviVoci(c.uscita.out, voci);
        return 0;
    }
}

int comandoSearch(Contesto& c)
{
    ElencoRichiesto elenco;
    if (!c.opzioni.isEmpty() || !elenco.leggiRicerca(c.argomenti)) {
        c.uscita.err << "melodora-cli: uso: search titolo|artista|album|genere|testo|note|tutto "
                        "TESTO\n";
        return 2;
    }
    if (const QString vuoto = elenco.criterioVuoto(); !vuoto.isEmpty()) {
        c.uscita.err << "melodora-cli: " << vuoto << "\n";
        return 1;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    VociSchede voci;
    const Esito esito = elenco.voci(*archivio, voci);
    return stampaVoci(c, esito, voci);
}

int comandoAudio(Contesto& c)
{
    if (!c.opzioni.isEmpty() || !c.argomenti.isEmpty()) {
        c.uscita.err << "melodora-cli: uso: audio\n";
        return 2;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    VociSchede voci;
    const Esito esito = elencoAudio(*archivio, voci);
    return stampaVoci(c, esito, voci);
}

} // namespace melodora::cli
