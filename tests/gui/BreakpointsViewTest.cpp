#include "BreakpointsRig.h"

#include "vstgui/testing/recordingdrawcontext.h"

#include <thread>

namespace korvel::gui::test {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

using BreakpointsView = BreakpointsRig;

constexpr CColor BACK{10, 20, 30}, FRAME{40, 50, 60}, LINE{70, 80, 90}, SELECTED{200, 100, 0};

void colour(CBreakpoints& view)
{
    view.setColour(CBreakpoints::BACKGROUND, BACK);
    view.setColour(CBreakpoints::FRAME, FRAME);
    view.setColour(CBreakpoints::LINE, LINE);
    view.setColour(CBreakpoints::SELECTED, SELECTED);
}

TEST_F(BreakpointsView, DrawsItsFrameThenALineFromTheBottomLeftThroughEveryPointThenRings)
{
    colour(*make({{0, 0}, {0.25, 1}, {1, 0.5}}));
    RecordingDrawContext context;
    view->draw(&context);

    const auto& calls = context.calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Rect);
    EXPECT_EQ(calls[0].rect, CRect(0, 0, 104, 104));
    EXPECT_EQ(calls[0].style, kDrawFilledAndStroked);
    EXPECT_EQ(calls[0].fillColor, BACK);
    EXPECT_EQ(calls[0].frameColor, FRAME);
    EXPECT_EQ(calls[0].lineWidth, 2.0);
    EXPECT_TRUE(calls[0].drawMode.isAntiAliased());

    EXPECT_EQ(calls[1].kind, DrawCall::Kind::Lines);
    EXPECT_EQ(calls[1].lineWidth, 1.0);
    EXPECT_EQ(calls[1].frameColor, LINE);
    EXPECT_EQ(calls[1].points, (std::vector<CPoint>{{2, 102}, {2, 102}, {2, 102}, {27, 2}, {27, 2}, {102, 52}}));

    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(calls[i].kind, DrawCall::Kind::Ellipse);
        EXPECT_EQ(calls[i].style, kDrawStroked);
        EXPECT_EQ(calls[i].lineWidth, 2.0);
        EXPECT_EQ(calls[i].frameColor, LINE);
    }
    EXPECT_EQ(calls[3].rect, CRect(24, -1, 30, 5)); // handle size 6 around (27, 2)
}

TEST_F(BreakpointsView, SelectedPointHasALargerRingInItsOwnColour)
{
    colour(*make({{0, 0}, {0.5, 1}, {1, 0}}));
    view->setHandleSize(4);
    press(0.5, 1);
    RecordingDrawContext context;
    view->draw(&context);
    const auto rings = context.callsOf(DrawCall::Kind::Ellipse);
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_EQ(rings[1].rect, CRect(49, -1, 55, 5));
    EXPECT_EQ(rings[1].frameColor, SELECTED);
    EXPECT_EQ(rings[0].rect, CRect(0, 100, 4, 104));
}

TEST_F(BreakpointsView, RoundedCornersFillThenStrokeOnePath)
{
    make({{0, 0}});
    view->setRoundRectRadius(6);
    RecordingDrawContext context;
    view->draw(&context);
    const auto paths = context.callsOf(DrawCall::Kind::Path);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].pathMode, CDrawContext::kPathFilled);
    EXPECT_EQ(paths[1].pathMode, CDrawContext::kPathStroked);
    EXPECT_EQ(paths[0].path.size(), paths[1].path.size());
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Rect).empty());
}

TEST_F(BreakpointsView, PressSelectsTheNearerPointOfItsSegment)
{
    make({{0.25, 0}, {0.75, 1}, {1, 0}});
    const struct {
        double x, y;
        int selected;
    } cases[] = {
        {0.5, 0.75, 1},   // nearer the right end
        {0.5, 0.5, 0},    // a tie goes to the left end
        {0.875, 0.1, 2},  // in the second segment
        {0.125, 0.0, 2},  // left of the first point: the last point
    };
    for (const auto& c : cases) {
        view->getPoints() = {{0.25, 0}, {0.75, 1}, {1, 0}};
        EXPECT_EQ(press(c.x, c.y), kMouseEventHandled);
        EXPECT_EQ(view->getSelected(), c.selected) << c.x << ", " << c.y;
        release(c.x, c.y);
        EXPECT_EQ(view->getSelected(), -1);
    }
}

TEST_F(BreakpointsView, DragMovesThePointReportsItAndIsOneEditGestureOnItsParameter)
{
    make({{0, 0}, {0.5, 0.5}, {1, 0}});
    press(0.5, 0.5);
    move(0.375, 0.75);
    move(-1.0, 3.0); // outside the view: held at the edges
    EXPECT_EQ(point(1), CPoint(0.0, 1.0));
    move(0.25, 0.25);
    release(0.25, 0.25);

    EXPECT_EQ(point(1), CPoint(0.25, 0.25));
    EXPECT_EQ(listener->changes, (std::vector<int>{1, 1, 1, 1}));
    ASSERT_EQ(texts.texts.size(), 4u);
    EXPECT_EQ(texts.texts.back(), "point 1");
    EXPECT_EQ(texts.colours.back(), kTransparentCColor);
    EXPECT_EQ(editor.log, (VSTGUI::testing::GestureLog{"begin 101", "end 101"}));
    EXPECT_FALSE(view->isDragging());
}

TEST_F(BreakpointsView, RightDragPushesTheNeighbourByHalfTheMovement)
{
    make({{0, 0}, {0.25, 1}, {0.5, 1}, {1, 0}}, 1);
    press(0.25, 1);
    move(0.625, 1); // past the neighbour: it moves half of the 0.375
    EXPECT_EQ(point(2).x, 0.6875);
    EXPECT_EQ(point(1).x, 0.625);
    release(0.625, 1);
    // A listener that does not keep its links itself hears of the pushed neighbour too.
    EXPECT_EQ(listener->changes, (std::vector<int>{1, 1, 2}));
}

TEST_F(BreakpointsView, OneFastRightDragPastTheNeighbourMovesBoth)
{
    make({{0, 0}, {0.25, 1}, {0.5, 1}, {1, 0}});
    press(0.25, 1);
    move(0.875, 1); // faster than the neighbour: the point stops at it
    EXPECT_EQ(point(2).x, 0.8125);
    EXPECT_EQ(point(1).x, 0.8125);
    EXPECT_EQ(listener->changes, (std::vector<int>{1, 1})); // no link reports without linksItself
}

TEST_F(BreakpointsView, RightDragStopsWhereItWouldPassTheNextPointButOne)
{
    make({{0, 0}, {0.25, 1}, {0.5, 1}, {0.75, 0}});
    press(0.25, 1);
    move(0.8125, 1);
    EXPECT_EQ(point(1).x, 0.25);
    EXPECT_EQ(point(2).x, 0.5);
}

TEST_F(BreakpointsView, LeftDragPushesTheNeighbourButNeverTheFirstPoint)
{
    make({{0, 0}, {0.5, 1}, {0.75, 1}, {1, 0}});
    press(0.75, 1);
    move(0.375, 1);
    EXPECT_EQ(point(1).x, 0.3125);
    EXPECT_EQ(point(2).x, 0.375);
    release(0.375, 1);

    view->getPoints() = {{0.25, 0}, {0.5, 1}, {1, 0}};
    press(0.5, 1);
    move(0.125, 1); // past the first point, which cannot be pushed
    EXPECT_EQ(point(1).x, 0.5);
    EXPECT_EQ(point(0).x, 0.25);
}

TEST_F(BreakpointsView, RefusedPressIsNotHandledAndStartsNoEdit)
{
    make({{0, 0}, {1, 0}});
    view->setConstraint([](CBreakpoints*, CPoint&, std::size_t) { return false; });
    EXPECT_EQ(press(0, 0), kMouseEventNotHandled);
    EXPECT_EQ(view->getSelected(), -1);
    release(0, 0);
    EXPECT_TRUE(editor.log.empty());
    EXPECT_TRUE(listener->changes.empty());
}

TEST_F(BreakpointsView, RefusalDuringADragEndsItsEditOnce)
{
    make({{0, 0}, {0.5, 0}, {1, 0}});
    view->setConstraint([](CBreakpoints*, CPoint& p, std::size_t) { return p.x < 0.75; });
    press(0.5, 0);
    move(0.875, 0.5);
    EXPECT_FALSE(view->isDragging());
    move(0.625, 0.5);
    release(0.625, 0.5);
    EXPECT_EQ(point(1), CPoint(0.5, 0));
    EXPECT_EQ(editor.log, (VSTGUI::testing::GestureLog{"begin 101", "end 101"}));
}

TEST_F(BreakpointsView, ConstraintAdjustsThePointBeforeItIsSet)
{
    make({{0, 0}, {0.5, 0}, {1, 0}});
    view->setConstraint([](CBreakpoints*, CPoint& p, std::size_t) {
        p.y = 0.5;
        return true;
    });
    press(0.5, 0);
    move(0.25, 1);
    EXPECT_EQ(point(1), CPoint(0.25, 0.5));
}

TEST_F(BreakpointsView, CancelAndOutsideChangesEndTheEditOnce)
{
    make({{0, 0}, {0.5, 0}, {1, 0}});
    press(0.5, 0);
    frame->platformOnMouseCancel();
    EXPECT_FALSE(view->isDragging());

    press(0.5, 0);
    view->paramChanged(16); // a patch recall moves the points under the pointer
    EXPECT_FALSE(view->isDragging());
    move(0.25, 0);
    release(0.25, 0);
    EXPECT_EQ(editor.log, (VSTGUI::testing::GestureLog{"begin 101", "end 101", "begin 101", "end 101"}));
}

TEST_F(BreakpointsView, OnlyTheLeftButtonAloneDrags)
{
    make({{0, 0}, {1, 0}});
    EXPECT_EQ(press(0, 0, kRButton), kMouseEventNotHandled);
    frame->platformOnMouseUp(at(0, 0), kRButton);
    EXPECT_EQ(press(0, 0, kLButton | kRButton), kMouseEventNotHandled);
    frame->platformOnMouseUp(at(0, 0), kLButton | kRButton);
    EXPECT_EQ(press(0, 0, kLButton | kShift), kMouseEventHandled);
    release(0, 0);
    EXPECT_EQ(editor.log, (VSTGUI::testing::GestureLog{"begin 100", "end 100"}));
}

TEST_F(BreakpointsView, ViewWithoutPointsIgnoresTheMouse)
{
    make({});
    EXPECT_EQ(press(0.5, 0.5), kMouseEventNotHandled);
    EXPECT_TRUE(editor.log.empty());
}

TEST_F(BreakpointsView, ListenerRebuildsAtOnceOnTheGuiThreadAndLaterFromOthers)
{
    make({{0, 0}, {0.5, 0}, {1, 0}});
    press(0.5, 0);
    std::thread([this] { listener->paramChanged(16); }).join();
    EXPECT_EQ(listener->shown, 0);
    EXPECT_TRUE(view->isDragging()); // nothing touched the view off its thread

    listener->applyPendingUpdate();
    EXPECT_EQ(listener->shown, 1);
    EXPECT_FALSE(view->isDragging());
    listener->applyPendingUpdate();
    EXPECT_EQ(listener->shown, 1);

    listener->paramChanged(512);
    EXPECT_EQ(listener->shown, 2);
    EXPECT_EQ(editor.log, (VSTGUI::testing::GestureLog{"begin 101", "end 101"}));
}

} // namespace
} // namespace korvel::gui::test
