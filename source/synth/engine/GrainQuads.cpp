#include "synth/engine/GrainQuads.h"

#include "synth/dsp/Avx2.h"

namespace korvel::veldro {

int GrainQuads::kindOf(const Grain& grain) const
{
    if (!enabled || !hasAvx2() || grain.envelope.framesLeft() <= Grain::BLOCK_FRAMES)
        return -1;
    return (grain.channels == 1 ? 8 : 0) + (grain.distorting ? 4 : 0) + (grain.filtering ? 2 : 0) +
           (grain.tapping ? 1 : 0);
}

void GrainQuads::render(Grain& grain, double* mixed, const double* keyboardGain)
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
    Grain::renderQuadAvx2(group, mix, keyboardGain);
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
