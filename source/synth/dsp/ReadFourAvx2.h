#pragma once

// Four frames of a stereo read in 256-bit registers. Include only between
// Avx2Begin.h and Avx2End.h.

#include <immintrin.h>

namespace korvel::veldro::avx2 {

// Channels 0 and 1 of frame k after each of the four starts, one start per
// 64-bit lane.
inline __m256 loadFour(const float* const* starts, int offset)
{
    auto pairAt = [&](int n) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(starts[n] + offset)));
    };
    const __m128 low = _mm_loadh_pi(pairAt(0), reinterpret_cast<const __m64*>(starts[1] + offset));
    const __m128 high = _mm_loadh_pi(pairAt(2), reinterpret_cast<const __m64*>(starts[3] + offset));
    return _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
}

inline __m256 times(float k, __m256 x)
{
    return _mm256_mul_ps(_mm256_set1_ps(k), x);
}

// The coefficients of interpolate(), in single precision, for four frames.
struct Coefficients {
    __m256 c1, c2, c3, c4, c5;
};

inline Coefficients coefficients(__m256 y0, __m256 y1, __m256 y2, __m256 y3)
{
    return {
        _mm256_sub_ps(y2, y0),
        _mm256_add_ps(_mm256_sub_ps(y2, times(2.0f, y1)), y0),
        _mm256_add_ps(times(9.0f, _mm256_sub_ps(y2, y1)), times(3.0f, _mm256_sub_ps(y0, y3))),
        _mm256_add_ps(times(15.0f, _mm256_sub_ps(y1, y2)), times(5.0f, _mm256_sub_ps(y3, y0))),
        _mm256_add_ps(times(6.0f, _mm256_sub_ps(y2, y1)), times(2.0f, _mm256_sub_ps(y0, y3))),
    };
}

// The polynomial of interpolate() in double on two of the four frames (both
// channels): the low half of each single-precision register, or the high.
template <int HALF>
inline __m256d wide(__m256 x)
{
    return _mm256_cvtps_pd(_mm256_extractf128_ps(x, HALF));
}

template <int HALF>
inline __m256d polynomial(const Coefficients& k, __m256 y1, __m256d t)
{
    __m256d sum = _mm256_add_pd(wide<HALF>(k.c4), _mm256_mul_pd(t, wide<HALF>(k.c5)));
    sum = _mm256_add_pd(wide<HALF>(k.c3), _mm256_mul_pd(t, sum));
    sum = _mm256_add_pd(wide<HALF>(k.c2), _mm256_mul_pd(t, sum));
    sum = _mm256_add_pd(wide<HALF>(k.c1), _mm256_mul_pd(t, sum));
    return _mm256_add_pd(wide<HALF>(y1), _mm256_mul_pd(_mm256_mul_pd(_mm256_set1_pd(0.5), t), sum));
}

// Four frames: the single-precision coefficients of interpolate() for all of
// them at once, the double polynomial two frames at a time.
[[gnu::always_inline]] inline void readFour(const float* samples, int channels, const double* positions,
                                            __m128d* frames)
{
    const __m256d at = _mm256_loadu_pd(positions);
    // Positions are below 2^31 frames, so 32-bit truncation is that of readPair.
    const __m128i whole = _mm256_cvttpd_epi32(at);
    const __m256d t = _mm256_sub_pd(at, _mm256_cvtepi32_pd(whole));
    const long stride = channels;
    const float* const starts[4] = {
        samples + _mm_cvtsi128_si32(whole) * stride,
        samples + _mm_extract_epi32(whole, 1) * stride,
        samples + _mm_extract_epi32(whole, 2) * stride,
        samples + _mm_extract_epi32(whole, 3) * stride,
    };
    const __m256 y1 = loadFour(starts, channels);
    const Coefficients k =
        coefficients(loadFour(starts, 0), y1, loadFour(starts, 2 * channels), loadFour(starts, 3 * channels));
    _mm256_storeu_pd(reinterpret_cast<double*>(frames),
                     polynomial<0>(k, y1, _mm256_permute4x64_pd(t, _MM_SHUFFLE(1, 1, 0, 0))));
    _mm256_storeu_pd(reinterpret_cast<double*>(frames + 2),
                     polynomial<1>(k, y1, _mm256_permute4x64_pd(t, _MM_SHUFFLE(3, 3, 2, 2))));
}

} // namespace korvel::veldro::avx2
