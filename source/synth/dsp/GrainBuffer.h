#pragma once

#include "synth/dsp/OnePole.h"

#include <cstdint>

#include <emmintrin.h>

namespace korvel::veldro {

class OutputStage;

// A grain's tap on the engine's delay memory: it reads the memory one frame
// ahead, feeds it back with the grain's own signal, and writes the sum a delay
// further on, held down by its own limiter. Set up when a grain starts;
// processed on the audio thread.
struct GrainBuffer {
    double delay = 0.0;    // in values, 2 per frame
    double feedback = 0.0;
    double send = 0.0;     // 0: tap off
    OutputStage* stage = nullptr;
    OnePole follower;
    std::uint64_t writeOffset = 0; // 2 trunc(delay) values, within the memory

    GrainBuffer();
    // d in frames. The echo lands trunc(2 d) frames on: stored patches rely on it.
    void setupTap(OutputStage* outputStage, double d, double fb, double sendLevel);
    bool isOn() const { return send != 0.0; }
    // Frame i of the current block of the output stage.
    void process(double l, double gainL, double r, double gainR, int i);
    // process() on the first count frames of the block: frame i (left low)
    // with the gains e[i] × gains.
    void processBlock(const __m128d* frames, const double* e, __m128d gains, int count);
};

} // namespace korvel::veldro
