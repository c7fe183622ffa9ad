#include "synth/dsp/FrameMix.h"

#include "synth/dsp/Avx2.h"
#include "synth/dsp/Shaping.h"

namespace korvel::veldro {

namespace detail {

void softEdges(double* values, int n)
{
    for (int i = 0; i < n; ++i)
        values[i] = softEdge(values[i]);
}

void mixFramesSse2(double* mixed, const __m128d* frames, const double* e, __m128d gains, int count)
{
    alignas(16) double y[16];
    __m128d over = _mm_setzero_pd();
    for (int i = 0; i < count; ++i) {
        const __m128d scaled = _mm_mul_pd(frames[i], _mm_mul_pd(_mm_set1_pd(e[i]), gains));
        const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), scaled);
        over = _mm_or_pd(over, _mm_cmpgt_pd(magnitude, _mm_set1_pd(0.9)));
        _mm_store_pd(y + 2 * i, scaled);
    }
    // softEdge leaves values within ±0.9 as they are, so only a block that
    // reaches beyond needs it.
    if (_mm_movemask_pd(over) != 0)
        softEdges(y, 2 * count);
    for (int i = 0; i < count; ++i)
        _mm_store_pd(mixed + 2 * i, _mm_add_pd(_mm_load_pd(mixed + 2 * i), _mm_load_pd(y + 2 * i)));
}

} // namespace detail

void mixFrames(double* mixed, const __m128d* frames, const double* e, __m128d gains, int count)
{
    if (hasAvx2())
        detail::mixFramesAvx2(mixed, frames, e, gains, count);
    else
        detail::mixFramesSse2(mixed, frames, e, gains, count);
}

} // namespace korvel::veldro
