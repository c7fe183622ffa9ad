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
}

void GrainEnvelope::levels(double* e, int count)
{
    for (int i = 0; i < count; ++i, ++counter) {
        if (counter < attackEnd) {
            envPhase += envStep;
        } else if (counter >= decayStart) {
            if (counter == decayStart) {
                envPhase = 0.0;
                envStep = std::numbers::pi / (length - decayStart);
            }
            envPhase += envStep;
        } else {
            e[i] = 1.0;
            continue;
        }
        if (envPhase <= 0.0) {
            e[i] = 1.0;
            envPhase = 0.0;
        } else if (envPhase >= std::numbers::pi) {
            e[i] = 0.0;
            envPhase = std::numbers::pi;
        } else {
            e[i] = 0.5 + 0.5 * std::cos(envPhase);
        }
    }
}

PanGains equalPowerPan(double position, double g)
{
    const double angle = position * std::numbers::pi / 2.0;
    return {std::cos(angle) * g, std::sin(angle) * g};
}

} // namespace korvel::veldro
