// The audio thread is the one inside the host's processing calls, whichever
// thread that is: program changes there never allocate, wait or start loads,
// also on a thread's first call; outside them a recall takes the editor's way.
#include "EngineRig.h"
#include "synth/ISynthParamListener.h"
#include "synth/ParamTable.h"
#include "synth/params/AllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace korvel::test {
namespace {

using veldro::Synth;

constexpr int GRAIN_RATE = 4;
constexpr std::uint32_t RECALL = veldro::MASK_ALL_BUT_GLOBALS;

class CountingListener : public veldro::ISynthParamListener {
public:
    CountingListener() { mask = veldro::MASK_ALL; }
    int getId() const override { return 4; }
    void paramChanged(std::uint32_t) override { heard.fetch_add(1); }

    std::atomic<int> heard{0};
};

class AudioThreadTest : public ::testing::Test {
protected:
    AudioThreadTest()
    {
        rig.start(rig.sounds.noise(1, 20000, 1));
        rig.render(64); // the engine takes up its sound
        params().setPatchCount(8);
        rig.set(GRAIN_RATE, 77.0);
        params().storePatch(1, false, veldro::MASK_ALL);
        veldro::Patch elsewhere = params().getPatch(1);
        elsewhere.soundfile = otherSound;
        params().setPatch(2, elsewhere);
        rig.set(GRAIN_RATE, 10.0);
    }

    veldro::SynthParams& params() { return rig.synth.getParams(); }
    double grainRate() { return params().getParam(GRAIN_RATE).second; }

    // A program change as the host's processing call makes it, on a thread
    // that never processed before.
    void programChangeOnFreshThread(int slot)
    {
        std::thread([&] {
            const Synth::AudioThreadScope audioThread(rig.synth);
            params().applyPatch(slot, -1.0, RECALL);
        }).join();
    }

    EngineRig rig;
    std::wstring otherSound = rig.sounds.write(1, 3000, [](int, int) { return 0.25f; });
};

TEST_F(AudioThreadTest, AFirstProgramChangeAndNotificationOnAFreshThreadNeitherAllocateNorLoad)
{
    CountingListener listener;
    params().addListener(&listener);
    std::size_t allocations = 1;
    std::thread([&] {
        const Synth::AudioThreadScope audioThread(rig.synth);
        AllocationCounter counter;
        params().applyPatch(1, -1.0, RECALL);
        params().applyPatch(2, -1.0, RECALL);
        params().notifyListener(GRAIN_RATE, veldro::CHANGED_BY_HOST);
        allocations = counter.count();
    }).join();
    params().clearListeners();
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(grainRate(), 77.0);
    EXPECT_GE(listener.heard.load(), 2);
    EXPECT_EQ(rig.synth.findSound(otherSound), nullptr) << "loads start on the poll, not the audio thread";
    rig.synth.pollLoads();
    EXPECT_NE(rig.synth.findSound(otherSound), nullptr);
}

TEST_F(AudioThreadTest, AThreadThatRenderedBeforeIsAnEditorOutsideTheProcessingCalls)
{
    {
        const Synth::AudioThreadScope audioThread(rig.synth);
        rig.render(64);
    }
    params().applyPatch(2, -1.0, RECALL);
    EXPECT_NE(rig.synth.findSound(otherSound), nullptr) << "the editor's recall starts the load at once";
}

TEST_F(AudioThreadTest, AProgramChangeWhileAWriterHoldsTheLockIsRecalledInTheNextBlock)
{
    {
        const auto writer = params().lockForWriting();
        programChangeOnFreshThread(1);
        EXPECT_EQ(grainRate(), 10.0);
    }
    std::thread([&] {
        const Synth::AudioThreadScope audioThread(rig.synth);
        rig.render(64);
    }).join();
    EXPECT_EQ(grainRate(), 77.0);
}

} // namespace
} // namespace korvel::test
