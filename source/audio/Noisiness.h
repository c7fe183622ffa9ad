#pragma once

#include "audio/AnalysisTrack.h"
#include "audio/SampleFormat.h"

namespace audio {

// Spectral flux of channel 0, one value per 64 frames, normalised to its largest value.
class Noisiness : public ValueTrack {
public:
    static constexpr int WINDOW = 64;
    static constexpr int HOP = 32;

    void compute(SampleFormat format, const std::vector<float>& samples);
};

} // namespace audio
