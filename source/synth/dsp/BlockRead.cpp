#include "synth/dsp/BlockRead.h"

#include "synth/dsp/Avx2.h"
#include "synth/dsp/SoundReader.h"

namespace korvel::veldro {

namespace detail {

void readFramesSse2(const float* samples, int channels, const double* positions, __m128d* frames, int count)
{
    int i = 0;
    if (channels >= 2) {
        for (; i + 2 <= count; i += 2)
            readTwoPairs(samples, channels, positions[i], positions[i + 1], frames[i], frames[i + 1]);
    }
    for (; i < count; ++i)
        frames[i] = readPair(samples, channels, positions[i]);
}

} // namespace detail

void readFrames(const float* samples, int channels, const double* positions, __m128d* frames, int count)
{
    if (channels >= 2 && hasAvx2())
        detail::readFramesAvx2(samples, channels, positions, frames, count);
    else
        detail::readFramesSse2(samples, channels, positions, frames, count);
}

} // namespace korvel::veldro
