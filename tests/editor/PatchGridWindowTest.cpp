#include "EditorRig.h"

#include "editor/PatchManager.h"
#include "gui/CGrid.h"
#include "gui/StaticPalettes.h"
#include "vstgui/lib/cframe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvel::test {
namespace {

using namespace VSTGUI;

gui::CGrid* gridOf(Controller& editor)
{
    for (CView* view : allViews(*editor.getFrame()))
        if (auto* grid = dynamic_cast<gui::CGrid*>(view))
            return grid;
    return nullptr;
}

TEST(EditorPatchGrid, EachOpenBuildsASquareGridThatShowsAndStoresTheSlots)
{
    EditorRig rig;
    veldro::SynthParams& params = rig.processor().getSynth().getParams();
    rig.editor().open(nullptr);
    gui::CGrid* grid = gridOf(rig.editor());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->getCellCount(), 126);
    EXPECT_EQ(params.getPatchCount(), 130u);
    EXPECT_EQ(grid->cell(0).rect.getWidth(), grid->cell(0).rect.getHeight());
    EXPECT_EQ(grid->getSpacing(), CPoint(4, 4));

    CPoint where = grid->cell(5).rect.getCenter();
    grid->localToFrame(where);
    rig.editor().getFrame()->platformOnMouseDown(where, kLButton | kShift);
    rig.editor().getFrame()->platformOnMouseUp(where, kLButton | kShift);
    EXPECT_TRUE(params.hasPatch(5));
    EXPECT_THAT(displayTexts(*rig.editor().getFrame()), ::testing::Contains("store patch 0:5"));
    rig.editor().close();

    rig.editor().open(nullptr);
    gui::CGrid* reopened = gridOf(rig.editor());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->cell(5).color, gui::patchManagerColours[veldro::PatchManager::USED_SLOT]);
    EXPECT_EQ(reopened->cell(0).color, gui::patchManagerColours[veldro::PatchManager::RESET_CELL]);
    rig.editor().close();
}

} // namespace
} // namespace korvel::test
