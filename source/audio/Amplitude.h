#pragma once

#include "audio/AnalysisTrack.h"
#include "audio/SampleFormat.h"

namespace audio {

// RMS envelope of channel 0, normalised so that the largest full block is 1.
class Amplitude : public ValueTrack {
public:
    void compute(SampleFormat format, const std::vector<float>& samples);
};

} // namespace audio
