#pragma once

#include "synth/dsp/Filter.h"
#include "synth/dsp/Lanes.h"

#include <emmintrin.h>

namespace korvel::veldro {

// The left and right filters in the lanes of one register, left low:
// Filter::process() on each lane with the same operations, so the same
// results. It holds their state while it works and writes it back on store().
// Inline, so that a loop over frames keeps the state in registers. Audio
// thread.
class FilterPair {
public:
    FilterPair(Filter& leftFilter, Filter& rightFilter)
        : left(leftFilter), right(rightFilter), s1(left.section1, right.section1), s2(left.section2, right.section2),
          in(left.inputFollower, right.inputFollower), out(left.outputFollower, right.outputFollower),
          lo(lanes::pairOf(left.lo, right.lo)), mid(lanes::pairOf(left.mid, right.mid)),
          hi(lanes::pairOf(left.hi, right.hi)), dry(lanes::pairOf(left.dry, right.dry)),
          level(lanes::pairOf(2.0 - (left.lo + left.mid + left.hi) / 3.0,
                              2.0 - (right.lo + right.mid + right.hi) / 3.0))
    {
    }

    __m128d process(__m128d x)
    {
        s1.process(x);
        s2.process(x);
        const __m128d pin = in.process(x);
        __m128d sum = _mm_add_pd(_mm_add_pd(s1.low, s1.band), s1.high);
        sum = _mm_add_pd(_mm_add_pd(_mm_add_pd(sum, s2.low), s2.band), s2.high);
        const __m128d pout = out.process(sum);
        const __m128d silent = _mm_cmpeq_pd(pout, _mm_setzero_pd());
        const __m128d ratio = lanes::select(silent, pin, _mm_div_pd(pin, pout));
        const __m128d c = _mm_mul_pd(_mm_sqrt_pd(ratio), level);
        const __m128d highs = _mm_mul_pd(_mm_add_pd(s1.high, s2.high), c);
        const __m128d bands = _mm_mul_pd(_mm_add_pd(s1.band, s2.band), c);
        const __m128d lows = _mm_mul_pd(_mm_add_pd(s1.low, s2.low), c);
        const __m128d y = _mm_add_pd(_mm_mul_pd(hi, highs), _mm_mul_pd(mid, bands));
        return _mm_add_pd(_mm_add_pd(y, _mm_mul_pd(lo, lows)), _mm_mul_pd(dry, x));
    }

    void store()
    {
        s1.store(left.section1, right.section1);
        s2.store(left.section2, right.section2);
        lanes::split(in.state, left.inputFollower.state, right.inputFollower.state);
        lanes::split(out.state, left.outputFollower.state, right.outputFollower.state);
    }

private:
    // One section's state on both channels. Its outputs are its low and band
    // states and the last high value.
    struct SectionPair {
        __m128d f, q, band, low, high;

        SectionPair(const Filter::Section& l, const Filter::Section& r)
            : f(lanes::pairOf(l.f, r.f)), q(lanes::pairOf(l.q, r.q)), band(lanes::pairOf(l.band, r.band)),
              low(lanes::pairOf(l.low, r.low)), high(lanes::pairOf(l.highOut, r.highOut))
        {
        }

        void process(__m128d x)
        {
            high = _mm_sub_pd(_mm_sub_pd(_mm_mul_pd(q, x), low), _mm_mul_pd(q, band));
            band = _mm_add_pd(band, _mm_mul_pd(f, high));
            low = _mm_add_pd(low, _mm_mul_pd(f, band));
        }

        void store(Filter::Section& l, Filter::Section& r) const
        {
            lanes::split(band, l.band, r.band);
            lanes::split(low, l.low, r.low);
            lanes::split(low, l.lowOut, r.lowOut);
            lanes::split(band, l.bandOut, r.bandOut);
            lanes::split(high, l.highOut, r.highOut);
        }
    };

    // One power follower on both channels.
    struct FollowerPair {
        __m128d gain, a, state;

        FollowerPair(const OnePole& l, const OnePole& r)
            : gain(lanes::pairOf(l.gain, r.gain)), a(lanes::pairOf(l.a, r.a)), state(lanes::pairOf(l.state, r.state))
        {
        }

        __m128d process(__m128d x)
        {
            state = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(gain, x), x), _mm_mul_pd(a, state));
            return state;
        }
    };

    Filter& left;
    Filter& right;
    SectionPair s1;
    SectionPair s2;
    FollowerPair in;
    FollowerPair out;
    __m128d lo, mid, hi, dry, level;
};

} // namespace korvel::veldro
