#include "archive/Esito.h"

#include <cerrno>
#include <cstring>

namespace melodora {

Esito Esito::daErrno(const QString& cosa)
{
    const int e = errno;
    return fallito(cosa + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(e)));
}

} // namespace melodora
