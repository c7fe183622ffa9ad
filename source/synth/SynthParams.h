#pragma once

#include "synth/BaseParam.h"
#include "synth/HeldHostValues.h"
#include "synth/Patch.h"
#include "synth/ParamControl.h"
#include "synth/ParamTable.h"
#include "synth/Ramp.h"
#include "synth/Scaling.h"
#include "synth/SynthParamListeners.h"
#include "synth/controllers/RandomSource.h"
#include "utility/WriterLock.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {

class ISlotSoundLoader;
class ISynthEngine;
class ISynthParamListener;

// The synthesizer's parameter model: the live parameters 0..62 with their
// glides and modulation controls, the listeners that keep editor views up to
// date, and the report of editor changes to the host. Every write of a
// parameter value goes through here.
//
// The host hears two kinds of change: the user's edits in the editor as
// automation (setParam, reportToHost, inside the editor's gestures), and
// the plug-in's own changes (recalls, resets, restored options, a sound's
// fresh selection, the settings of a controller whose kind the host wrote)
// only as a request to reread the values, which a host thread collects with
// takeOwnChange.
//
// Ids: 0..62 the live parameters; 63..172 the five settings of each
// modulation control (type, amount, x, y, par3), worked on the live controller
// of their parent; the host sees ids 0..179 as normalised values.
//
// Threads: the editor thread writes through setParam, any host thread (its
// audio thread among them) through setParamNormalized, a MIDI program change
// recalls patches on the audio thread, and the audio thread advances the
// glides and evaluates the controllers. Every write of a value, a controller
// or a slot record holds the write lock, which the audio thread and host
// writes only try: a tick it cannot take is made up by the next one, a
// program change is held over to the next block, a host value is kept for
// the next tick. Readers of values take no lock; every field they read is
// atomic. Slot records are read under the lock (see below).
class SynthParams {
public:
    using HostNotify = std::function<void(int id, float normalized)>;

    // --- owner's thread
    explicit SynthParams(ISynthEngine& engine);
    SynthParams(const SynthParams&) = delete;
    SynthParams& operator=(const SynthParams&) = delete;

    // Receives the normalised value of every change made through setParam (the user's edits).
    void setHostNotify(HostNotify notify);
    // Seeds the random controllers' draws (tests; the constructor uses the clock).
    void seedRandom(std::uint32_t seed);

    // --- the thread that installs a sound

    // "sound.start" and "sound.end" span frames on the host's axis.
    void setSoundFrameCount(std::uint64_t frames);

    // --- any thread

    ISynthEngine& engine() const { return owner; }
    bool isEngineRunning() const;
    // "apply.changetime" while the engine runs, else 0 (seconds).
    double getChangeTime() const;
    // This instance's change time as its ramps ask for it.
    const GlideTimeSource& glideTimeSource() const { return glideTime; }
    std::uint64_t getPlayPosition() const;
    std::shared_ptr<const audio::SoundPack> getCurrentSound() const;

    // {current, target} of a live parameter or of a controller setting
    // (type as {type, type}); {0, 0} for any other id.
    std::pair<double, double> getParam(int id) const;
    BaseParam& getBaseParam(int id);
    const BaseParam& getBaseParam(int id) const;
    // The Scaling between the host's 0..1 and a parameter's value: this
    // instance's own for "sound.start" and "sound.end", else the table's.
    const Scaling* getScaling(int id) const;
    // The patch mask that 128 stands for.
    std::uint32_t getDefaultMask() const { return defaultMask.load(std::memory_order_relaxed); }
    double getDensity() const { return density.load(std::memory_order_relaxed); }
    // Held for writes made to a BaseParam or its controllers from outside;
    // the setters here take it themselves.
    std::unique_lock<WriterLock> lockForWriting() const { return std::unique_lock(writeLock); }

    // --- editor thread

    // Glides the value toward v over time (negative jumps) and reports it to
    // the host. A controller type change fades the old controller out.
    // Non-finite values and controller types outside 0..8 are ignored.
    void setParam(int id, double v, double time);
    // setParam without a glide; the options 58..61 also update the default mask.
    void setParamImmediate(int id, double v);
    // Tells the host the normalised target of id, as setParam does: for writes that reach a
    // controller setting past setParam (the editor's controller handles) and for recalls.
    void reportToHost(int id) const;

    // --- any thread; the audio thread only while it holds the write lock (a recall's install)

    // The plug-in's own change (a sound's fresh selection, a restored option): id jumps to v,
    // the options 58..61 update the default mask, and nothing is reported as an edit.
    void setOwnValue(int id, double v);

    // --- any of the host's threads

    // True once after the plug-in changed values by itself: the caller asks the host to reread
    // them (audioMasterUpdateDisplay). Lock-free, so the audio thread may ask.
    bool takeOwnChange();

    // --- any of the host's threads, its audio thread included

    // Host setParameter: x outside [0, 1] or NaN is ignored. Glides with the
    // change time and tells the listener of the parameter (flag 512); the
    // options 58..61 update the default mask as setParamImmediate does. Grain
    // attack plus decay never exceeds 1; envelope levels move their partner.
    // Never waits: while a writer holds the lock the value is kept, and the
    // next parameter tick (or host write, or store) applies the last one kept.
    void setParamNormalized(int id, double x);
    // Host getParameter: always within [0, 1], and a value written through
    // setParamNormalized reads back unchanged (up to the parameter's steps),
    // also while it is kept; a "sound.end" of 0 reads back as the end of a
    // ready sound, 1, which is what it stands for.
    double getParamNormalized(int id) const;

    // --- patch slots
    //
    // Records are written under the write lock and read under it by every
    // thread but the audio thread (which reads them only inside a recall, when
    // it holds the lock): the editor, the host's chunk calls on any of its
    // threads and the loader never see a record half written. Recalls run on
    // the editor thread, and on the audio thread for a MIDI program change.

    // New slots are empty; slots from n on are dropped.
    void setPatchCount(std::size_t n);
    std::size_t getPatchCount() const;
    // A copy of the record of slot i; an empty record past getPatchCount().
    // Const, so that a write meant for the slot cannot land in the copy.
    const Patch getPatch(int i) const;
    // The record itself, for set-up before any other thread runs; i must be
    // below getPatchCount(). setPatch otherwise.
    Patch& editPatch(int i);
    // Replaces the record of slot i (ignored past getPatchCount()).
    void setPatch(int i, Patch patch);
    // Slot i exists and holds a stored patch.
    bool hasPatch(int i) const;
    // Stores the live parameters 0..54 (current values or targets), the store
    // time and the current sound's name into slot i; with mask bit 64 also the
    // targets of 56..58. Host values still kept are applied first, told as
    // host writes are; no other listener is told.
    void storePatch(int i, bool useCurrent, std::uint32_t mask);
    // Recalls slot i: values glide over time (negative: the change time), the
    // mask (128: the default mask) selects the groups. A slot whose sound is
    // not the current one is handed to the sound loader, which recalls it
    // again once that sound is installed.
    void applyPatch(int i, double time, std::uint32_t mask);
    // applyPatch as if sound were the current sound, as request: the
    // loader's recall right after installing it, which the audio thread may
    // not have taken up yet.
    void applyPatchWithSound(int i, double time, std::uint32_t mask, std::shared_ptr<const audio::SoundPack> sound,
                             std::uint64_t request);
    // A recall that the audio thread handed over (time and mask resolved),
    // as request: nothing when a later request came meanwhile.
    void resumeRecall(int i, double time, std::uint32_t mask, std::uint64_t request);
    // Parameters of the mask's groups glide to their defaults; bit 8 fades
    // the controllers out, bit 64 resets 56..58 and, with mask 127, 59..61.
    void resetToDefaults(double time, std::uint32_t mask);
    // Counts the recalls and resets that took effect (any thread).
    std::uint64_t getAppliedRecallCount() const { return appliedRecalls.load(std::memory_order_acquire); }
    // Where recalls ask for sounds that are not current; null (the default)
    // leaves such recalls without effect. Set by the loader's owner.
    void setSoundLoader(ISlotSoundLoader* loader) { soundLoader = loader; }

    // --- requests
    //
    // Program changes, patch recalls, the user's sound loads and restored
    // states draw their numbers from one sequence, and only the latest
    // request installs a sound or recalls a slot: the last one asked for wins,
    // whatever order loads finish in. A request is drawn, and checked before
    // it takes effect, holding the write lock, so no older request acts
    // between a newer one's draw and its effect. applyPatch draws its own.

    // Any thread but the audio thread (there, only inside applyPatch).
    std::uint64_t newRequest();
    // Any thread; the answer holds while the caller holds the write lock.
    bool isLatestRequest(std::uint64_t request) const
    {
        return request == latestRequest.load(std::memory_order_acquire);
    }
    // Any thread: the number the latest request drew.
    std::uint64_t lastRequest() const { return latestRequest.load(std::memory_order_acquire); }

    // --- listeners: add and clear on the editor thread, notify on any thread

    void addListener(ISynthParamListener* listener);
    // Once this returns, no other thread is inside a dropped listener.
    void clearListeners();
    void notifyListeners(std::uint32_t flags) const;
    void notifyListener(int id, std::uint32_t flags) const;

    // --- audio thread

    // One parameter tick of dt seconds: host values kept meanwhile, then the
    // glides and controllers of 0..54; "density.compensation" takes its target
    // at once. While a writer holds the lock the tick waits for the next call,
    // which makes up the time.
    void advance(double dt);
    // Runs the program change held over while a writer held the lock.
    void retryHeldRecall();
    bool holdsRecall() const { return heldRecall.slot >= 0; }
    // Grain density from rate, length, attack and decay.
    void updateDensity();
    // {value.current, summed controller output} over all six slots (k < 0)
    // or the three of control k. Random walks advance.
    std::pair<double, double> getModulation(int id, int k);
    // A slot's output times its amount; state is its phase or a copy of it.
    double evaluateControl(const ParamControl& slot, double& state);

    // --- editor thread

    // A slot's output for drawing: nothing of the slot changes, and random
    // draws come from a source of the editor's own.
    double getControlValue(const ParamControl& slot);

private:
    static bool isLiveParam(int id) { return id >= 0 && id < NOF_SYNTH_PARAMS; }
    // The live controller a generated parameter stands for.
    ParamControl& controllerOf(const ParamInfo& info);
    const ParamControl& controllerOf(const ParamInfo& info) const;
    // The one mapping between a value and the host's 0..1, for set, get and report.
    const Scaling* hostScaling(const ParamInfo& info) const;
    double toHost(const ParamInfo& info, double value) const;
    double fromHost(const ParamInfo& info, double x) const;
    // The host's write itself, with the lock held.
    void applyHostValue(const ParamInfo& info, double x);
    void applyHeldHostValues();
    void setEnvelopeParam(const ParamInfo& info, double v);
    void setControllerNormalized(const ParamInfo& info, double x);
    // The write of setParam without its report; false when nothing was written.
    bool writeTarget(int id, double v, double time);
    void markOwnChange();
    void glideAndTell(int id, double v);
    // "sound.end" at 0 or below stands for the end of the sound: as the
    // ready sound's frame count, a glide there never sweeps down through the
    // sound and across the start. Unchanged without a ready sound.
    double soundEndTarget(double v) const;
    void updateDefaultMask(int id, double v);
    double evaluate(const ParamControl& slot, double& state, RandomSource& random) const;
    double resolveTime(double time) const;
    std::uint32_t resolveMask(std::uint32_t mask) const;
    void applyPatchRecord(int slot, double time, std::uint32_t mask, const audio::SoundPack* sound,
                          std::uint64_t request);
    void recallValues(const Patch& patch, int first, int last, double time, std::uint32_t mask);
    void limitSoundRange(double time, std::uint32_t mask, const audio::SoundPack* sound);
    // Takes the write lock: on the audio thread only when it is free.
    std::unique_lock<WriterLock> lockFromAnyThread() const;

    ISynthEngine& owner;
    mutable WriterLock writeLock;
    // Audio thread: tick time not advanced yet, and a program change held over.
    double untickedTime = 0.0;
    struct HeldRecall {
        int slot = -1;
        double time = 0.0;
        std::uint32_t mask = 0;
    } heldRecall;
    HostNotify hostNotify;
    GlideTimeSource glideTime;
    std::atomic<std::uint32_t> defaultMask{15};
    std::atomic<double> density{0.0};
    std::atomic<std::uint64_t> appliedRecalls{0};
    std::atomic<std::uint64_t> latestRequest{0};
    std::atomic<bool> ownChange{false};
    HeldHostValues heldHostValues;
    std::array<BaseParam, NOF_SYNTH_PARAMS> params;
    std::array<std::unique_ptr<Scaling>, 2> soundRangeScalings;
    std::vector<Patch> patches;
    ISlotSoundLoader* soundLoader = nullptr;
    SynthParamListeners listeners;
    RandomSource audioRandom;
    RandomSource editorRandom;
};

} // namespace korvel::veldro
