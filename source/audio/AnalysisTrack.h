#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace audio {

// How the amplitude and peaks tracks cut an interleaved sample vector (wrap
// frames included) into blocks: 20 frames per value below 10000 floats, else 100.
struct BlockLayout {
    BlockLayout(std::size_t sampleCount, std::size_t channels)
        : channels(channels), frames(sampleCount / channels), length(sampleCount < 10000 ? 20 : 100) {}

    std::size_t fullBlocks() const { return frames / length; }
    double step() const { return 1.0 / double(length); }

    std::size_t channels;
    std::size_t frames;
    std::size_t length;
};

// A non-negative analysis result as a track value. Samples of swapped float
// files are not clamped, so a result may exceed the float range; it saturates.
inline float trackValue(double value) { return float(std::min(value, double(std::numeric_limits<float>::max()))); }

// One analysis value per 1/step sound frames: the value for frame f is at index f * step.
// Tracks are filled once on the loading worker and only read afterwards.
class AnalysisTrack {
public:
    virtual ~AnalysisTrack() = default;

    double step = 1.0;
};

// A track of single float values (amplitude, noisiness).
class ValueTrack : public AnalysisTrack {
public:
    // The value at index wrapped into the track as wrapIndex(index, 0, n - 1)
    // does; 0 for an empty track. Any thread, once the pack is ready.
    float valueAt(std::int32_t index) const;

    std::vector<float> values;
};

} // namespace audio
