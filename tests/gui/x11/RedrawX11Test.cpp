// What a real X window shows after input that changes a view's shape: a frame in a host window of a private
// Xvfb, driven by another client's clicks, its painted pixels read back from the frame.

#include "../BreakpointsRig.h"
#include "../PadRig.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cmenuoverlay.h"

#include "X11FrameTest.h"

#include <functional>
#include <memory>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

constexpr int WIDTH = 200;
constexpr int HEIGHT = 160;

class RedrawX11 : public x11_testing::X11FrameTest {
protected:
    void SetUp() override
    {
        makeFrame(WIDTH, HEIGHT);
        if (hostReady())
            frame->setBackgroundColor(kBlackCColor);
    }

    void TearDown() override
    {
        rig.params.clearListeners();
        X11FrameTest::TearDown();
    }

    // Runs the frame's idle and drains the host's events until `done` holds and every change is painted.
    bool pumpUntilPainted(const std::function<bool()>& done)
    {
        return pumpUntil([&] { return done() && frame->getInvalidRects().empty(); });
    }

    void click(unsigned int button, unsigned int mask, int x, int y)
    {
        host->motion(frameWindow, x, y, 0);
        host->button(frameWindow, ButtonPress, x, y, 0, button);
        host->button(frameWindow, ButtonRelease, x, y, mask, button);
    }

    // Antialiasing leaves edge pixels short of the pure colour.
    bool reddish(int x, int y) const
    {
        const CColor pixel = frame->getPixel(x, y);
        return pixel.red > 200 && pixel.green < 40 && pixel.blue < 40;
    }

    korvel::test::PadRig rig;
};

TEST_F(RedrawX11, AFocusedPadThatShrinksForItsRateSliderLeavesNoRingBehind)
{
    frame->setFocusDrawingEnabled(true);
    frame->setFocusColor(kRedCColor);
    frame->setFocusWidth(2.);
    // 100 x 70 at (20, 20); the LFO kind raises its bottom by the small font's size to make room for the
    // rate slider, whose rect ends at 91.
    ParamControllerView* pad =
        makeParamControllerView(*frame, CRect(20., 20., 120., 90.), rig.handle(4), controllerPalettes);
    pad->setWantsFocus(true);
    pad->setController(0, 512);
    showFrame();

    click(Button3, Button3Mask, 50, 50);
    ASSERT_TRUE(pumpUntilPainted([this] { return dynamic_cast<MenuOverlay*>(frame->getTopOverlay()); }));
    ASSERT_EQ(frame->getFocusView(), pad);
    ASSERT_TRUE(reddish(18, 85)) << "the ring's left edge beside the full pad";

    const CPoint entry = dynamic_cast<MenuOverlay*>(frame->getTopOverlay())->getEntryRect(3).getCenter();
    click(Button1, Button1Mask, static_cast<int>(entry.x), static_cast<int>(entry.y));
    ASSERT_TRUE(pumpUntilPainted([&] { return pad->currentKind() == 3 && !frame->getTopOverlay(); }));

    ASSERT_LT(pad->getViewSize().bottom, 85.);
    EXPECT_FALSE(reddish(18, 85)) << "the old ring beside the rate slider";
    EXPECT_FALSE(reddish(70, 91)) << "the old ring's bottom edge";
    EXPECT_TRUE(reddish(18, 50)) << "the ring around the shortened pad";
}

TEST_F(RedrawX11, ABreakpointIsDrawnNormalAgainOnceTheMouseIsReleased)
{
    // One point at (0.5, 0.5) of a point area 100 x 100 at (2, 2): drawn at (52, 52). The selected ring
    // (radius 9, line width 2) covers (52, 43); the normal ring (radius 6) does not.
    auto listener = std::make_unique<test::ScriptListener>();
    auto* view = new CBreakpoints({0, 0, 104, 104}, 7, std::move(listener), 1);
    view->setFrameWidth(2.0);
    view->getPoints() = {{0.5, 0.5}};
    view->setHandleSize(12.0);
    view->setColour(CBreakpoints::BACKGROUND, kBlackCColor);
    view->setColour(CBreakpoints::LINE, kWhiteCColor);
    view->setColour(CBreakpoints::SELECTED, kRedCColor);
    frame->addView(view);
    showFrame();

    host->motion(frameWindow, 52, 52, 0);
    host->button(frameWindow, ButtonPress, 52, 52, 0);
    ASSERT_TRUE(pumpUntilPainted([&] { return view->isDragging(); }));
    ASSERT_TRUE(reddish(52, 43));

    host->button(frameWindow, ButtonRelease, 52, 52, Button1Mask);
    ASSERT_TRUE(pumpUntilPainted([&] { return !view->isDragging(); }));
    EXPECT_EQ(frame->getPixel(52, 43), kBlackCColor);
}

} // namespace
} // namespace korvel::gui
