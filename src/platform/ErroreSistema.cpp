#include "platform/ErroreSistema.h"

#include <cerrno>
#include <cstring>

namespace melodora {

QString descriviErrno(int numero)
{
    switch (numero) {
    case ENOENT:
        return QStringLiteral("il file o la cartella non esiste");
    case EACCES:
    case EPERM:
        return QStringLiteral("permesso negato");
    case EISDIR:
        return QStringLiteral("è una cartella");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("il disco è pieno");
    case EROFS:
        return QStringLiteral("il file system è di sola lettura");
    case EFBIG:
        return QStringLiteral("il file è troppo grande");
    case EEXIST:
        return QStringLiteral("il file esiste già");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura sul disco");
    default:
        // The system's text, in whatever language it speaks, with the number to look up.
        return QStringLiteral("errore di sistema %1 (%2)")
            .arg(numero)
            .arg(QString::fromLocal8Bit(std::strerror(numero)));
    }
}

} // namespace melodora
