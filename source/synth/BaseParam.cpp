#include "synth/BaseParam.h"

#include "synth/ControllerKinds.h"
#include "synth/ParamTable.h"
#include "synth/SynthParams.h"
#include "utility/Check.h"

#include <cmath>
#include <utility>

namespace korvel::veldro {

namespace {

constexpr int LFO = 3;

bool isFinite(const ControlPatch& patch)
{
    return std::isfinite(patch.amount) && std::isfinite(patch.params[0]) && std::isfinite(patch.params[1]) &&
           std::isfinite(patch.params[2]);
}

ControlPatch storedControl(const ParamControl& slot, bool useCurrent)
{
    auto pick = [&](const Ramp& ramp) { return useCurrent ? ramp.current : ramp.target; };
    return {slot.type, pick(slot.amount), {pick(slot.params[0]), pick(slot.params[1]), pick(slot.params[2])}};
}

} // namespace

void BaseParam::initControls(const ParamInfo& info, SynthParams& synthParams)
{
    owner = &synthParams;
    id = std::int16_t(info.id);
    value.current = value.target = info.range.default_value;
    nof_controls = std::int16_t(info.nof_controls);
    if (nof_controls == 0)
        return;
    KORVEL_CHECK(info.nof_controls && info.control_id >= 0);
    for (int i = 0; i < nof_controls; ++i) {
        for (ParamControl& slot : controls[i]) {
            slot.base_param = this;
            slot.control_index = std::int16_t(i);
            slot.control_id = std::uint32_t(NOF_CONTROLLER_FIELDS * i + info.control_id);
        }
    }
}

void BaseParam::applyControlPatch(int index, const ControlPatch& patch, double time)
{
    if (patch.type >= NOF_CONTROLLER_TYPES || index >= nof_controls || index < 0 || !isFinite(patch))
        return;
    if (time < 0.0)
        time = owner->glideTimeSource()();
    const auto lock = owner->lockForWriting();
    int change = 0;
    if (patch.type != controls[index][0].type)
        change = changeControlType(index, patch.type, time);
    if (patch.type == 0)
        return;
    ParamControl& live = controls[index][0];
    live.amount.setTarget(patch.amount, time);
    if (change == 2)
        time = 0.0;
    for (int k = 0; k < 3; ++k)
        live.params[k].setTarget(patch.params[k], time);
}

int BaseParam::changeControlType(int index, std::uint32_t newType, double time)
{
    ParamControl* slots = controls[index < 0 || index >= MAX_CONTROLS ? 0 : index];
    // The live controller; its short name is part of the check's failure text.
    ParamControl& pc = slots[0];
    KORVEL_CHECK(pc.base_param == this && pc.control_index == index);
    const auto lock = owner->lockForWriting();
    if (newType == pc.type)
        return 0;
    if (pc.type == 0) {
        pc.type = newType;
        return 2;
    }

    Ramp& amount = pc.amount;
    const bool alreadyFading = amount.target == 0.0 && amount.current != 0.0 && time > amount.rate / amount.current;
    if (!alreadyFading)
        amount.setTarget(0.0, time);

    if (newType == slots[1].type) {
        slots[0].swapController(slots[1]);
        return 1;
    }
    if (newType == slots[2].type) {
        slots[1].swapController(slots[2]);
        slots[0].swapController(slots[1]);
        return 1;
    }
    slots[2].takeController(slots[1]);
    slots[1].takeController(slots[0]);
    slots[0].clear();
    slots[0].type = newType;
    return 2;
}

void BaseParam::applyPatch(const ParamPatch& patch, double time)
{
    const double t = owner->isEngineRunning() ? time : 0.0;
    const auto lock = owner->lockForWriting();
    if (std::isfinite(patch.value))
        value.setTarget(patch.value, t);
    for (int i = 0; i < nof_controls; ++i)
        if (patch.controls[i].type < NOF_CONTROLLER_TYPES)
            applyControlPatch(i, patch.controls[i], t);
}

ParamPatch BaseParam::makePatch(bool useCurrent) const
{
    ParamPatch out;
    out.value = useCurrent ? value.current : value.target;
    for (int i = 0; i < nof_controls; ++i) {
        const ParamControl& live = controls[i][0];
        const ParamControl& fading = controls[i][1];
        if (live.isActive())
            out.controls[i] = storedControl(live, useCurrent);
        if (!fading.isActive())
            continue;
        if (!live.isActive()) {
            out.controls[i] = storedControl(fading, useCurrent);
            continue;
        }
        // A controller still fading out takes the next control's place when
        // that one has no live controller (its own fading one, if any, wins
        // in the next round).
        if (i + 1 < nof_controls && !controls[i + 1][0].isActive())
            out.controls[i + 1] = storedControl(fading, useCurrent);
    }
    return out;
}

void BaseParam::advance(double dt)
{
    value.advance(dt);
    for (int i = 0; i < MAX_CONTROLS; ++i) {
        for (int push = 0; push < SLOTS; ++push) {
            ParamControl& slot = controls[i][push];
            if (slot.type == 0)
                continue;
            slot.amount.advance(dt);
            if (push > 0 && slot.amount.current == 0.0 && slot.amount.rate == 0.0) {
                slot.clear();
                continue;
            }
            for (Ramp& param : slot.params)
                param.advance(dt);
            if (slot.type == LFO) {
                const double phase = slot.phase + dt * slot.params[2].current;
                // Any frequency keeps the phase within one cycle.
                slot.phase = phase - std::floor(phase);
            }
        }
    }
}

ParamControl& BaseParam::pushedControl(int index, int push)
{
    return const_cast<ParamControl&>(std::as_const(*this).pushedControl(index, push));
}

const ParamControl& BaseParam::pushedControl(int index, int push) const
{
    KORVEL_CHECK(index < nof_controls && push <= ParamControl::MAX_PUSHED);
    KORVEL_CHECK(index >= 0 && push >= 0);
    return controls[index][push];
}

ParamControl* BaseParam::findControl(int index)
{
    return index >= 0 && index < nof_controls ? &controls[index][0] : nullptr;
}

} // namespace korvel::veldro
