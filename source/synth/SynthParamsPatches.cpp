// Patch slots: store, recall with a glide under a group mask, and reset.
#include "synth/SynthParams.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/ISynthEngine.h"
#include "synth/SynthParamIds.h"
#include "synth/loading/ISlotSoundLoader.h"
#include "utility/Check.h"

#include <chrono>
#include <cmath>
#include <optional>

namespace korvel::veldro {

namespace {

// A recalled selection keeps at least this many frames.
constexpr double MIN_SELECTION_FRAMES = 100.0;
constexpr int FIRST_NON_SOUND_PARAM = 2;

double secondsSince1970()
{
    using namespace std::chrono;
    return double(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

std::optional<double> frameCountOf(const audio::SoundPack* sound)
{
    if (!sound || sound->state() != audio::LoadState::READY)
        return std::nullopt;
    return double(sound->frameCount());
}

} // namespace

void SynthParams::setPatchCount(std::size_t n)
{
    const auto lock = lockForWriting();
    patches.resize(n);
}

std::size_t SynthParams::getPatchCount() const
{
    const auto lock = lockFromAnyThread();
    return lock.owns_lock() ? patches.size() : 0;
}

Patch& SynthParams::editPatch(int i)
{
    KORVEL_CHECK(i >= 0 && std::size_t(i) < patches.size());
    return patches[std::size_t(i)];
}

void SynthParams::setPatch(int i, Patch patch)
{
    if (i < 0 || std::size_t(i) >= patches.size())
        return;
    const auto lock = lockForWriting();
    // The old record is freed after the lock is given back.
    std::swap(patches[std::size_t(i)], patch);
}

const Patch SynthParams::getPatch(int i) const
{
    const auto lock = lockFromAnyThread();
    if (!lock.owns_lock() || i < 0 || std::size_t(i) >= patches.size())
        return {};
    return patches[std::size_t(i)];
}

bool SynthParams::hasPatch(int i) const
{
    const auto lock = lockFromAnyThread();
    return lock.owns_lock() && i >= 0 && std::size_t(i) < patches.size() && !patches[std::size_t(i)].isEmpty();
}

void SynthParams::storePatch(int i, bool useCurrent, std::uint32_t mask)
{
    if (i < 0 || std::size_t(i) >= patches.size())
        return;
    const auto sound = getCurrentSound();
    const auto lock = lockForWriting();
    // A host value still kept (no tick ran since: the engine may be stopped) is part of what is stored.
    applyHeldHostValues();
    Patch& slot = patches[std::size_t(i)];
    for (int id = 0; id <= param_id::LAST_GLIDING; ++id)
        slot.params[id] = params[id].makePatch(useCurrent);
    slot.params[Patch::TIMESTAMP].value = secondsSince1970();
    if (sound)
        slot.soundfile = sound->name();
    if (mask & GROUP_GLOBALS)
        for (int id : {param_id::CHANGE_TIME, param_id::DENSITY_COMPENSATION, param_id::PATCH_RANDOM})
            slot.params[id].value = params[id].value.target;
}

double SynthParams::resolveTime(double time) const { return time < 0.0 ? getChangeTime() : time; }

std::uint32_t SynthParams::resolveMask(std::uint32_t mask) const
{
    return mask == MASK_DEFAULT ? getDefaultMask() : mask;
}

void SynthParams::applyPatch(int i, double time, std::uint32_t mask)
{
    const auto lock = lockFromAnyThread();
    if (!lock.owns_lock()) {
        // A writer is busy, maybe with this very slot: the next block recalls it.
        heldRecall = {i, time, mask};
        return;
    }
    // A program change held over is older than this one: retried later, it would win.
    if (owner.isAudioThread())
        heldRecall.slot = -1;
    if (hasPatch(i))
        applyPatchRecord(i, resolveTime(time), resolveMask(mask), getCurrentSound().get(), newRequest());
}

void SynthParams::resumeRecall(int i, double time, std::uint32_t mask, std::uint64_t request)
{
    const auto lock = lockForWriting();
    if (isLatestRequest(request) && hasPatch(i))
        applyPatchRecord(i, time, mask, getCurrentSound().get(), request);
}

std::uint64_t SynthParams::newRequest()
{
    const auto lock = lockFromAnyThread();
    return latestRequest.fetch_add(1, std::memory_order_acq_rel) + 1;
}

void SynthParams::retryHeldRecall()
{
    if (heldRecall.slot < 0)
        return;
    const HeldRecall recall = heldRecall;
    heldRecall.slot = -1;
    applyPatch(recall.slot, recall.time, recall.mask);
}

void SynthParams::applyPatchWithSound(int i, double time, std::uint32_t mask,
                                      std::shared_ptr<const audio::SoundPack> sound, std::uint64_t request)
{
    const auto lock = lockForWriting();
    if (hasPatch(i))
        applyPatchRecord(i, resolveTime(time), resolveMask(mask), sound.get(), request);
}

void SynthParams::applyPatchRecord(int slot, double time, std::uint32_t mask, const audio::SoundPack* sound,
                                   std::uint64_t request)
{
    const Patch& patch = patches[std::size_t(slot)];
    const std::uint32_t m = (mask & ~std::uint32_t(CONTROLLER_TYPE_CHANGED)) | CHANGED_BY_HOST;
    int first = FIRST_NON_SOUND_PARAM;
    const int last = (m & GROUP_ENVELOPE) ? Patch::TIMESTAMP : param_id::ADSR1_FIRST;
    if (!patch.soundfile.empty() && (m & GROUP_SOUND)) {
        if (!sound || sound->name() != patch.soundfile) {
            // The loader recalls this slot again once its sound is current.
            if (soundLoader)
                soundLoader->loadSlotSound(patch.soundfile, slot, time, m, request);
            return;
        }
        if (m & GROUP_GRAIN)
            first = 0;
    }
    recallValues(patch, first, last, time, m);
    limitSoundRange(time, m, sound);
    appliedRecalls.fetch_add(1, std::memory_order_acq_rel);
    markOwnChange();
    notifyListeners(m);
}

void SynthParams::recallValues(const Patch& patch, int first, int last, double time, std::uint32_t mask)
{
    for (int id = first; id < last; ++id) {
        if (mask & GROUP_CONTROLLERS) {
            if (getParamInfo(id).flags & mask)
                params[id].applyPatch(patch.params[id], time);
        } else if (std::isfinite(patch.params[id].value)) {
            params[id].value.setTarget(patch.params[id].value, time);
        }
    }
}

void SynthParams::limitSoundRange(double time, std::uint32_t mask, const audio::SoundPack* sound)
{
    Ramp& start = params[param_id::SOUND_START].value;
    Ramp& end = params[param_id::SOUND_END].value;
    const std::optional<double> frames = frameCountOf(sound);
    if (!frames) {
        start.setTarget(0.0, time);
        end.setTarget(0.0, time);
        return;
    }
    if (!(mask & GROUP_SOUND))
        return;
    const double f = *frames;
    double s = start.target;
    double e = end.target;
    // An end past the sound (a slot stored with a longer file) would let
    // grains read beyond the last frame.
    if (!(e > 0.0) || e > f)
        e = f;
    if (!(s > 0.0) || s >= f - MIN_SELECTION_FRAMES)
        s = 0.0;
    if (s + MIN_SELECTION_FRAMES >= e)
        e = f;
    start.setTarget(s, time);
    end.setTarget(e, time);
}

double SynthParams::soundEndTarget(double v) const
{
    return v > 0.0 ? v : frameCountOf(getCurrentSound().get()).value_or(v);
}

void SynthParams::resetToDefaults(double time, std::uint32_t mask)
{
    const auto lock = lockForWriting();
    const std::uint32_t m = resolveMask(mask);
    const double t = resolveTime(time);
    for (int id = 0; id <= param_id::LAST_GLIDING; ++id) {
        const ParamInfo& info = getParamInfo(id);
        if (!(info.flags & m))
            continue;
        params[id].value.setTarget(info.range.default_value, t);
        if (m & GROUP_CONTROLLERS)
            for (int c = 0; c < params[id].nof_controls; ++c)
                params[id].changeControlType(c, 0, t);
    }
    if (getParamInfo(param_id::SOUND_END).flags & m)
        params[param_id::SOUND_END].value.setTarget(soundEndTarget(0.0), t);
    if (m & GROUP_GLOBALS) {
        for (int id : {param_id::CHANGE_TIME, param_id::DENSITY_COMPENSATION, param_id::PATCH_RANDOM})
            params[id].value.setTarget(getParamInfo(id).range.default_value, 0.0);
        if (m == MASK_ALL)
            for (int id : {param_id::PATCH_SOUNDFILE, param_id::PATCH_CONTROLS, param_id::PATCH_GLOBALS})
                setOwnValue(id, getParamInfo(id).range.default_value);
    }
    appliedRecalls.fetch_add(1, std::memory_order_acq_rel);
    markOwnChange();
    notifyListeners(m);
}

} // namespace korvel::veldro
