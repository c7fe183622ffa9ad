#pragma once

#include "synth/dsp/OnePole.h"

namespace korvel::veldro {

// One channel of the grain filter: two state-variable sections on the same
// input, mixed by low, band and high weights with the dry signal, the wet part
// held at the input's level by two power followers. Set up when a grain
// starts; processed on the audio thread.
struct Filter {
    struct Section {
        double f = 0.0;
        double q = 0.0;
        double band = 0.0;
        double low = 0.0;
        double lowOut = 0.0;
        double bandOut = 0.0;
        double highOut = 0.0;

        // x = frequency / sample rate, w the width. Clears the section.
        void setFreqQ(double x, double w);
        void process(double x);
    };

    Section section1;
    Section section2;
    OnePole inputFollower;
    OnePole outputFollower;
    double lo = 0.0;
    double mid = 0.0;
    double hi = 0.0;
    double dry = 1.0;

    Filter();
    void setMix(double low, double middle, double high, double sampleRate);
    // Nearly all dry: the filter is skipped.
    bool isBypassed() const { return dry >= 0.98; }
    double process(double x);
    // process() on both channels of a block at once, lane by lane with the
    // same operations, so the results are those of process().
    static void processStereo(Filter& left, Filter& right, double* l, double* r, int count);
};

} // namespace korvel::veldro
