#pragma once

#include "platform/Platform.h"

namespace melodora {

/** The system mixer through ALSA's simple mixer API. */
class AlsaMixerService : public MixerService {
public:
    std::unique_ptr<Mixer> apri() override;
};

} // namespace melodora
