#pragma once

#include "synth/Grain.h"
#include "synth/dsp/Avx2.h"

namespace korvel::veldro {

// Groups the playing grains of one block by kind (mono or not, which effect
// stages, tap or not) and renders each group of four side by side; the rest
// go one by one. Audio thread.
class GrainQuads {
public:
    // Off: every grain one by one, the reference the groups must match.
    void setEnabled(bool on) { grouping = on && hasAvx2(); }

    // Renders grain into mixed, now or with its group: grains that end within
    // the block always go now, so that the caller sees them end. Inline: it
    // runs for every grain of every block.
    void render(Grain& grain, double* mixed, const double* keyboardGain)
    {
        if (!grouping || grain.envelope.framesLeft() <= Grain::BLOCK_FRAMES) {
            grain.render(mixed, keyboardGain);
            return;
        }
        const int kind = (grain.channels == 1 ? 8 : 0) + (grain.distorting ? 4 : 0) + (grain.filtering ? 2 : 0) +
                         (grain.tapping ? 1 : 0);
        int& count = counts[kind];
        waiting[kind][count] = &grain;
        if (++count == 4)
            renderGroup(kind, keyboardGain);
    }
    // Renders the grains still waiting for a group; ends the block.
    void flush(double* mixed, const double* keyboardGain);

private:
    static constexpr int KINDS = 16;
    void renderGroup(int kind, const double* keyboardGain);

    bool grouping = hasAvx2();
    Grain* waiting[KINDS][4] = {};
    int counts[KINDS] = {};
    QuadMix mix;
};

} // namespace korvel::veldro
