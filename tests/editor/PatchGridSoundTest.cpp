#include "PatchGridRig.h"

#include "audio/SoundPack.h"
#include "support/SoundFileBuilder.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace korvel::test {
namespace {

using namespace VSTGUI;
using veldro::PatchManager;

constexpr CColor RED{255, 0, 0, 255};

class PatchGridSound : public PatchGridRig {
protected:
    std::filesystem::path writeTone(const std::string& name)
    {
        testing_support::SoundRecipe recipe;
        recipe.channels = 1;
        for (int i = 0; i < 4410; ++i)
            recipe.samples.push_back(0.5 * std::sin(i * 0.05));
        const auto path = folder.dir.file(name);
        testing_support::writeSoundFile(path, recipe);
        return path;
    }
    // Polls as the editor's idle does until no load is pending (bounded), then runs the idle tasks.
    void settleLoads()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (synth.pollLoads() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        runIdleTasks();
    }
    // A slot stored with `path` as its sound.
    void storeSlotWithSound(int slot, double value, const std::filesystem::path& path)
    {
        storeSlot(slot, value);
        params.editPatch(slot).soundfile = path.wstring();
    }
    std::wstring currentSound() const
    {
        const auto sound = params.getCurrentSound();
        return sound ? sound->name() : std::wstring();
    }
};

TEST_F(PatchGridSound, ARunningEngineShowsTheGlideItRecallsWith)
{
    synth.loadSound(writeTone("tone.wav").string(), {});
    settleLoads();
    processor.setSampleRate(44100.f);
    processor.resume();
    ASSERT_TRUE(params.isEngineRunning());
    storeSlot(5, 200.0);
    const struct {
        double changeTime;
        const char* text;
    } cases[] = {{2.0, "patch 0:5 in 2.0 sec"}, {1.0, "patch 0:5"}, {0.5, "patch 0:5 now"}};
    for (const auto& c : cases) {
        params.setParamImmediate(56, c.changeTime);
        click(5);
        EXPECT_EQ(status.last(), c.text);
        EXPECT_EQ(manager->getCurrentCell(), 5);
    }
    params.setParamImmediate(56, 2.0);
    doubleClick(5);
    EXPECT_EQ(status.last(), "patch 0:5 now");
    processor.suspend();
}

TEST_F(PatchGridSound, ASlotWhoseSoundIsMissingReportsTheFileInRedAndChangesNothing)
{
    const auto missing = folder.dir.file("gone.wav");
    storeSlotWithSound(8, 200.0, missing);
    const veldro::Patch stored = params.getPatch(8);
    params.setParam(4, 20.0, -1.0);

    click(8);
    EXPECT_EQ(status.last(), "patch 0:8 loading " + missing.string());
    settleLoads();
    EXPECT_EQ(status.last(), "Error opening file - " + missing.string());
    EXPECT_EQ(status.colours.back(), RED);

    status.texts.clear();
    click(8); // the failed sound stays known: no second load
    EXPECT_EQ(status.last(), "Error opening file - " + missing.string());
    EXPECT_EQ(status.colours.back(), RED);
    EXPECT_DOUBLE_EQ(rate(), 20.0);
    EXPECT_EQ(params.getPatch(8), stored);
    EXPECT_NE(grid->cell(8).value, PatchManager::MARK_RECALLED);
    EXPECT_EQ(manager->getCurrentCell(), -1);
}

TEST_F(PatchGridSound, ASoundNameThatIsNoUnicodeIsShownAndFails)
{
    storeSlot(10, 200.0);
    params.editPatch(10).soundfile = std::wstring(L"/tmp/x") + wchar_t(0xD800) + L".wav";
    click(10);
    EXPECT_EQ(status.last(), "patch 0:10 loading /tmp/x?.wav");
    settleLoads();
    EXPECT_EQ(status.last(), "Error opening file - /tmp/x?.wav");
    EXPECT_EQ(status.colours.back(), RED);
}

TEST_F(PatchGridSound, ASlotWhoseSoundMustLoadIsRecalledOnceItIsThere)
{
    const auto tone = writeTone("other.wav");
    storeSlotWithSound(9, 200.0, tone);
    params.setParam(4, 20.0, -1.0);
    click(9);
    EXPECT_EQ(status.last(), "patch 0:9 loading " + tone.string());
    settleLoads();
    EXPECT_EQ(currentSound(), tone.wstring());
    EXPECT_DOUBLE_EQ(rate(), 200.0);

    params.setParam(4, 20.0, -1.0);
    click(9); // now current: recalled at once
    EXPECT_EQ(status.last(), "patch 0:9 now");
    EXPECT_DOUBLE_EQ(rate(), 200.0);
    EXPECT_EQ(grid->cell(9).color, colour(PatchManager::RECALLED));
}

} // namespace
} // namespace korvel::test
