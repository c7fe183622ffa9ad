#pragma once

// The crushers of one channel of four grains in the lanes of one register:
// tick() on each lane with the results of Crusher::tick. Include only between
// Avx2Begin.h and Avx2End.h, after <immintrin.h>.

#include "synth/dsp/Crusher.h"
#include "synth/dsp/Quad.h"

namespace korvel::veldro {

// Holds the crushers' state while it works and writes it back on store().
// Lanes whose crusher is off pass their values through. Audio thread.
class CrusherQuad {
public:
    explicit CrusherQuad(quad::Units<Crusher> crushers) : units(quad::lanesOf(crushers)) { load(); }
    // The other channel's crushers, set up as those of sameSettings.
    CrusherQuad(quad::Units<Crusher> crushers, const CrusherQuad& sameSettings) : CrusherQuad(sameSettings)
    {
        units = quad::lanesOf(crushers);
        loadState();
    }

    __m256d tick(__m256d x)
    {
        const __m256d one = _mm256_set1_pd(1.0);
        __m256d y = _mm256_mul_pd(levels, x);
        const __m256d size = quad::magnitude(y);
        // Beyond 2^30 the level arithmetic below may round: each lane the
        // scalar way.
        if (quad::any(_mm256_cmp_pd(size, _mm256_set1_pd(1073741824.0), _CMP_NLT_UQ)))
            return tickOneByOne(x);
        // The same values as the scalar steps with fewer arithmetic ones: the
        // signs are moved with bit operations. A push or a rounding step
        // takes the sign of what it is added to (a -0 pushed the other way
        // still rounds to the same level 0).
        const __m256d sign = _mm256_set1_pd(-0.0);
        const __m256d pushed = _mm256_add_pd(y, _mm256_or_pd(_mm256_and_pd(y, sign), push));
        y = quad::select(_mm256_cmp_pd(size, one, _CMP_LT_OQ), pushed, y);
        const __m256d whole = _mm256_round_pd(y, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
        const __m256d rest = _mm256_sub_pd(y, whole);
        const __m256d away = _mm256_cmp_pd(quad::magnitude(rest), _mm256_set1_pd(0.5), _CMP_GE_OQ);
        const __m256d q = _mm256_add_pd(whole, _mm256_and_pd(away, _mm256_or_pd(_mm256_and_pd(rest, sign), one)));
        // Lanes without smoothing, and those whose level holds, give q itself;
        // neither they nor the lanes that are off change their state.
        const __m256d steady = _mm256_or_pd(fixed, _mm256_cmp_pd(q, lastLevel, _CMP_EQ_OQ));
        const __m256d step = _mm256_sub_pd(q, lastLevel);
        const __m256d u = _mm256_add_pd(_mm256_mul_pd(step, smooth), _mm256_mul_pd(run, levels));
        // smoothstep between whole-numbered levels: a clamped ratio gives exactly the ends.
        const __m256d low = _mm256_min_pd(q, lastLevel);
        const __m256d span = quad::magnitude(step);
        const __m256d s =
            _mm256_min_pd(one, _mm256_max_pd(_mm256_setzero_pd(), _mm256_div_pd(_mm256_sub_pd(u, low), span)));
        const __m256d eased = _mm256_mul_pd(_mm256_mul_pd(_mm256_mul_pd(span, s), s),
                                            _mm256_sub_pd(_mm256_set1_pd(3.0), _mm256_mul_pd(_mm256_set1_pd(2.0), s)));
        const __m256d out = quad::select(steady, q, _mm256_add_pd(low, eased));
        // u has reached q: u >= q on the way up, q >= u on the way down, as
        // the sign of u - q turned by that of the step.
        const __m256d reached = _mm256_cmp_pd(_mm256_xor_pd(_mm256_sub_pd(u, q), _mm256_and_pd(step, sign)),
                                              _mm256_setzero_pd(), _CMP_GE_OQ);
        lastLevel = quad::select(_mm256_andnot_pd(steady, reached), q, lastLevel);
        run = quad::select(steady, run, _mm256_mul_pd(u, inv));
        return quad::select(on, _mm256_mul_pd(out, inv), x);
    }

    void store()
    {
        quad::scatter(units, run, [](Crusher& c) -> double& { return c.run; });
        quad::scatter(units, lastLevel, [](Crusher& c) -> double& { return c.lastLevel; });
    }

private:
    void load()
    {
        levels = quad::gather(units, [](const Crusher& c) { return c.levels; });
        inv = quad::gather(units, [](const Crusher& c) { return c.inv; });
        smooth = quad::gather(units, [](const Crusher& c) { return c.smooth; });
        push = quad::gather(units, [](const Crusher& c) { return c.push; });
        loadState();
        on = _mm256_cmp_pd(levels, _mm256_set1_pd(1.0), _CMP_GE_OQ);
        fixed = _mm256_or_pd(_mm256_cmp_pd(smooth, _mm256_set1_pd(0.01), _CMP_LT_OQ),
                             _mm256_cmp_pd(levels, _mm256_set1_pd(1.0), _CMP_NGE_UQ));
    }

    void loadState()
    {
        run = quad::gather(units, [](const Crusher& c) { return c.run; });
        lastLevel = quad::gather(units, [](const Crusher& c) { return c.lastLevel; });
    }

    __m256d tickOneByOne(__m256d x)
    {
        store();
        alignas(32) double values[4];
        _mm256_store_pd(values, x);
        for (int k = 0; k < 4; ++k)
            values[k] = units[k]->tick(values[k]);
        load();
        return _mm256_load_pd(values);
    }

    quad::Lanes<Crusher> units;
    __m256d levels, inv, smooth, push, run, lastLevel;
    __m256d on, fixed;
};

} // namespace korvel::veldro
