// The host's road to the parameters: normalised values through one mapping
// per parameter, used alike for setParameter, getParameter and the reports.
#include "synth/SynthParams.h"

#include "synth/SynthParamIds.h"

#include <algorithm>

namespace korvel::veldro {

namespace {

constexpr int DELTA = 0, LEVEL = 1, CURVE = 2;
constexpr int FIELDS_PER_POINT = 3;
constexpr int ADSR1_LAST = param_id::ADSR2_FIRST - 1;

int envelopeFirstId(int id) { return id <= ADSR1_LAST ? param_id::ADSR1_FIRST : param_id::ADSR2_FIRST; }
int envelopePoint(int id) { return (id - envelopeFirstId(id)) / FIELDS_PER_POINT; }
int envelopeField(int id) { return (id - envelopeFirstId(id)) % FIELDS_PER_POINT; }
bool isEnvelopeParam(int id) { return id >= param_id::ADSR1_FIRST && id <= param_id::ENVELOPE_LAST; }

// The release delta (point 3) runs backwards on the host's axis.
bool isInvertedDelta(int id) { return isEnvelopeParam(id) && envelopeField(id) == DELTA && envelopePoint(id) == 3; }

// Level points that move together: 2 with 3 (sustain) and 4 with 0 (rest).
int levelPartner(int point)
{
    constexpr int partners[param_id::ENVELOPE_POINTS] = {4, -1, 3, 2, 0};
    return partners[point];
}

bool isGrainShape(int id) { return id == param_id::GRAIN_ATTACK || id == param_id::GRAIN_DECAY; }

double clampUnit(double n) { return n >= 0.0 && n <= 1.0 ? n : (n > 1.0 ? 1.0 : 0.0); }

} // namespace

const Scaling* SynthParams::hostScaling(const ParamInfo& info) const
{
    if (info.parent && info.field != FIELD_TYPE)
        return getControllerParamRange(int(controllerOf(info).type), info.field).scaling.get();
    return getScaling(info.id);
}

double SynthParams::toHost(const ParamInfo& info, double value) const
{
    if (isInvertedDelta(info.id))
        value = info.range.max - value;
    const Scaling* scaling = hostScaling(info);
    return clampUnit(scaling ? scaling->toNormalized(value) : value);
}

double SynthParams::fromHost(const ParamInfo& info, double x) const
{
    if (const Scaling* scaling = hostScaling(info))
        return scaling->toValue(x);
    if (info.parent)
        return x;
    const ParamRange& range = info.range;
    return std::clamp(range.min + x * (range.max - range.min), range.min, range.max);
}

double SynthParams::getParamNormalized(int id) const
{
    if (HeldHostValues::covers(id))
        if (const auto held = heldHostValues.peek(id))
            return *held;
    return toHost(getParamInfo(id), getParam(id).second);
}

void SynthParams::setParamNormalized(int id, double x)
{
    if (!(x >= 0.0 && x <= 1.0) || !HeldHostValues::covers(id))
        return;
    const ParamInfo& info = getParamInfo(id);
    if (info.range.kind == 0 || (!info.parent && !isLiveParam(id)))
        return;
    const std::unique_lock lock(writeLock, std::try_to_lock);
    if (!lock.owns_lock()) {
        heldHostValues.keep(id, x);
        return;
    }
    heldHostValues.drop(id);
    applyHeldHostValues();
    applyHostValue(info, x);
}

void SynthParams::applyHeldHostValues()
{
    heldHostValues.takeAll([this](int id, double x) { applyHostValue(getParamInfo(id), x); });
}

void SynthParams::applyHostValue(const ParamInfo& info, double x)
{
    if (info.parent) {
        setControllerNormalized(info, x);
        return;
    }
    const int id = info.id;
    const double v = fromHost(info, x);
    if (isGrainShape(id)) {
        glideAndTell(id, v);
        const int other = id == param_id::GRAIN_ATTACK ? param_id::GRAIN_DECAY : param_id::GRAIN_ATTACK;
        if (v > 1.0 - params[other].value.target)
            glideAndTell(other, 1.0 - v);
    } else if (isEnvelopeParam(id)) {
        setEnvelopeParam(info, v);
    } else if (id == param_id::SOUND_END) {
        glideAndTell(id, soundEndTarget(v));
    } else {
        glideAndTell(id, v);
        updateDefaultMask(id, v);
    }
}

void SynthParams::setControllerNormalized(const ParamInfo& info, double x)
{
    ParamControl& slot = controllerOf(info);
    if (info.field != FIELD_TYPE) {
        Ramp& ramp = info.field == FIELD_AMOUNT ? slot.amount : slot.params[info.field - FIELD_X];
        ramp.glideTo(fromHost(info, x), glideTime);
        notifyListener(info.id, CHANGED_BY_HOST);
        return;
    }
    const auto type = std::uint32_t(fromHost(info, x));
    if (type == slot.type || type >= NOF_CONTROLLER_TYPES)
        return;
    slot.type = type;
    notifyListener(info.id, CONTROLLER_TYPE_CHANGED);
    // The settings now read through the new kind's ranges: the host rereads them, later, since
    // nothing may reach it from inside its own write.
    markOwnChange();
}

void SynthParams::setEnvelopeParam(const ParamInfo& info, double v)
{
    const int id = info.id;
    const int point = envelopePoint(id);
    switch (envelopeField(id)) {
    case DELTA:
        // Only the decay and release times are the host's to set.
        if (point == 3)
            glideAndTell(id, std::clamp(info.range.max - v, info.range.min, info.range.max));
        else if (point == 2)
            glideAndTell(id, v);
        break;
    case LEVEL:
        glideAndTell(id, v);
        if (const int partner = levelPartner(point); partner >= 0)
            glideAndTell(envelopeFirstId(id) + FIELDS_PER_POINT * partner + LEVEL, v);
        break;
    case CURVE:
        break;
    }
}

void SynthParams::glideAndTell(int id, double v)
{
    params[id].value.glideTo(v, glideTime);
    notifyListener(id, CHANGED_BY_HOST);
}

} // namespace korvel::veldro
