#pragma once

#include "platform/Platform.h"

// The two mixer routines of the volume window, over the platform's mixer.
namespace melodora::Volume {

/**
 * Finds the speakers' playback volume control of @p hMixer and fills @p VolumeControl
 * with its name and bounds. False, with @p VolumeControl untouched, when there is no
 * mixer or it has no such control.
 */
bool GetVolumeControl(Mixer* hMixer, ControlloVolume& VolumeControl);

/**
 * Reads the current value of @p VolumeControl into @p Value. False, with @p Value untouched,
 * when there is no mixer, the control is the empty one, or the mixer cannot tell.
 */
bool GetVolumeValue(Mixer* hMixer, const ControlloVolume& VolumeControl, long& Value);

/**
 * Sets @p VolumeControl to @p Value on every channel. False when there is no mixer,
 * when the control is the empty one (never found), or when the mixer refuses.
 */
bool SetVolumeControl(Mixer* hMixer, const ControlloVolume& VolumeControl, long Value);

} // namespace melodora::Volume
