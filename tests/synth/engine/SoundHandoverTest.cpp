#include "EngineRig.h"
#include "audio/Soundfile.h"
#include "synth/engine/SoundHandover.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace korvel::test {
namespace {

// A sound that records the thread that destroys it.
class TrackedPack : public audio::SoundPack {
public:
    TrackedPack(const std::wstring& path, std::atomic<std::thread::id>& destroyer)
        : audio::SoundPack(std::make_shared<audio::Soundfile>(path), path), destroyedBy(destroyer)
    {
    }
    ~TrackedPack() override { destroyedBy.store(std::this_thread::get_id()); }

private:
    std::atomic<std::thread::id>& destroyedBy;
};

// Renders on threads of their own, as a host's audio thread would.
class SoundHandoverTest : public ::testing::Test {
protected:
    void renderOnAudioThread(int frames)
    {
        std::thread audio([&] {
            for (int done = 0; done < frames; done += 512)
                rig.render(512);
        });
        audio.join();
    }

    EngineRig rig;
};

TEST_F(SoundHandoverTest, AReplacedSoundIsReleasedOffTheAudioThread)
{
    std::atomic<std::thread::id> destroyer{};
    const std::wstring path = rig.sounds.write(1, 20000, [](int, int) { return 0.3f; });
    auto first = std::make_shared<TrackedPack>(path, destroyer);
    rig.start(first);
    renderOnAudioThread(2048);
    ASSERT_GT(rig.synth.activeGrainCount(), 0);

    rig.synth.setSound(rig.sounds.constant(20000, -0.3f));
    first.reset();
    renderOnAudioThread(44100); // the first sound's grains end
    EXPECT_EQ(destroyer.load(), std::thread::id());
    rig.synth.setSound(rig.sounds.constant(20000, 0.1f));
    EXPECT_EQ(destroyer.load(), std::this_thread::get_id());
}

TEST_F(SoundHandoverTest, TheNewSoundStartsAtABlockBoundaryWithItsSelection)
{
    rig.start(rig.sounds.constant(20000, 0.5f));
    renderOnAudioThread(4096);
    EXPECT_GT(rig.synth.getPlayPosition(), 4000.0);
    rig.synth.setSound(rig.sounds.constant(3000, 0.5f));
    EXPECT_EQ(rig.synth.getCurrentSound()->frameCount(), 3000u);
    renderOnAudioThread(512);
    EXPECT_EQ(rig.synth.getPlayPosition(), 512.0); // restarted at 0 with the new sound
}

TEST_F(SoundHandoverTest, GrainsKeepTheSoundTheyStartedWith)
{
    rig.set(5, 1000.0);
    rig.start(rig.sounds.constant(50000, 0.5f));
    renderOnAudioThread(1024);
    rig.synth.setSound(rig.sounds.constant(50000, -0.5f));
    renderOnAudioThread(512);
    // Old grains still add positive values; the new one adds a small negative one.
    EXPECT_GT(rig.left.back(), 0.0f);
}

TEST_F(SoundHandoverTest, SoundsChangeWhileTheAudioThreadRenders)
{
    const auto a = rig.sounds.noise(2, 5000, 1);
    const auto b = rig.sounds.noise(1, 300, 2);
    rig.set(4, 500.0);
    rig.start(a);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        while (!done.load())
            rig.render(64);
    });
    for (int i = 0; i < 2000; ++i) {
        rig.synth.setSound(i % 2 ? a : b);
        ASSERT_TRUE(rig.synth.isSoundReady());
        ASSERT_NE(rig.synth.getCurrentSound(), nullptr);
    }
    done.store(true);
    audio.join();
    EXPECT_EQ(rig.synth.silencedOutputs(), 0u);
}


TEST_F(SoundHandoverTest, SeventySoundsHeldAtOnceByLongGrainsAllPlay)
{
    rig.set(4, 2000.0);  // a grain every few sub-blocks
    rig.set(5, 10000.0); // each lasting ten seconds
    std::vector<std::shared_ptr<audio::SoundPack>> held;
    for (int i = 0; i < 70; ++i) {
        held.push_back(rig.sounds.constant(1000, 0.01f * float(i + 1)));
        if (i == 0)
            rig.start(held[0]);
        else
            ASSERT_TRUE(rig.synth.setSound(held[i])) << i;
        // Rendered until a grain reads the new sound.
        for (int block = 0; block < 100; ++block) {
            rig.render(8);
            const veldro::Grain* newest = rig.synth.newestGrain();
            if (newest && newest->samples == held[i]->samples().data())
                break;
        }
        ASSERT_EQ(rig.synth.newestGrain()->samples, held[i]->samples().data()) << i;
    }
    EXPECT_EQ(rig.synth.getCurrentSound(), held.back());
    EXPECT_EQ(rig.synth.refusedSounds(), 0u);
}

// The editor's poll and a program change on the audio thread can post at the
// same moment: every slot must still be emptied exactly once.
TEST(SoundHandoverSlots, TwoPublishersAtOnceKeepEveryReference)
{
    veldro::SoundHandover handover(8);
    auto a = std::make_shared<audio::SoundPack>(L"a");
    auto b = std::make_shared<audio::SoundPack>(L"b");
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        while (!stop.load())
            handover.takeUp();
    });
    auto publishMany = [&](bool onAudioThread) {
        for (int i = 0; i < 20000; ++i)
            handover.publish(i % 2 ? a : b, onAudioThread);
    };
    std::thread editor(publishMany, false);
    std::thread programChanges(publishMany, true);
    editor.join();
    programChanges.join();
    stop.store(true);
    audio.join();

    // Besides ours, only the slots still holding a sound (playing, posted or
    // done and not yet emptied) own references, at most one each.
    EXPECT_GE(a.use_count(), 1);
    EXPECT_GE(b.use_count(), 1);
    EXPECT_LE(a.use_count() + b.use_count(), 2 + 8 + veldro::SoundHandover::SLOTS_BESIDES_GRAINS);
    handover.publish(a, false);
    EXPECT_NE(handover.latestSound(), nullptr);
}

} // namespace
} // namespace korvel::test
