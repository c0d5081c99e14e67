// The module that the window program loads when it first plays, prints, sets the volume or
// reads an audio file's tags, and melodora-cli when it prints: the only part of either that
// links those libraries.
#include "platform/Periferiche.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT melodora::Periferiche* melodora_periferiche()
{
    return &melodora::perifericheReali();
}
