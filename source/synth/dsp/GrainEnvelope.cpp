#include "synth/dsp/GrainEnvelope.h"

#include <algorithm>
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

// The state lives in locals for the loop: stores to e might alias the
// members and would otherwise put the rotation's chain through memory. The
// block is walked in runs (hold, or one stretch of rotation) so that the
// frame tests are made once per run, not per frame.
void GrainEnvelope::levels(double* e, int count)
{
    double phase = envPhase;
    double phaseStep = envStep;
    double c = cosPhase;
    double s = sinPhase;
    double cStep = cosStep;
    double sStep = sinStep;
    int i = 0;
    while (i < count) {
        const int frame = counter + i;
        if (frame >= attackEnd && frame < decayStart) {
            const int holdEnd = std::min(count, decayStart - counter);
            for (; i < holdEnd; ++i)
                e[i] = 1.0;
            continue;
        }
        if (frame == decayStart) {
            phase = 0.0;
            phaseStep = std::numbers::pi / (length - decayStart);
            c = 1.0;
            s = 0.0;
            cStep = cosDecayStep;
            sStep = sinDecayStep;
        }
        const int runEnd = frame < attackEnd ? std::min(count, attackEnd - counter) : count;
        for (; i < runEnd; ++i) {
            phase += phaseStep;
            if (phase <= 0.0) {
                phase = 0.0;
                c = 1.0;
                s = 0.0;
            } else if (phase >= std::numbers::pi) {
                phase = std::numbers::pi;
                c = -1.0;
                s = 0.0;
            } else {
                const double rotated = c * cStep - s * sStep;
                s = s * cStep + c * sStep;
                c = rotated;
            }
            e[i] = 0.5 + 0.5 * c;
        }
    }
    counter += count;
    envPhase = phase;
    envStep = phaseStep;
    cosPhase = c;
    sinPhase = s;
    cosStep = cStep;
    sinStep = sStep;
}

PanGains equalPowerPan(double position, double g)
{
    const double angle = position * std::numbers::pi / 2.0;
    return {std::cos(angle) * g, std::sin(angle) * g};
}

} // namespace korvel::veldro
