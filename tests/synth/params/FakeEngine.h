#pragma once

#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/SynthParams.h"

#include <atomic>
#include <memory>
#include <thread>

namespace korvel::test {

// The engine side of the parameter model, set by hand.
class FakeEngine : public veldro::ISynthEngine {
public:
    bool isEngineRunning() const override { return running; }
    double getPlayPosition() const override { return playPosition; }
    std::shared_ptr<const audio::SoundPack> getCurrentSound() const override { return sound; }
    double getSampleRate() const override { return sampleRate; }
    const veldro::MidiState& getMidiState() const override { return midi; }
    bool isAudioThread() const override { return audioThread.load() == std::this_thread::get_id(); }

    bool running = false;
    // None until a test marks one.
    std::atomic<std::thread::id> audioThread{};
    double playPosition = 0.0;
    std::shared_ptr<const audio::SoundPack> sound;
    double sampleRate = 44100.0;
    veldro::MidiState midi;
};

// A parameter model on a fake engine, with its random draws seeded.
struct ParamsRig {
    ParamsRig() { params.seedRandom(12345); }

    FakeEngine engine;
    veldro::SynthParams params{engine};
};

} // namespace korvel::test
