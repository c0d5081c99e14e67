// Commands that print a card or a list.
#include "cli/Comandi.h"

namespace melodora::cli {

int comandoPrint(Contesto& c)
{
    c.uscita.err << "melodora-cli: print non è ancora disponibile\n";
    return 1;
}

int comandoPrintList(Contesto& c)
{
    c.uscita.err << "melodora-cli: print-list non è ancora disponibile\n";
    return 1;
}

} // namespace melodora::cli
