#include "platform/MixerAlsa.h"

namespace melodora {

std::unique_ptr<Mixer> AlsaMixerService::apri() { return nullptr; }

} // namespace melodora
