#pragma once

#include <emmintrin.h>

// Left and right side by side in the two lanes of one register (left low):
// the stereo units run both channels with the same operations at once.
namespace korvel::veldro::lanes {

inline __m128d pairOf(double left, double right)
{
    return _mm_set_pd(right, left);
}

inline double low(__m128d pair)
{
    return _mm_cvtsd_f64(pair);
}

inline double high(__m128d pair)
{
    return _mm_cvtsd_f64(_mm_unpackhi_pd(pair, pair));
}

inline void split(__m128d pair, double& left, double& right)
{
    _mm_storel_pd(&left, pair);
    _mm_storeh_pd(&right, pair);
}

// yes where mask is set, no elsewhere.
inline __m128d select(__m128d mask, __m128d yes, __m128d no)
{
    return _mm_or_pd(_mm_and_pd(mask, yes), _mm_andnot_pd(mask, no));
}

} // namespace korvel::veldro::lanes
