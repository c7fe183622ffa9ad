#pragma once

#include "synth/dsp/Crusher.h"

namespace korvel::veldro {

// The grain's waveshaper: drive < 0 folds through a sine, drive > 0
// overdrives with a soft knee into ±1; drive 0 is off.
struct Waveshaper {
    double drive = 0.0;

    double shape(double x) const;
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
