#pragma once

namespace korvel::veldro {

// A grain's raised-cosine envelope: it rises over [0, attackEnd), holds 1, and
// falls from decayStart to the end. The level 0.5 + 0.5 cos(envPhase) comes
// from a rotation that follows the phase step by step, so a frame costs a few
// multiplications instead of a cosine. Set when the grain starts; advanced on
// the audio thread.
struct GrainEnvelope {
    int counter = 0;    // frames played; the grain ends when it reaches length
    int length = 0;
    int attackEnd = 0;
    int decayStart = 0;
    double envPhase = 0.0; // 0..pi
    double envStep = 0.0;
    // cos and sin of envPhase, and of the attack's and the decay's steps.
    double cosPhase = 1.0;
    double sinPhase = 0.0;
    double cosStep = 1.0;
    double sinStep = 0.0;
    double cosDecayStep = 1.0;
    double sinDecayStep = 0.0;

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
