#pragma once

#include <emmintrin.h>

namespace korvel::veldro {

// readPair at each of count positions (at most 8), into frames: the results
// are exactly those of readPair, whichever instruction set computes them.
// The positions must lie inside the sound, as for readPair. Audio thread.
void readFrames(const float* samples, int channels, const double* positions, __m128d* frames, int count);

namespace detail {
// The two ways readFrames computes: with the SSE2 registers every x86_64
// processor has, and four frames per step in 256-bit registers, only on a
// processor with AVX2 and for two or more channels.
void readFramesSse2(const float* samples, int channels, const double* positions, __m128d* frames, int count);
void readFramesAvx2(const float* samples, int channels, const double* positions, __m128d* frames, int count);
} // namespace detail

} // namespace korvel::veldro
