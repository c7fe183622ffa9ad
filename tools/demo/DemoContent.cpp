#include "DemoContent.h"

#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace korvel::demo {

namespace {

constexpr int HARMONICS = 12;
constexpr double DETUNE = 1.003;
constexpr double PEAK = 0.8;
// Short ramps at both ends keep the sound's edges from clicking.
constexpr double EDGE_FRAMES = 0.02 * SOUND_RATE;

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

}  // namespace korvel::demo
