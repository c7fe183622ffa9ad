#include "synth/dsp/Filter.h"

#include "synth/dsp/Lanes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvel::veldro {

namespace {

// The section's recursion is stable while f² + 2fq < 4. Higher settings (a
// high frequency with a wide band, or a modulated frequency beyond the range)
// would grow without bound, so f stays just inside; below that it is untouched.
double stableCoefficient(double f, double q)
{
    const double limit = 0.999 * (std::sqrt(q * q + 4.0) - q);
    return std::clamp(f, 0.0, limit);
}

} // namespace

void Filter::Section::setFreqQ(double x, double w)
{
    band = 0.0;
    low = 0.0;
    lowOut = 0.0;
    bandOut = 0.0;
    highOut = 0.0;
    q = std::clamp(w, 0.01, 0.9);
    const double coefficient = 2.0 * std::sin(std::numbers::pi * x);
    f = std::isfinite(coefficient) ? stableCoefficient(coefficient, q) : 0.0;
}

void Filter::Section::process(double x)
{
    const double high = q * x - low - q * band;
    band += f * high;
    low += f * band;
    lowOut = low;
    bandOut = band;
    highOut = high;
}

Filter::Filter()
{
    inputFollower.setCutoff10Hz(44100.0);
    outputFollower.setCutoff10Hz(44100.0);
}

void Filter::setMix(double low, double middle, double high, double sampleRate)
{
    lo = low;
    mid = middle;
    hi = high;
    dry = std::max(0.0, 1.0 - 0.8 * (low + middle + high));
    inputFollower.setCutoff(sampleRate, 10);
    outputFollower.setCutoff(sampleRate, 10);
}

double Filter::process(double x)
{
    section1.process(x);
    section2.process(x);
    const double pin = inputFollower.process(x);
    const double pout = outputFollower.process(section1.lowOut + section1.bandOut + section1.highOut +
                                               section2.lowOut + section2.bandOut + section2.highOut);
    const double c = std::sqrt(pout == 0.0 ? pin : pin / pout) * (2.0 - (lo + mid + hi) / 3.0);
    const double highs = (section1.highOut + section2.highOut) * c;
    const double bands = (section1.bandOut + section2.bandOut) * c;
    const double lows = (section1.lowOut + section2.lowOut) * c;
    return hi * highs + mid * bands + lo * lows + dry * x;
}

namespace {

using lanes::pairOf;
using lanes::split;

// One section's state on both channels.
struct SectionPair {
    __m128d f, q, band, low, lowOut, bandOut, highOut;

    SectionPair(const Filter::Section& left, const Filter::Section& right)
        : f(pairOf(left.f, right.f)), q(pairOf(left.q, right.q)), band(pairOf(left.band, right.band)),
          low(pairOf(left.low, right.low)), lowOut(), bandOut(), highOut()
    {
    }

    void process(__m128d x)
    {
        highOut = _mm_sub_pd(_mm_sub_pd(_mm_mul_pd(q, x), low), _mm_mul_pd(q, band));
        band = _mm_add_pd(band, _mm_mul_pd(f, highOut));
        low = _mm_add_pd(low, _mm_mul_pd(f, band));
        lowOut = low;
        bandOut = band;
    }

    void store(Filter::Section& left, Filter::Section& right) const
    {
        split(band, left.band, right.band);
        split(low, left.low, right.low);
        split(lowOut, left.lowOut, right.lowOut);
        split(bandOut, left.bandOut, right.bandOut);
        split(highOut, left.highOut, right.highOut);
    }
};

// One power follower on both channels.
struct FollowerPair {
    __m128d gain, a, state;

    FollowerPair(const OnePole& left, const OnePole& right)
        : gain(pairOf(left.gain, right.gain)), a(pairOf(left.a, right.a)), state(pairOf(left.state, right.state))
    {
    }

    __m128d process(__m128d x)
    {
        state = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(gain, x), x), _mm_mul_pd(a, state));
        return state;
    }
};

} // namespace

void Filter::processStereo(Filter& left, Filter& right, double* l, double* r, int count)
{
    SectionPair s1(left.section1, right.section1);
    SectionPair s2(left.section2, right.section2);
    FollowerPair in(left.inputFollower, right.inputFollower);
    FollowerPair out(left.outputFollower, right.outputFollower);
    const __m128d lo = pairOf(left.lo, right.lo);
    const __m128d mid = pairOf(left.mid, right.mid);
    const __m128d hi = pairOf(left.hi, right.hi);
    const __m128d dry = pairOf(left.dry, right.dry);
    const __m128d level = pairOf(2.0 - (left.lo + left.mid + left.hi) / 3.0, 2.0 - (right.lo + right.mid + right.hi) / 3.0);
    const __m128d zero = _mm_setzero_pd();
    for (int i = 0; i < count; ++i) {
        const __m128d x = pairOf(l[i], r[i]);
        s1.process(x);
        s2.process(x);
        const __m128d pin = in.process(x);
        __m128d sum = _mm_add_pd(_mm_add_pd(s1.lowOut, s1.bandOut), s1.highOut);
        sum = _mm_add_pd(_mm_add_pd(_mm_add_pd(sum, s2.lowOut), s2.bandOut), s2.highOut);
        const __m128d pout = out.process(sum);
        const __m128d silent = _mm_cmpeq_pd(pout, zero);
        const __m128d ratio = lanes::select(silent, pin, _mm_div_pd(pin, pout));
        const __m128d c = _mm_mul_pd(_mm_sqrt_pd(ratio), level);
        const __m128d highs = _mm_mul_pd(_mm_add_pd(s1.highOut, s2.highOut), c);
        const __m128d bands = _mm_mul_pd(_mm_add_pd(s1.bandOut, s2.bandOut), c);
        const __m128d lows = _mm_mul_pd(_mm_add_pd(s1.lowOut, s2.lowOut), c);
        __m128d y = _mm_add_pd(_mm_mul_pd(hi, highs), _mm_mul_pd(mid, bands));
        y = _mm_add_pd(_mm_add_pd(y, _mm_mul_pd(lo, lows)), _mm_mul_pd(dry, x));
        split(y, l[i], r[i]);
    }
    s1.store(left.section1, right.section1);
    s2.store(left.section2, right.section2);
    split(in.state, left.inputFollower.state, right.inputFollower.state);
    split(out.state, left.outputFollower.state, right.outputFollower.state);
}

} // namespace korvel::veldro
