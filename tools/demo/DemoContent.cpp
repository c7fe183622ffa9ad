#include "DemoContent.h"

#include "WavWriter.h"
#include "patch/StateText.h"
#include "synth/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace korvel::demo {

namespace {

constexpr int HARMONICS = 12;
constexpr double DETUNE = 1.003;
constexpr double PEAK = 0.8;
// Short ramps at both ends keep the sound's edges from clicking.
constexpr double EDGE_FRAMES = 0.02 * SOUND_RATE;
constexpr std::size_t PATCH_SLOTS = 130;

double chordSample(const std::vector<double>& frequencies, double detune, double t) {
    double sum = 0;
    for (double frequency : frequencies)
        for (int h = 1; h <= HARMONICS; ++h) sum += std::sin(2 * std::numbers::pi * frequency * detune * h * t) / h;
    return sum;
}

}  // namespace

void writeChord(const std::filesystem::path& path, const std::vector<double>& frequencies, double seconds) {
    const auto frames = static_cast<int>(seconds * SOUND_RATE);
    std::vector<float> left(static_cast<std::size_t>(frames));
    std::vector<float> right(left.size());
    // Sawtooth partials add up to about 1.85 per tone at their peak.
    const double scale = PEAK / (1.85 * static_cast<double>(std::max<std::size_t>(frequencies.size(), 1)));
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const double edge = std::min({1.0, i / EDGE_FRAMES, (frames - i) / EDGE_FRAMES});
        left[static_cast<std::size_t>(i)] = static_cast<float>(scale * edge * chordSample(frequencies, 1.0, t));
        right[static_cast<std::size_t>(i)] = static_cast<float>(scale * edge * chordSample(frequencies, DETUNE, t));
    }
    host::WavWriter out(path, 2, SOUND_RATE, host::WavFormat::PCM16);
    const float* channels[] = {left.data(), right.data()};
    out.write(channels, frames);
    out.finish();
}

std::string makeState(const std::vector<StoredSlot>& slots) {
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    params.setPatchCount(PATCH_SLOTS);
    for (const StoredSlot& stored : slots) {
        if (stored.slot < 0 || static_cast<std::size_t>(stored.slot) >= PATCH_SLOTS)
            throw std::invalid_argument("no patch slot " + std::to_string(stored.slot));
        params.resetToDefaults(0.0, veldro::MASK_ALL_BUT_GLOBALS);
        for (const auto& [name, value] : stored.values) {
            const veldro::ParamInfo& info = veldro::getParamInfoByName(std::wstring(name.begin(), name.end()));
            if (info.id < 0) throw std::invalid_argument("no parameter named " + name);
            params.setParamImmediate(info.id, value);
        }
        // Without a current sound, storing keeps the name already in the slot.
        params.getPatch(stored.slot).soundfile = stored.sound.wstring();
        params.storePatch(stored.slot, false, veldro::MASK_ALL);
    }
    return veldro::serialize(params);
}

}  // namespace korvel::demo
