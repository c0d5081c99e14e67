// Commands that list cards as the search and audio list windows do, through the same code.
#include "cli/Comandi.h"

#include "archive/Archivio.h"
#include "lists/Elenchi.h"
#include "platform/FileOps.h"

#include <memory>

namespace melodora::cli {

namespace {
    int stampaVoci(Contesto& c, const Esito& esito, const QStringList& voci)
    {
        if (!esito) {
            c.uscita.err << "melodora-cli: " << esito.errore << "\n";
            return 1;
        }
        for (const QString& v : voci)
            c.uscita.out << v << "\n";
        return 0;
    }
}

int comandoSearch(Contesto& c)
{
    static const QMap<QString, CampoRicerca> campi = {
        { QStringLiteral("titolo"), CampoRicerca::Titolo },
        { QStringLiteral("artista"), CampoRicerca::Artista },
        { QStringLiteral("album"), CampoRicerca::Album },
        { QStringLiteral("genere"), CampoRicerca::Genere },
    };
    static const QStringList parole
        = { QStringLiteral("testo"), QStringLiteral("note"), QStringLiteral("tutto") };
    if (parole.contains(c.argomenti.value(0)))
        return comandoSearchParole(c);
    if (!c.opzioni.isEmpty() || c.argomenti.size() != 2 || !campi.contains(c.argomenti.at(0))) {
        c.uscita.err << "melodora-cli: uso: search titolo|artista|album|genere|testo|note|tutto "
                        "TESTO\n";
        return 2;
    }
    const CampoRicerca campo = campi.value(c.argomenti.at(0));
    const QString testo = c.argomenti.at(1);
    if (CriterioRicerca(campo, testo).vuoto()) {
        // The search window's own message for a blank criterion.
        c.uscita.err << rigaRicerca(campo).messaggioVuoto << "\n";
        return 1;
    }
    auto archivio = apriArchivio(c);
    if (!archivio)
        return 1;
    QStringList voci;
    const Esito esito = cercaSchede(*archivio, campo, testo, voci);
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
    QStringList voci;
    const Esito esito = elencoAudio(*archivio, voci);
    return stampaVoci(c, esito, voci);
}

} // namespace melodora::cli
