#pragma once

#include "platform/Platform.h"

#include <memory>

namespace melodora {

/**
 * The services over Qt Multimedia, Qt Print Support, ALSA and TagLib. The window program
 * loads them from a module of their own the first time one is needed (PerifericheRitardate),
 * so that its first window does not wait for those libraries; the command line and the
 * tests link them directly.
 */
class Periferiche {
public:
    virtual ~Periferiche() = default;
    /** Playback, reporting its failures through @p messaggi. */
    virtual std::unique_ptr<MediaService> media(MessageService& messaggi) = 0;
    virtual std::unique_ptr<MixerService> mixer() = 0;
    /** The default printer; PDF files go to the user's documents folder. */
    virtual std::unique_ptr<PrinterService> stampante() = 0;
    virtual const LettoreTag& tag() = 0;
};

} // namespace melodora

/** The module's one entry point: its services, alive as long as the module is loaded. */
using MelodoraPerifericheFn = melodora::Periferiche* (*)();
#define MELODORA_PERIFERICHE_SIMBOLO "melodora_periferiche"
