#include "plugin/Processor.h"

#include "audio/SoundPack.h"
#include "patch/ParamSerializer.h"
#include "patch/StateText.h"
#include "synth/ParamTable.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace korvel {

namespace {

using veldro::getParamInfo;

// Recalls the live slot as the editor's open does: every group, values jump.
constexpr std::uint32_t LIVE_RECALL_MASK = veldro::MASK_ALL | veldro::CHANGED_BY_HOST;

// How often a wait for an offline host's request looks at its load.
constexpr std::chrono::milliseconds OFFLINE_POLL_PERIOD{1};

// Copies at most maxLength characters and terminates the text.
void copyText(std::string_view source, char* text, std::size_t maxLength) {
    const std::size_t length = std::min(source.size(), maxLength);
    std::memcpy(text, source.data(), length);
    text[length] = 0;
}

}  // namespace

Processor::Processor(audioMasterCallback audioMaster, EditorMaker makeEditor)
    : AudioEffectX(audioMaster, NUM_PROGRAMS, NUM_PARAMS),
      programName{},
      stateStore(synth.getParams()),
      loadPoller([this] { synth.pollLoads(); }) {
    copyText("Patches not implemented yet!", programName, PROGRAM_NAME_LENGTH);
    setUniqueID(vstFourCharCode("Vldo"));
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing(true);
    canDoubleReplacing(false);
    programsAreChunks(true);
    isSynth(true);
    synth.setSampleRate(getSampleRate());
    veldro::SynthParams& params = synth.getParams();
    params.setPatchCount(NUM_PATCH_SLOTS);
    stateStore.loadPatchFile(stateStore.getPatchFilePath());
    restoreLiveSlot();
    params.setHostNotify([this](int id, float normalized) { setParameterAutomated(id, normalized); });
    suspend();
    if (makeEditor) setEditor(makeEditor(*this));
    loadPoller.resume();
}

Processor::~Processor() { setEditor(nullptr); }

void Processor::recallLiveSlot() {
    const std::lock_guard guard(hostStateLock);
    veldro::SynthParams& params = synth.getParams();
    if (!params.hasPatch(LIVE_SLOT)) return;
    liveSlotWaiting = true;
    recallsWhenWaiting = params.getAppliedRecallCount();
    soundWhenWaiting = synth.getCurrentSound();
    params.applyPatch(LIVE_SLOT, 0.0, LIVE_RECALL_MASK);
}

void Processor::markLiveStateRestored() {
    const std::lock_guard guard(hostStateLock);
    liveSlotWaiting = false;
    soundWhenWaiting.reset();
}

bool Processor::isLiveStateRestored() {
    const std::lock_guard guard(hostStateLock);
    if (liveSlotWaiting) {
        const auto sound = synth.getCurrentSound();
        const bool soundChanged = sound && sound != soundWhenWaiting && synth.isSoundReady();
        if (soundChanged || synth.getParams().getAppliedRecallCount() != recallsWhenWaiting) markLiveStateRestored();
    }
    return !liveSlotWaiting;
}

bool Processor::storeLiveState() {
    const std::lock_guard guard(hostStateLock);
    // The poller installs sounds and finishes their recalls: not halfway through one.
    const LoadPollerPause pause(loadPoller);
    if (!isLiveStateRestored()) return false;
    veldro::SynthParams& params = synth.getParams();
    const veldro::Patch before = params.getPatch(LIVE_SLOT);
    params.storePatch(LIVE_SLOT, false, veldro::MASK_ALL);
    // Hosts compare chunks to see whether a project changed: an unchanged live state keeps its store time.
    if (!before.isEmpty() && veldro::ParamSerializer::writeAlike(params.getPatch(LIVE_SLOT), before))
        params.setPatch(LIVE_SLOT, before);
    return true;
}

void Processor::restoreLiveSlot() {
    const veldro::Patch live = synth.getParams().getPatch(LIVE_SLOT);
    // The state alone decides the live sound: one that it does not name stops at once, and the
    // one it names plays once loaded.
    const auto sound = synth.getCurrentSound();
    if (sound && (live.isEmpty() || sound->name() != live.soundfile)) synth.setSound(nullptr);
    if (live.isEmpty())
        markLiveStateRestored();
    else
        recallLiveSlot();
}

bool Processor::isHostOffline() { return getCurrentProcessLevel() == kVstProcessLevelOffline; }

void Processor::completeLatestRequest() {
    // The polls here finish the request; the poller's would only take turns with them.
    const LoadPollerPause pause(loadPoller);
    while (synth.awaitsLatestRequest()) {
        synth.pollLoads();
        if (synth.awaitsLatestRequest()) std::this_thread::sleep_for(OFFLINE_POLL_PERIOD);
    }
}

void Processor::suspend() {
    int state = fadeState.load(std::memory_order_acquire);
    while (state == FADE_IN || state == PLAYING) {
        // The engine keeps running for one more block, or the fade out would fade silence;
        // that block suspends it.
        if (fadeState.compare_exchange_weak(state, FADE_OUT, std::memory_order_acq_rel)) return;
    }
    if (state == SILENT) synth.suspend();
}

void Processor::resume() {
    int state = fadeState.load(std::memory_order_acquire);
    while ((state == SILENT || state == FADE_OUT) &&
           !fadeState.compare_exchange_weak(state, FADE_IN, std::memory_order_acq_rel)) {
    }
    synth.resume();
}

void Processor::setFadeState(int s) {
    int state = fadeState.load(std::memory_order_acquire);
    // A fade in of what already plays at full level would restart it from silence: an audible dip.
    while (state >= 0 && !(s == FADE_IN && state == PLAYING) &&
           !fadeState.compare_exchange_weak(state, s, std::memory_order_acq_rel)) {
    }
}

void Processor::setSampleRate(float sr) {
    // A host value that is no rate would size the delay memory from garbage; the rate stays.
    if (!veldro::Synth::isUsableSampleRate(sr)) return;
    AudioEffectX::setSampleRate(sr);
    synth.setSampleRate(sr);
}

void Processor::setParameter(VstInt32 index, float value) {
    if (echoThread.load(std::memory_order_acquire) == std::this_thread::get_id()) return;
    // Written so that NaN fails too.
    if (!(value >= 0.0f && value <= 1.0f)) return;
    synth.getParams().setParamNormalized(index, value);
}

float Processor::getParameter(VstInt32 index) {
    return static_cast<float>(synth.getParams().getParamNormalized(index));
}

void Processor::setParameterAutomated(VstInt32 index, float value) {
    // Only the report that finds the guard free takes it and gives it back: with reports of two
    // threads overlapping, handing back what each found would leave a finished thread marked.
    std::thread::id free{};
    const bool guarding = echoThread.compare_exchange_strong(free, std::this_thread::get_id(),
                                                             std::memory_order_acq_rel);
    AudioEffectX::setParameterAutomated(index, value);
    if (guarding) echoThread.store(std::thread::id{}, std::memory_order_release);
}

// Host programs are not tied to the patch slots (MIDI program changes recall those).
void Processor::setProgram(VstInt32) {}

void Processor::setProgramName(char* name) { copyText(name, programName, PROGRAM_NAME_LENGTH); }

void Processor::getProgramName(char* name) {
    std::snprintf(name, kVstMaxProgNameLen + 1, "Patch %i", static_cast<int>(curProgram));
}

void Processor::getParameterLabel(VstInt32 index, char* label) {
    const char* unit = getParamInfo(index).unit;
    copyText(unit ? unit : "", label, 8);
}

void Processor::getParameterDisplay(VstInt32 index, char* text) {
    float2string(static_cast<float>(synth.getParams().getParam(index).second), text, 8);
}

void Processor::getParameterName(VstInt32 index, char* text) { copyText(getParamInfo(index).name, text, 39); }

VstInt32 Processor::getChunk(void** data, bool) {
    const std::lock_guard guard(hostStateLock);
    storeLiveState();
    chunkText = veldro::serialize(synth.getParams());
    *data = chunkText.data();
    return static_cast<VstInt32>(chunkText.size());
}

VstInt32 Processor::setChunk(void* data, VstInt32 byteSize, bool) {
    if (byteSize < 0) return 0;
    if (replaceHostState(std::string(static_cast<const char*>(data), static_cast<std::size_t>(byteSize))) &&
        isHostOffline())
        completeLatestRequest();
    return byteSize;
}

bool Processor::replaceHostState(const std::string& text) {
    const std::lock_guard guard(hostStateLock);
    const LoadPollerPause pause(loadPoller);
    if (!veldro::replaceState(synth.getParams(), text)) return false;
    // What was asked for before this state must not take effect after it.
    synth.getParams().newRequest();
    restoreLiveSlot();
    return true;
}

bool Processor::canParameterBeAutomated(VstInt32 index) { return getParamInfo(index).range.kind != 0; }

bool Processor::getEffectName(char* name) {
    copyText("Quillmar", name, kVstMaxEffectNameLen);
    return true;
}

bool Processor::getVendorString(char* text) {
    copyText("Brindell", text, kVstMaxVendorStrLen);
    return true;
}

bool Processor::getProductString(char* text) {
    copyText("Quillmar", text, kVstMaxProductStrLen);
    return true;
}

VstInt32 Processor::canDo(char* text) {
    for (const char* answer : {"receiveVstEvents", "receiveVstMidiEvent", "midiProgramNames"})
        if (std::strcmp(text, answer) == 0) return 1;
    return -1;
}

}  // namespace korvel
