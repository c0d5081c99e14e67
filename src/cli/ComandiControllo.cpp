// The command that checks an archive.
#include "cli/Comandi.h"

namespace melodora::cli {

int comandoCheck(Contesto& c)
{
    c.uscita.err << "melodora-cli: check non è ancora disponibile\n";
    return 1;
}

} // namespace melodora::cli
