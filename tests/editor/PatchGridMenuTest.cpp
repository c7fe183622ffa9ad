#include "PatchGridRig.h"

namespace korvel::test {
namespace {

using namespace VSTGUI;
using veldro::PatchManager;

using PatchGridMenu = PatchGridRig;

TEST_F(PatchGridMenu, OffersWhatTheCellAllowsAndSplitFromTheSecondRowAndThirdColumn)
{
    storeSlot(3, 100.0);
    menuChoice(20, -1); // empty, row 1, column 2
    menuChoice(3, -1);  // used, row 0
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].titles, (std::vector<std::string>{"Copy", "Move", "Paste", "Clear",
                                                         "Split soundfile into 2 patches here (copy empty "
                                                         "patches from left or current)"}));
    EXPECT_EQ(menus[0].enabled, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(menus[1].titles.size(), 4u);
    EXPECT_EQ(menus[1].enabled, (std::vector<bool>{true, true, false, true}));

    menuChoice(3, PatchManager::COPY);
    menuChoice(23, -1);
    EXPECT_EQ(menus.back().titles[4].find("Split soundfile into 5 "), 0u);
    EXPECT_TRUE(menus.back().enabled[PatchManager::PASTE]);
}

TEST_F(PatchGridMenu, CopyPastesIntoEveryClickedCellUntilItsSourceIsClicked)
{
    storeSlot(3, 100.0);
    menuChoice(3, PatchManager::COPY);
    click(20);
    click(21);
    EXPECT_EQ(params.getPatch(20), params.getPatch(3));
    EXPECT_EQ(params.getPatch(21), params.getPatch(3));
    EXPECT_EQ(grid->cell(20).value, PatchManager::MARK_STORED);
    EXPECT_EQ(grid->cell(20).color, colour(PatchManager::USED_SLOT));
    EXPECT_EQ(manager->getPendingAction(), PatchManager::COPY);

    click(3); // the way out
    EXPECT_EQ(manager->getPendingAction(), -1);
    EXPECT_TRUE(params.hasPatch(3));
    click(22);
    EXPECT_FALSE(params.hasPatch(22));
    EXPECT_EQ(status.last().substr(0, 15), "Empty patch slo");
}

TEST_F(PatchGridMenu, MovePastedFromTheMenuEmptiesItsSourceOnce)
{
    storeSlot(3, 100.0);
    const veldro::Patch stored = params.getPatch(3);
    menuChoice(3, PatchManager::MOVE);
    menuChoice(40, PatchManager::PASTE);
    EXPECT_EQ(params.getPatch(40), stored);
    EXPECT_FALSE(params.hasPatch(3));
    EXPECT_EQ(grid->cell(3).color, kTransparentCColor);
    EXPECT_EQ(manager->getPendingAction(), -1);

    // Onto its own cell: nothing moves, nothing is lost.
    menuChoice(40, PatchManager::MOVE);
    click(40);
    EXPECT_EQ(params.getPatch(40), stored);
    EXPECT_EQ(manager->getPendingAction(), -1);
}

TEST_F(PatchGridMenu, ClearEmptiesTheRightClickedCellAndEndsAPendingCopy)
{
    storeSlot(3, 100.0);
    storeSlot(6, 60.0);
    storeSlot(7, 70.0);
    menuChoice(7, PatchManager::CLEAR);
    EXPECT_FALSE(params.hasPatch(7));
    EXPECT_EQ(params.getPatch(7), veldro::Patch{});
    EXPECT_EQ(grid->cell(7).color, kTransparentCColor);

    menuChoice(3, PatchManager::COPY);
    menuChoice(6, PatchManager::CLEAR);
    EXPECT_FALSE(params.hasPatch(6));
    EXPECT_TRUE(params.hasPatch(3));
    EXPECT_EQ(manager->getPendingAction(), -1);
    EXPECT_TRUE(editor.log.empty()) << "the menu is no host edit";
}

TEST_F(PatchGridMenu, PasteNeedsASourceSlotAndATargetSlotThatExist)
{
    storeSlot(3, 100.0);
    params.setPatchCount(10); // fewer slots than cells
    menuChoice(3, PatchManager::COPY);
    click(50);
    EXPECT_EQ(params.getPatchCount(), 10u);
    EXPECT_EQ(grid->cell(50).value, 0.0);

    params.setPatchCount(2); // the source is gone
    menuChoice(30, PatchManager::PASTE);
    menuChoice(1, PatchManager::PASTE);
    EXPECT_FALSE(params.hasPatch(1));
}

} // namespace
} // namespace korvel::test
