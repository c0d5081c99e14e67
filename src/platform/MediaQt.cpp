#include "platform/MediaQt.h"

#include <QFileInfo>

namespace melodora {

QtMediaService::QtMediaService(MessageService& messaggi)
    : m_messaggi(messaggi)
{
}

void QtMediaService::mciExecute(const QString& comando) { Q_UNUSED(comando); }

QString QtMediaService::shortPath(const QString& percorso)
{
    return QFileInfo(percorso).isFile() ? percorso : QString();
}

} // namespace melodora
