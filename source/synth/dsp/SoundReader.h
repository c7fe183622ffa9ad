#pragma once

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

// interpolate() on two channels at once, lane by lane with the same
// operations, so each lane's result equals interpolate() on that channel.
// y points at interleaved frames p .. p + 3 with the two channels first in
// each frame (stride floats apart).
inline __m128d interpolatePair(const float* y, int stride, double t)
{
    auto load = [](const float* pair) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pair)));
    };
    const __m128 y0 = load(y);
    const __m128 y1 = load(y + stride);
    const __m128 y2 = load(y + 2 * stride);
    const __m128 y3 = load(y + 3 * stride);
    auto times = [](float k, __m128 x) { return _mm_mul_ps(_mm_set1_ps(k), x); };
    const __m128 c1 = _mm_sub_ps(y2, y0);
    const __m128 c2 = _mm_add_ps(_mm_sub_ps(y2, times(2.0f, y1)), y0);
    const __m128 c3 = _mm_add_ps(times(9.0f, _mm_sub_ps(y2, y1)), times(3.0f, _mm_sub_ps(y0, y3)));
    const __m128 c4 = _mm_add_ps(times(15.0f, _mm_sub_ps(y1, y2)), times(5.0f, _mm_sub_ps(y3, y0)));
    const __m128 c5 = _mm_add_ps(times(6.0f, _mm_sub_ps(y2, y1)), times(2.0f, _mm_sub_ps(y0, y3)));
    const __m128d td = _mm_set1_pd(t);
    __m128d sum = _mm_add_pd(_mm_cvtps_pd(c4), _mm_mul_pd(td, _mm_cvtps_pd(c5)));
    sum = _mm_add_pd(_mm_cvtps_pd(c3), _mm_mul_pd(td, sum));
    sum = _mm_add_pd(_mm_cvtps_pd(c2), _mm_mul_pd(td, sum));
    sum = _mm_add_pd(_mm_cvtps_pd(c1), _mm_mul_pd(td, sum));
    return _mm_add_pd(_mm_cvtps_pd(y1), _mm_mul_pd(_mm_set1_pd(0.5 * t), sum));
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

// readPair into two values.
inline void readInterpolated(const float* frames, int channels, double position, double& left, double& right)
{
    const __m128d both = readPair(frames, channels, position);
    _mm_storel_pd(&left, both);
    _mm_storeh_pd(&right, both);
}

} // namespace korvel::veldro
