#include "synth/dsp/FrameMix.h"

// Only the function below uses AVX2, and it runs only when mixFrames found it
// at run time.
#pragma GCC target("avx2")

#include "synth/dsp/FrameMixAvx2.h"

namespace korvel::veldro::detail {

void mixFramesAvx2(float* mixed, const __m128d* frames, const double* e, __m128d gains, int count)
{
    avx2::mixFrames(mixed, frames, e, gains, count);
}

} // namespace korvel::veldro::detail
