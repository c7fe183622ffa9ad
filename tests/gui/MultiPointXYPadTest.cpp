#include "gui/CMultiPointXYPad.h"
#include "vstgui/FrameFixture.h"
#include "vstgui/lib/vstkeycode.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;
using Point = CMultiPointXYPad::Point;
using Reports = std::vector<std::pair<CControl*, int>>;

constexpr int TAG = 7;
// Pad (10, 10)-(110, 60) with 6-pixel handles: 94 by 44 pixels of travel, handle centres from (13, 13).
constexpr double LEFT = 10, TOP = 10, ROOM_X = 94, ROOM_Y = 44;

struct PointLog : IComplexControlListener {
    void valueChanged(CControl* control, int index) override { reports.emplace_back(control, index); }
    Reports reports;
};

Point point(double x, double y, CColor colour = kTransparentCColor)
{
    Point p;
    p.xParamId = 16;
    p.yParamId = 17;
    p.x = x;
    p.y = y;
    p.width = 6;
    p.height = 6;
    p.color = colour;
    return p;
}

// The frame point whose handle centre sits at pad position (x, y).
CPoint at(double x, double y) { return CPoint(LEFT + 3 + x * ROOM_X, TOP + 3 + y * ROOM_Y); }

class MultiPointXYPad : public VSTGUI::test::FrameFixture {
protected:
    MultiPointXYPad() { pad = add(new CMultiPointXYPad(CRect(LEFT, TOP, 110, 60), &log, TAG)); }

    CPoint position(int index) const { return pad->getPointPosition(index); }

    PointLog log;
    CMultiPointXYPad* pad;
};

TEST_F(MultiPointXYPad, PositionsAreLimitedToTheUnitSquareAndBadIndicesAreHarmless)
{
    pad->setPoints({point(0.5, 0.5), point(0.5, 0.5)});
    pad->setPointPosition(0, CPoint(-0.5, 1.5));
    EXPECT_EQ(position(0), CPoint(0, 1));
    pad->setPointPosition(1, CPoint(std::numeric_limits<double>::quiet_NaN(), 0.25));
    EXPECT_EQ(position(1), CPoint(1, 0.25));

    pad->setPointPosition(2, CPoint(0.1, 0.1));
    pad->setPointColor(-1, kRedCColor);
    EXPECT_EQ(position(2), CPoint(0, 0));
    EXPECT_EQ(pad->getPointColor(5), kWhiteCColor);
    EXPECT_EQ(pad->getPoint(2).xParamId, 0u);
    EXPECT_EQ(pad->getPoint(2).color, kTransparentCColor);
    EXPECT_EQ(pad->getSelectedIndex(), -1);
}

TEST_F(MultiPointXYPad, PressTakesTheNearestPointMovesItUnderTheMouseAndReportsItsIndex)
{
    pad->setPoints({point(0.2, 0.5), point(0.8, 0.5)});
    press(at(0.75, 0.4));
    EXPECT_EQ(pad->getSelectedIndex(), 1);
    EXPECT_NEAR(position(1).x, 0.75, 1e-12);
    EXPECT_NEAR(position(1).y, 0.4, 1e-12);
    move(at(0.5, 0.25));
    EXPECT_NEAR(position(1).x, 0.5, 1e-12);
    EXPECT_NEAR(position(1).y, 0.25, 1e-12);
    float x = 0, y = 0;
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_FLOAT_EQ(x, 0.5f);
    EXPECT_FLOAT_EQ(y, 0.25f);
    move(at(-3, 7)); // past the edges the point is pinned
    EXPECT_EQ(position(1), CPoint(0, 1));
    release(at(-3, 7));

    EXPECT_EQ(log.reports, (Reports{{pad, 1}, {pad, 1}, {pad, 1}}));
    EXPECT_EQ(pad->getSelectedIndex(), -1);
    EXPECT_EQ(position(0), CPoint(0.2, 0.5));
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 16", "begin 17", "end 17", "end 16"}));
}

TEST_F(MultiPointXYPad, EqualDistancesGoToTheEarlierPointAndASinglePointTakesAnyPress)
{
    pad->setPoints({point(0.25, 0.5), point(0.75, 0.5)});
    press(at(0.5, 0.5));
    EXPECT_EQ(pad->getSelectedIndex(), 0);
    release(at(0.5, 0.5));

    pad->setPoints({point(0.9, 0.9)});
    press(at(0, 0));
    EXPECT_EQ(pad->getSelectedIndex(), 0);
    EXPECT_EQ(position(0), CPoint(0, 0));
    release(at(0, 0));
}

TEST_F(MultiPointXYPad, ShiftDragMovesATenthOfTheMouseDistance)
{
    pad->setPoints({point(0.5, 0.5)});
    press(at(0.5, 0.5), kLButton | kShift);
    move(at(0.7, 0.1), kLButton | kShift);
    EXPECT_NEAR(position(0).x, 0.52, 1e-12);
    EXPECT_NEAR(position(0).y, 0.46, 1e-12);
    release(at(0.7, 0.1), kLButton | kShift);
}

TEST_F(MultiPointXYPad, PressesThatFindNoPointLeaveNoGestureOpen)
{
    EXPECT_EQ(frame->platformOnMouseDown(at(0.5, 0.5), kLButton), kMouseEventNotHandled);
    pad->setPoints({point(0.5, 0.5)});
    CPoint where = at(0.5, 0.5);
    EXPECT_EQ(pad->onMouseDown(where, CButtonState(kRButton)), kMouseEventNotHandled);
    EXPECT_EQ(pad->onMouseMoved(where, CButtonState(kLButton)), kMouseEventNotHandled);

    // A pad no wider than its handles has no room to drag in.
    auto* narrow = add(new CMultiPointXYPad(CRect(150, 10, 156, 60), &log, 8));
    narrow->setPoints({point(0.5, 0.5)});
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(153, 30), kLButton), kMouseEventNotHandled);
    EXPECT_EQ(narrow->getSelectedIndex(), -1);

    EXPECT_TRUE(editor.log.empty());
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(MultiPointXYPad, EscapeDuringADragPutsThePointBackAndReportsItUnderItsIndex)
{
    // An earlier drag of the other point leaves its position in the control value.
    pad->setPoints({point(0.1, 0.1), point(0.3337, 0.6661)});
    press(at(0.1, 0.2));
    release(at(0.1, 0.2));
    log.reports.clear();
    editor.log.clear();

    press(at(0.4, 0.7));
    move(at(0.9, 0.9));
    EXPECT_EQ(key(VKEY_ESCAPE), 1);
    EXPECT_EQ(position(1), CPoint(0.3337, 0.6661)); // exactly, not rounded to the packed thousandths
    EXPECT_NEAR(position(0).y, 0.2, 1e-12);
    EXPECT_EQ(log.reports, (Reports{{pad, 1}, {pad, 1}, {pad, 1}}));
    EXPECT_EQ(pad->getSelectedIndex(), -1);
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 16", "begin 17", "end 17", "end 16"}));

    // The release after the cancel reaches nobody and reports nothing.
    release(at(0.9, 0.9));
    EXPECT_EQ(log.reports.size(), 3u);
}

TEST_F(MultiPointXYPad, HandlesAreDrawnAtTheirPositionsInTheirOwnOrTheFirstPointsColour)
{
    pad->setPoints({point(0, 0, kRedCColor), point(1, 1), point(0.5, 0.25, kGreyCColor)});
    RecordingDrawContext context;
    pad->draw(&context);
    const auto handles = context.callsOf(DrawCall::Kind::Ellipse);
    ASSERT_EQ(handles.size(), 3u);
    EXPECT_EQ(handles[0].rect, CRect(10, 10, 16, 16));
    EXPECT_EQ(handles[1].rect, CRect(104, 54, 110, 60));
    EXPECT_EQ(handles[2].rect, CRect(57, 21, 63, 27));
    EXPECT_EQ(handles[0].fillColor, kRedCColor);
    EXPECT_EQ(handles[1].fillColor, kRedCColor);
    EXPECT_EQ(handles[2].fillColor, kGreyCColor);
    EXPECT_EQ(handles[0].style, kDrawFilled);
    EXPECT_FALSE(pad->isDirty());
}

TEST_F(MultiPointXYPad, CustomDrawingGoesBehindThePointsAndCanHideThem)
{
    pad->setPoints({point(0.5, 0.5)});
    int result = 1;
    pad->customDraw = [&](CMultiPointXYPad* drawn, CDrawContext* context) {
        EXPECT_EQ(drawn, pad);
        context->drawLine(CPoint(0, 0), CPoint(1, 1));
        return result;
    };
    RecordingDrawContext context;
    pad->draw(&context);
    ASSERT_GE(context.calls().size(), 2u);
    EXPECT_EQ(context.calls()[context.calls().size() - 2].kind, DrawCall::Kind::Line);
    EXPECT_EQ(context.calls().back().kind, DrawCall::Kind::Ellipse);

    result = 0;
    context.clear();
    pad->draw(&context);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Ellipse).empty());
    EXPECT_EQ(context.callsOf(DrawCall::Kind::Line).size(), 1u);
}

TEST_F(MultiPointXYPad, CopyKeepsPointsAndListenerButNeitherDrawingNorDrag)
{
    pad->setPoints({point(0.2, 0.3)});
    pad->customDraw = [](CMultiPointXYPad*, CDrawContext*) { return 0; };
    press(at(0.2, 0.3));
    auto copy = owned(static_cast<CMultiPointXYPad*>(pad->newCopy()));
    release(at(0.2, 0.3));
    EXPECT_EQ(copy->getTag(), TAG);
    EXPECT_EQ(copy->getPointCount(), 1);
    EXPECT_EQ(copy->getSelectedIndex(), -1);
    EXPECT_FALSE(copy->customDraw);
    EXPECT_EQ(copy->getListener(), static_cast<IControlListener*>(copy.get()));

    frame->addView(copy.get());
    copy->remember();
    log.reports.clear();
    CPoint where(LEFT + 3 + 0.5 * ROOM_X, TOP + 3);
    copy->onMouseDown(where, CButtonState(kLButton));
    EXPECT_EQ(log.reports, (Reports{{copy.get(), 0}}));
    copy->onMouseUp(where, CButtonState(kLButton));
}

} // namespace
} // namespace korvel::gui
