#pragma once

// The distortions of one channel of four grains in the lanes of one register,
// with the results of Distortion::process on that channel. Include only
// between Avx2Begin.h and Avx2End.h, after <immintrin.h>.

#include "synth/dsp/CrusherQuad.h"
#include "synth/dsp/Distortion.h"
#include "synth/dsp/Quad.h"

namespace korvel::veldro {

// Holds the state while it works and writes it back on store(). Lanes whose
// grain has a stage off pass through that stage. Audio thread.
class DistortionQuad {
public:
    // crushers: the channel's crusher of each distortion; toneStates: its tone
    // filter state.
    DistortionQuad(quad::Units<Distortion> distortions, quad::Units<Crusher> crushers,
                   quad::Units<double> toneStates)
        : units(quad::lanesOf(distortions)), states(quad::lanesOf(toneStates)), crusherQuad(crushers),
          drive(quad::gather(distortions, [](const Distortion& d) { return d.shaper.drive; })),
          tone(quad::gather(distortions, [](const Distortion& d) { return d.tone; })),
          kept(_mm256_sub_pd(_mm256_set1_pd(1.0), tone)),
          toneState(quad::gather(toneStates, [](const double& s) { return s; })),
          shaping(_mm256_cmp_pd(drive, _mm256_setzero_pd(), _CMP_NEQ_UQ)),
          crushing(_mm256_cmp_pd(quad::gather(crushers, [](const Crusher& c) { return c.levels; }),
                                 _mm256_set1_pd(1.0), _CMP_GE_OQ)),
          toning(_mm256_cmp_pd(tone, _mm256_set1_pd(1.0), _CMP_LT_OQ))
    {
    }

    // The other channel's units of the same distortions.
    DistortionQuad(quad::Units<Crusher> crushers, quad::Units<double> toneStates, const DistortionQuad& sameSettings)
        : DistortionQuad(sameSettings)
    {
        states = quad::lanesOf(toneStates);
        crusherQuad = CrusherQuad(crushers, sameSettings.crusherQuad);
        toneState = quad::gather(toneStates, [](const double& s) { return s; });
    }

    // The waveshaper has no state, so a block goes through it on its own.
    void shape(__m256d* x, int count) const
    {
        if (!quad::any(shaping))
            return;
        // A fold through a sine: lane by lane as the waveshaper does it.
        if (quad::any(_mm256_cmp_pd(drive, _mm256_setzero_pd(), _CMP_LT_OQ))) {
            for (int i = 0; i < count; ++i)
                x[i] = shapeOneByOne(x[i]);
            return;
        }
        for (int i = 0; i < count; ++i)
            x[i] = quad::select(shaping, overdrive(x[i]), x[i]);
    }

    // The crushers and the tone filter: the stages after shape().
    __m256d process(__m256d x)
    {
        if (quad::any(crushing))
            x = crusherQuad.tick(x);
        if (quad::any(toning)) {
            toneState = _mm256_add_pd(_mm256_mul_pd(tone, x), _mm256_mul_pd(kept, toneState));
            x = quad::select(toning, toneState, x);
        }
        return x;
    }

    void store()
    {
        if (quad::any(crushing))
            crusherQuad.store();
        quad::scatter(states, toneState, [](double& s) -> double& { return s; });
    }

private:
    // Waveshaper::shape with a drive above 0.
    __m256d overdrive(__m256d x) const
    {
        const __m256d y = _mm256_mul_pd(drive, x);
        const __m256d a = quad::magnitude(y);
        const __m256d knee = _mm256_cmp_pd(a, _mm256_set1_pd(0.9), _CMP_NLE_UQ);
        if (!quad::any(knee))
            return y;
        // smoothstep(a, 0.8, 1.0) with the same operations.
        constexpr double low = 0.8;
        constexpr double high = 1.0;
        const __m256d s = _mm256_div_pd(_mm256_sub_pd(a, _mm256_set1_pd(low)), _mm256_set1_pd(high - low));
        const __m256d eased = _mm256_add_pd(
            _mm256_set1_pd(low),
            _mm256_mul_pd(_mm256_mul_pd(_mm256_mul_pd(_mm256_set1_pd(high - low), s), s),
                          _mm256_sub_pd(_mm256_set1_pd(3.0), _mm256_mul_pd(_mm256_set1_pd(2.0), s))));
        const __m256d bent = quad::select(_mm256_cmp_pd(a, _mm256_set1_pd(high), _CMP_LT_OQ), eased,
                                          _mm256_set1_pd(high));
        const __m256d negative = _mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_LT_OQ);
        const __m256d signedBent = quad::select(negative, _mm256_sub_pd(_mm256_setzero_pd(), bent), bent);
        return quad::select(knee, signedBent, y);
    }

    __m256d shapeOneByOne(__m256d x) const
    {
        alignas(32) double values[4];
        _mm256_store_pd(values, x);
        for (int k = 0; k < 4; ++k) {
            if (units[k]->shaper.drive != 0.0)
                values[k] = units[k]->shaper.shape(values[k]);
        }
        return _mm256_load_pd(values);
    }

    quad::Lanes<Distortion> units;
    quad::Lanes<double> states;
    CrusherQuad crusherQuad;
    __m256d drive, tone, kept, toneState;
    __m256d shaping, crushing, toning;
};

} // namespace korvel::veldro
