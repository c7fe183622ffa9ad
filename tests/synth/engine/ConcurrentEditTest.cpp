// Controllers and values written from the editor's and the host's threads
// while the audio thread renders and ticks: every write must hold when the
// writer looks again. Run under ThreadSanitizer in CI.
#include "EngineRig.h"
#include "synth/ParamTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <random>
#include <thread>

namespace korvel::test {
namespace {

using veldro::Synth;

constexpr int ROUNDS = 4000;

// Renders 64-frame blocks, one parameter tick each, until stopped.
class Renderer {
public:
    explicit Renderer(Synth& synth) : synth(synth), thread([this] { run(); }) {}
    ~Renderer()
    {
        stop.store(true);
        thread.join();
    }
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Returns once the audio thread has rendered n more blocks.
    void waitBlocks(std::uint64_t n) const
    {
        const std::uint64_t until = blocks.load() + n;
        while (blocks.load() < until)
            std::this_thread::yield();
    }

private:
    void run()
    {
        const Synth::AudioThreadScope audioThread(synth);
        float left[64], right[64];
        float* outputs[] = {left, right};
        for (std::uint8_t note = 40; !stop.load(); note = note < 80 ? note + 1 : 40) {
            synth.processMidiEvent({note, 0, veldro::NoteRecord::NOTE_ON, 90, 0});
            synth.render(outputs, 64);
            blocks.fetch_add(1);
        }
    }

    Synth& synth;
    std::atomic<bool> stop{false};
    std::atomic<std::uint64_t> blocks{0};
    std::thread thread;
};

// The editor's way: a controller type and its amount, with short fades so
// that faded controllers are cleared by the ticks while new ones are chosen.
int chooseControllers(Synth& synth, const Renderer& renderer, int parent, unsigned seed)
{
    veldro::SynthParams& params = synth.getParams();
    const int typeId = veldro::getParamInfo(parent).control_id;
    std::mt19937 random(seed);
    int lost = 0;
    for (int round = 0; round < ROUNDS; ++round) {
        const auto type = std::uint32_t(1 + random() % 8);
        params.setParam(typeId, type, 0.002);
        params.setParam(typeId + veldro::FIELD_AMOUNT, 0.8, 0.002);
        renderer.waitBlocks(1 + random() % 3);
        const veldro::ParamControl& live = params.getBaseParam(parent).pushedControl(0, 0);
        if (live.type != type || live.amount.target != 0.8)
            ++lost;
    }
    return lost;
}

// The host's way: a glide, then a jump while it glides.
int jumpValues(Synth& synth, const Renderer& renderer, int id, unsigned seed)
{
    veldro::SynthParams& params = synth.getParams();
    const auto& range = veldro::getParamInfo(id).range;
    std::uniform_real_distribution<double> value(range.min, range.max);
    std::mt19937 random(seed);
    int offTarget = 0;
    for (int round = 0; round < ROUNDS; ++round) {
        params.setParam(id, value(random), 0.05);
        renderer.waitBlocks(1);
        const double jump = value(random);
        params.setParam(id, jump, 0.0);
        renderer.waitBlocks(2);
        const auto [current, target] = params.getParam(id);
        if (current != jump || target != jump)
            ++offTarget;
    }
    return offTarget;
}

TEST(ConcurrentEdit, ControllersAndJumpsWrittenWhileRenderingHold)
{
    EngineRig rig;
    rig.set(4, 5.0); // few grains: the ticks are what races
    rig.start(rig.sounds.noise(2, 20000, 3));
    int lost = 0;
    int offTarget = 0;
    {
        Renderer renderer(rig.synth);
        std::thread editor([&] { lost = chooseControllers(rig.synth, renderer, 5, 1); });
        std::thread host([&] { offTarget = jumpValues(rig.synth, renderer, 2, 2); });
        editor.join();
        host.join();
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(offTarget, 0);
}

} // namespace
} // namespace korvel::test
