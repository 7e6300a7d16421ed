#pragma once

#include "core/sound/PcmClip.h"
#include "core/sound/SoundSettings.h"

#include <optional>

// The clip the sound settings choose, at their volume: the program's chime
// or the user's file; none for no sound, a chime that is not installed or a
// file that cannot be played.
std::optional<PcmClip> chosenClip(const SoundSettings::Values &values);
