#include "synth/dsp/Crusher.h"

#include "synth/dsp/CrusherPair.h"
#include "synth/dsp/Lanes.h"
#include "synth/dsp/Shaping.h"

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

using lanes::pairOf;

void Crusher::tickStereo(Crusher& left, Crusher& right, double* l, double* r, int count)
{
    CrusherPair pair(left, right);
    for (int i = 0; i < count; ++i)
        lanes::split(pair.tick(pairOf(l[i], r[i])), l[i], r[i]);
    pair.store();
}

} // namespace korvel::veldro
