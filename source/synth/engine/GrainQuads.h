#pragma once

#include "synth/Grain.h"

namespace korvel::veldro {

// Groups the playing grains of one block by kind (mono or not, which effect
// stages, tap or not) and renders each group of four side by side; the rest
// go one by one. Audio thread.
class GrainQuads {
public:
    // Off: every grain one by one, the reference the groups must match.
    void setEnabled(bool on) { enabled = on; }

    // Renders grain into mixed, now or with its group: grains that end within
    // the block always go now, so that the caller sees them end.
    void render(Grain& grain, double* mixed, const double* keyboardGain);
    // Renders the grains still waiting for a group; ends the block.
    void flush(double* mixed, const double* keyboardGain);

private:
    static constexpr int KINDS = 16;
    // The group grain can go into, or -1.
    int kindOf(const Grain& grain) const;

    bool enabled = true;
    Grain* waiting[KINDS][4] = {};
    int counts[KINDS] = {};
    QuadMix mix;
};

} // namespace korvel::veldro
