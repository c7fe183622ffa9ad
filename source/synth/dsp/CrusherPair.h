#pragma once

#include "synth/dsp/Crusher.h"
#include "synth/dsp/Lanes.h"

#include <emmintrin.h>

namespace korvel::veldro {

// Two crushers (both on) in the lanes of one register, left low: tick() on
// each lane with the same results. It holds their state while it works and
// writes it back on store(). Audio thread.
class CrusherPair {
public:
    CrusherPair(Crusher& left, Crusher& right);
    __m128d tick(__m128d x);
    void store();

private:
    // False (nothing changed) when a lane is too large to round through 32 bits.
    bool tickInLanes(__m128d& x);
    void load();

    Crusher& left;
    Crusher& right;
    // Without smoothing there is no chain of levels to vectorise.
    bool direct;
    __m128d levels, inv, smooth, push, run, lastLevel;
};

// Inline, so that a loop over frames keeps the state in registers.

inline CrusherPair::CrusherPair(Crusher& leftCrusher, Crusher& rightCrusher)
    : left(leftCrusher), right(rightCrusher), direct(left.smooth < 0.01 || right.smooth < 0.01)
{
    load();
}

inline void CrusherPair::load()
{
    levels = lanes::pairOf(left.levels, right.levels);
    inv = lanes::pairOf(left.inv, right.inv);
    smooth = lanes::pairOf(left.smooth, right.smooth);
    push = lanes::pairOf(left.push, right.push);
    run = lanes::pairOf(left.run, right.run);
    lastLevel = lanes::pairOf(left.lastLevel, right.lastLevel);
}

inline void CrusherPair::store()
{
    if (direct)
        return;
    lanes::split(run, left.run, right.run);
    lanes::split(lastLevel, left.lastLevel, right.lastLevel);
}

inline __m128d CrusherPair::tick(__m128d x)
{
    if (!direct && tickInLanes(x))
        return x;
    store();
    const __m128d y = lanes::pairOf(left.tick(lanes::low(x)), right.tick(lanes::high(x)));
    load();
    return y;
}

// Noise-like input makes the level steps of tick() unpredictable branches, so
// here both outcomes are computed and selected.
inline bool CrusherPair::tickInLanes(__m128d& x)
{
    const __m128d zero = _mm_setzero_pd();
    const __m128d one = _mm_set1_pd(1.0);
    __m128d y = _mm_mul_pd(levels, x);
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), y);
    if (_mm_movemask_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(1073741824.0))) != 3)
        return false;
    const __m128d pushed = lanes::select(_mm_cmplt_pd(y, zero), _mm_sub_pd(y, push), _mm_add_pd(y, push));
    y = lanes::select(_mm_cmplt_pd(magnitude, one), pushed, y);
    const __m128d whole = _mm_cvtepi32_pd(_mm_cvttpd_epi32(y));
    const __m128d rest = _mm_sub_pd(y, whole);
    const __m128d q = _mm_sub_pd(_mm_add_pd(whole, _mm_and_pd(_mm_cmpge_pd(rest, _mm_set1_pd(0.5)), one)),
                                 _mm_and_pd(_mm_cmple_pd(rest, _mm_set1_pd(-0.5)), one));
    const __m128d steady = _mm_cmpeq_pd(q, lastLevel);
    const __m128d u = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(q, lastLevel), smooth), _mm_mul_pd(run, levels));
    // smoothstep between whole-numbered levels: a clamped ratio gives exactly the ends.
    const __m128d low = _mm_min_pd(q, lastLevel);
    const __m128d span = _mm_sub_pd(_mm_max_pd(q, lastLevel), low);
    const __m128d s = _mm_min_pd(one, _mm_max_pd(zero, _mm_div_pd(_mm_sub_pd(u, low), span)));
    const __m128d eased = _mm_mul_pd(_mm_mul_pd(_mm_mul_pd(span, s), s),
                                     _mm_sub_pd(_mm_set1_pd(3.0), _mm_mul_pd(_mm_set1_pd(2.0), s)));
    const __m128d out = lanes::select(steady, q, _mm_add_pd(low, eased));
    const __m128d reached = lanes::select(_mm_cmpgt_pd(q, lastLevel), _mm_cmpge_pd(u, q), _mm_cmpge_pd(q, u));
    lastLevel = lanes::select(_mm_andnot_pd(steady, reached), q, lastLevel);
    run = lanes::select(steady, run, _mm_mul_pd(u, inv));
    x = _mm_mul_pd(out, inv);
    return true;
}

} // namespace korvel::veldro
