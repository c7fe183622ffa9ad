#pragma once

namespace korvel::veldro {

class RandomSource;
class SynthParams;
struct ParamControl;

// What a controller reads besides its own slot.
struct ControllerContext {
    const SynthParams& params;
    RandomSource& random;
};

// The output of a slot before its amount is applied: the kind's function for
// the slot's type, 0 for an empty slot, an unknown type or a non-finite
// result. state is the slot's phase or a copy of it: the LFO's phase, the
// random walk's memory. Never allocates.
double controllerOutput(const ParamControl& slot, double& state, const ControllerContext& context);

// The kinds, one function each ("inner", "inner_2" and "inner_3" share one).
double randomOutput(const ParamControl& slot, double& state, const ControllerContext& context);
double ampNoiseOutput(const ParamControl& slot, double& state, const ControllerContext& context);
double lfoOutput(const ParamControl& slot, double& state, const ControllerContext& context);
double midiOutput(const ParamControl& slot, double& state, const ControllerContext& context);
double adsrMixOutput(const ParamControl& slot, double& state, const ControllerContext& context);
double innerOutput(const ParamControl& slot, double& state, const ControllerContext& context);

} // namespace korvel::veldro
