#pragma once

#include "utility/Check.h"

#include <cmath>

// Small curves shared by the grains, the crusher and the output stages.
// Pure functions: any thread.
namespace korvel::veldro {

// Eases x from low to high along 3s² - 2s³; outside [low, high] it stays at
// the nearer end. The result is in the units of low and high, not 0..1.
inline double smoothstep(double x, double low, double high)
{
    KORVEL_CHECK(low < high);
    if (x >= high)
        return high;
    if (x <= low)
        return low;
    const double s = (x - low) / (high - low);
    return low + (high - low) * s * s * (3.0 - 2.0 * s);
}

// Soft clipping: linear up to ±0.9, then bends into ±1.
inline double softEdge(double x)
{
    if (x > 0.9)
        return smoothstep(x, 0.8, 1.0);
    if (x < -0.9)
        return smoothstep(x, -1.0, -0.8);
    return x;
}

// Folds x into [lo, hi]; a negative x first counts back from hi. An empty or
// reversed range has no inside to fold into and gives lo.
inline double wrapRange(double x, double lo, double hi)
{
    if (!(hi > lo))
        return lo;
    if (x < 0.0)
        x += hi;
    if (lo <= x && x <= hi)
        return x;
    const double r = std::fmod(x - lo, hi - lo);
    return r < 0.0 ? r + hi : r + lo;
}

// A read position in frames that ran off a sound of `frames` frames, back
// into [0, frames]: negative positions count back from the end, others fold;
// NaN or infinity gives 0.
inline double wrapPosition(double position, double frames)
{
    if (position < 0.0)
        position += frames;
    if (position < 0.0 || position > frames) {
        position = std::fmod(position, frames);
        if (position < 0.0)
            position += frames;
    }
    return position >= 0.0 ? position : 0.0;
}

} // namespace korvel::veldro
