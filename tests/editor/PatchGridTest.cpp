#include "PatchGridRig.h"

#include "gui/ColourMath.h"
#include "gui/FontSet.h"
#include "synth/ParamTable.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <thread>

namespace korvel::test {
namespace {

using namespace VSTGUI;
using veldro::PatchManager;

using PatchGrid = PatchGridRig;

TEST_F(PatchGrid, EditorGridHasSquareCellsForEverySlotAndStartsInTheSlotColours)
{
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->getViewSize(), CRect(22, 40, 580, 257));
    ASSERT_EQ(grid->getCellCount(), 126);
    EXPECT_EQ(grid->cell(0).rect, CRect(23, 41, 50, 68));
    EXPECT_EQ(grid->cell(125).rect, CRect(550, 227, 577, 254));
    EXPECT_EQ(params.getPatchCount(), 130u);
    EXPECT_EQ(grid->cell(0).color, colour(PatchManager::RESET_CELL));
    EXPECT_EQ(grid->cell(1).color, colour(PatchManager::EMPTY_SLOT));
    EXPECT_EQ(frame->getPixel(30, 45), colour(PatchManager::RESET_CELL));
}

TEST_F(PatchGrid, ClickRecallsWithTheChangeTimeAndMarksTheCell)
{
    storeSlot(5, 200.0);
    params.setParam(4, 20.0, -1.0);
    click(5);
    EXPECT_DOUBLE_EQ(rate(), 200.0);
    EXPECT_EQ(status.last(), "patch 0:5 now"); // stopped engine: no glide
    EXPECT_EQ(status.colours.back(), kTransparentCColor);
    EXPECT_EQ(grid->cell(5).value, PatchManager::MARK_RECALLED);
    EXPECT_EQ(grid->cell(5).color, colour(PatchManager::RECALLED));
    EXPECT_EQ(manager->getCurrentCell(), 5);

    // The next recall takes the highlight away, also from the screen.
    storeSlot(24, 50.0);
    frame->idle();
    click(24);
    frame->idle();
    EXPECT_EQ(grid->cell(5).value, PatchManager::MARK_USED);
    EXPECT_EQ(grid->cell(5).color, colour(PatchManager::USED_SLOT));
    const CRect& old = grid->cell(5).rect;
    EXPECT_EQ(frame->getPixel(int(old.left) + 3, int(old.top) + 3), colour(PatchManager::USED_SLOT));
    EXPECT_EQ(status.last(), "patch 1:6 now");
}

TEST_F(PatchGrid, DoubleClickShowsItsShortGlideAndEmptyCellsExplainThemselves)
{
    storeSlot(7, 200.0);
    doubleClick(7);
    EXPECT_EQ(status.last(), "patch 0:7 now");
    click(8);
    EXPECT_EQ(status.last(), "Empty patch slot. Shift-click to store, click/double-click to use, right-click for options");
    EXPECT_EQ(manager->getCurrentCell(), -1);
}

TEST_F(PatchGrid, ShiftClickStoresAndColoursByWhatWasThere)
{
    params.setParam(4, 33.0, -1.0);
    click(9, kLButton | kShift);
    ASSERT_TRUE(params.hasPatch(9));
    EXPECT_DOUBLE_EQ(params.getPatch(9).params[4].value, 33.0);
    EXPECT_EQ(status.last(), "store patch 0:9");
    EXPECT_EQ(grid->cell(9).value, PatchManager::MARK_STORED);
    EXPECT_EQ(grid->cell(9).color, colour(PatchManager::USED_SLOT));
    click(9, kLButton | kShift);
    EXPECT_EQ(grid->cell(9).color, colour(PatchManager::STORED_OVER));

    click(1, kLButton | kShift);
    EXPECT_TRUE(params.hasPatch(1));
    EXPECT_NE(status.last().find("cell 1 holds the sound restored with the project"), std::string::npos);
}

TEST_F(PatchGrid, TheTopLeftCellResetsWithoutStatusAndNeverStoresOrOpensAMenu)
{
    const int changeTime = 56;
    params.setParam(4, 123.0, -1.0);
    params.setParam(changeTime, 3.0, -1.0);
    const auto texts = status.texts.size();
    click(0);
    EXPECT_DOUBLE_EQ(rate(), veldro::getParamInfo(4).range.default_value);
    EXPECT_DOUBLE_EQ(params.getParam(changeTime).second, 3.0); // mask 15 leaves the globals
    click(0, kLButton | kShift);
    EXPECT_DOUBLE_EQ(params.getParam(changeTime).second, veldro::getParamInfo(changeTime).range.default_value);
    EXPECT_FALSE(params.hasPatch(0));
    menuChoice(0, PatchManager::COPY);
    EXPECT_TRUE(menus.empty());
    EXPECT_EQ(status.texts.size(), texts);
}

TEST_F(PatchGrid, SlotChangesFromOtherThreadsRecolourAtTheNextIdle)
{
    storeSlot(12, 80.0); // as a state restore on the host's thread would
    std::thread host([this] { params.notifyListeners(veldro::GROUP_PATCH_SLOTS); });
    host.join();
    EXPECT_EQ(grid->cell(12).color, colour(PatchManager::EMPTY_SLOT));
    runIdleTasks();
    EXPECT_EQ(grid->cell(12).color, colour(PatchManager::USED_SLOT));
    EXPECT_EQ(frame->getPixel(int(grid->cell(12).rect.left) + 3, int(grid->cell(12).rect.top) + 3),
              colour(PatchManager::USED_SLOT));
}

TEST_F(PatchGrid, LabelsAreSlotNumbersReadableOnTheirFillAndInsideTheirCell)
{
    VSTGUI::testing::RecordingDrawContext drawing;
    drawing.setFont(gui::fontSet().boldFont());
    const struct {
        int cell;
        CColor fill;
    } cases[] = {{125, colour(PatchManager::USED_SLOT)},
                 {19, colour(PatchManager::RECALLED)},
                 {20, kTransparentCColor},
                 {21, colour(PatchManager::EMPTY_SLOT)},
                 {108, colour(PatchManager::EMPTY_SLOT)}};
    for (const auto& c : cases) {
        grid->cell(c.cell).color = c.fill;
        drawing.clear();
        manager->drawCell(grid, &drawing, grid->cell(c.cell), c.cell % 18, c.cell / 18);
        const auto strings = drawing.callsOf(VSTGUI::testing::DrawCall::Kind::String);
        ASSERT_EQ(strings.size(), 1u);
        const VSTGUI::testing::DrawCall& label = strings[0];
        EXPECT_EQ(label.text, std::to_string(c.cell));
        if (c.fill.alpha == 255) {
            EXPECT_GE(gui::contrastRatio(label.fontColor, c.fill), 3.0) << c.cell;
        } else {
            EXPECT_EQ(label.fontColor, CColor(255, 255, 255, 60)) << "no fill: the grid's background shows";
        }
        EXPECT_EQ(label.font.getStyle(), gui::fontSet().baseFont()->getStyle());
        // Measured in the font it was drawn in: clear of the cell's border lines on both sides.
        const auto drawnFont = VSTGUI::makeOwned<VSTGUI::CFontDesc>(label.font);
        drawing.setFont(drawnFont.get());
        const VSTGUI::CRect& rect = grid->cell(c.cell).rect;
        EXPECT_GE(label.points[0].x, rect.left + 2.) << c.cell;
        EXPECT_LE(label.points[0].x + drawing.getStringWidth(label.text), rect.right - 2.) << c.cell;
        if (c.cell < 100) {
            EXPECT_EQ(label.font.getSize(), gui::fontSet().baseFont()->getSize()) << c.cell;
        }
    }
}

} // namespace
} // namespace korvel::test
