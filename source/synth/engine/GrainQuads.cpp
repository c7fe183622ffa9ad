#include "synth/engine/GrainQuads.h"

namespace korvel::veldro {

void GrainQuads::renderGroup(int kind, const double* keyboardGain)
{
    Grain::renderQuadAvx2(waiting[kind], mix, keyboardGain);
    counts[kind] = 0;
}

void GrainQuads::flush(double* mixed, const double* keyboardGain)
{
    for (int kind = 0; kind < KINDS; ++kind) {
        for (int k = 0; k < counts[kind]; ++k)
            waiting[kind][k]->render(mixed, keyboardGain);
        counts[kind] = 0;
    }
    if (!mix.used)
        return;
    for (int i = 0; i < QuadMix::FRAMES; ++i) {
        const double* l = mix.left[i];
        const double* r = mix.right[i];
        mixed[2 * i] += (l[0] + l[1]) + (l[2] + l[3]);
        mixed[2 * i + 1] += (r[0] + r[1]) + (r[2] + r[3]);
    }
    mix = QuadMix{};
}

} // namespace korvel::veldro
