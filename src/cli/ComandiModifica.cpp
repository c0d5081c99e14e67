// Commands that delete a card and check an archive.
#include "cli/Comandi.h"

namespace melodora::cli {

int comandoDelete(Contesto& c)
{
    c.uscita.err << "melodora-cli: delete non è ancora disponibile\n";
    return 1;
}

int comandoCheck(Contesto& c)
{
    c.uscita.err << "melodora-cli: check non è ancora disponibile\n";
    return 1;
}

} // namespace melodora::cli
