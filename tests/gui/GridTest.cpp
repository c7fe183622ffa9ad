#include "gui/CGrid.h"
#include "gui/IComplexControlListener.h"

#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

struct ClickLog : IComplexControlListener {
    void valueChanged(CView* view, int index) override
    {
        clicks.emplace_back(index, static_cast<CGrid*>(view)->getButtons());
    }
    std::vector<std::pair<int, int32>> clicks;
};

// The editor's grid: 18 x 7 square cells, 4 apart, in a 558 x 217 view at (10, 20).
struct EditorGrid : ::testing::Test {
    EditorGrid()
    {
        grid->setSpacing(CPoint(4, 4));
        grid->layoutCells();
    }
    ~EditorGrid() override { grid->forget(); }

    CMouseEventResult click(CPoint where, int32 buttons = kLButton) { return grid->onMouseDown(where, buttons); }
    std::vector<CRect> filledRects(RecordingDrawContext& context) const
    {
        std::vector<CRect> rects;
        for (const DrawCall& call : context.callsOf(DrawCall::Kind::Rect))
            rects.push_back(call.rect);
        return rects;
    }

    ClickLog listener;
    CGrid* grid = new CGrid(CRect(10, 20, 568, 237), &listener, 18, 7);
};

TEST_F(EditorGrid, CellsAreSquareAndLaidOutRowByRow)
{
    ASSERT_EQ(grid->getCellCount(), 126);
    EXPECT_EQ(grid->cell(0).rect, CRect(11, 21, 38, 48));
    EXPECT_EQ(grid->cell(1).rect, CRect(42, 21, 69, 48));
    EXPECT_EQ(grid->cell(18).rect, CRect(11, 52, 38, 79));
    EXPECT_EQ(grid->cell(125).rect, CRect(538, 207, 565, 234));
    EXPECT_EQ(grid->getCellBounds(), CRect(11, 21, 565, 234));
    for (int i = 0; i < grid->getCellCount(); ++i) {
        EXPECT_EQ(grid->cell(i).rect.getWidth(), grid->cell(i).rect.getHeight());
        EXPECT_EQ(grid->cell(i).color, kTransparentCColor);
    }
}

TEST_F(EditorGrid, EveryPointOfACellAndNoGapBelongsToIt)
{
    for (int i : {0, 17, 19, 108, 125}) {
        const CRect& rect = grid->cell(i).rect;
        for (CPoint p : {rect.getTopLeft(), CPoint(rect.right - 0.01, rect.bottom - 0.01), rect.getCenter()})
            EXPECT_EQ(grid->cellAt(p), i) << p.x << "," << p.y;
        EXPECT_EQ(grid->cellAt(CPoint(rect.right + 1, rect.top + 1)), -1) << "gap right of " << i;
        EXPECT_EQ(grid->cellAt(CPoint(rect.left + 1, rect.bottom + 1)), -1) << "gap below " << i;
    }
    EXPECT_EQ(grid->cellAt(CPoint(10.5, 30)), -1);
    EXPECT_EQ(grid->cellAt(CPoint(566, 30)), -1);
}

TEST_F(EditorGrid, AClickSelectsTheCellAndReportsItsButtonsForTheCallOnly)
{
    const CPoint centre = grid->cell(20).rect.getCenter();
    EXPECT_NE(click(centre, kRButton | kShift), kMouseEventNotHandled);
    ASSERT_EQ(listener.clicks.size(), 1u);
    EXPECT_EQ(listener.clicks[0], std::make_pair(20, int32(kRButton | kShift)));
    EXPECT_EQ(grid->getButtons(), 0);
    EXPECT_EQ(grid->getSelection(), std::set<int>{20});

    EXPECT_EQ(click(CPoint(centre.x + 15, centre.y)), kMouseEventNotHandled); // the gap
    EXPECT_EQ(listener.clicks.size(), 1u);
    EXPECT_EQ(grid->onMouseCancel(), kMouseEventHandled);
    EXPECT_TRUE(grid->getSelection().empty());
}

TEST(Grid, WithoutCellsNoClickIsHandled)
{
    ClickLog listener;
    for (auto [columns, rows] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{3, 3}}) {
        auto* grid = new CGrid(CRect(0, 0, 100, 100), &listener, columns, rows);
        if (columns == 0 || rows == 0)
            grid->layoutCells(); // else: never laid out
        CPoint where(50, 50);
        EXPECT_EQ(grid->onMouseDown(where, kLButton), kMouseEventNotHandled);
        EXPECT_EQ(grid->getCellCount(), 0);
        grid->forget();
    }
    EXPECT_TRUE(listener.clicks.empty());
}

TEST(Grid, SettersMarkDirtyOnlyOnAChange)
{
    auto* grid = new CGrid(CRect(0, 0, 100, 100), nullptr, 2, 2);
    grid->setCellColor(kWhiteCColor); // the default
    EXPECT_FALSE(grid->isDirty());
    grid->setCellColor(CColor(255, 255, 255, 254));
    EXPECT_TRUE(grid->isDirty());
    grid->setDirty(false);
    grid->setSpacing(CPoint(2, 2));
    EXPECT_TRUE(grid->isDirty());
    grid->forget();
}

TEST_F(EditorGrid, CellsWithoutColourTakeTheGridsCellColourAndOutline)
{
    grid->setCellColor(CColor(1, 2, 3));
    grid->setCellFrameColor(CColor(9, 9, 9));
    grid->cell(1).color = CColor(200, 0, 0);
    RecordingDrawContext context;
    context.setClipRect(grid->getViewSize());
    grid->draw(&context);
    const auto rects = context.callsOf(DrawCall::Kind::Rect);
    ASSERT_EQ(rects.size(), 127u); // background and the cells
    EXPECT_EQ(rects[0].fillColor, kWhiteCColor);
    EXPECT_EQ(rects[1].fillColor, CColor(1, 2, 3));
    EXPECT_EQ(rects[2].fillColor, CColor(200, 0, 0));
    EXPECT_EQ(rects[2].style, kDrawFilledAndStroked);
    EXPECT_EQ(rects[2].frameColor, CColor(9, 9, 9));
    EXPECT_EQ(rects[2].clip, grid->cell(1).rect);

    grid->setCellColor(kTransparentCColor);
    context.clear();
    grid->draw(&context);
    EXPECT_EQ(context.callsOf(DrawCall::Kind::Rect)[1].style, kDrawStroked);
}

TEST_F(EditorGrid, ANarrowRepaintDrawsTheSelectedCellAloneAndAnyOtherCellTheFullWay)
{
    click(grid->cell(5).rect.getCenter());
    RecordingDrawContext context;
    context.setClipRect(grid->cell(5).rect);
    grid->draw(&context);
    EXPECT_EQ(filledRects(context), (std::vector<CRect>{grid->cell(5).rect, grid->cell(5).rect}));

    // A cell that lost its highlight is repainted although it is not selected.
    context.clear();
    context.setClipRect(grid->cell(3).rect);
    grid->draw(&context);
    EXPECT_EQ(filledRects(context), (std::vector<CRect>{grid->getViewSize(), grid->cell(3).rect}));
    EXPECT_EQ(context.getClipRect(), grid->cell(3).rect);
}

TEST_F(EditorGrid, ACopyDrawsItsOwnCellsWithTheDrawerItWasGiven)
{
    std::vector<std::pair<CGrid*, int>> drawn;
    grid->setCellDrawer([&](CGrid* owner, CDrawContext*, const CGrid::Cell&, int column, int row) {
        drawn.emplace_back(owner, row * 18 + column);
    });
    auto* copy = static_cast<CGrid*>(grid->newCopy());
    RecordingDrawContext context;
    context.setClipRect(CRect(0, 0, 1000, 1000));
    copy->draw(&context);
    ASSERT_EQ(drawn.size(), 126u);
    EXPECT_EQ(drawn.back(), std::make_pair(copy, 125));

    copy->setCellDrawer({}); // back to the grid's own
    drawn.clear();
    copy->draw(&context);
    EXPECT_TRUE(drawn.empty());
    copy->forget();
}

} // namespace
} // namespace korvel::gui
