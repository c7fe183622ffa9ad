// Only the latest request installs a sound or recalls a slot: loads that
// finish for requests overtaken meanwhile only fill the cache, and loads
// overtaken while queued never start.
#include "synth/loading/LoaderRig.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "support/ThreadCount.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace korvel::veldro {
namespace {

namespace fs = std::filesystem;

constexpr int GRAIN_RATE = 4;

class LastRequestTest : public ::testing::Test {
protected:
    LastRequestTest() { r.rig.params.setPatchCount(130); }

    // Slot holding sound, told apart by its grain rate (the slot number).
    fs::path storeSlot(int slot, const std::string& name)
    {
        const fs::path sound = r.writeSound(name, 1000);
        Patch& patch = r.rig.params.editPatch(slot);
        patch.soundfile = r.key(sound);
        patch.params[Patch::TIMESTAMP].value = 1.7e9;
        patch.params[GRAIN_RATE].value = double(slot);
        return sound;
    }
    // storeSlot, with its sound loaded and ready in the cache.
    fs::path storeCachedSlot(int slot, const std::string& name)
    {
        const fs::path sound = storeSlot(slot, name);
        r.dropAndPoll(sound);
        return sound;
    }
    // Recalls as a MIDI program change does, on a thread that counts as the audio thread.
    void programChange(int slot)
    {
        std::thread audio([&] {
            r.markAudioThread();
            r.rig.params.applyPatch(slot, -1.0, MASK_DEFAULT);
        });
        audio.join();
        r.clearAudioThread();
    }
    void releaseAndFinish(const fs::path& sound)
    {
        r.loader.release(r.key(sound));
        r.loader.waitUntilFinished(r.key(sound));
    }
    void expectPlaying(int slot, const fs::path& sound)
    {
        EXPECT_EQ(r.rig.engine.sound, r.cached(sound));
        EXPECT_EQ(r.rig.params.getParam(GRAIN_RATE).second, double(slot));
    }

    test::LoaderRig r;
};

TEST_F(LastRequestTest, ALoadForAnOvertakenRecallOnlyFillsTheCache)
{
    const fs::path five = storeSlot(5, "five.wav");
    const fs::path six = storeCachedSlot(6, "six.wav");
    r.loader.hold(r.key(five));
    r.rig.params.applyPatch(5, 0.0, MASK_DEFAULT);
    r.loader.waitUntilStarted(r.key(five));
    r.rig.params.applyPatch(6, 0.0, MASK_DEFAULT);
    expectPlaying(6, six);
    releaseAndFinish(five);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    expectPlaying(6, six);
    ASSERT_NE(r.cached(five), nullptr);
    EXPECT_EQ(r.cached(five)->state(), audio::LoadState::READY) << "the load filled the cache";
    // ... so that a recall of it now takes effect at once.
    r.rig.params.applyPatch(5, 0.0, MASK_DEFAULT);
    expectPlaying(5, five);
}

TEST_F(LastRequestTest, AProgramChangeLeftToThePollIsDroppedWhenALaterOneTookEffect)
{
    storeSlot(5, "five.wav");
    const fs::path six = storeCachedSlot(6, "six.wav");
    programChange(5);
    programChange(6);
    expectPlaying(6, six);
    const int starts = r.loader.starts;
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.loader.starts, starts) << "no load for the overtaken program change";
    expectPlaying(6, six);
}

TEST_F(LastRequestTest, AProgramChangeMeetingItsSoundStillLoadingIsFinishedByThatLoad)
{
    const fs::path five = storeSlot(5, "five.wav");
    const fs::path six = storeCachedSlot(6, "six.wav");
    r.loader.hold(r.key(five));
    programChange(5);
    EXPECT_EQ(r.loader.pollLoads(), 1u); // the poll starts the load
    r.loader.waitUntilStarted(r.key(five));
    programChange(6);
    programChange(5);
    expectPlaying(6, six);
    releaseAndFinish(five);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    expectPlaying(5, five);
}

TEST_F(LastRequestTest, AUserLoadOvertakesAPendingRecall)
{
    const fs::path five = storeSlot(5, "five.wav");
    const fs::path dropped = r.writeSound("dropped.wav", 1200);
    r.loader.hold(r.key(five));
    r.rig.params.applyPatch(5, 0.0, MASK_DEFAULT);
    r.dropAndPoll(dropped);
    releaseAndFinish(five);
    r.loader.pollLoads();
    EXPECT_EQ(r.rig.engine.sound, r.cached(dropped));
    EXPECT_NE(r.rig.params.getParam(GRAIN_RATE).second, 5.0);
}

TEST_F(LastRequestTest, ALoadOvertakenWhileQueuedNeverStartsAndCanBeAskedForAgain)
{
    // Loads that take up every pool thread, so that the next ones queue.
    std::vector<fs::path> running;
    for (std::size_t i = 0; i < test::HeldLoader::LOAD_THREADS; ++i) {
        running.push_back(r.writeSound("running-" + std::to_string(i) + ".wav", 700));
        r.loader.hold(r.key(running.back()));
        r.loader.loadSound(running.back().string(), r.status);
        r.loader.waitUntilStarted(r.key(running.back()));
    }
    const fs::path a = r.writeSound("a.wav", 800);
    const fs::path b = r.writeSound("b.wav", 900);
    r.loader.loadSound(a.string(), r.status);
    r.loader.loadSound(b.string(), r.status);
    for (const fs::path& sound : running)
        releaseAndFinish(sound);
    r.loader.waitUntilFinished(r.key(a));
    r.loader.waitUntilFinished(r.key(b));
    EXPECT_EQ(r.cached(a), nullptr) << "dropped before it read anything";
    while (r.loader.pollLoads() > 0) {
    }
    ASSERT_EQ(r.installed.size(), 1u);
    EXPECT_EQ(r.installed[0], r.cached(b));
    EXPECT_TRUE(r.statusTexts.empty()) << "a dropped load is no failure";

    r.dropAndPoll(a);
    EXPECT_EQ(r.rig.engine.sound, r.cached(a));
}

TEST_F(LastRequestTest, AProgramChangeHeldOverIsDroppedByALaterOne)
{
    const fs::path five = storeCachedSlot(5, "five.wav");
    const fs::path six = storeCachedSlot(6, "six.wav");
    {
        // An editor write in progress: the program change waits for the next block.
        const auto writing = r.rig.params.lockForWriting();
        programChange(5);
    }
    std::thread audio([&] {
        r.markAudioThread();
        r.rig.params.applyPatch(6, -1.0, MASK_DEFAULT);
        r.rig.params.retryHeldRecall();
    });
    audio.join();
    r.clearAudioThread();
    expectPlaying(6, six);
}

TEST_F(LastRequestTest, AStormOfRequestsRunsOnAFewThreadsAndOnlyTheLastOneLoads)
{
    constexpr int REQUESTS = 100;
    std::vector<fs::path> sounds;
    for (int i = 0; i < REQUESTS; ++i)
        sounds.push_back(r.writeSound("storm-" + std::to_string(i) + ".wav", 800));
    const std::size_t before = testing_support::threadsOfThisProcess();
    for (const fs::path& sound : sounds) {
        r.loader.hold(r.key(sound));
        r.loader.loadSound(sound.string(), r.status);
    }
    // Every load that starts is held: each keeps its thread.
    EXPECT_LE(testing_support::threadsOfThisProcess(), before + test::HeldLoader::LOAD_THREADS);
    for (const fs::path& sound : sounds)
        releaseAndFinish(sound);
    while (r.loader.pollLoads() > 0) {
    }
    ASSERT_EQ(r.installed.size(), 1u);
    EXPECT_EQ(r.installed[0], r.cached(sounds.back()));
    // Only loads that a thread took up before they were overtaken ran.
    std::size_t loaded = 0;
    for (const fs::path& sound : sounds)
        loaded += r.cached(sound) ? 1 : 0;
    EXPECT_LE(loaded, test::HeldLoader::LOAD_THREADS + 1);
}

} // namespace
} // namespace korvel::veldro
