#pragma once

// Four grains reading their sounds side by side, one grain per lane: the read
// positions of Grain::advance and the values of readPair, with the same
// operations. Include only between Avx2Begin.h and Avx2End.h, after
// <immintrin.h>.

#include "synth/dsp/Quad.h"
#include "synth/dsp/ReadFourAvx2.h"
#include "synth/dsp/Shaping.h"
#include "synth/dsp/SoundReader.h"

namespace korvel::veldro {

// Audio thread; set up per block from the grains and stored back after it.
struct ReadQuad {
    const float* samples[4]; // interleaved, with wrap frames after the end
    long stride[4];          // channels
    bool twoChannels;        // every lane's sound has exactly two
    __m256d position;        // in frames
    __m256d increment;
    __m256d incrementDelta;
    __m256d end;             // sound length in frames

    // The read position of the next frame of each lane; moves the lanes on.
    __m256d advance()
    {
        const __m256d at = position;
        position = _mm256_add_pd(position, increment);
        increment = _mm256_add_pd(increment, incrementDelta);
        const __m256d inside = _mm256_and_pd(_mm256_cmp_pd(position, _mm256_setzero_pd(), _CMP_GE_OQ),
                                             _mm256_cmp_pd(position, end, _CMP_LE_OQ));
        if (_mm256_movemask_pd(inside) != 15)
            wrapLanes();
        return at;
    }

    // Channels 0 and 1 of each lane's sound (two channels or more) at `at`.
    void readStereo(__m256d at, __m256d& left, __m256d& right) const
    {
        const float* y[4];
        const __m256d t = startsOf(at, y);
        __m256 points[4];
        if (twoChannels) {
            // A lane's four frames are eight floats in a row: four loads and
            // a transposition of their pairs.
            auto frames = [&](int n) { return _mm256_loadu_pd(reinterpret_cast<const double*>(y[n])); };
            const __m256d v0 = frames(0), v1 = frames(1), v2 = frames(2), v3 = frames(3);
            const __m256d even01 = _mm256_unpacklo_pd(v0, v1), odd01 = _mm256_unpackhi_pd(v0, v1);
            const __m256d even23 = _mm256_unpacklo_pd(v2, v3), odd23 = _mm256_unpackhi_pd(v2, v3);
            points[0] = _mm256_castpd_ps(_mm256_permute2f128_pd(even01, even23, 0x20));
            points[1] = _mm256_castpd_ps(_mm256_permute2f128_pd(odd01, odd23, 0x20));
            points[2] = _mm256_castpd_ps(_mm256_permute2f128_pd(even01, even23, 0x31));
            points[3] = _mm256_castpd_ps(_mm256_permute2f128_pd(odd01, odd23, 0x31));
        } else {
            for (int k = 0; k < 4; ++k) {
                auto pairAt = [&](int n) {
                    return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y[n] + k * stride[n])));
                };
                const __m128 low = _mm_loadh_pi(pairAt(0), reinterpret_cast<const __m64*>(y[1] + k * stride[1]));
                const __m128 high = _mm_loadh_pi(pairAt(2), reinterpret_cast<const __m64*>(y[3] + k * stride[3]));
                points[k] = _mm256_set_m128(high, low);
            }
        }
        // Each point's lefts of all four lanes in the low half, rights in the high.
        const __m256i channelsApart = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
        for (__m256& point : points)
            point = _mm256_permutevar8x32_ps(point, channelsApart);
        const avx2::Coefficients k = avx2::coefficients(points[0], points[1], points[2], points[3]);
        // Widened from memory: converting from registers takes a shuffle
        // each, and shuffles are what reading runs short of. The empty asm
        // keeps the compiler from turning the stores and loads back into them.
        alignas(32) float values[6][8];
        const __m256 all[6] = {k.c1, k.c2, k.c3, k.c4, k.c5, points[1]};
        for (int j = 0; j < 6; ++j)
            _mm256_store_ps(values[j], all[j]);
        asm("" : "+m"(values));
        left = polynomialOf(values, 0, t);
        right = polynomialOf(values, 4, t);
    }

    // Channel 0 of each lane's sound (one channel) at `at`.
    __m256d readMono(__m256d at) const
    {
        const float* y[4];
        const __m256d t = startsOf(at, y);
        __m128 y0 = _mm_loadu_ps(y[0]);
        __m128 y1 = _mm_loadu_ps(y[1]);
        __m128 y2 = _mm_loadu_ps(y[2]);
        __m128 y3 = _mm_loadu_ps(y[3]);
        _MM_TRANSPOSE4_PS(y0, y1, y2, y3);
        const detail::Coefficients k(y0, y1, y2, y3);
        alignas(32) float values[6][8];
        const __m128 all[6] = {k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], y1};
        for (int j = 0; j < 6; ++j)
            _mm_store_ps(values[j], all[j]);
        asm("" : "+m"(values));
        return polynomialOf(values, 0, t);
    }

private:
    // The double polynomial of interpolate() from the coefficients c1 .. c5
    // and y1 in rows 0 to 5 of values, the four lanes from column first on.
    static __m256d polynomialOf(const float (&values)[6][8], int first, __m256d t)
    {
        auto wide = [&](int row) { return _mm256_cvtps_pd(_mm_load_ps(&values[row][first])); };
        __m256d sum = _mm256_add_pd(wide(3), _mm256_mul_pd(t, wide(4)));
        sum = _mm256_add_pd(wide(2), _mm256_mul_pd(t, sum));
        sum = _mm256_add_pd(wide(1), _mm256_mul_pd(t, sum));
        sum = _mm256_add_pd(wide(0), _mm256_mul_pd(t, sum));
        return _mm256_add_pd(wide(5), _mm256_mul_pd(_mm256_mul_pd(_mm256_set1_pd(0.5), t), sum));
    }

    // Each lane's first frame of the four it reads, and the fraction.
    __m256d startsOf(__m256d at, const float* (&y)[4]) const
    {
        // Positions are below 2^31 frames, so 32-bit truncation is that of readPair.
        const __m128i whole = _mm256_cvttpd_epi32(at);
        y[0] = samples[0] + _mm_cvtsi128_si32(whole) * stride[0];
        y[1] = samples[1] + _mm_extract_epi32(whole, 1) * stride[1];
        y[2] = samples[2] + _mm_extract_epi32(whole, 2) * stride[2];
        y[3] = samples[3] + _mm_extract_epi32(whole, 3) * stride[3];
        return _mm256_sub_pd(at, _mm256_cvtepi32_pd(whole));
    }

    void wrapLanes()
    {
        alignas(32) double p[4];
        alignas(32) double e[4];
        _mm256_store_pd(p, position);
        _mm256_store_pd(e, end);
        for (int k = 0; k < 4; ++k) {
            if (!(p[k] >= 0.0 && p[k] <= e[k]))
                p[k] = wrapPosition(p[k], e[k]);
        }
        position = _mm256_load_pd(p);
    }
};

} // namespace korvel::veldro
