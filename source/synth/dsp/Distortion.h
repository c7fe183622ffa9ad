#pragma once

#include "synth/dsp/Crusher.h"
#include "synth/dsp/Shaping.h"

#include <cmath>
#include <numbers>

namespace korvel::veldro {

// The grain's waveshaper: drive < 0 folds through a sine, drive > 0
// overdrives with a soft knee into ±1; drive 0 is off.
struct Waveshaper {
    double drive = 0.0;

    // Inline: a grain's block shapes each of its values.
    double shape(double x) const
    {
        const double y = drive * x;
        if (drive < 0.0)
            return std::sin(0.5 * std::numbers::pi * y);
        const double a = std::fabs(y);
        if (a <= 0.9)
            return y;
        const double bent = a < 1.0 ? smoothstep(a, 0.8, 1.0) : 1.0;
        return x < 0.0 ? -bent : bent;
    }
};

// Waveshaper, bit crusher and tone filter on a stereo pair, in that order.
// Set up when a grain starts; processed on the audio thread.
struct Distortion {
    Waveshaper shaper;
    Crusher left;
    Crusher right;
    double tone = 1.0; // 1: tone filter off
    double toneStateL = 0.0;
    double toneStateR = 0.0;

    void setTone(double t);
    bool isOn() const { return shaper.drive != 0.0 || left.isOn() || tone < 1.0; }
    // One frame; a grain's blocks go through DistortionPair.
    void process(double& l, double& r);
};

} // namespace korvel::veldro
