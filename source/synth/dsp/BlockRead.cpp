#include "synth/dsp/BlockRead.h"

#include "synth/dsp/SoundReader.h"

namespace korvel::veldro {

namespace detail {

// The plug-in runs on any x86_64 processor, so the wider path is chosen at
// run time rather than at build time.
bool hasAvx2()
{
    static const bool supported = __builtin_cpu_supports("avx2");
    return supported;
}

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
    if (channels >= 2 && detail::hasAvx2())
        detail::readFramesAvx2(samples, channels, positions, frames, count);
    else
        detail::readFramesSse2(samples, channels, positions, frames, count);
}

} // namespace korvel::veldro
