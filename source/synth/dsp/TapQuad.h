#pragma once

// The taps of four grains on the delay memory, one grain per lane: each lane
// sees the operations of GrainBuffer::processBlock on its grain. Include only
// between Avx2Begin.h and Avx2End.h, after <immintrin.h>.

#include "synth/dsp/GrainBuffer.h"
#include "synth/dsp/OutputStage.h"
#include "synth/dsp/Quad.h"

#include <cmath>
#include <cstdint>

namespace korvel::veldro {

// Holds the limiters' state while it works and writes it back on store().
// All four taps are on and write to the same memory. Within one frame the
// lanes read the memory before any of them writes: an echo shorter than a
// block may meet the other grains' writes in another order than one grain
// after another would. Audio thread.
class TapQuad {
public:
    explicit TapQuad(quad::Units<GrainBuffer> taps)
        : units(quad::lanesOf(taps)), data(taps[0]->stage->values()), length(taps[0]->stage->length()),
          start(taps[0]->stage->position()),
          feedback(quad::gather(taps, [](const GrainBuffer& b) { return b.feedback; })),
          send(quad::gather(taps, [](const GrainBuffer& b) { return b.send; })),
          gain(quad::gather(taps, [](const GrainBuffer& b) { return b.follower.gain; })),
          a(quad::gather(taps, [](const GrainBuffer& b) { return b.follower.a; })),
          state(quad::gather(taps, [](const GrainBuffer& b) { return b.follower.state; }))
    {
        for (int k = 0; k < 4; ++k)
            writeOffset[k] = taps[k]->writeOffset;
    }

    // Frame i of the block: x the grains' values, g their gains (level × pan).
    void process(int i, __m256d xL, __m256d xR, __m256d gL, __m256d gR)
    {
        const std::uint64_t current = start + 2 * static_cast<std::uint64_t>(i);
        std::uint64_t ahead = current + 2;
        if (ahead >= length)
            ahead -= length;
        const __m256d f = feedback;
        const __m256d wL = _mm256_mul_pd(_mm256_mul_pd(_mm256_add_pd(_mm256_set1_pd(data[ahead]), xL), f), gL);
        const __m256d wR = _mm256_mul_pd(_mm256_mul_pd(_mm256_add_pd(_mm256_set1_pd(data[ahead + 1]), xR), f), gR);
        const __m256d x = _mm256_mul_pd(_mm256_add_pd(wL, wR), _mm256_set1_pd(1.2));
        state = _mm256_add_pd(_mm256_mul_pd(_mm256_mul_pd(gain, x), x), _mm256_mul_pd(a, state));
        const __m256d one = _mm256_set1_pd(1.0);
        const __m256d loud = _mm256_cmp_pd(state, one, _CMP_GT_OQ);
        __m256d g = send;
        if (quad::any(loud))
            g = _mm256_mul_pd(quad::select(loud, _mm256_div_pd(one, _mm256_sqrt_pd(state)), one), send);
        alignas(32) double addL[4];
        alignas(32) double addR[4];
        _mm256_store_pd(addL, _mm256_mul_pd(g, wL));
        _mm256_store_pd(addR, _mm256_mul_pd(g, wR));
        for (int k = 0; k < 4; ++k) {
            const __m128d add = _mm_setr_pd(addL[k], addR[k]);
            // Anything not finite would stay in the memory for good (x - x is
            // 0 only for finite x).
            if (_mm_movemask_pd(_mm_cmpeq_pd(_mm_sub_pd(add, add), _mm_setzero_pd())) != 3)
                continue;
            std::uint64_t to = current + writeOffset[k];
            while (to >= length)
                to -= length;
            _mm_storeu_pd(data + to, _mm_add_pd(_mm_loadu_pd(data + to), add));
        }
    }

    void store()
    {
        quad::scatter(units, state, [](GrainBuffer& b) -> double& { return b.follower.state; });
    }

private:
    quad::Lanes<GrainBuffer> units;
    double* data;
    std::uint64_t length;
    std::uint64_t start;
    std::uint64_t writeOffset[4];
    __m256d feedback, send, gain, a, state;
};

} // namespace korvel::veldro
