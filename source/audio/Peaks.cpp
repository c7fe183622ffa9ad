#include "audio/Peaks.h"

#include "utility/Check.h"

#include <algorithm>
#include <cmath>

namespace audio {

std::pair<float, float> Peaks::compute(SampleFormat format, const std::vector<float>& samples) {
    KORVEL_CHECK(format.channels > 0);
    const std::uint32_t block = blockFrames(samples.size());
    const std::size_t channels = format.channels;
    const std::size_t frames = samples.size() / channels;
    step = 1.0 / block;
    values.clear();
    values.reserve(frames / block + 1);

    std::pair<float, float> extremes{resetMin, resetMax};
    std::size_t frame = 0;
    for (; frame + block <= frames; frame += block) {
        float lo = resetMin, hi = resetMax;
        for (std::size_t i = frame * channels, end = (frame + block) * channels; i < end; i += channels) {
            lo = std::min(lo, samples[i]);
            hi = std::max(hi, samples[i]);
        }
        values.emplace_back(lo, hi);
        extremes.first = std::min(extremes.first, lo);
        extremes.second = std::max(extremes.second, hi);
    }
    float lo = resetMin, hi = resetMax;
    for (std::size_t i = frame * channels; i < frames * channels; i += channels) {
        lo = std::min(lo, samples[i]);
        hi = std::max(hi, samples[i]);
    }
    values.emplace_back(lo, hi);
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
