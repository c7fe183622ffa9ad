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

// Two of the interpolation points, both channels of every lane. Not a std::pair: g++ 12
// fails with an internal compiler error on a pair of 256-bit vectors built
// inside the AVX2 region without optimisation.
struct PointPair {
    __m256d first;
    __m256d second;
};

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
        // Each point's two channels of lanes 0 and 2 in the low half, of
        // lanes 1 and 3 in the high one: the loads put the halves in place,
        // which spares the shuffle port most of the work.
        __m256 points[4];
        if (twoChannels) {
            // A lane's four frames are eight floats in a row.
            auto frames = [&](int offset) {
                const __m256d low = _mm256_castps_pd(_mm256_loadu2_m128(y[1] + offset, y[0] + offset));
                const __m256d high = _mm256_castps_pd(_mm256_loadu2_m128(y[3] + offset, y[2] + offset));
                return PointPair{_mm256_unpacklo_pd(low, high), _mm256_unpackhi_pd(low, high)};
            };
            const auto [p0, p1] = frames(0);
            const auto [p2, p3] = frames(4);
            points[0] = _mm256_castpd_ps(p0);
            points[1] = _mm256_castpd_ps(p1);
            points[2] = _mm256_castpd_ps(p2);
            points[3] = _mm256_castpd_ps(p3);
        } else {
            for (int k = 0; k < 4; ++k) {
                auto pairAt = [&](int n) {
                    return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y[n] + k * stride[n])));
                };
                auto withPairAt = [&](__m128 low, int n) {
                    return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(y[n] + k * stride[n]));
                };
                points[k] = _mm256_set_m128(withPairAt(pairAt(1), 3), withPairAt(pairAt(0), 2));
            }
        }
        const avx2::Coefficients k = avx2::coefficients(points[0], points[1], points[2], points[3]);
        // Widened from memory: converting from registers takes a shuffle
        // each. The empty asm keeps the compiler from turning the stores and
        // loads back into them.
        alignas(32) float values[6][8];
        const __m256 all[6] = {k.c1, k.c2, k.c3, k.c4, k.c5, points[1]};
        for (int j = 0; j < 6; ++j)
            _mm256_store_ps(values[j], all[j]);
        asm("" : "+m"(values));
        // Lanes 0 and 2, then 1 and 3, each with both channels.
        const __m256d even = polynomialOf(values, 0, _mm256_permute4x64_pd(t, _MM_SHUFFLE(2, 2, 0, 0)));
        const __m256d odd = polynomialOf(values, 4, _mm256_permute4x64_pd(t, _MM_SHUFFLE(3, 3, 1, 1)));
        left = _mm256_unpacklo_pd(even, odd);
        right = _mm256_unpackhi_pd(even, odd);
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
        // Positions are below 2^31 frames, so 32-bit truncation is that of
        // readPair. Through memory again, for the shuffle port's sake.
        alignas(16) int whole[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(whole), _mm256_cvttpd_epi32(at));
        asm("" : "+m"(whole));
        for (int k = 0; k < 4; ++k)
            y[k] = samples[k] + whole[k] * stride[k];
        return _mm256_sub_pd(at, _mm256_round_pd(at, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC));
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
