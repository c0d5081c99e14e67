#pragma once

#include "platform/Platform.h"

namespace melodora {

/**
 * The system mixer through ALSA's simple mixer API, on the "default" device: on a
 * desktop with a sound server that is the server's own volume (through the ALSA
 * plug-in), otherwise the first sound card's mixer. ALSA's error lines are silenced
 * for the whole program, since the volume window reports a missing mixer itself.
 */
class AlsaMixerService : public MixerService {
public:
    /** The "default" mixer, loaded; null when ALSA cannot open or load it. */
    std::unique_ptr<Mixer> apri() override;
};

} // namespace melodora
