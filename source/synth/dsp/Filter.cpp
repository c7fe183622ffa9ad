#include "synth/dsp/Filter.h"

#include "synth/dsp/FilterPair.h"
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

void Filter::processStereo(Filter& left, Filter& right, double* l, double* r, int count)
{
    FilterPair pair(left, right);
    for (int i = 0; i < count; ++i)
        lanes::split(pair.process(lanes::pairOf(l[i], r[i])), l[i], r[i]);
    pair.store();
}

} // namespace korvel::veldro
