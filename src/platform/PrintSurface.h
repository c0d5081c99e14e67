#pragma once

#include <QString>

namespace melodora {

/**
 * The printer object's operations, in twips (1440 to the inch). Filled in by the
 * printing code; see printing/ for the layouts that draw on it.
 */
class PrintSurface {
public:
    virtual ~PrintSurface() = default;
};

} // namespace melodora
