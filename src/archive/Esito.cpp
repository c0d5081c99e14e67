#include "archive/Esito.h"

#include "platform/ErroreSistema.h"

#include <cerrno>

namespace melodora {

Esito Esito::daErrno(const QString& cosa)
{
    const int e = errno;
    return fallito(cosa + QStringLiteral(": ") + descriviErrno(e));
}

} // namespace melodora
