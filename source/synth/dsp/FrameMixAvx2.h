#pragma once

// mixFrames in 256-bit registers, two frames per step. Include only between
// Avx2Begin.h and Avx2End.h, after FrameMix.h.

#include "synth/dsp/FrameMix.h"

#include <immintrin.h>

namespace korvel::veldro::avx2 {

[[gnu::always_inline]] inline void mixFrames(double* mixed, const __m128d* frames, const double* e, __m128d gains,
                                             int count)
{
    const int pairs = count / 2;
    const __m256d gainsTwice = _mm256_set_m128d(gains, gains);
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d edge = _mm256_set1_pd(0.9);
    alignas(32) double y[16];
    __m256d over = _mm256_setzero_pd();
    for (int k = 0; k < pairs; ++k) {
        // e of frames 2k and 2k + 1, each on its frame's left and right lanes.
        const __m256d levels =
            _mm256_permute4x64_pd(_mm256_castpd128_pd256(_mm_loadu_pd(e + 2 * k)), _MM_SHUFFLE(1, 1, 0, 0));
        const __m256d frame = _mm256_loadu_pd(reinterpret_cast<const double*>(frames + 2 * k));
        const __m256d scaled = _mm256_mul_pd(frame, _mm256_mul_pd(levels, gainsTwice));
        over = _mm256_or_pd(over, _mm256_cmp_pd(_mm256_andnot_pd(sign, scaled), edge, _CMP_GT_OQ));
        _mm256_store_pd(y + 4 * k, scaled);
    }
    int overMask = _mm256_movemask_pd(over);
    if (count % 2 != 0) {
        const __m128d scaled = _mm_mul_pd(frames[count - 1], _mm_mul_pd(_mm_set1_pd(e[count - 1]), gains));
        overMask |= _mm_movemask_pd(_mm_cmpgt_pd(_mm_andnot_pd(_mm_set1_pd(-0.0), scaled), _mm_set1_pd(0.9)));
        _mm_store_pd(y + 2 * (count - 1), scaled);
    }
    if (overMask != 0)
        detail::softEdges(y, 2 * count);
    for (int k = 0; k < pairs; ++k) {
        double* frame = mixed + 4 * k;
        _mm256_storeu_pd(frame, _mm256_add_pd(_mm256_loadu_pd(frame), _mm256_load_pd(y + 4 * k)));
    }
    if (count % 2 != 0) {
        double* frame = mixed + 2 * (count - 1);
        _mm_store_pd(frame, _mm_add_pd(_mm_load_pd(frame), _mm_load_pd(y + 2 * (count - 1))));
    }
}

} // namespace korvel::veldro::avx2
