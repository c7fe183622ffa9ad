#pragma once

namespace korvel::veldro {

// A grain's raised-cosine envelope: it rises over [0, attackEnd), holds 1, and
// falls from decayStart to the end. Set when the grain starts; advanced on
// the audio thread.
struct GrainEnvelope {
    int counter = 0;    // frames played; the grain ends when it reaches length
    int length = 0;
    int attackEnd = 0;
    int decayStart = 0;
    double envPhase = 0.0; // 0..pi: level 0.5 + 0.5 cos(envPhase)
    double envStep = 0.0;

    // 32 <= length, 16 <= attackEnd <= decayStart <= length - 16.
    void start(int frames, int attackFrames, int decayFrame);
    bool isDone() const { return counter >= length; }
    int framesLeft() const { return length - counter; }
    // The levels of the next count frames (at most framesLeft()).
    void levels(double* e, int count);
};

// Equal-power pan of gain g: position 0 is left, 1 right.
struct PanGains {
    double left;
    double right;
};
PanGains equalPowerPan(double position, double g);

} // namespace korvel::veldro
