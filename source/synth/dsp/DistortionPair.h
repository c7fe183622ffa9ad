#pragma once

#include "synth/dsp/CrusherPair.h"
#include "synth/dsp/Distortion.h"
#include "synth/dsp/Lanes.h"

#include <emmintrin.h>

namespace korvel::veldro {

// A distortion on both channels in the lanes of one register, left low, with
// the results of Distortion::process. It holds the state while it works and
// writes it back on store(). Inline, so that a loop over frames keeps the
// state in registers. Audio thread.
class DistortionPair {
public:
    explicit DistortionPair(Distortion& distortion)
        : unit(distortion), crushers(distortion.left, distortion.right), shaping(distortion.shaper.drive != 0.0),
          crushing(distortion.left.isOn()), toning(distortion.tone < 1.0), tone(_mm_set1_pd(distortion.tone)),
          kept(_mm_set1_pd(1.0 - distortion.tone)),
          toneState(lanes::pairOf(distortion.toneStateL, distortion.toneStateR))
    {
    }

    // The waveshaper has no state, so a block can go through it on its own,
    // before the stages that do (which keeps its calls out of their loop).
    void shape(__m128d* frames, int count) const
    {
        if (!shaping)
            return;
        for (int i = 0; i < count; ++i) {
            const double l = lanes::low(frames[i]);
            const double r = lanes::high(frames[i]);
            const double shapedL = unit.shaper.shape(l);
            frames[i] = lanes::pairOf(shapedL, r == l ? shapedL : unit.shaper.shape(r));
        }
    }

    // The crushers and the tone filter: the stages after shape().
    __m128d process(__m128d x)
    {
        if (crushing)
            x = crushers.tick(x);
        if (toning) {
            toneState = _mm_add_pd(_mm_mul_pd(tone, x), _mm_mul_pd(kept, toneState));
            x = toneState;
        }
        return x;
    }

    void store()
    {
        if (crushing)
            crushers.store();
        lanes::split(toneState, unit.toneStateL, unit.toneStateR);
    }

private:
    Distortion& unit;
    CrusherPair crushers;
    bool shaping;
    bool crushing;
    bool toning;
    __m128d tone;
    __m128d kept; // 1 - tone
    __m128d toneState;
};

} // namespace korvel::veldro
