#include "synth/SynthParams.h"

#include "synth/ISynthEngine.h"
#include "synth/SynthParamIds.h"
#include "utility/Check.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

SynthParams::SynthParams(ISynthEngine& engine)
    : owner(engine), glideTime([this] { return getChangeTime(); }), audioRandom(RandomSource::timeSeed()),
      editorRandom(RandomSource::timeSeed())
{
    for (int id = 0; id < NOF_SYNTH_PARAMS; ++id)
        params[id].initControls(getParamInfo(id), *this);
    for (int id : {param_id::SOUND_START, param_id::SOUND_END})
        soundRangeScalings[id] = makeScaling(getParamInfo(id).range);
    resetToDefaults(0.0, GROUP_GRAIN);
}

void SynthParams::setHostNotify(HostNotify notify) { hostNotify = std::move(notify); }

void SynthParams::seedRandom(std::uint32_t seed)
{
    audioRandom.reseed(seed);
    editorRandom.reseed(seed);
}

void SynthParams::setSoundFrameCount(std::uint64_t frames)
{
    for (auto& scaling : soundRangeScalings)
        if (scaling)
            scaling->setRange(double(frames), 0.0);
}

bool SynthParams::isEngineRunning() const { return owner.isEngineRunning(); }

double SynthParams::getChangeTime() const
{
    return isEngineRunning() ? double(params[param_id::CHANGE_TIME].value.target) : 0.0;
}

std::uint64_t SynthParams::getPlayPosition() const
{
    const double position = owner.getPlayPosition();
    return position > 0.0 ? std::uint64_t(position) : 0;
}

std::shared_ptr<const audio::SoundPack> SynthParams::getCurrentSound() const { return owner.getCurrentSound(); }

std::pair<double, double> SynthParams::getParam(int id) const
{
    if (isLiveParam(id))
        return {params[id].value.current, params[id].value.target};
    const ParamInfo& info = getParamInfo(id);
    if (!info.parent)
        return {0.0, 0.0};
    const ParamControl& slot = controllerOf(info);
    if (info.field == FIELD_TYPE)
        return {double(slot.type), double(slot.type)};
    const Ramp& ramp = info.field == FIELD_AMOUNT ? slot.amount : slot.params[info.field - FIELD_X];
    return {ramp.current, ramp.target};
}

BaseParam& SynthParams::getBaseParam(int id)
{
    KORVEL_CHECK(isLiveParam(id));
    return params[id];
}

const BaseParam& SynthParams::getBaseParam(int id) const
{
    KORVEL_CHECK(isLiveParam(id));
    return params[id];
}

const Scaling* SynthParams::getScaling(int id) const
{
    if (isSoundRangeParam(id))
        return soundRangeScalings[id].get();
    return getParamInfo(id).getScaling();
}

ParamControl& SynthParams::controllerOf(const ParamInfo& info)
{
    return params[info.parent->id].controls[info.controlIndex][0];
}

const ParamControl& SynthParams::controllerOf(const ParamInfo& info) const
{
    return params[info.parent->id].controls[info.controlIndex][0];
}

void SynthParams::setParam(int id, double v, double time)
{
    if (writeTarget(id, v, time))
        reportToHost(id);
}

bool SynthParams::writeTarget(int id, double v, double time)
{
    if (!std::isfinite(v))
        return false;
    const ParamInfo& info = getParamInfo(id);
    const auto lock = lockForWriting();
    if (info.parent) {
        ParamControl& slot = controllerOf(info);
        if (info.field == FIELD_TYPE) {
            if (!(v > -1.0 && v < NOF_CONTROLLER_TYPES))
                return false;
            params[info.parent->id].changeControlType(info.controlIndex, std::uint32_t(v), time);
        } else if (info.field == FIELD_AMOUNT) {
            slot.amount.setTarget(v, time);
        } else {
            slot.params[info.field - FIELD_X].setTarget(v, time);
        }
    } else if (isLiveParam(id)) {
        params[id].value.setTarget(v, time);
    } else {
        return false;
    }
    return true;
}

void SynthParams::reportToHost(int id) const
{
    if (hostNotify)
        hostNotify(id, float(getParamNormalized(id)));
}

void SynthParams::setParamImmediate(int id, double v)
{
    if (!std::isfinite(v))
        return;
    setParam(id, v, 0.0);
    updateDefaultMask(id, v);
}

void SynthParams::setOwnValue(int id, double v)
{
    if (!writeTarget(id, v, 0.0))
        return;
    updateDefaultMask(id, v);
    markOwnChange();
}

void SynthParams::markOwnChange() { ownChange.store(true, std::memory_order_release); }

bool SynthParams::takeOwnChange()
{
    return ownChange.load(std::memory_order_acquire) && ownChange.exchange(false, std::memory_order_acq_rel);
}

void SynthParams::updateDefaultMask(int id, double v)
{
    std::uint32_t bit = 0;
    switch (id) {
    case param_id::PATCH_RANDOM:
        bit = GROUP_GLOBALS;
        break;
    case param_id::PATCH_GLOBALS:
        // "Change ADSR with patch": a recall takes the envelope points with bit 16.
        bit = GROUP_ENVELOPE | GROUP_GLOBALS;
        break;
    case param_id::PATCH_SOUNDFILE:
        bit = GROUP_SOUND;
        break;
    case param_id::PATCH_CONTROLS:
        bit = GROUP_CONTROLLERS;
        break;
    default:
        return;
    }
    if (v > 0.5)
        defaultMask.fetch_or(bit, std::memory_order_relaxed);
    else
        defaultMask.fetch_and(~bit, std::memory_order_relaxed);
}

void SynthParams::addListener(ISynthParamListener* listener) { listeners.add(listener); }

void SynthParams::clearListeners() { listeners.clear(); }

void SynthParams::notifyListeners(std::uint32_t flags) const { listeners.notifyAll(flags); }

void SynthParams::notifyListener(int id, std::uint32_t flags) const { listeners.notifyOne(id, flags); }

void SynthParams::advance(double dt)
{
    untickedTime += dt;
    const std::unique_lock lock(writeLock, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    applyHeldHostValues();
    for (int id = 0; id <= param_id::LAST_GLIDING; ++id)
        params[id].advance(untickedTime);
    untickedTime = 0.0;
    Ramp& compensation = params[param_id::DENSITY_COMPENSATION].value;
    compensation.jumpTo(compensation.target);
}

std::unique_lock<WriterLock> SynthParams::lockFromAnyThread() const
{
    if (owner.isAudioThread())
        return std::unique_lock(writeLock, std::try_to_lock);
    return std::unique_lock(writeLock);
}

void SynthParams::updateDensity()
{
    auto now = [this](int id) { return params[id].value.current; };
    const double envelopeShare =
        std::clamp(1.0 - (now(param_id::GRAIN_ATTACK) + now(param_id::GRAIN_DECAY)), 0.5, 1.0);
    density.store(now(param_id::GRAIN_RATE) * now(param_id::GRAIN_LENGTH) * 0.001 * envelopeShare,
                  std::memory_order_relaxed);
}

} // namespace korvel::veldro
