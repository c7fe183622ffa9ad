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
        // trunc(i + delay) frames on: i + trunc(delay), as i is whole. Both
        // the start and the offset lie inside the memory, and a block's frames
        // do not reach past its end.
        const std::uint64_t blockValues = 2 * OutputStage::BLOCK_FRAMES;
        wrapFree = start + blockValues < length;
        for (int k = 0; k < 4; ++k) {
            writeStart[k] = start + taps[k]->writeOffset;
            if (writeStart[k] >= length)
                writeStart[k] -= length;
            wrapFree = wrapFree && writeStart[k] + blockValues <= length;
        }
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
        const __m256d addL = _mm256_mul_pd(g, wL);
        const __m256d addR = _mm256_mul_pd(g, wR);
        // Anything not finite would stay in the memory for good (x - x is 0
        // only for finite x).
        const __m256d zero = _mm256_setzero_pd();
        int finite = _mm256_movemask_pd(_mm256_and_pd(_mm256_cmp_pd(_mm256_sub_pd(addL, addL), zero, _CMP_EQ_OQ),
                                                      _mm256_cmp_pd(_mm256_sub_pd(addR, addR), zero, _CMP_EQ_OQ)));
        // Each lane's left and right side by side: lanes 0 and 1 in the low
        // halves, 2 and 3 in the high ones.
        const __m256d low = _mm256_unpacklo_pd(addL, addR);
        const __m256d high = _mm256_unpackhi_pd(addL, addR);
        const __m128d pairs[4] = {_mm256_castpd256_pd128(low), _mm256_castpd256_pd128(high),
                                  _mm256_extractf128_pd(low, 1), _mm256_extractf128_pd(high, 1)};
        if (finite == 15 && wrapFree) {
            for (int k = 0; k < 4; ++k) {
                double* to = data + writeStart[k] + 2 * i;
                _mm_storeu_pd(to, _mm_add_pd(_mm_loadu_pd(to), pairs[k]));
            }
            return;
        }
        for (int k = 0; k < 4; ++k, finite >>= 1) {
            if (!(finite & 1))
                continue;
            std::uint64_t to = writeStart[k] + 2 * static_cast<std::uint64_t>(i);
            if (to >= length)
                to -= length;
            _mm_storeu_pd(data + to, _mm_add_pd(_mm_loadu_pd(data + to), pairs[k]));
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
    std::uint64_t writeStart[4]; // each lane's write index for the block's first frame
    bool wrapFree;               // no index of the block runs past the memory's end
    __m256d feedback, send, gain, a, state;
};

} // namespace korvel::veldro
