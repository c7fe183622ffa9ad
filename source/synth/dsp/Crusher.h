#pragma once

namespace korvel::veldro {

// One channel of the bit crusher. A change of level is smoothed along a
// smoothstep over about 1/smooth samples, which keeps the steps from aliasing.
// Set up when a grain starts; ticked on the audio thread.
struct Crusher {
    double levels = 0.0; // 0: off
    double inv = 0.0;
    double smooth = 0.0;
    double run = 0.0;
    double lastLevel = 0.0;
    double push = 0.0;

    // bits above 13.9 turn the crusher off; tone 0..1 shortens the smoothing.
    void setup(double bits, double tone);
    bool isOn() const { return levels >= 1.0; }
    double tick(double x);
    // tick() on both channels of a block at once, lane by lane, with the same
    // results; the two crushers must be on.
    static void tickStereo(Crusher& left, Crusher& right, double* l, double* r, int count);
};

} // namespace korvel::veldro
