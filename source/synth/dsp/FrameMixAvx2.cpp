#include "synth/dsp/FrameMix.h"

#include <immintrin.h>

// Only mixFramesAvx2 uses AVX2, and it runs only when mixFrames found it.
#include "synth/dsp/Avx2Begin.h"

#include "synth/dsp/FrameMixAvx2.h"

namespace korvel::veldro::detail {

void mixFramesAvx2(double* mixed, const __m128d* frames, const double* e, __m128d gains, int count)
{
    avx2::mixFrames(mixed, frames, e, gains, count);
}

} // namespace korvel::veldro::detail

#include "synth/dsp/Avx2End.h"
