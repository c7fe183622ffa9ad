#include "FrameFixture.h"

#include <stdexcept>

namespace VSTGUI::test {
namespace {

using FrameInputTest = FrameFixture;
using Log = std::vector<std::string>;

TEST_F(FrameInputTest, CapturingViewGetsMovesAndUpInParentCoordinatesEvenOutside)
{
    Log log;
    auto* box = add(new CViewContainer(CRect(50., 20., 150., 80.)));
    add(new ProbeView(CRect(10., 10., 30., 30.), &log), box);
    press(CPoint(65., 35.));
    move(CPoint(190., 5.));
    press(CPoint(70., 40.), kRButton);   // ignored while captured
    release(CPoint(70., 40.), kRButton);
    release(CPoint(195., 2.));
    move(CPoint(65., 35.));              // capture ended: no hover moves
    EXPECT_EQ(log, (Log{"down 15,15", "moved 140,-15", "up 145,-18"}));
}

TEST_F(FrameInputTest, MoveResultOutsideZeroAndOneEndsTheCapture)
{
    Log log;
    auto* probe = add(new ProbeView(CRect(0., 0., 50., 50.), &log));
    probe->movedResult = kMouseMoveEventHandledButDontNeedMoreEvents;
    press(CPoint(5., 5.));
    move(CPoint(6., 6.));
    move(CPoint(7., 7.));
    release(CPoint(7., 7.));
    EXPECT_EQ(log, (Log{"down 5,5", "moved 6,6"}));
}

// A view whose press runs something modal: a menu left open, or a dialog that sees the release.
class ModalPressView : public ProbeView {
public:
    using ProbeView::ProbeView;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        ProbeView::onMouseDown(where, buttons);
        if (menu)
            menu->popup(getFrame(), CPoint(100., 10.));
        else
            getFrame()->platformOnMouseUp(where, buttons);
        return kMouseEventHandled;
    }
    SharedPointer<COptionMenu> menu;
};

TEST_F(FrameInputTest, CaptureEndsAtTheLastReleaseEvenWhenSomethingModalTookIt)
{
    COptionMenu::setPopupHandler({});
    for (const bool withMenu : {true, false}) {
        SCOPED_TRACE(withMenu ? "menu overlay" : "modal dialog");
        Log log;
        auto* opener = add(new ModalPressView(CRect(0., 0., 50., 50.), &log));
        opener->movedResult = kMouseEventNotImplemented;
        if (withMenu) {
            opener->menu = owned(new COptionMenu(CRect(0., 0., 10., 10.), nullptr, 10));
            opener->menu->addEntry("A");
        }
        add(new ProbeView(CRect(50., 50., 100., 100.), &log));
        press(CPoint(5., 5.));
        if (withMenu) {
            release(CPoint(5., 5.));
            click(CPoint(110., 20.));
            ASSERT_EQ(frame->getTopOverlay(), nullptr);
        }
        move(CPoint(30., 30.), 0);
        click(CPoint(60., 60.));
        EXPECT_EQ(log, (Log{"down 5,5", "up 5,5", "down 60,60", "up 60,60"}));
        frame->removeAll();
    }
}

TEST_F(FrameInputTest, PressWithoutCaptureGetsNoFurtherEvents)
{
    Log log;
    auto* probe = add(new ProbeView(CRect(0., 0., 50., 50.), &log));
    probe->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    press(CPoint(5., 5.));
    move(CPoint(6., 6.));
    release(CPoint(6., 6.));
    EXPECT_EQ(log, (Log{"down 5,5"}));
}

TEST_F(FrameInputTest, CancelAndEscapeGoToTheCapturingView)
{
    Log log;
    add(new ProbeView(CRect(0., 0., 50., 50.), &log));
    press(CPoint(5., 5.));
    frame->platformOnMouseCancel();
    release(CPoint(5., 5.));
    press(CPoint(5., 5.));
    EXPECT_EQ(key(VKEY_ESCAPE), 1);
    EXPECT_EQ(log, (Log{"down 5,5", "cancel", "down 5,5", "cancel"}));
}

TEST_F(FrameInputTest, TopmostChildWinsAndTransparentChildrenPassPresses)
{
    Log log;
    auto* below = add(new ProbeView(CRect(0., 0., 50., 50.), &log));
    auto* above = add(new ProbeView(CRect(0., 0., 50., 50.)));
    above->downResult = kMouseEventNotHandled;
    above->setTransparency(true);
    press(CPoint(5., 5.));
    EXPECT_EQ(log, (Log{"down 5,5"}));
    EXPECT_EQ(above->own, (Log{"down 5,5"}));
    release(CPoint(5., 5.));
    above->setTransparency(false);
    log.clear();
    press(CPoint(5., 5.));
    EXPECT_TRUE(log.empty()) << "an opaque child that did not handle the press still stops it";
    (void)below;
}

struct DoubleClickCase {
    uint32 delayMs;
    CPoint second;
    int32 secondButton;
    bool isDouble;
};

class DoubleClickTest : public FrameFixture, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClickTest, SameButtonWithin400MsAnd4Pixels)
{
    const auto& c = GetParam();
    auto* probe = add(new ProbeView(CRect(0., 0., 100., 100.)));
    click(CPoint(10., 10.));
    now += c.delayMs;
    press(c.second, c.secondButton);
    EXPECT_EQ((probe->lastButtons & kDoubleClick) != 0, c.isDouble);
}

INSTANTIATE_TEST_SUITE_P(Cases, DoubleClickTest,
                         ::testing::Values(DoubleClickCase{400, {14., 6.}, kLButton, true},
                                           DoubleClickCase{401, {10., 10.}, kLButton, false},
                                           DoubleClickCase{100, {15., 10.}, kLButton, false},
                                           DoubleClickCase{100, {10., 10.}, kRButton, false}));

TEST_F(FrameInputTest, ThirdClickIsNotAnotherDoubleClick)
{
    auto* probe = add(new ProbeView(CRect(0., 0., 100., 100.)));
    click(CPoint(10., 10.));
    click(CPoint(10., 10.));
    EXPECT_TRUE(probe->lastButtons & kDoubleClick);
    click(CPoint(10., 10.));
    EXPECT_FALSE(probe->lastButtons & kDoubleClick);
}

TEST_F(FrameInputTest, EventTimeFromTheWindowSystemDecidesDoubleClicks)
{
    auto* probe = add(new ProbeView(CRect(0., 0., 100., 100.)));
    frame->platformOnMouseDown(CPoint(1., 1.), kLButton, 0xFFFFFF00u);
    release(CPoint(1., 1.));
    frame->platformOnMouseDown(CPoint(1., 1.), kLButton, 0x00000010u); // across the 32-bit wrap
    EXPECT_TRUE(probe->lastButtons & kDoubleClick);
}

class KeyContainer : public CViewContainer {
public:
    using CViewContainer::CViewContainer;
    int32 onKeyDown(VstKeyCode&) override
    {
        ++keys;
        return result;
    }
    int keys{0};
    int32 result{-1};
};

TEST_F(FrameInputTest, KeysGoToTheFocusViewThenItsParents)
{
    Log log;
    auto* box = add(new KeyContainer(CRect(0., 0., 100., 100.)));
    auto* probe = add(new ProbeView(CRect(0., 0., 10., 10.), &log), box);
    probe->setWantsFocus(true);
    click(CPoint(5., 5.));
    EXPECT_EQ(frame->getFocusView(), probe);

    EXPECT_EQ(key(VKEY_UP), -1);
    EXPECT_EQ(box->keys, 1);
    probe->keyResult = 2; // "seen but not used" still passes on
    box->result = 1;
    EXPECT_EQ(key(VKEY_UP), 1);
    EXPECT_EQ(box->keys, 2);
    probe->keyResult = 1;
    EXPECT_EQ(key(VKEY_UP), 1);
    EXPECT_EQ(box->keys, 2);

    probe->setMouseEnabled(false);
    EXPECT_EQ(key(VKEY_UP), -1) << "a disabled focus view sees no keys";
}

TEST_F(FrameInputTest, TabWalksFocusableViewsInTreeOrderAndWraps)
{
    auto* box = add(new CViewContainer(CRect(0., 0., 100., 100.)));
    auto* a = add(new ProbeView(CRect(0., 0., 10., 10.)), box);
    add(new ProbeView(CRect(10., 0., 20., 10.)), box); // does not want focus
    auto* b = add(new ProbeView(CRect(20., 0., 30., 10.)), box);
    auto* c = add(new ProbeView(CRect(110., 0., 120., 10.)));
    for (CView* v : {static_cast<CView*>(a), static_cast<CView*>(b), static_cast<CView*>(c)})
        v->setWantsFocus(true);
    EXPECT_EQ(key(VKEY_TAB), 1);
    EXPECT_EQ(frame->getFocusView(), a);
    key(VKEY_TAB);
    EXPECT_EQ(frame->getFocusView(), b);
    key(VKEY_TAB);
    EXPECT_EQ(frame->getFocusView(), c);
    key(VKEY_TAB);
    EXPECT_EQ(frame->getFocusView(), a);
    key(VKEY_TAB, MODIFIER_SHIFT);
    EXPECT_EQ(frame->getFocusView(), c);
    EXPECT_EQ(key(VKEY_TAB, MODIFIER_CONTROL), -1);
}

TEST_F(FrameInputTest, FocusChangeInvalidatesBothViewsWithTheFocusWidthAndItsAntialiasedEdge)
{
    auto* a = add(new ProbeView(CRect(10., 10., 20., 20.)));
    auto* b = add(new ProbeView(CRect(50., 10., 60., 20.)));
    frame->setFocusView(a);
    frame->idle();
    frame->setFocusWidth(2.);
    frame->idle();
    frame->setFocusView(b);
    const std::vector<CRect> expected{CRect(7., 7., 23., 23.), CRect(47., 7., 63., 23.)};
    EXPECT_EQ(frame->getInvalidRects(), expected);
}

TEST_F(FrameInputTest, TooltipAppearsAfterTheDelayAndHidesOnPress)
{
    frame->enableTooltips(true, 1000);
    auto* view = add(new ProbeView(CRect(150., 60., 200., 100.)));
    view->setTooltipText("Output amp");
    move(CPoint(190., 95.), 0);
    now += 999;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "");
    now += 1;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "Output amp");
    const CRect bounds = frame->getTopOverlay()->getBounds();
    EXPECT_TRUE(frame->getViewSize().rectInside(bounds)) << "clamped into the frame";
    EXPECT_EQ(frame->getPixel(static_cast<int>(bounds.left) + 2, static_cast<int>(bounds.top) + 2),
              CColor(255, 255, 225));
    press(CPoint(190., 95.));
    EXPECT_EQ(frame->getShownTooltip(), "");
    release(CPoint(190., 95.));
    now += 5000;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "") << "stays away after a press until the pointer moves";
    move(CPoint(191., 95.), 0);
    now += 1000;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "Output amp");
    key(VKEY_SPACE);
    now += 5000;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "") << "and after a key";
}

TEST_F(FrameInputTest, TooltipAttributeKeepsTheTerminatingZero)
{
    auto* view = add(new ProbeView(CRect(0., 0., 10., 10.)));
    view->setTooltipText("abc");
    uint32 size = 0;
    ASSERT_TRUE(view->getAttributeSize(kCViewTooltipAttribute, size));
    EXPECT_EQ(size, 4u);
}

TEST_F(FrameInputTest, LeavingTheWindowHidesTheTooltip)
{
    frame->enableTooltips(true, 10);
    add(new ProbeView(CRect(0., 0., 50., 50.)))->setTooltipText("tip");
    move(CPoint(5., 5.), 0);
    now += 10;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "tip");
    frame->platformOnMouseExited();
    EXPECT_EQ(frame->getShownTooltip(), "");
    now += 100;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), "");
}

class ThrowingView : public CView {
public:
    using CView::CView;
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override { throw std::runtime_error("view"); }
    int32 onKeyDown(VstKeyCode&) override { throw std::runtime_error("view"); }
};

TEST_F(FrameInputTest, ExceptionsFromViewsStopAtTheEntryPoints)
{
    auto* view = add(new ThrowingView(CRect(0., 0., 50., 50.)));
    frame->setFocusView(view);
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(5., 5.), kLButton), kMouseEventNotHandled);
    EXPECT_EQ(key(VKEY_UP), -1);
}

TEST_F(FrameInputTest, FrameToLocalAndBackThroughNestedContainers)
{
    auto* outer = add(new CViewContainer(CRect(10., 20., 190., 90.)));
    auto* inner = add(new CViewContainer(CRect(5., 5., 100., 60.)), outer);
    auto* view = add(new ProbeView(CRect(1., 1., 2., 2.)), inner);
    CPoint p(3., 4.);
    view->localToFrame(p);
    EXPECT_EQ(p, CPoint(18., 29.));
    view->frameToLocal(p);
    EXPECT_EQ(p, CPoint(3., 4.));
}

} // namespace
} // namespace VSTGUI::test
