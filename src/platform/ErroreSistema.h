#pragma once

#include <QString>

namespace melodora {

/**
 * The reason for the system error @p numero in Italian: our own words for the common
 * cases (missing file, no permission, a folder, disk full, read-only file system, file too
 * large), the system's own text for the rest, so that no message depends on the locale's
 * translations where it matters most.
 */
QString descriviErrno(int numero);

} // namespace melodora
