#pragma once

// Four grains side by side in the lanes of a 256-bit register, one channel
// each. Include only between Avx2Begin.h and Avx2End.h.

#include <immintrin.h>

#include <array>

namespace korvel::veldro::quad {

// The four units whose values a register's lanes carry, lane 0 first.
template <typename Unit>
using Units = Unit* const (&)[4];
// The same, kept by the classes that work on them.
template <typename Unit>
using Lanes = std::array<Unit*, 4>;

template <typename Unit>
Lanes<Unit> lanesOf(Units<Unit> units)
{
    return {units[0], units[1], units[2], units[3]};
}

// field(unit) of each unit, one per lane.
template <typename List, typename Field>
inline __m256d gather(const List& units, Field field)
{
    return _mm256_setr_pd(field(*units[0]), field(*units[1]), field(*units[2]), field(*units[3]));
}

// Writes each lane of x to field(unit) of its unit.
template <typename List, typename Field>
inline void scatter(const List& units, __m256d x, Field field)
{
    const __m128d low = _mm256_castpd256_pd128(x);
    const __m128d high = _mm256_extractf128_pd(x, 1);
    _mm_storel_pd(&field(*units[0]), low);
    _mm_storeh_pd(&field(*units[1]), low);
    _mm_storel_pd(&field(*units[2]), high);
    _mm_storeh_pd(&field(*units[3]), high);
}

// yes where mask is set, no elsewhere.
inline __m256d select(__m256d mask, __m256d yes, __m256d no)
{
    return _mm256_blendv_pd(no, yes, mask);
}

inline bool any(__m256d mask)
{
    return _mm256_movemask_pd(mask) != 0;
}

inline __m256d magnitude(__m256d x)
{
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
}

} // namespace korvel::veldro::quad
