#include "synth/dsp/BlockRead.h"

#include "synth/dsp/SoundReader.h"

#include <immintrin.h>

// Only readFramesAvx2 uses AVX2, and it runs only when readFrames found it.
#include "synth/dsp/Avx2Begin.h"

#include "synth/dsp/ReadFourAvx2.h"

namespace korvel::veldro::detail {

void readFramesAvx2(const float* samples, int channels, const double* positions, __m128d* frames, int count)
{
    int i = 0;
    for (; i + 4 <= count; i += 4)
        avx2::readFour(samples, channels, positions + i, frames + i);
    for (; i < count; ++i)
        frames[i] = readPair(samples, channels, positions[i]);
}

} // namespace korvel::veldro::detail

#include "synth/dsp/Avx2End.h"
