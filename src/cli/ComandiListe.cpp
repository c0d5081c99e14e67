// Commands that list cards as the search and audio list windows do.
#include "cli/Comandi.h"

namespace melodora::cli {

int comandoSearch(Contesto& c)
{
    c.uscita.err << "melodora-cli: search non è ancora disponibile\n";
    return 1;
}

int comandoAudio(Contesto& c)
{
    c.uscita.err << "melodora-cli: audio non è ancora disponibile\n";
    return 1;
}

} // namespace melodora::cli
