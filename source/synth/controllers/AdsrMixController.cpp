#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/ParamControl.h"
#include "synth/SynthParams.h"
#include "synth/controllers/ControllerOutput.h"

#include <algorithm>

namespace korvel::veldro {

// x = mix: 0 follows envelope 2 ("adsr2"), 1 envelope 1 ("adsr1").
double adsrMixOutput(const ParamControl& slot, double&, const ControllerContext& context)
{
    const double mix = std::clamp<double>(slot.params[0].current, 0.0, 1.0);
    const MidiState& midi = context.params.engine().getMidiState();
    return (1.0 - mix) * midi.envelope2.level.current + mix * midi.envelope1.level.current;
}

} // namespace korvel::veldro
