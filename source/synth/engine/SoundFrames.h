#pragma once

#include "audio/SoundPack.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvel::veldro {

// Frames of a sound as the engine counts them; 0 without a sound.
inline int soundFrames(const audio::SoundPack* sound)
{
    return sound ? static_cast<int>(std::min<std::uint64_t>(sound->frameCount(), INT32_MAX)) : 0;
}

// A selection bound as a whole frame within [0, frames]; NaN gives 0.
inline int frameWithin(double value, int frames)
{
    return static_cast<int>(std::max(0.0, std::min(std::trunc(value), static_cast<double>(frames))));
}

// The selection's last frame from "sound.end". 0 is that parameter's default
// and the bottom of a host's automation lane: an end at 0 or below (or NaN)
// means the end of the sound, as the sound view and a patch recall read it.
inline int selectionEnd(double value, int frames)
{
    return value > 0.0 ? frameWithin(value, frames) : frames;
}

} // namespace korvel::veldro
