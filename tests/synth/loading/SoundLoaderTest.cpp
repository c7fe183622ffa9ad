#include "synth/loading/LoaderRig.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "support/SoundFileBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace korvel::veldro {
namespace {

using namespace audio::LoadState;
namespace fs = std::filesystem;

constexpr std::uint32_t DROP_MASK = 0x20F;

class SoundLoaderTest : public ::testing::Test {
protected:
    test::LoaderRig r;
};

struct FileCase {
    const char* what;
    std::function<fs::path(const test::LoaderRig&)> make;
    int state;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.what; }

class LoadStateTest : public ::testing::TestWithParam<FileCase> {
protected:
    test::LoaderRig r;
};

TEST_P(LoadStateTest, FileEndsInItsStateAndOnlyReadySoundsAreInstalled)
{
    const fs::path path = GetParam().make(r);
    r.dropAndFinish(path);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    ASSERT_NE(r.cached(path), nullptr);
    EXPECT_EQ(r.cached(path)->state(), GetParam().state);
    if (GetParam().state == READY) {
        ASSERT_EQ(r.installed.size(), 1u);
        EXPECT_EQ(r.installed[0], r.cached(path));
        EXPECT_EQ(r.rig.params.getParam(1).second, 1500.0);
        EXPECT_EQ(r.log, (test::ChangeLog{{0, GROUP_SOUND}}));
    } else {
        EXPECT_TRUE(r.installed.empty());
        EXPECT_TRUE(r.log.empty());
        ASSERT_EQ(r.statusTexts.size(), 1u);
        EXPECT_EQ(r.statusTexts[0].first, "Error opening file - " + path.string());
        EXPECT_EQ(r.statusTexts[0].second, STATUS_ERROR);
        return;
    }
    EXPECT_TRUE(r.statusTexts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadStateTest,
    ::testing::Values(
        FileCase{"Plain", [](auto& r) { return r.writeSound("plain.wav", 1500); }, READY},
        FileCase{"Accented", [](auto& r) { return r.writeSound("Café.wav", 1500); }, READY},
        FileCase{"Cjk", [](auto& r) { return r.writeSound("音色.wav", 1500); }, READY},
        FileCase{"MissingFile", [](auto& r) { return r.dir.file("absent.wav"); }, NOT_FOUND},
        FileCase{"MissingFolder", [](auto& r) { return r.dir.file("nowhere") / "absent.wav"; }, FOLDER_NOT_FOUND},
        FileCase{"NotASound",
                 [](auto& r) {
                     testing_support::writeBytes(r.dir.file("notes.wav"), {'h', 'e', 'l', 'l', 'o', '\n'});
                     return r.dir.file("notes.wav");
                 },
                 NO_FRAMES},
        FileCase{"NoFrames", [](auto& r) { return r.writeSound("silent.wav", 0); }, NO_FRAMES},
        FileCase{"Folder",
                 [](auto& r) {
                     fs::create_directory(r.dir.file("folder.wav"));
                     return r.dir.file("folder.wav");
                 },
                 FAILED}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(SoundLoaderTest, InvalidUtf8IsRefusedBeforeAnythingIsCached)
{
    for (const std::string bad : {"\xC3", "a\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        try {
            r.loader.loadSound(bad, r.status);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const std::range_error& e) {
            EXPECT_STREQ(e.what(), "bad conversion");
        }
    }
    EXPECT_EQ(r.loader.starts, 0);
}

TEST_F(SoundLoaderTest, SecondDropWhileLoadingStartsNoLoadAndOnlyNotifies)
{
    const fs::path path = r.writeSound("twice.wav", 800);
    r.loader.hold(r.key(path));
    r.loader.loadSound(path.string(), r.status);
    r.loader.loadSound(path.string(), r.status);
    EXPECT_EQ(r.loader.starts, 1);
    EXPECT_EQ(r.log, (test::ChangeLog{{0, DROP_MASK}}));
    EXPECT_TRUE(r.installed.empty());
    r.loader.release(r.key(path));
    r.loader.waitUntilFinished(r.key(path));
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.installed.size(), 1u);
}

TEST_F(SoundLoaderTest, ReadyCachedSoundIsInstalledAtOnceWithoutWorker)
{
    const fs::path first = r.writeSound("first.wav", 800);
    const fs::path second = r.writeSound("second.wav", 900);
    r.dropAndPoll(first);
    r.dropAndPoll(second);
    r.log.clear();
    r.loader.loadSound(first.string(), r.status);
    EXPECT_EQ(r.loader.starts, 2);
    EXPECT_EQ(r.rig.engine.sound, r.cached(first));
    EXPECT_EQ(r.log, (test::ChangeLog{{0, DROP_MASK}}));
}

TEST_F(SoundLoaderTest, AFileMissingBeforeLoadsWhenTheUserChoosesItAgain)
{
    const fs::path current = r.writeSound("current.wav", 800);
    r.dropAndPoll(current);
    const fs::path late = r.dir.file("late.wav");
    r.dropAndPoll(late);
    EXPECT_EQ(r.rig.engine.sound, r.cached(current));
    r.writeSound("late.wav", 800);
    r.dropAndPoll(late);
    EXPECT_EQ(r.loader.starts, 3);
    EXPECT_EQ(r.cached(late)->state(), READY);
    EXPECT_EQ(r.rig.engine.sound, r.cached(late));
}

TEST_F(SoundLoaderTest, FailedStartIsReportedInRedAndLeavesThePathLoadable)
{
    const fs::path path = r.writeSound("retry.wav", 800);
    r.loader.failNextStart = true;
    r.loader.loadSound(path.string(), r.status);
    ASSERT_EQ(r.statusTexts.size(), 1u);
    EXPECT_EQ(r.statusTexts[0].first, "Error opening file - no thread");
    EXPECT_EQ(r.statusTexts[0].second, (StatusColour{255, 0, 0, 255}));
    EXPECT_EQ(r.cached(path), nullptr);
    EXPECT_EQ(r.loader.pollLoads(), 0u);

    r.dropAndFinish(path);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.rig.engine.sound, r.cached(path));
}

TEST_F(SoundLoaderTest, FindSoundMatchesWholePathsOnly)
{
    const fs::path path = r.writeSound("name.wav", 800);
    r.dropAndFinish(path);
    EXPECT_NE(r.loader.findSound(r.key(path)), nullptr);
    for (const fs::path& other : {r.dir.file("name.wa"), r.dir.file("name.wav2"), r.dir.file("NAME.wav")})
        EXPECT_EQ(r.loader.findSound(r.key(other)), nullptr) << other;
}

TEST_F(SoundLoaderTest, PollWithNothingPendingReturnsZero) { EXPECT_EQ(r.loader.pollLoads(), 0u); }

TEST_F(SoundLoaderTest, PollNeverWaitsForARunningLoad)
{
    const fs::path path = r.writeSound("held.wav", 800);
    r.loader.hold(r.key(path));
    r.loader.loadSound(path.string(), r.status);
    EXPECT_EQ(r.loader.pollLoads(), 1u);
    EXPECT_EQ(r.loader.pollLoads(), 1u);
    EXPECT_TRUE(r.installed.empty());
    EXPECT_LE(r.cached(path)->state(), STARTED);
    r.loader.release(r.key(path));
    r.loader.waitUntilFinished(r.key(path));
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.installed.size(), 1u);
}

class FinishOrderTest : public ::testing::TestWithParam<bool> {
protected:
    test::LoaderRig r;
};

TEST_P(FinishOrderTest, EachPollTakesOneFinishedLoadAndTheLastRequestWins)
{
    const fs::path a = r.writeSound("a.wav", 800);
    const fs::path b = r.writeSound("b.wav", 900);
    for (const fs::path& p : {a, b}) {
        r.loader.hold(r.key(p));
        r.loader.loadSound(p.string(), r.status);
        r.loader.waitUntilStarted(r.key(p));
    }
    const bool bFirst = GetParam();
    for (const fs::path& p : bFirst ? std::vector{b, a} : std::vector{a, b}) {
        r.loader.release(r.key(p));
        r.loader.waitUntilFinished(r.key(p));
    }
    // a finishes first in path order but was asked for before b: only b plays.
    EXPECT_EQ(r.loader.pollLoads(), 1u);
    EXPECT_EQ(r.rig.engine.sound, nullptr);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.rig.engine.sound, r.cached(b));
    EXPECT_EQ(r.installed.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(ReleaseOrder, FinishOrderTest, ::testing::Bool());

TEST_F(SoundLoaderTest, TheSoundChosenLastStaysWhenAnEarlierOneFinishesLater)
{
    const fs::path a = r.writeSound("a.wav", 800);
    const fs::path b = r.writeSound("b.wav", 900);
    r.loader.hold(r.key(a));
    r.loader.loadSound(a.string(), r.status);
    r.loader.waitUntilStarted(r.key(a));
    r.dropAndFinish(b);
    EXPECT_EQ(r.loader.pollLoads(), 1u);
    EXPECT_EQ(r.rig.engine.sound, r.cached(b));
    r.rig.params.setParam(1, 500.0, 0.0);
    r.loader.release(r.key(a));
    r.loader.waitUntilFinished(r.key(a));
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.rig.engine.sound, r.cached(b)) << "the sound chosen last stays";
    EXPECT_EQ(r.rig.params.getParam(1).second, 500.0);
}

TEST_F(SoundLoaderTest, ALoadFinishingAfterItsSoundCameFromTheCacheLeavesItAlone)
{
    const fs::path a = r.writeSound("a.wav", 800);
    r.dropAndFinish(a);
    r.loader.loadSound(a.string(), r.status); // ready in the cache, not polled yet
    EXPECT_EQ(r.rig.engine.sound, r.cached(a));
    r.rig.params.setParam(1, 500.0, 0.0);
    EXPECT_EQ(r.loader.pollLoads(), 0u);
    EXPECT_EQ(r.installed.size(), 1u);
    EXPECT_EQ(r.rig.params.getParam(1).second, 500.0) << "the selection made meanwhile stays";
}

// A listener may use the loader: nothing is called with its maps locked.
class LookingListener : public ISynthParamListener {
public:
    explicit LookingListener(SoundLoader& loader, std::wstring path) : loader(loader), path(std::move(path))
    {
        mask = 0;
    }
    int getId() const override { return 0; }
    void paramChanged(std::uint32_t) override { seen = loader.findSound(path); }

    SoundLoader& loader;
    std::wstring path;
    std::shared_ptr<audio::SoundPack> seen;
};

TEST_F(SoundLoaderTest, ListenersMayCallBackIntoTheLoader)
{
    const fs::path path = r.writeSound("callback.wav", 800);
    LookingListener listener(r.loader, r.key(path));
    r.rig.params.addListener(&listener);
    r.dropAndPoll(path);
    EXPECT_EQ(listener.seen, r.cached(path));
}

TEST(SoundLoaderLifetime, LoadsOnTheirOwnThreadsAndWaitsForThemWhenDestroyed)
{
    testing_support::TempDir dir;
    testing_support::SoundRecipe recipe;
    recipe.samples.assign(4000, 0.25);
    writeSoundFile(dir.file("async.wav"), recipe);
    test::ParamsRig rig;
    std::shared_ptr<audio::SoundPack> installed;
    {
        SoundLoader loader(rig.params, [&](std::shared_ptr<audio::SoundPack> pack) { installed = std::move(pack); });
        loader.loadSound(dir.file("async.wav").string(), {});
        while (loader.pollLoads() != 0)
            std::this_thread::yield();
        ASSERT_NE(installed, nullptr);
        EXPECT_EQ(installed->state(), READY);
        loader.loadSound(dir.file("other.wav").string(), {});
    }
    EXPECT_EQ(installed->frameCount(), 2000u);
}

} // namespace
} // namespace korvel::veldro
