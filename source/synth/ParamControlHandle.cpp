#include "synth/ParamControlHandle.h"

#include "synth/BaseParam.h"
#include "synth/ParamControl.h"
#include "synth/Scaling.h"
#include "synth/SynthParams.h"
#include "utility/Check.h"

#include <cmath>

namespace korvel::veldro {

ParamControlHandle::ParamControlHandle(BaseParam& base, int index) : control(&base.pushedControl(index, 0)) {}

ParamControlHandle::ParamControlHandle(const ParamControlHandle& other) : control(other.control) {}

void ParamControlHandle::readControl()
{
    control_patch.type = control->type;
    control_patch.amount = control->amount.target;
    for (int k = 0; k < 3; ++k)
        control_patch.params[k] = control->params[k].target;
}

void ParamControlHandle::resync(int i)
{
    KORVEL_CHECK(i >= 0 && i < 3);
    if (control_patch.params[i] != control->params[i].target)
        readControl();
}

std::uint32_t ParamControlHandle::getType() const { return control->type; }

std::uint32_t ParamControlHandle::getControlId() const { return control->control_id; }

SynthParams& ParamControlHandle::getSynthParams() const { return control->base_param->getSynthParams(); }

const Scaling* ParamControlHandle::getScaling(int field) const
{
    return getControllerParamRange(int(control_patch.type), field).scaling.get();
}

double ParamControlHandle::getAmountNormalized() const
{
    const Scaling* scaling = getScaling(FIELD_AMOUNT);
    const double amount = control->amount.target;
    return scaling ? scaling->toNormalized(amount) : amount;
}

void ParamControlHandle::setAmountNormalized(double x)
{
    if (!std::isfinite(x))
        return;
    const Scaling* scaling = getScaling(FIELD_AMOUNT);
    const double v = scaling ? scaling->toValue(x) : x;
    control_patch.amount = v;
    const auto lock = getSynthParams().lockForWriting();
    control->amount.glideTo(v, getSynthParams().glideTimeSource());
}

double ParamControlHandle::getParam(int i)
{
    resync(i);
    return control_patch.params[i];
}

double ParamControlHandle::getParamNormalized(int i)
{
    const double v = getParam(i);
    const Scaling* scaling = getScaling(FIELD_X + i);
    return scaling ? scaling->toNormalized(v) : v;
}

void ParamControlHandle::setParamNormalized(int i, double x)
{
    KORVEL_CHECK(i >= 0 && i < 3);
    if (!std::isfinite(x))
        return;
    const Scaling* scaling = getScaling(FIELD_X + i);
    const double v = scaling ? scaling->toValue(x) : x;
    control_patch.params[i] = v;
    const auto lock = getSynthParams().lockForWriting();
    control->params[i].glideTo(v, getSynthParams().glideTimeSource());
}

void ParamControlHandle::apply()
{
    control->base_param->applyControlPatch(control->control_index, control_patch, -1.0);
}

void ParamControlHandle::initControlPatch(std::uint32_t type, ParamControlHandle& handle)
{
    ControlPatch& patch = handle.control_patch;
    patch.type = type;
    patch.amount = getControllerParamRange(int(type), FIELD_AMOUNT).default_value;
    for (int k = 0; k < 3; ++k)
        patch.params[k] = getControllerParamRange(int(type), FIELD_X + k).default_value;
}

} // namespace korvel::veldro
