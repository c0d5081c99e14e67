#include "audio/Volume.h"

namespace melodora::Volume {

bool GetVolumeControl(Mixer* hMixer, ControlloVolume& VolumeControl)
{
    if (!hMixer)
        return false;
    const std::optional<ControlloVolume> trovato = hMixer->controlloVolume();
    if (!trovato)
        return false;
    VolumeControl = *trovato;
    return true;
}

bool GetVolumeValue(Mixer* hMixer, const ControlloVolume& VolumeControl, long& Value)
{
    if (!hMixer || VolumeControl.nome.isEmpty())
        return false;
    const std::optional<long> letto = hMixer->leggiVolume(VolumeControl);
    if (!letto)
        return false;
    Value = *letto;
    return true;
}

bool SetVolumeControl(Mixer* hMixer, const ControlloVolume& VolumeControl, long Value)
{
    // A control that was never found has no name: the mixer would refuse it anyway.
    if (!hMixer || VolumeControl.nome.isEmpty())
        return false;
    return hMixer->impostaVolume(VolumeControl, Value);
}

} // namespace melodora::Volume
