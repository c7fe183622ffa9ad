#include "synth/dsp/Crusher.h"

#include "synth/dsp/Shaping.h"

#include "synth/dsp/Lanes.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

namespace {

// std::round (halves away from zero) without a library call per sample.
double roundHalfAway(double y)
{
    // From 2^52 on every double is whole (and NaN or infinity stays as it is).
    if (!(std::fabs(y) < 4503599627370496.0))
        return y;
    const double whole = static_cast<double>(static_cast<long long>(y));
    const double rest = y - whole;
    return rest >= 0.5 ? whole + 1.0 : rest <= -0.5 ? whole - 1.0 : whole;
}

} // namespace

void Crusher::setup(double bits, double tone)
{
    if (bits > 13.9) {
        levels = 0.0;
        inv = 0.0;
        return;
    }
    run = 0.0;
    lastLevel = 0.0;
    levels = std::exp2(std::max(0.0, bits));
    inv = 1.0 / levels;
    push = 0.444 / std::max(1.0, bits);
    const double span = (1.0 - std::clamp(tone, 0.0, 1.0)) * (10.0 - 0.6 * bits);
    const double steps = std::round(std::clamp(span, 0.0, 10.0));
    smooth = steps == 0.0 ? 0.0 : 1.0 / steps;
}

double Crusher::tick(double x)
{
    if (levels < 1.0)
        return x;
    double y = levels * x;
    // Quiet input is pushed off zero so that it still toggles the lowest level.
    if (std::fabs(y) < 1.0)
        y = y < 0.0 ? y - push : y + push;
    const double q = roundHalfAway(y);
    if (smooth < 0.01)
        return q * inv;
    double out = q;
    if (q > lastLevel) {
        const double u = (q - lastLevel) * smooth + run * levels;
        out = smoothstep(u, lastLevel, q);
        if (u >= q)
            lastLevel = q;
        run = u * inv;
    } else if (q < lastLevel) {
        const double u = run * levels - (lastLevel - q) * smooth;
        out = smoothstep(u, q, lastLevel);
        if (q >= u)
            lastLevel = q;
        run = u * inv;
    }
    return out * inv;
}

namespace {

using lanes::pairOf;
using lanes::select;

// The lanes' crusher state; noise-like input makes the level steps of tick()
// unpredictable branches, so here both outcomes are computed and selected.
struct CrusherPair {
    __m128d levels, inv, smooth, push, run, lastLevel;

    CrusherPair(const Crusher& left, const Crusher& right)
        : levels(pairOf(left.levels, right.levels)), inv(pairOf(left.inv, right.inv)),
          smooth(pairOf(left.smooth, right.smooth)), push(pairOf(left.push, right.push)),
          run(pairOf(left.run, right.run)), lastLevel(pairOf(left.lastLevel, right.lastLevel))
    {
    }

    // False (nothing changed) when a lane is too large to round through 32 bits.
    bool tick(__m128d& x)
    {
        const __m128d zero = _mm_setzero_pd();
        const __m128d one = _mm_set1_pd(1.0);
        __m128d y = _mm_mul_pd(levels, x);
        const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), y);
        if (_mm_movemask_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(1073741824.0))) != 3)
            return false;
        const __m128d pushed = select(_mm_cmplt_pd(y, zero), _mm_sub_pd(y, push), _mm_add_pd(y, push));
        y = select(_mm_cmplt_pd(magnitude, one), pushed, y);
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
        const __m128d out = select(steady, q, _mm_add_pd(low, eased));
        const __m128d reached = select(_mm_cmpgt_pd(q, lastLevel), _mm_cmpge_pd(u, q), _mm_cmpge_pd(q, u));
        lastLevel = select(_mm_andnot_pd(steady, reached), q, lastLevel);
        run = select(steady, run, _mm_mul_pd(u, inv));
        x = _mm_mul_pd(out, inv);
        return true;
    }

    void store(Crusher& left, Crusher& right) const
    {
        lanes::split(run, left.run, right.run);
        lanes::split(lastLevel, left.lastLevel, right.lastLevel);
    }
};

} // namespace

void Crusher::tickStereo(Crusher& left, Crusher& right, double* l, double* r, int count)
{
    if (left.smooth < 0.01 || right.smooth < 0.01) {
        for (int i = 0; i < count; ++i) {
            l[i] = left.tick(l[i]);
            r[i] = right.tick(r[i]);
        }
        return;
    }
    CrusherPair pair(left, right);
    for (int i = 0; i < count; ++i) {
        __m128d x = pairOf(l[i], r[i]);
        if (pair.tick(x)) {
            lanes::split(x, l[i], r[i]);
            continue;
        }
        pair.store(left, right);
        l[i] = left.tick(l[i]);
        r[i] = right.tick(r[i]);
        pair = CrusherPair(left, right);
    }
    pair.store(left, right);
}

} // namespace korvel::veldro
