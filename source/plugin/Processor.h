#pragma once

#include "patch/StateStore.h"
#include "plugin/AudioEffectX.h"
#include "plugin/LoadPoller.h"
#include "synth/Synth.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

namespace korvel {

// The plug-in object the host talks to: turns every host call into engine,
// parameter or patch-storage calls, and fades the sound in and out around the
// host's resume and suspend.
//
// Threads: the dispatcher calls (parameters, names, chunks, programs, mains
// on/off) come from the host's GUI thread; processReplacing,
// processDoubleReplacing and processEvents from its audio thread, which the
// engine knows as such only inside those calls and which never waits for a
// lock; a poller thread of this instance installs finished sound loads while
// no editor does. No call waits for a sound load, but those of a host that
// says it renders offline (see completeLatestRequest). Chunk calls may come
// from any thread of the host (save and autosave threads among them), with
// the editor open or closed: they and the editor's store and recall of the
// live slot take turns under a lock that the audio thread never takes, and
// that nobody holds while waiting for a load.
class Processor : public AudioEffectX {
public:
    static constexpr VstInt32 NUM_PROGRAMS = 96;
    static constexpr VstInt32 NUM_PARAMS = 180;
    static constexpr std::size_t NUM_PATCH_SLOTS = 130;
    // The slot that holds the live sound between sessions.
    static constexpr int LIVE_SLOT = 1;
    static constexpr int PROGRAM_NAME_LENGTH = 24;

    enum FadeState : int { SILENT = 0, FADE_IN = 1, PLAYING = 2, FADE_OUT = 3 };

    // --- host's GUI thread

    // Makes the editor object of an instance; none when null.
    using EditorMaker = AEffEditor* (*)(Processor& processor);

    // Reads the state file "./veldro.json" of the current folder; a live slot
    // it brings plays once its sound has loaded.
    explicit Processor(audioMasterCallback audioMaster, EditorMaker makeEditor = nullptr);
    // Deletes the editor first: an open window is released while the engine it shows still exists.
    ~Processor() override;

    void suspend() override;
    void resume() override;
    // Rates outside 8 kHz..768 kHz are ignored.
    void setSampleRate(float sr) override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setParameterAutomated(VstInt32 index, float value) override;

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    // Stores the live state into the live slot first (see storeLiveState).
    // *data stays valid until the next getChunk or the destruction.
    VstInt32 getChunk(void** data, bool isPreset) override;
    // The chunk is the whole state: slots it does not fill become empty (veldro::replaceState),
    // and the live sound is the live slot's or none. Returns at once, the live slot's sound still
    // loading (the poller or the editor's idle installs it), but for a host that says it renders
    // offline: then it returns with the sound in place.
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    bool canParameterBeAutomated(VstInt32 index) override;
    VstInt32 getNumMidiInputChannels() override { return 1; }
    VstInt32 startProcess() override { return 1; }
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return 100; }
    VstInt32 canDo(char* text) override;
    VstPlugCategory getPlugCategory() override { return kPlugCategSynth; }

    // --- host's audio thread

    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) override;
    VstInt32 processEvents(VstEvents* events) override;

    // --- editor (GUI thread); the live slot's functions on any thread but the audio thread

    // Requests a fade state; FADE_IN makes the next block with a ready sound fade in,
    // unless the sound already plays at full level.
    void setFadeState(int s);
    veldro::Synth& getSynth() { return synth; }
    veldro::StateStore& getStateStore() { return stateStore; }
    // Paused by the editor while it is open, since its idle call polls the loads then.
    LoadPoller& getLoadPoller() { return loadPoller; }

    // The live slot: recalled when the editor opens on a stopped engine (and
    // on a restore), stored when it closes and when the host asks for the chunk.
    // A stored live slot whose sound has not been installed yet must not be
    // overwritten by the parameters that wait for it.
    void recallLiveSlot();
    // The live parameters are the user's own now (the engine was running, or
    // they were reset to defaults).
    void markLiveStateRestored();
    // False while a recalled live slot still waits for its sound (loading,
    // missing or failed): neither the sound nor a later recall, reset or sound
    // of the user's has taken over yet.
    bool isLiveStateRestored();
    // Stores targets of every group into the live slot unless it waits for
    // its sound; true when it stored.
    bool storeLiveState();

    // --- the host's threads: its audio thread's processing and the editor's idle

    // Values the plug-in changed by itself (a recall, a restore, a sound that finished loading) are
    // reread by the host after a display update, sent only from here: never from a thread of the
    // plug-in's own, nor from inside the host's setParameter.
    void tellHostOfOwnChanges() {
        if (synth.getParams().takeOwnChange()) updateDisplay();
    }

    // --- any thread

    int getFadeState() const { return fadeState.load(std::memory_order_acquire); }

private:
    // Takes the live slot's sound and recalls the slot as the editor's open
    // does (without an editor nobody else would), or leaves no sound when the
    // slot names none or is empty. Never waits for the load.
    void restoreLiveSlot();
    // Applies a host's state under the lock; false when the text is no state.
    bool replaceHostState(const std::string& text);
    // Asks the host through its callback; true while it renders offline.
    bool isHostOffline();
    // Polls until the latest request (a restore, a program change) has taken
    // effect or failed, the poller paused; loads it overtook are not waited
    // for. Only for an offline host, which must hear what it asked for in the
    // next block rendered, however fast it renders.
    void completeLatestRequest();
    void finishFadeOut();

    char programName[PROGRAM_NAME_LENGTH + 1];
    std::atomic<int> fadeState{SILENT};
    veldro::Synth synth;
    veldro::StateStore stateStore;
    // Held by chunk calls and the live slot's store and recall, which nest: guards the fields below
    // and keeps a chunk whole while another thread stores or restores.
    std::recursive_mutex hostStateLock;
    std::string chunkText;
    // What the live state was when a recalled live slot began to wait for its sound.
    bool liveSlotWaiting = false;
    std::uint64_t recallsWhenWaiting = 0;
    std::shared_ptr<const audio::SoundPack> soundWhenWaiting;
    // The thread reporting this instance's own change to the host: the host's
    // echo on that thread is ignored, while other threads still set parameters.
    // A report overlapping another thread's leaves the guard to that thread.
    std::atomic<std::thread::id> echoThread{};
    // Last: it stops before the engine it polls goes away.
    LoadPoller loadPoller;
};

}  // namespace korvel
