#include "synth/SynthParams.h"

#include "synth/controllers/ControllerOutput.h"

#include <cmath>

namespace korvel::veldro {

namespace {

// Fading controllers above this amount count toward the excess that scales
// the sum down.
constexpr double FADING_LIMIT = 0.5;

} // namespace

double SynthParams::evaluate(const ParamControl& slot, double& state, RandomSource& random) const
{
    return controllerOutput(slot, state, {*this, random}) * slot.amount.current;
}

double SynthParams::evaluateControl(const ParamControl& slot, double& state)
{
    return evaluate(slot, state, audioRandom);
}

double SynthParams::getControlValue(const ParamControl& slot)
{
    double state = slot.phase;
    return evaluate(slot, state, editorRandom);
}

std::pair<double, double> SynthParams::getModulation(int id, int k)
{
    if (!isLiveParam(id))
        return {0.0, 0.0};
    BaseParam& param = params[id];
    if (k >= BaseParam::MAX_CONTROLS)
        return {param.value.current, 0.0};
    const int first = k < 0 ? 0 : k;
    const int last = k < 0 ? BaseParam::MAX_CONTROLS - 1 : k;

    double sum = 0.0;
    double excess = 0.0;
    for (int control = first; control <= last; ++control) {
        for (int push = 0; push < BaseParam::SLOTS; ++push) {
            ParamControl& slot = param.controls[control][push];
            if (!slot.isActive())
                continue;
            double state = slot.phase;
            sum += evaluate(slot, state, audioRandom);
            slot.phase = state;
            const double amount = std::abs(slot.amount.current);
            if (push != 0 && amount > FADING_LIMIT)
                excess += amount - FADING_LIMIT;
        }
    }
    if (excess > 1.0)
        sum /= excess;
    return {param.value.current, sum};
}

} // namespace korvel::veldro
