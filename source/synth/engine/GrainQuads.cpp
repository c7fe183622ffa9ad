#include "synth/engine/GrainQuads.h"

#include "synth/dsp/Avx2.h"

namespace korvel::veldro {

int GrainQuads::kindOf(const Grain& grain) const
{
    // Grains without effects have a faster way of their own; the effect
    // stages are what four side by side speed up.
    if (!enabled || !hasAvx2() || !(grain.distorting || grain.filtering) ||
        grain.envelope.framesLeft() <= Grain::BLOCK_FRAMES)
        return -1;
    return (grain.channels == 1 ? 4 : 0) + (grain.distorting ? 2 : 0) + (grain.filtering ? 1 : 0);
}

void GrainQuads::render(Grain& grain, float* mixed, const double* keyboardGain)
{
    const int kind = kindOf(grain);
    if (kind < 0) {
        grain.render(mixed, keyboardGain);
        return;
    }
    Grain* (&group)[4] = waiting[kind];
    group[counts[kind]++] = &grain;
    if (counts[kind] < 4)
        return;
    Grain::renderQuadAvx2(group, mixed, keyboardGain);
    counts[kind] = 0;
}

void GrainQuads::flush(float* mixed, const double* keyboardGain)
{
    for (int kind = 0; kind < KINDS; ++kind) {
        for (int k = 0; k < counts[kind]; ++k)
            waiting[kind][k]->render(mixed, keyboardGain);
        counts[kind] = 0;
    }
}

} // namespace korvel::veldro
