#pragma once

#include "audio/SoundPack.h"
#include "support/TempDir.h"
#include "synth/Synth.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvel::test {

// Test sounds generated in code, written as float WAV files and loaded as
// the loader would.
class TestSounds {
public:
    // sample(frame, channel) gives each value; returns the file's path.
    std::wstring write(int channels, int frames, const std::function<float(int, int)>& sample,
                       std::uint32_t sampleRate = 44100);
    // The same, loaded.
    std::shared_ptr<audio::SoundPack> make(int channels, int frames, const std::function<float(int, int)>& sample,
                                           std::uint32_t sampleRate = 44100);
    // Sample k of a mono ramp is k / frames.
    std::shared_ptr<audio::SoundPack> ramp(int frames);
    std::shared_ptr<audio::SoundPack> constant(int frames, float value);
    // Seeded uniform noise in -1..1, different on each channel.
    std::shared_ptr<audio::SoundPack> noise(int channels, int frames, unsigned seed);

private:
    testing_support::TempDir dir;
    int files = 0;
};

// A Synth at 44.1 kHz with stereo render buffers.
class EngineRig {
public:
    static constexpr double RATE = 44100.0;

    EngineRig();

    // Sets parameters while the engine is stopped, so they jump.
    void set(int id, double value) { synth.getParams().setParam(id, value, 0.0); }
    // An "inner" controller on control 0 of parent, following "density.compensation"
    // (1 of at most 2): its output is 0.5 * amount.
    void setInnerModulation(int parent, double amount);
    void start(std::shared_ptr<audio::SoundPack> sound);
    // Renders n frames in one block into left and right.
    void render(int n);

    veldro::Synth synth;
    TestSounds sounds;
    std::vector<float> left;
    std::vector<float> right;
};

} // namespace korvel::test
