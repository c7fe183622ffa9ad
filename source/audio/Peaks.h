#pragma once

#include "audio/AnalysisTrack.h"
#include "audio/SampleFormat.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace audio {

// (min, max) of channel 0 per block, for drawing. The last pair covers the
// frames after the last full block and is (resetMin, resetMax) when there are none.
class Peaks : public AnalysisTrack {
public:
    static constexpr float resetMin = 3.4028235e38f;
    static constexpr float resetMax = -3.4028235e38f;

    // Fills the track from every frame of samples (wrap frames included) and
    // returns the extremes over the full blocks: (resetMin, resetMax) when there is none.
    std::pair<float, float> compute(SampleFormat format, const std::vector<float>& samples);

    // zoom < 2: the pair at index; otherwise the extremes of the zoom pairs
    // around it. A range without data, or past the end, reads as (0, 0).
    // Any thread, once the pack is ready.
    std::pair<float, float> get(std::uint32_t index, float zoom) const;

    std::vector<std::pair<float, float>> values;
};

} // namespace audio
