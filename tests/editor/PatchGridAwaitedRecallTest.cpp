// Recalls whose sound must load first: the cell is marked when the recall is applied, at the editor's
// idle, and the host hears what the recall changed.

#include "PatchGridRig.h"

#include "gui/HostEditCheck.h"
#include "support/SoundFileBuilder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <thread>

namespace korvel::test {
namespace {

using veldro::PatchManager;

class PatchGridAwaitedRecall : public PatchGridRig {
protected:
    PatchGridAwaitedRecall()
    {
        params.setHostNotify([this](int id, float) { editor.log.push_back("automate " + std::to_string(id)); });
    }

    std::filesystem::path writeTone(const std::string& name, double step)
    {
        testing_support::SoundRecipe recipe;
        recipe.channels = 1;
        for (int i = 0; i < 4410; ++i)
            recipe.samples.push_back(0.5 * std::sin(i * step));
        const auto path = folder.dir.file(name);
        testing_support::writeSoundFile(path, recipe);
        return path;
    }
    // A slot stored with its own grain rate and `path` as its sound.
    void storeWithSound(int slot, double rate, const std::filesystem::path& path)
    {
        storeSlot(slot, rate);
        params.editPatch(slot).soundfile = path.wstring();
    }
    // Waits for every load to finish (bounded), polling as the editor's idle does, with the idle tasks
    // after each poll.
    void idleUntilLoaded()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            const auto pending = synth.pollLoads();
            runIdleTasks();
            if (pending == 0 || std::chrono::steady_clock::now() > deadline)
                return;
            std::this_thread::yield();
        }
    }
    bool marked(int cell) const
    {
        return grid->cell(cell).value == PatchManager::MARK_RECALLED &&
               grid->cell(cell).color == colour(PatchManager::RECALLED);
    }
};

TEST_F(PatchGridAwaitedRecall, TheCellIsMarkedWhenTheRecallIsAppliedAndTheHostHearsIt)
{
    storeWithSound(9, 200.0, writeTone("nine.wav", 0.05));
    params.setParam(4, 20.0, -1.0);
    editor.log.clear();
    click(9);
    EXPECT_FALSE(marked(9)) << "nothing is applied yet";
    EXPECT_EQ(manager->getCurrentCell(), -1);
    EXPECT_EQ(automatedIds(editor.log).count(4), 0u);

    idleUntilLoaded();
    EXPECT_DOUBLE_EQ(rate(), 200.0);
    EXPECT_TRUE(marked(9));
    EXPECT_EQ(manager->getCurrentCell(), 9);
    EXPECT_EQ(automatedIds(editor.log).count(4), 1u);
    // The installed sound's own selection (0 and 1) is reported by the loader as it installs the sound;
    // what the recall changed reaches the host inside gestures.
    HostLog recalled;
    std::copy_if(editor.log.begin(), editor.log.end(), std::back_inserter(recalled),
                 [](const std::string& entry) { return entry != "automate 0" && entry != "automate 1"; });
    EXPECT_EQ(hostEditFaults(recalled), HostLog{});
}

TEST_F(PatchGridAwaitedRecall, AnOvertakenLoadNeverMarksItsCell)
{
    storeWithSound(9, 200.0, writeTone("nine.wav", 0.05));
    storeWithSound(11, 300.0, writeTone("eleven.wav", 0.07));
    click(9);
    click(11);
    idleUntilLoaded();
    EXPECT_DOUBLE_EQ(rate(), 300.0);
    EXPECT_FALSE(marked(9));
    EXPECT_TRUE(marked(11));
    EXPECT_EQ(manager->getCurrentCell(), 11);
}

TEST_F(PatchGridAwaitedRecall, AResetWhileARecallLoadsWins)
{
    storeWithSound(9, 200.0, writeTone("nine.wav", 0.05));
    click(9);
    click(0);
    idleUntilLoaded();
    EXPECT_DOUBLE_EQ(rate(), 20.0);
    EXPECT_FALSE(marked(9));
}

TEST_F(PatchGridAwaitedRecall, AClickWhileARecallLoadsWinsAndKeepsItsMark)
{
    storeSlot(5, 150.0); // no sound of its own: recalled at once
    storeWithSound(9, 200.0, writeTone("nine.wav", 0.05));
    click(9);
    click(5);
    EXPECT_TRUE(marked(5));
    idleUntilLoaded();
    EXPECT_DOUBLE_EQ(rate(), 150.0);
    EXPECT_TRUE(marked(5));
    EXPECT_FALSE(marked(9));
    EXPECT_EQ(manager->getCurrentCell(), 5);
    // The overtaken load was cached or dropped: either way a second click recalls its slot.
    click(9);
    idleUntilLoaded();
    EXPECT_DOUBLE_EQ(rate(), 200.0);
    EXPECT_TRUE(marked(9));
    EXPECT_FALSE(marked(5));
    EXPECT_EQ(grid->cell(5).color, colour(PatchManager::USED_SLOT));
}

TEST_F(PatchGridAwaitedRecall, ImmediateRecallsAndResetsReachTheHostInsideGestures)
{
    storeSlot(5, 150.0);
    params.setParam(4, 20.0, -1.0);
    editor.log.clear();
    click(5);
    EXPECT_TRUE(automatedIds(editor.log).count(4));
    click(0);
    EXPECT_DOUBLE_EQ(rate(), 20.0);
    EXPECT_EQ(std::count(editor.log.begin(), editor.log.end(), "automate 4"), 2);
    EXPECT_EQ(hostEditFaults(editor.log), HostLog{});
    editor.log.clear();
    click(7, VSTGUI::kLButton | VSTGUI::kShift); // a store changes no parameter
    EXPECT_TRUE(editor.log.empty());
}

} // namespace
} // namespace korvel::test
