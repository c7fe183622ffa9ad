#include "audio/Peaks.h"

#include "utility/Check.h"

#include <algorithm>
#include <cmath>

namespace audio {

std::pair<float, float> Peaks::compute(SampleFormat format, const std::vector<float>& samples) {
    KORVEL_CHECK(format.channels > 0);
    const BlockLayout blocks(samples.size(), format.channels);
    step = blocks.step();
    values.clear();
    values.reserve(blocks.fullBlocks() + 1);

    const auto range = [&](std::size_t from, std::size_t to) {
        std::pair<float, float> extremes{resetMin, resetMax};
        for (std::size_t i = from * blocks.channels, end = to * blocks.channels; i < end; i += blocks.channels) {
            extremes.first = std::min(extremes.first, samples[i]);
            extremes.second = std::max(extremes.second, samples[i]);
        }
        return extremes;
    };
    std::pair<float, float> extremes{resetMin, resetMax};
    for (std::size_t block = 0; block < blocks.fullBlocks(); ++block) {
        const auto [lo, hi] = values.emplace_back(range(block * blocks.length, (block + 1) * blocks.length));
        extremes.first = std::min(extremes.first, lo);
        extremes.second = std::max(extremes.second, hi);
    }
    // The frames after the last full block; (resetMin, resetMax) when there are none.
    values.push_back(range(blocks.fullBlocks() * blocks.length, blocks.frames));
    return extremes;
}

std::pair<float, float> Peaks::get(std::uint32_t index, float zoom) const {
    const auto orNothing = [](std::pair<float, float> range) {
        // The reset pair marks "no data"; it is never a value.
        return range.first > range.second ? std::pair<float, float>{0.0f, 0.0f} : range;
    };
    if (!(zoom >= 2.0f))
        return index < values.size() ? orNothing(values[index]) : std::pair<float, float>{0.0f, 0.0f};

    const double half = zoom / 2.0;
    const double first = std::max(std::trunc(index - half), 0.0);
    const double last = std::min(double(values.size()), std::trunc(index + half + 0.5));
    std::pair<float, float> range{resetMin, resetMax};
    for (std::size_t i = std::size_t(first); double(i) < last; ++i) {
        range.first = std::min(range.first, values[i].first);
        range.second = std::max(range.second, values[i].second);
    }
    return orNothing(range);
}

} // namespace audio
