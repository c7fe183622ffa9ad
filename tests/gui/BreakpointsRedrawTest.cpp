// What the breakpoint view leaves on screen once a drag ends, read back from the offscreen frame's pixels.

#include "BreakpointsRig.h"

namespace korvel::gui::test {
namespace {

using namespace VSTGUI;

// One point at (0.5, 0.5), drawn at (52, 52); a selected point's ring (radius 9, line width 2) covers
// (52, 43), the normal ring (radius 6) does not.
class BreakpointsRedrawTest : public BreakpointsRig {
protected:
    BreakpointsRedrawTest()
    {
        make({{0.5, 0.5}});
        view->setHandleSize(12.0);
        view->setColour(CBreakpoints::BACKGROUND, kBlackCColor);
        view->setColour(CBreakpoints::FRAME, kGreyCColor);
        view->setColour(CBreakpoints::LINE, kWhiteCColor);
        view->setColour(CBreakpoints::SELECTED, kRedCColor);
        frame->idle();
    }

    // Antialiasing leaves the ring's pixel short of pure red.
    bool showsEnlargedRing() const
    {
        const CColor pixel = frame->getPixel(52, 43);
        return pixel.red > 200 && pixel.green < 40 && pixel.blue < 40;
    }
    bool showsBackground() const { return frame->getPixel(52, 43) == kBlackCColor; }
};

TEST_F(BreakpointsRedrawTest, TheDraggedPointIsDrawnNormalAgainAfterTheRelease)
{
    ASSERT_TRUE(showsBackground());
    press(0.5, 0.5);
    frame->idle();
    ASSERT_TRUE(showsEnlargedRing());
    release(0.5, 0.5);
    frame->idle();
    EXPECT_TRUE(showsBackground());
}

TEST_F(BreakpointsRedrawTest, ACancelledDragRedrawsThePointNormal)
{
    press(0.5, 0.5);
    frame->idle();
    ASSERT_TRUE(showsEnlargedRing());
    frame->platformOnMouseCancel();
    frame->idle();
    EXPECT_TRUE(showsBackground());
}

TEST_F(BreakpointsRedrawTest, ARefusedMoveRedrawsThePointNormal)
{
    bool refuse = false;
    view->setConstraint([&refuse](CBreakpoints*, CPoint&, std::size_t) { return !refuse; });
    press(0.5, 0.5);
    frame->idle();
    ASSERT_TRUE(showsEnlargedRing());
    refuse = true;
    move(0.6, 0.5);
    frame->idle();
    EXPECT_FALSE(view->isDragging());
    EXPECT_TRUE(showsBackground());
}

} // namespace
} // namespace korvel::gui::test
