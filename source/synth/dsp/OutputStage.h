#pragma once

#include "synth/dsp/OnePole.h"

#include <cstdint>
#include <vector>

namespace korvel::veldro {

// The engine's stereo delay memory, which the grains' taps read and write,
// and the master stage that drains it into the outputs with a limiter.
// Values are interleaved (left even, right odd); position is the value index
// of the frame the master stage outputs next.
// resize: set-up thread while the audio thread is stopped; the rest: audio thread.
class OutputStage {
public:
    static constexpr int BLOCK_FRAMES = 8;

    OutputStage();

    // Room for n frames, rounded up to whole blocks; values kept, new ones 0.
    void resize(std::uint64_t n);
    // Silence in the whole memory and a master stage at rest.
    void clear();
    // Adds the next block of the memory into the outputs and clears it there.
    void process(float* outL, float* outR);

    std::uint64_t length() const { return data.size(); }
    std::uint64_t position() const { return readPosition; }
    double* values() { return data.data(); }

private:
    std::uint64_t readPosition = 0;
    std::vector<double> data;
    OnePole masterFollower;
};

} // namespace korvel::veldro
