#pragma once

// The envelopes of four grains in the lanes of one register: levels() with
// the results of GrainEnvelope::levels. Include only between Avx2Begin.h and
// Avx2End.h, after <immintrin.h>.

#include "synth/dsp/GrainEnvelope.h"
#include "synth/dsp/Quad.h"

#include <numbers>

namespace korvel::veldro {

// Holds the envelopes' state while it works and writes it back on store().
// Audio thread.
class EnvelopeQuad {
public:
    explicit EnvelopeQuad(quad::Units<GrainEnvelope> envelopes) : units(quad::lanesOf(envelopes))
    {
        auto lanes = [&](auto field) {
            return quad::gather(envelopes, [&](const GrainEnvelope& v) { return double(field(v)); });
        };
        counter = lanes([](const GrainEnvelope& v) { return v.counter; });
        attackEnd = lanes([](const GrainEnvelope& v) { return v.attackEnd; });
        decayStart = lanes([](const GrainEnvelope& v) { return v.decayStart; });
        phase = lanes([](const GrainEnvelope& v) { return v.envPhase; });
        phaseStep = lanes([](const GrainEnvelope& v) { return v.envStep; });
        c = lanes([](const GrainEnvelope& v) { return v.cosPhase; });
        s = lanes([](const GrainEnvelope& v) { return v.sinPhase; });
        cStep = lanes([](const GrainEnvelope& v) { return v.cosStep; });
        sStep = lanes([](const GrainEnvelope& v) { return v.sinStep; });
    }

    // The levels of the next count frames; each envelope has that many left.
    void levels(__m256d* e, int count)
    {
        const __m256d one = _mm256_set1_pd(1.0);
        const __m256d end = _mm256_add_pd(counter, _mm256_set1_pd(count));
        // Every lane holding all through: nothing moves.
        const __m256d holding = _mm256_and_pd(_mm256_cmp_pd(counter, attackEnd, _CMP_GE_OQ),
                                              _mm256_cmp_pd(end, decayStart, _CMP_LE_OQ));
        if (_mm256_movemask_pd(holding) == 15) {
            for (int i = 0; i < count; ++i)
                e[i] = one;
            counter = end;
            return;
        }
        // Lanes that hold for part of the block, or begin their decay in it,
        // take the general steps; the others only rotate.
        const __m256d general = _mm256_and_pd(_mm256_cmp_pd(end, attackEnd, _CMP_GT_OQ),
                                                   _mm256_cmp_pd(counter, decayStart, _CMP_LE_OQ));
        if (quad::any(general))
            steps<true>(e, count);
        else
            steps<false>(e, count);
        counter = end;
    }

    void store()
    {
        alignas(32) double frames[4];
        _mm256_store_pd(frames, counter);
        for (int k = 0; k < 4; ++k)
            units[k]->counter = static_cast<int>(frames[k]);
        quad::scatter(units, phase, [](GrainEnvelope& v) -> double& { return v.envPhase; });
        quad::scatter(units, phaseStep, [](GrainEnvelope& v) -> double& { return v.envStep; });
        quad::scatter(units, c, [](GrainEnvelope& v) -> double& { return v.cosPhase; });
        quad::scatter(units, s, [](GrainEnvelope& v) -> double& { return v.sinPhase; });
        quad::scatter(units, cStep, [](GrainEnvelope& v) -> double& { return v.cosStep; });
        quad::scatter(units, sStep, [](GrainEnvelope& v) -> double& { return v.sinStep; });
    }

private:
    template <bool GENERAL>
    void steps(__m256d* e, int count)
    {
        const __m256d one = _mm256_set1_pd(1.0);
        const __m256d pi = _mm256_set1_pd(std::numbers::pi);
        __m256d frame = counter;
        for (int i = 0; i < count; ++i) {
            __m256d hold = _mm256_setzero_pd();
            if (GENERAL) {
                hold = _mm256_and_pd(_mm256_cmp_pd(frame, attackEnd, _CMP_GE_OQ),
                                     _mm256_cmp_pd(frame, decayStart, _CMP_LT_OQ));
                const __m256d decayBegins = _mm256_cmp_pd(frame, decayStart, _CMP_EQ_OQ);
                if (quad::any(decayBegins)) {
                    const __m256d decayPhaseStep = quad::gather(units, [](const GrainEnvelope& v) {
                        return std::numbers::pi / (v.length - v.decayStart);
                    });
                    const __m256d cosDecayStep =
                        quad::gather(units, [](const GrainEnvelope& v) { return v.cosDecayStep; });
                    const __m256d sinDecayStep =
                        quad::gather(units, [](const GrainEnvelope& v) { return v.sinDecayStep; });
                    phase = quad::select(decayBegins, _mm256_setzero_pd(), phase);
                    phaseStep = quad::select(decayBegins, decayPhaseStep, phaseStep);
                    c = quad::select(decayBegins, one, c);
                    s = quad::select(decayBegins, _mm256_setzero_pd(), s);
                    cStep = quad::select(decayBegins, cosDecayStep, cStep);
                    sStep = quad::select(decayBegins, sinDecayStep, sStep);
                }
                frame = _mm256_add_pd(frame, one);
            }
            const __m256d moved = _mm256_add_pd(phase, phaseStep);
            __m256d nextC = _mm256_sub_pd(_mm256_mul_pd(c, cStep), _mm256_mul_pd(s, sStep));
            __m256d nextS = _mm256_add_pd(_mm256_mul_pd(s, cStep), _mm256_mul_pd(c, sStep));
            __m256d nextPhase = moved;
            // The phase reaching either end stops there.
            const __m256d atStart = _mm256_cmp_pd(moved, _mm256_setzero_pd(), _CMP_LE_OQ);
            const __m256d atEnd = _mm256_cmp_pd(moved, pi, _CMP_GE_OQ);
            if (quad::any(_mm256_or_pd(atStart, atEnd))) {
                const __m256d pastEnd = _mm256_andnot_pd(atStart, atEnd);
                nextC = quad::select(atStart, one, quad::select(pastEnd, _mm256_set1_pd(-1.0), nextC));
                nextS = quad::select(_mm256_or_pd(atStart, pastEnd), _mm256_setzero_pd(), nextS);
                nextPhase = quad::select(atStart, _mm256_setzero_pd(), quad::select(pastEnd, pi, moved));
            }
            const __m256d level = _mm256_add_pd(_mm256_set1_pd(0.5), _mm256_mul_pd(_mm256_set1_pd(0.5), nextC));
            if (GENERAL) {
                phase = quad::select(hold, phase, nextPhase);
                c = quad::select(hold, c, nextC);
                s = quad::select(hold, s, nextS);
                e[i] = quad::select(hold, one, level);
            } else {
                phase = nextPhase;
                c = nextC;
                s = nextS;
                e[i] = level;
            }
        }
    }

    quad::Lanes<GrainEnvelope> units;
    // Frame numbers as doubles: whole and far below 2^53, so exact.
    __m256d counter, attackEnd, decayStart;
    __m256d phase, phaseStep, c, s, cStep, sStep;
};

} // namespace korvel::veldro
