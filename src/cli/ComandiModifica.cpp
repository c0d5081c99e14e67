// The command that deletes a card.
#include "cli/Comandi.h"

namespace melodora::cli {

int comandoDelete(Contesto& c)
{
    c.uscita.err << "melodora-cli: delete non è ancora disponibile\n";
    return 1;
}

} // namespace melodora::cli
