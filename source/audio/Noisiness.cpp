#include "audio/Noisiness.h"

#include "audio/RealFFT.h"
#include "utility/Check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace audio {
namespace {

using Frame = std::array<double, Noisiness::WINDOW>;

// A Hann window of WINDOW + 1 points without its leading zero; shared by every
// analysis and built once (static initialisation is thread-safe).
const Frame& window() {
    static const Frame table = [] {
        Frame w;
        for (int i = 0; i < Noisiness::WINDOW; ++i)
            w[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (i + 1) / (Noisiness::WINDOW + 1));
        return w;
    }();
    return table;
}

// Spectral change between two hops over the real parts of the lower half,
// weighted by how many bins of the current hop carry energy.
double flux(const Frame& previous, const Frame& current) {
    double squares = 0.0, largest = 0.0;
    int active = 0;
    for (int k = 0; k < Noisiness::WINDOW / 2; ++k) {
        const double d = previous[k] - current[k];
        squares += d * d;
        largest = std::max(largest, std::abs(d));
        active += std::abs(current[k]) > 0.02;
    }
    return (squares + largest) * (1 + active);
}

} // namespace

void Noisiness::compute(SampleFormat format, const std::vector<float>& samples) {
    KORVEL_CHECK(format.channels > 0);
    const std::size_t channels = format.channels;
    const std::size_t frames = samples.size() / channels;
    const Frame& w = window();
    step = 1.0 / WINDOW;
    values.clear();
    values.reserve(frames / WINDOW + 1);

    Frame previous{}, current{};
    float largest = 0.0f;
    for (std::size_t hop = 0, position = 0; position < frames; ++hop, position += HOP) {
        const std::size_t available = std::min<std::size_t>(WINDOW, frames - position);
        for (std::size_t i = 0; i < available; ++i)
            current[i] = samples[(position + i) * channels] * w[i];
        std::fill(current.begin() + available, current.end(), 0.0);
        realFFT(current.data(), WINDOW);
        // Each value covers two hops; one left with a single hop is not counted in the maximum.
        if (hop % 2 == 1) {
            values.push_back(float(flux(previous, current)));
        } else if (hop > 0) {
            values.back() = float(values.back() + flux(previous, current));
            largest = std::max(largest, values.back());
        }
        std::swap(previous, current);
    }
    if (largest > 0.0001f) {
        const double scale = 1.0 / largest;
        for (float& value : values)
            value = float(value * scale);
    }
}

} // namespace audio
