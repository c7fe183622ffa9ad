#pragma once

#include "synth/dsp/Lanes.h"

#include <emmintrin.h>

namespace korvel::veldro {

// 4-point interpolation between y1 and y2 (a fraction of 0 gives y1 itself):
// the coefficients in single precision, the polynomial in double.
inline double interpolate(float y0, float y1, float y2, float y3, double t)
{
    const float c1 = y2 - y0;
    const float c2 = y2 - 2.0f * y1 + y0;
    const float c3 = 9.0f * (y2 - y1) + 3.0f * (y0 - y3);
    const float c4 = 15.0f * (y1 - y2) + 5.0f * (y3 - y0);
    const float c5 = 6.0f * (y2 - y1) + 2.0f * (y0 - y3);
    return y1 + 0.5 * t * (c1 + t * (c2 + t * (c3 + t * (c4 + t * c5))));
}

namespace detail {

inline __m128 loadTwo(const float* pair)
{
    return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pair)));
}

// The five coefficients of interpolate() on every lane of y0 .. y3.
struct Coefficients {
    __m128 c[5];

    Coefficients(__m128 y0, __m128 y1, __m128 y2, __m128 y3)
    {
        auto times = [](float k, __m128 x) { return _mm_mul_ps(_mm_set1_ps(k), x); };
        c[0] = _mm_sub_ps(y2, y0);
        c[1] = _mm_add_ps(_mm_sub_ps(y2, times(2.0f, y1)), y0);
        c[2] = _mm_add_ps(times(9.0f, _mm_sub_ps(y2, y1)), times(3.0f, _mm_sub_ps(y0, y3)));
        c[3] = _mm_add_ps(times(15.0f, _mm_sub_ps(y1, y2)), times(5.0f, _mm_sub_ps(y3, y0)));
        c[4] = _mm_add_ps(times(6.0f, _mm_sub_ps(y2, y1)), times(2.0f, _mm_sub_ps(y0, y3)));
    }
};

// The polynomial of interpolate() in double on two lanes (converted by wide).
template <typename Wide>
__m128d polynomial(const Coefficients& k, __m128 y1, double t, Wide wide)
{
    const __m128d td = _mm_set1_pd(t);
    __m128d sum = _mm_add_pd(wide(k.c[3]), _mm_mul_pd(td, wide(k.c[4])));
    sum = _mm_add_pd(wide(k.c[2]), _mm_mul_pd(td, sum));
    sum = _mm_add_pd(wide(k.c[1]), _mm_mul_pd(td, sum));
    sum = _mm_add_pd(wide(k.c[0]), _mm_mul_pd(td, sum));
    return _mm_add_pd(wide(y1), _mm_mul_pd(_mm_set1_pd(0.5 * t), sum));
}

inline __m128d lowHalf(__m128 x)
{
    return _mm_cvtps_pd(x);
}

inline __m128d highHalf(__m128 x)
{
    return _mm_cvtps_pd(_mm_movehl_ps(x, x));
}

} // namespace detail

// interpolate() on the first two channels at once, lane by lane with the
// same operations, so each lane equals interpolate() on its channel. y points
// at interleaved frames p .. p + 3, stride floats apart.
inline __m128d interpolatePair(const float* y, int stride, double t)
{
    using detail::loadTwo;
    const __m128 y1 = loadTwo(y + stride);
    const detail::Coefficients k(loadTwo(y), y1, loadTwo(y + 2 * stride), loadTwo(y + 3 * stride));
    return detail::polynomial(k, y1, t, detail::lowHalf);
}

// interpolatePair on two frames, a and b, sharing the single-precision work.
inline void interpolateTwoPairs(const float* a, const float* b, int stride, double ta, double tb, __m128d& outA,
                                __m128d& outB)
{
    auto load = [&](int k) {
        return _mm_loadh_pi(detail::loadTwo(a + k * stride), reinterpret_cast<const __m64*>(b + k * stride));
    };
    const __m128 y1 = load(1);
    const detail::Coefficients k(load(0), y1, load(2), load(3));
    outA = detail::polynomial(k, y1, ta, detail::lowHalf);
    outB = detail::polynomial(k, y1, tb, detail::highHalf);
}

// Reads interleaved frames at a fractional frame position: channel 0 gives
// the low lane (left), channel 1 the high lane (right; left again for a mono
// sound). Frames p .. p + 3 are read, p the whole part of position; the
// caller keeps them inside the data.
inline __m128d readPair(const float* frames, int channels, double position)
{
    const long p = static_cast<long>(position);
    const double t = position - static_cast<double>(p);
    const float* y = frames + p * channels;
    if (channels >= 2)
        return interpolatePair(y, channels, t);
    return _mm_set1_pd(interpolate(y[0], y[1], y[2], y[3], t));
}

// readPair at two positions of a sound with two or more channels.
inline void readTwoPairs(const float* frames, int channels, double positionA, double positionB, __m128d& a,
                         __m128d& b)
{
    const long pa = static_cast<long>(positionA);
    const long pb = static_cast<long>(positionB);
    interpolateTwoPairs(frames + pa * channels, frames + pb * channels, channels,
                        positionA - static_cast<double>(pa), positionB - static_cast<double>(pb), a, b);
}

// readPair into two values.
inline void readInterpolated(const float* frames, int channels, double position, double& left, double& right)
{
    lanes::split(readPair(frames, channels, position), left, right);
}

} // namespace korvel::veldro
