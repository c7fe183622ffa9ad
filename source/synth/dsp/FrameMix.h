#pragma once

#include <emmintrin.h>

namespace korvel::veldro {

// The last step of a grain's block: frame i (left low, right high) times
// e[i] × gains, through softEdge, added to frame i of mixed (left and right
// interleaved, 16-byte aligned). count is at most 8. Audio thread.
void mixFrames(double* mixed, const __m128d* frames, const double* e, __m128d gains, int count);

namespace detail {
// The two ways mixFrames computes, with the same operations on each value:
// with the SSE2 registers every x86_64 processor has, and two frames per
// step in 256-bit registers, only on a processor with AVX2.
void mixFramesSse2(double* mixed, const __m128d* frames, const double* e, __m128d gains, int count);
void mixFramesAvx2(double* mixed, const __m128d* frames, const double* e, __m128d gains, int count);
// softEdge on each of n values: the rare block that reaches beyond ±0.9.
void softEdges(double* values, int n);
} // namespace detail

} // namespace korvel::veldro
