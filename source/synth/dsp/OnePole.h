#pragma once

#include <cmath>
#include <numbers>

namespace korvel::veldro {

// A one-pole low-pass on x²: the mean-square power of a signal, for the
// limiters and the filter's level compensation. Audio thread once set up.
struct OnePole {
    double b = 0.0;
    double gain = 0.0;
    double a = 0.0;
    double state = 0.0;

    void setCutoff(double sampleRate, int hz)
    {
        b = 2.0 - std::cos(2.0 * std::numbers::pi * hz / sampleRate);
        a = b - std::sqrt(b * b - 1.0);
        gain = 1.0 - a;
        state = 0.0;
    }

    void setCutoff10Hz(double sampleRate) { setCutoff(sampleRate, 10); }

    double process(double x)
    {
        state = gain * x * x + a * state;
        return state;
    }

    // Ends a decayed tail exactly, so it cannot linger as tiny values.
    bool flushBelow(double threshold)
    {
        if (state != 0.0 && state < threshold) {
            state = 0.0;
            return true;
        }
        return false;
    }
};

} // namespace korvel::veldro
