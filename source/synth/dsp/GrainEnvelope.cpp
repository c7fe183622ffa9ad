#include "synth/dsp/GrainEnvelope.h"

#include <cmath>
#include <numbers>

namespace korvel::veldro {

void GrainEnvelope::start(int frames, int attackFrames, int decayFrame)
{
    counter = 0;
    length = frames;
    attackEnd = attackFrames;
    decayStart = decayFrame;
    // The attack runs the phase from pi down to 0, so the level rises 0 -> 1.
    envPhase = std::numbers::pi;
    envStep = -std::numbers::pi / attackFrames;
    cosPhase = -1.0;
    sinPhase = 0.0;
    cosStep = std::cos(envStep);
    sinStep = std::sin(envStep);
    const double decayStep = std::numbers::pi / (frames - decayFrame);
    cosDecayStep = std::cos(decayStep);
    sinDecayStep = std::sin(decayStep);
}

void GrainEnvelope::startDecay()
{
    envPhase = 0.0;
    envStep = std::numbers::pi / (length - decayStart);
    cosPhase = 1.0;
    sinPhase = 0.0;
    cosStep = cosDecayStep;
    sinStep = sinDecayStep;
}

PanGains equalPowerPan(double position, double g)
{
    const double angle = position * std::numbers::pi / 2.0;
    return {std::cos(angle) * g, std::sin(angle) * g};
}

} // namespace korvel::veldro
