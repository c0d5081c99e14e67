// The command that deletes a card.
#include "cli/Comandi.h"

#include "archive/Cancellazione.h"
#include "platform/FileOps.h"

namespace melodora::cli {

int comandoDelete(Contesto& c)
{
    if (!c.opzioni.isEmpty() || c.argomenti.size() != 1) {
        c.uscita.err << "melodora-cli: uso: delete N\n";
        return 2;
    }
    bool numero = false;
    const qint64 n = c.argomenti.first().toLongLong(&numero);
    if (!numero || n < 1) {
        c.uscita.err << "melodora-cli: \"" << c.argomenti.first()
                     << "\" non è il numero di una scheda\n";
        return 2;
    }
    // The same deletion as the window's delete button, without its question.
    const RisultatoCancellazione r
        = eliminaScheda(c.archivio, percorsoTemporaneo(c.archivio), n, fileOpsReali());
    const qint64 intere = static_cast<qint64>(r.schede);
    switch (r.stato) {
    case StatoCancellazione::Eseguita:
        c.uscita.out << "Scheda " << n << " eliminata; l'archivio contiene ora " << intere - 1
                     << (intere - 1 == 1 ? " scheda" : " schede") << ".\n";
        return 0;
    case StatoCancellazione::Inesistente:
        c.uscita.err << "melodora-cli: la scheda " << n << " non esiste (l'archivio contiene "
                     << intere << (intere == 1 ? " scheda" : " schede")
                     << "); nessuna scheda è stata eliminata\n";
        return 1;
    case StatoCancellazione::Fallita:
        c.uscita.err << "melodora-cli: impossibile eliminare la scheda " << n << ": "
                     << r.esito.errore << "; l'archivio non è stato modificato\n";
        return 1;
    case StatoCancellazione::NonSincronizzata:
        c.uscita.err << "melodora-cli: la scheda " << n
                     << " è stata eliminata, ma la cartella dell'archivio non è stata scritta "
                        "su disco ("
                     << r.esito.errore << ")\n";
        return 1;
    }
    return 1;
}

} // namespace melodora::cli
