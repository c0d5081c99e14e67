#pragma once

#include "platform/Platform.h"

namespace melodora {

/** Playback through Qt Multimedia. (Not yet playing: filled in with the playback work.) */
class QtMediaService : public MediaService {
public:
    explicit QtMediaService(MessageService& messaggi);
    void mciExecute(const QString& comando) override;
    QString shortPath(const QString& percorso) override;

private:
    MessageService& m_messaggi;
};

} // namespace melodora
