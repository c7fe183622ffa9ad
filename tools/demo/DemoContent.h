#pragma once

#include "StateBuilder.h"

#include <filesystem>
#include <vector>

// Sounds and states made by our own code, for the demo and the plug-in's tests.
namespace korvel::demo {

constexpr int SOUND_RATE = 44100;

// A chord of sawtooth-like tones (twelve harmonics each, falling as 1/h),
// the right channel slightly detuned; 16-bit stereo WAV at SOUND_RATE.
// Throws korvel::host::HostError when the file cannot be written.
void writeChord(const std::filesystem::path& path, const std::vector<double>& frequencies, double seconds);

// The demo's states are built as the host's --sound builds its own.
using host::makeState;
using host::StoredSlot;

}  // namespace korvel::demo
