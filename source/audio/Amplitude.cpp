#include "audio/Amplitude.h"

#include "utility/Check.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

void Amplitude::compute(SampleFormat format, const std::vector<float>& samples) {
    KORVEL_CHECK(format.channels > 0 && format.sampleRate > 0);
    const std::uint32_t block = blockFrames(samples.size());
    const std::size_t channels = format.channels;
    const std::size_t frames = samples.size() / channels;
    step = 1.0 / block;
    values.clear();
    values.reserve(frames / block + 1);

    // One-pole low-pass at 10 Hz on the squared signal.
    const double b = 2.0 - std::cos(2.0 * std::numbers::pi * 10.0 / format.sampleRate);
    const double a = b - std::sqrt(b * b - 1.0);
    double y = 0.0;
    const auto filter = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from * channels, end = to * channels; i < end; i += channels) {
            const double x = samples[i];
            y = (1.0 - a) * (x * x) + a * y;
        }
    };
    // Start from the state the end of the sound leaves, as a looping sound would.
    if (frames > 2 * std::size_t(block))
        filter(frames - 2 * block, frames);

    float largest = 0.0f;
    for (std::size_t frame = 0; frame + block <= frames; frame += block) {
        filter(frame, frame + block);
        values.push_back(trackValue(std::sqrt(y)));
        largest = std::max(largest, values.back());
    }
    filter(frames - frames % block, frames);
    values.push_back(trackValue(std::sqrt(y)));

    if (largest > 0.0f) {
        const double scale = 1.0 / largest;
        for (float& value : values)
            value = trackValue(value * scale);
    }
}

} // namespace audio
