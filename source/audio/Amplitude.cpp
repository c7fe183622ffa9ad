#include "audio/Amplitude.h"

#include "utility/Check.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

void Amplitude::compute(SampleFormat format, const std::vector<float>& samples) {
    KORVEL_CHECK(format.channels > 0 && format.sampleRate > 0);
    const BlockLayout blocks(samples.size(), format.channels);
    step = blocks.step();
    values.clear();
    values.reserve(blocks.fullBlocks() + 1);

    // One-pole low-pass at 10 Hz on the squared signal.
    const double b = 2.0 - std::cos(2.0 * std::numbers::pi * 10.0 / format.sampleRate);
    const double a = b - std::sqrt(b * b - 1.0);
    double y = 0.0;
    const auto filter = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from * blocks.channels, end = to * blocks.channels; i < end; i += blocks.channels) {
            const double x = samples[i];
            y = (1.0 - a) * (x * x) + a * y;
        }
    };
    // Start from the state the end of the sound leaves, as a looping sound would.
    if (blocks.frames > 2 * blocks.length)
        filter(blocks.frames - 2 * blocks.length, blocks.frames);

    float largest = 0.0f;
    for (std::size_t block = 0; block < blocks.fullBlocks(); ++block) {
        filter(block * blocks.length, (block + 1) * blocks.length);
        values.push_back(trackValue(std::sqrt(y)));
        largest = std::max(largest, values.back());
    }
    filter(blocks.fullBlocks() * blocks.length, blocks.frames);
    values.push_back(trackValue(std::sqrt(y)));

    if (largest > 0.0f) {
        const double scale = 1.0 / largest;
        for (float& value : values)
            value = trackValue(value * scale);
    }
}

} // namespace audio
