#pragma once

#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/SynthParams.h"
#include "synth/dsp/OutputStage.h"
#include "synth/engine/BlockCarry.h"
#include "synth/engine/GrainPool.h"
#include "synth/engine/GrainQuads.h"
#include "synth/engine/KeyboardGain.h"
#include "synth/engine/SoundHandover.h"
#include "synth/loading/SoundLoader.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {

// The sound engine of one plug-in instance: cuts the current sound into
// grains and mixes them, with the parameter model, the MIDI state, a pool of
// grain records and the shared delay memory.
//
class Synth : public ISynthEngine {
public:
    // Only RUNNING_WITH_SOUND renders.
    enum RunState : int {
        NEW = 0,
        SUSPENDED_WITHOUT_SOUND = 1,
        SUSPENDED_WITH_SOUND = 2,
        RUNNING_WITHOUT_SOUND = 3,
        RUNNING_WITH_SOUND = 4,
    };
    static constexpr int SUB_BLOCK_FRAMES = 8;
    static constexpr std::uint64_t PARAMETER_TICK_FRAMES = 64;
    static constexpr std::size_t DEFAULT_POOL_SIZE = 1000;
    // Each grain may hold a sound of its own: the sound hand-over is sized for this many.
    static constexpr std::size_t MAX_POOL_SIZE = 4000;
    static constexpr double MIN_GRAIN_RATE = 1.0 / 60.0;
    static constexpr double MAX_GRAIN_RATE = 2000.0;
    // Grains owed by the grain clock beyond this are dropped: a sub-block
    // starts at most one.
    static constexpr double MAX_GRAIN_BACKLOG = 2.0;
    // Rates a host can mean; others leave the rate as it is.
    static constexpr double MIN_SAMPLE_RATE = 8000.0;
    static constexpr double MAX_SAMPLE_RATE = 768000.0;

    static bool isUsableSampleRate(double sr) { return sr >= MIN_SAMPLE_RATE && sr <= MAX_SAMPLE_RATE; }

    // Marks the constructing thread as the audio thread until destroyed;
    // the host's processing calls hold one, so a thread that processes for
    // the first time is known as such. Scopes nest.
    class AudioThreadScope {
    public:
        explicit AudioThreadScope(Synth& synth);
        ~AudioThreadScope();
        AudioThreadScope(const AudioThreadScope&) = delete;
        AudioThreadScope& operator=(const AudioThreadScope&) = delete;

    private:
        Synth& synth;
        std::thread::id previous;
    };

    Synth();
    ~Synth() override;
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    // --- set-up: host's GUI thread

    // Takes a usable rate at once while the engine is suspended, else at the
    // next resume; the delay memory is sized for 10 seconds and emptied then.
    void setSampleRate(double sr);
    // Grows the grain pool to n records (at most MAX_POOL_SIZE); it never shrinks.
    void setGrainPoolSize(std::size_t n);
    // Off: every grain renders on its own (the reference for the grouped way).
    void setGrainGrouping(bool on) { quads.setEnabled(on); }

    // --- any thread

    // Installs pack as the current sound and resets the selection to all of
    // it (the plug-in's own change: SynthParams::setOwnValue). The audio thread takes it up, with the
    // selection and a play head at 0, at its next 8-frame boundary; grains
    // already playing keep their sound. Null leaves the engine without a
    // sound: no grain starts until the next one. From the audio thread only
    // with a pack that the sound cache holds. False, counted in
    // refusedSounds(), when the hand-over has no room, which its sizing
    // rules out.
    bool setSound(std::shared_ptr<audio::SoundPack> pack);
    // A current sound exists and is ready.
    bool isSoundReady() const;
    void resume();
    void suspend();
    int getRunState() const { return runState.load(); }

    // ISynthEngine
    bool isEngineRunning() const override { return getRunState() >= RUNNING_WITH_SOUND; }
    double getPlayPosition() const override { return sharedPlayPosition.load(std::memory_order_relaxed); }
    // On the audio thread the sound being played, elsewhere the one set last.
    std::shared_ptr<const audio::SoundPack> getCurrentSound() const override;
    double getSampleRate() const override { return sampleRate.load(std::memory_order_relaxed); }
    const MidiState& getMidiState() const override { return midi; }
    // Inside an AudioThreadScope of this engine.
    bool isAudioThread() const override;

    // --- sound loading (see SoundLoader for the threads of each call)

    void loadSound(const std::string& path, const StatusReport& status) { loader.loadSound(path, status); }
    void loadSoundFile(const std::wstring& path, const StatusReport& status, int slot, double time,
                       std::uint32_t mask)
    {
        loader.loadSoundFile(path, status, slot, time, mask);
    }
    int loadPack(std::shared_ptr<audio::SoundPack> pack) { return loader.loadPack(std::move(pack)); }
    std::uint64_t pollLoads() { return loader.pollLoads(); }
    bool awaitsLatestRequest() const { return loader.awaitsLatestRequest(); }
    // Tests only: see SoundLoader::setFinishGate.
    void setLoadFinishGate(SoundLoader::FinishGate gate) { loader.setFinishGate(std::move(gate)); }
    std::shared_ptr<audio::SoundPack> findSound(const std::wstring& path) const { return loader.findSound(path); }

    SynthParams& getParams() { return params; }
    const SynthParams& getParams() const { return params; }

    // --- audio thread

    // Fills outputs[0] (left) and outputs[1] (right) with n frames; silence
    // unless the engine runs with a sound. The output is the same whatever the block
    // lengths: frames rendered past the end of a block open the next one.
    void render(float** outputs, int n);
    void processMidiEvent(const NoteRecord& note);
    void processMidiController(int kind, int value, int value2);
    // A MIDI program change: recalls the patch slot of that number.
    void processProgramChange(int slot);
    int activeGrainCount() const { return grains.activeCount(); }
    std::size_t grainPoolSize() const { return grains.size(); }
    // Output values that were not finite and went out as silence; stays 0
    // unless a signal path fails.
    std::uint64_t silencedOutputs() const { return nonFiniteOutputs; }
    // Sounds that setSound could not hand over; stays 0.
    std::uint64_t refusedSounds() const { return refused.load(std::memory_order_relaxed); }
    // Requests not settled yet: a program change held over, and what the
    // loader has left (SoundLoader::unsettledCount); 0 once the latest
    // request took effect or failed.
    std::uint64_t unsettledRequests() const
    {
        return (params.holdsRecall() ? 1 : 0) + loader.unsettledCount();
    }
    // The grain started last while it plays (for inspection); null when none plays.
    const Grain* newestGrain() const { return grains.newest(); }

private:
    void applySampleRate();
    void renderSubBlock(float* left, float* right);
    void takeUpSound();
    void parameterTick();
    void movePlayHead();
    void computeKeyboardGains();
    void spawnGrain();

    MidiState midi;
    std::atomic<double> sampleRate{0.0};
    std::atomic<double> requestedRate{0.0};
    std::uint64_t frameCounter = 0;
    GrainPool grains;
    GrainQuads quads;
    std::atomic<int> runState{NEW};
    SoundHandover sounds{MAX_POOL_SIZE};
    std::atomic<std::uint64_t> refused{0};
    int startFrame = 0;
    int endFrame = 0;
    double playPosition = 0.0;
    std::atomic<double> sharedPlayPosition{0.0};
    double playIncrement = 0.0;
    double grainClock = 0.0;
    double grainsPerSample = 0.0;
    // Set by resume: the audio thread restarts the grain clock.
    std::atomic<bool> clockRestart{false};
    double renderRate = 0.0; // sampleRate as the audio thread uses it
    KeyboardGain keyboardGain;
    double keyboardGains[SUB_BLOCK_FRAMES] = {};
    // The sub-block's output while the grains add to it, left and right
    // interleaved so that a grain adds a whole frame with one register; in
    // double, so that the sum of many grains does not depend on their order.
    alignas(32) double mixed[2 * SUB_BLOCK_FRAMES] = {};
    bool keyboardShapes = false;
    BlockCarry carry;
    std::uint64_t nonFiniteOutputs = 0;
    std::atomic<std::thread::id> audioThread{};
    OutputStage output;
    SynthParams params;
    // After params: it registers with them, and goes first on destruction,
    // waiting for loads still in flight.
    SoundLoader loader{params, [this](std::shared_ptr<audio::SoundPack> pack) { setSound(std::move(pack)); },
                       [this] { return isAudioThread(); }};
};

} // namespace korvel::veldro
