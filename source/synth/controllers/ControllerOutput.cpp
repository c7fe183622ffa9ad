#include "synth/controllers/ControllerOutput.h"

#include "synth/ControllerKinds.h"
#include "synth/ParamControl.h"

#include <cmath>

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
    if (slot.type >= NOF_CONTROLLER_TYPES || outputs[slot.type] == nullptr)
        return 0.0;
    const double out = outputs[slot.type](slot, state, context);
    return std::isfinite(out) ? out : 0.0;
}

} // namespace korvel::veldro
