#include "synth/loading/LoaderRig.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/params/AllocationCounter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace korvel::veldro {
namespace {

namespace fs = std::filesystem;

constexpr int GRAIN_RATE = 4;
constexpr int FILTER_FREQ = 16;
constexpr double STORED_RATE = 80.0;
constexpr double LIVE_RATE = 20.0;

// Patch recalls whose sound is not the current one, through the loader.
class LoaderRecallTest : public ::testing::Test {
protected:
    LoaderRecallTest() { r.rig.params.setPatchCount(130); }

    // Slot with the given sound, grain rate and filter frequency stored.
    void storeSlot(int slot, const fs::path& sound)
    {
        Patch& patch = r.rig.params.editPatch(slot);
        patch.soundfile = r.key(sound);
        patch.params[Patch::TIMESTAMP].value = 1.7e9;
        patch.params[GRAIN_RATE].value = STORED_RATE;
        patch.params[FILTER_FREQ].value = 3000.0;
        patch.params[1].value = 600.0;
    }
    // A ready sound that slot was stored with, cached but not current.
    fs::path cacheSlotSound(int slot, const std::string& name)
    {
        const fs::path sound = r.writeSound(name, 1000);
        storeSlot(slot, sound);
        r.dropAndPoll(sound);
        r.rig.engine.sound = nullptr;
        return sound;
    }
    double rateTarget() const { return r.rig.params.getParam(GRAIN_RATE).second; }
    void finish(const fs::path& path) { r.loader.waitUntilFinished(r.key(path)); }

    test::LoaderRig r;
};

TEST_F(LoaderRecallTest, SlotOfAnUncachedSoundIsRecalledWithItsTimeAndMaskOnceLoaded)
{
    const fs::path sound = r.writeSound("slot7.wav", 1000);
    storeSlot(7, sound);
    r.rig.engine.running = true;
    r.rig.params.applyPatch(7, 2.0, GROUP_SOUND | GROUP_GRAIN);
    EXPECT_EQ(r.loader.starts, 1);
    EXPECT_EQ(rateTarget(), LIVE_RATE);
    finish(sound);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.rig.engine.sound, r.cached(sound));
    EXPECT_EQ(rateTarget(), STORED_RATE);
    EXPECT_DOUBLE_EQ(r.rig.params.getBaseParam(GRAIN_RATE).value.rate, (STORED_RATE - LIVE_RATE) / 2.0);
    EXPECT_EQ(r.rig.params.getParam(1).second, 600.0); // the slot's range: mask bit 2
    EXPECT_EQ(r.log.back(), (std::pair<int, std::uint32_t>{0, 0x201}));
}

TEST_F(LoaderRecallTest, RecallMeetingItsSoundStillLoadingIsFinishedByThatLoad)
{
    const fs::path sound = r.writeSound("loading.wav", 1000);
    storeSlot(3, sound);
    r.loader.hold(r.key(sound));
    r.loader.loadSound(sound.string(), r.status);
    r.log.clear();
    r.rig.params.applyPatch(3, 0.0, MASK_ALL);
    EXPECT_EQ(r.loader.starts, 1);
    EXPECT_EQ(rateTarget(), LIVE_RATE) << "nothing changes before the sound is there";
    EXPECT_TRUE(r.log.empty());
    r.loader.release(r.key(sound));
    finish(sound);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    // The recall came after the drop: the load finishes the recall.
    EXPECT_EQ(r.rig.engine.sound, r.cached(sound));
    EXPECT_EQ(rateTarget(), STORED_RATE);
    EXPECT_EQ(r.rig.params.getParam(1).second, 600.0);
}

TEST_F(LoaderRecallTest, RecallOfAFailedSoundChangesNothing)
{
    const fs::path missing = r.dir.file("gone.wav");
    storeSlot(3, missing);
    r.dropAndPoll(missing);
    r.log.clear();
    r.rig.params.applyPatch(3, 0.0, MASK_ALL);
    EXPECT_EQ(r.loader.starts, 1) << "a recall never asks for a failed path again";
    EXPECT_EQ(rateTarget(), LIVE_RATE);
    EXPECT_TRUE(r.installed.empty());
    EXPECT_TRUE(r.log.empty());
}

TEST_F(LoaderRecallTest, FailedLoadsAreReportedToTheStatusTheyCameWith)
{
    const fs::path missing = r.dir.file("gone.wav");
    r.loader.loadSoundFile(r.key(missing), r.status, 3, -1.0, MASK_ALL);
    finish(missing);
    r.loader.pollLoads();
    ASSERT_EQ(r.statusTexts.size(), 1u);
    EXPECT_EQ(r.statusTexts[0].first, "Error opening file - " + missing.string());
    EXPECT_EQ(r.statusTexts[0].second, STATUS_ERROR);

    // A dropped file's failure is posted to the status it was dropped with.
    r.dropAndPoll(r.dir.file("also-gone.wav"));
    ASSERT_EQ(r.statusTexts.size(), 2u);
    EXPECT_EQ(r.statusTexts[1].first, "Error opening file - " + r.dir.file("also-gone.wav").string());
}

TEST_F(LoaderRecallTest, CachedReadySoundIsInstalledAndTheSlotRecalledAtOnce)
{
    const fs::path slotSound = cacheSlotSound(5, "slot.wav");
    r.dropAndPoll(r.writeSound("other.wav", 2000));
    r.rig.params.applyPatch(5, 0.0, GROUP_SOUND | GROUP_GRAIN);
    EXPECT_EQ(r.loader.starts, 2);
    EXPECT_EQ(r.rig.engine.sound, r.cached(slotSound));
    EXPECT_EQ(rateTarget(), STORED_RATE);
}

TEST_F(LoaderRecallTest, RecallFromAPollThatNeedsAnotherSoundStartsItsLoad)
{
    const fs::path first = r.writeSound("first.wav", 1000);
    const fs::path second = r.writeSound("second.wav", 1000);
    storeSlot(7, first);
    r.loader.hold(r.key(first));
    r.rig.params.applyPatch(7, 0.0, MASK_ALL);
    // The slot changes its sound while the load runs.
    r.rig.params.editPatch(7).soundfile = r.key(second);
    r.loader.hold(r.key(second));
    r.loader.release(r.key(first));
    finish(first);
    EXPECT_EQ(r.loader.pollLoads(), 1u);
    EXPECT_EQ(r.loader.starts, 2);
    r.loader.release(r.key(second));
    finish(second);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.rig.engine.sound, r.cached(second));
    EXPECT_EQ(rateTarget(), STORED_RATE);
}

// A program change recalls on the audio thread.
class AudioThreadRecallTest : public LoaderRecallTest {};

TEST_F(AudioThreadRecallTest, UncachedSoundIsLeftToThePollWithoutAllocating)
{
    const fs::path sound = r.writeSound("program.wav", 1000);
    storeSlot(9, sound);
    r.markAudioThread();
    {
        test::AllocationCounter allocations;
        r.rig.params.applyPatch(9, -1.0, MASK_DEFAULT);
        EXPECT_EQ(allocations.count(), 0u);
    }
    EXPECT_EQ(r.loader.starts, 0);
    EXPECT_EQ(r.cached(sound), nullptr);
    r.clearAudioThread();

    r.loader.hold(r.key(sound));
    EXPECT_EQ(r.loader.pollLoads(), 1u);
    EXPECT_EQ(r.loader.starts, 1);
    r.loader.release(r.key(sound));
    finish(sound);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(rateTarget(), STORED_RATE);
}

TEST_F(AudioThreadRecallTest, ReadyCachedSoundIsInstalledAtOnce)
{
    const fs::path sound = cacheSlotSound(9, "ready.wav");
    r.markAudioThread();
    r.rig.params.applyPatch(9, 0.0, MASK_ALL);
    EXPECT_EQ(r.rig.engine.sound, r.cached(sound));
    EXPECT_EQ(rateTarget(), STORED_RATE);
}

TEST_F(AudioThreadRecallTest, ARecallMeetingABusyLoaderIsHeldOverInsteadOfWaiting)
{
    const fs::path busy = r.writeSound("busy.wav", 1000);
    const fs::path slotSound = cacheSlotSound(9, "slot.wav");
    // While a load starts the loader holds the parameters and its maps: a
    // program change arriving then must return at once.
    r.loader.duringStart = [&] {
        std::thread audio([&] {
            r.markAudioThread();
            r.rig.params.applyPatch(9, 0.0, MASK_ALL);
        });
        audio.join();
        r.clearAudioThread();
    };
    r.loader.loadSound(busy.string(), r.status);
    r.loader.duringStart = nullptr;
    EXPECT_EQ(r.rig.engine.sound, nullptr);
    EXPECT_EQ(rateTarget(), LIVE_RATE);
    finish(busy);
    // A later block recalls it, after the load that was starting.
    std::thread([&] {
        r.markAudioThread();
        r.rig.params.retryHeldRecall();
    }).join();
    r.clearAudioThread();
    EXPECT_EQ(rateTarget(), STORED_RATE);
    r.loader.pollLoads();
    EXPECT_EQ(rateTarget(), STORED_RATE);
    ASSERT_EQ(r.installed.size(), 2u);
    EXPECT_EQ(r.installed[1], r.cached(slotSound));
    EXPECT_EQ(r.rig.engine.sound, r.cached(slotSound));
}

} // namespace
} // namespace korvel::veldro
