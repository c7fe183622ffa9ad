#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/ParamControl.h"
#include "synth/SynthParams.h"
#include "synth/controllers/ControllerOutput.h"

#include <algorithm>

namespace korvel::veldro {

namespace {

struct Corner {
    bool counts;
    bool pure;   // the point lies in the corner's own square
    double dist; // Manhattan distance of the point from the corner
};

double cornerTerm(const Corner& corner, double source)
{
    if (!corner.counts)
        return 0.0;
    return corner.pure ? source : source * (1.4 - corner.dist) * 0.625;
}

} // namespace

// Blends four MIDI sources placed at the corners of the unit square: note
// offset (0, 0), velocity (1, 0), pitch bend (0, 1), mod wheel (1, 1).
double midiOutput(const ParamControl& slot, double&, const ControllerContext& context)
{
    const double x = std::clamp<double>(slot.params[0].current, 0.0, 1.0);
    const double y = std::clamp<double>(slot.params[1].current, 0.0, 1.0);
    const bool xh = x > 0.3, yh = y > 0.3, xl = x < 0.7, yl = y < 0.7;
    const MidiState& midi = context.params.engine().getMidiState();

    const double sum = cornerTerm({xl && yl, !xh && !yh, x + y}, (midi.currentNote - 60.0) / 64.0) +
                       cornerTerm({xh && yl, !xl && !yh, (1.0 - x) + y}, midi.velocity.current) +
                       cornerTerm({xl && yh, !xh && !yl, x + (1.0 - y)}, midi.pitchBend.current) +
                       cornerTerm({xh && yh, !xl && !yl, (1.0 - x) + (1.0 - y)}, midi.modWheel.current);
    return std::clamp(sum, -1.0, 1.0);
}

} // namespace korvel::veldro
