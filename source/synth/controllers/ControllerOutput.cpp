#include "synth/controllers/ControllerOutput.h"

#include "synth/ControllerKinds.h"
#include "synth/ParamControl.h"

#include <cmath>
#include <cstdint>

namespace korvel::veldro {

namespace {

using OutputFunction = double (*)(const ParamControl&, double&, const ControllerContext&);

// By controller type; type 0 is the empty controller.
constexpr OutputFunction outputs[NOF_CONTROLLER_TYPES] = {
    nullptr, randomOutput, ampNoiseOutput, lfoOutput, midiOutput, adsrMixOutput, innerOutput, innerOutput, innerOutput,
};

} // namespace

double controllerOutput(const ParamControl& slot, double& state, const ControllerContext& context)
{
    // Read once: the editor draws slots that the audio thread may empty between two reads.
    const std::uint32_t type = slot.type;
    if (type >= NOF_CONTROLLER_TYPES || outputs[type] == nullptr)
        return 0.0;
    const double out = outputs[type](slot, state, context);
    return std::isfinite(out) ? out : 0.0;
}

} // namespace korvel::veldro
