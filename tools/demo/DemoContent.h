#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Sounds and states made by our own code, for the demo and the plug-in's tests.
namespace korvel::demo {

constexpr int SOUND_RATE = 44100;

// A chord of sawtooth-like tones (twelve harmonics each, falling as 1/h),
// the right channel slightly detuned; 16-bit stereo WAV at SOUND_RATE.
// Throws korvel::host::HostError when the file cannot be written.
void writeChord(const std::filesystem::path& path, const std::vector<double>& frequencies, double seconds);

// One patch slot to store: its sound and the parameters that differ from the defaults.
struct StoredSlot {
    int slot = 1;
    std::filesystem::path sound;
    std::vector<std::pair<std::string, double>> values;  // parameter name, value
};

// The state text (host chunk / state file) holding these slots.
// Throws std::invalid_argument for a name that is no parameter.
std::string makeState(const std::vector<StoredSlot>& slots);

}  // namespace korvel::demo
