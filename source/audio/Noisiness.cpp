#include "audio/Noisiness.h"

#include "audio/AnalysisThreads.h"
#include "audio/RealFFT.h"
#include "utility/Check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <numbers>

namespace audio {
namespace {

using Spectrum = std::array<double, Noisiness::WINDOW>;

// Below this many values per share, a thread costs more than it saves.
constexpr std::size_t VALUES_PER_SHARE = 2048;
constexpr std::size_t MAX_SHARES = 4;

// A Hann window of WINDOW + 1 points without its leading zero; shared by every
// analysis and built once (static initialisation is thread-safe).
const Spectrum& window() {
    static const Spectrum table = [] {
        Spectrum w;
        for (int i = 0; i < Noisiness::WINDOW; ++i)
            w[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (i + 1) / (Noisiness::WINDOW + 1));
        return w;
    }();
    return table;
}

// Spectral change between two hops over the real parts of the lower half,
// weighted by how many bins of the current hop carry energy.
double flux(const Spectrum& previous, const Spectrum& current) {
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

class HopAnalysis {
public:
    HopAnalysis(const std::vector<float>& samples, std::size_t channels)
        : samples(samples), channels(channels), frames(samples.size() / channels),
          hops((frames + Noisiness::HOP - 1) / Noisiness::HOP), w(window()) {}

    std::size_t valueCount() const { return hops / 2; }

    // Value v takes the flux of odd hop 2v + 1 and, when the sound goes on, of even hop 2v + 2.
    // Fills values [first, end) and returns the largest that got both hops.
    float fill(std::size_t first, std::size_t end, float* values) const {
        std::array<Spectrum, 2> spectra;
        transform(2 * first, spectra[0]);
        float largest = 0.0f;
        for (std::size_t v = first; v < end; ++v) {
            transform(2 * v + 1, spectra[1]);
            values[v] = trackValue(flux(spectra[0], spectra[1]));
            if (2 * v + 2 < hops) {
                transform(2 * v + 2, spectra[0]);
                values[v] = trackValue(values[v] + flux(spectra[1], spectra[0]));
                largest = std::max(largest, values[v]);
            }
        }
        return largest;
    }

private:
    // Channel 0 of the hop's frames (fewer at the end), windowed and zero-padded.
    void transform(std::size_t hop, Spectrum& out) const {
        const std::size_t position = hop * Noisiness::HOP;
        const std::size_t available = std::min<std::size_t>(Noisiness::WINDOW, frames - position);
        const float* channel0 = samples.data() + position * channels;
        for (std::size_t i = 0; i < available; ++i)
            out[i] = channel0[i * channels] * w[i];
        std::fill(out.begin() + available, out.end(), 0.0);
        realFFT(out.data(), Noisiness::WINDOW);
    }

    const std::vector<float>& samples;
    const std::size_t channels;
    const std::size_t frames;
    const std::size_t hops;
    const Spectrum& w;
};

} // namespace

void Noisiness::compute(SampleFormat format, const std::vector<float>& samples) {
    KORVEL_CHECK(format.channels > 0);
    const HopAnalysis analysis(samples, format.channels);
    step = 1.0 / WINDOW;
    values.assign(analysis.valueCount(), 0.0f);

    // Values are independent once each share starts from its own previous hop,
    // so long sounds are analysed in shares on the threads free for analyses;
    // the result is the same.
    const std::size_t shares = std::clamp<std::size_t>(values.size() / VALUES_PER_SHARE, 1, MAX_SHARES);
    const auto shareStart = [&](std::size_t share) { return values.size() * share / shares; };
    std::vector<std::future<float>> others;
    for (std::size_t share = 1; share < shares; ++share)
        others.push_back(AnalysisThreads::start([&analysis, from = shareStart(share), to = shareStart(share + 1),
                                                 out = values.data()] { return analysis.fill(from, to, out); }));
    float largest = analysis.fill(0, shareStart(1), values.data());
    for (auto& other : others)
        largest = std::max(largest, other.get());

    if (largest > 0.0001f) {
        const double scale = 1.0 / largest;
        for (float& value : values)
            value = trackValue(value * scale);
    }
}

} // namespace audio
