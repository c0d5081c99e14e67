#pragma once

#include <QString>

namespace melodora {

class Periferiche;

/**
 * The services of the module libmelodora-periferiche.so, loaded from @p cartellaProgramma
 * (the build folder) or from ../lib/melodora beside it (installed, by `cmake --install` or
 * under /usr). Null when it cannot be loaded, with one line in @p errore for each place
 * tried: the path and why. The module stays loaded for the rest of the process.
 */
Periferiche* caricaPeriferiche(const QString& cartellaProgramma, QString& errore);

} // namespace melodora
