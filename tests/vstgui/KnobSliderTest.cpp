#include "FrameFixture.h"

#include <numbers>

namespace VSTGUI::test {
namespace {

class Listener : public IControlListener {
public:
    void valueChanged(CControl*) override { ++changes; }
    int changes{0};
};

class KnobTest : public FrameFixture {
protected:
    CKnob* knob(int32 knobMode)
    {
        editor.knobMode = knobMode;
        return add(new CKnob(CRect(0., 0., 60., 60.), &listener, 5, nullptr, nullptr));
    }
    Listener listener;
};

TEST_F(KnobTest, LinearDragMovesByRangeOver200Pixels)
{
    auto* k = knob(kLinearMode);
    k->setValue(0.2f);
    press(CPoint(30., 30.));
    move(CPoint(30., -20.));           // up 50
    EXPECT_FLOAT_EQ(k->getValue(), 0.45f);
    move(CPoint(50., -20.));           // and right 20
    EXPECT_FLOAT_EQ(k->getValue(), 0.55f);
    release(CPoint(50., -20.));
    EXPECT_EQ(editor.log, (testing::GestureLog{"begin 5", "end 5"}));
    EXPECT_EQ(listener.changes, 2);
}

TEST_F(KnobTest, AnotherButtonDuringTheDragNeitherStopsItNorLeavesTheGestureOpen)
{
    auto* k = knob(kLinearMode);
    k->setValue(0.2f);
    for (const bool leftUpFirst : {false, true}) {
        SCOPED_TRACE(leftUpFirst ? "left released first" : "right released first");
        editor.log.clear();
        const float start = k->getValue();
        press(CPoint(30., 30.));
        press(CPoint(30., 30.), kRButton);
        move(CPoint(30., 10.), kLButton | kRButton); // up 20
        EXPECT_FLOAT_EQ(k->getValue(), start + 0.1f);
        if (leftUpFirst) {
            release(CPoint(30., 10.), kLButton);
            move(CPoint(30., 0.), kRButton);
            release(CPoint(30., 0.), kRButton);
        } else {
            release(CPoint(30., 10.), kRButton);
            release(CPoint(30., 10.), kLButton);
        }
        EXPECT_FLOAT_EQ(k->getValue(), start + 0.1f);
        EXPECT_EQ(editor.log, (testing::GestureLog{"begin 5", "end 5"}));
        EXPECT_FALSE(k->isEditing());
    }
}

TEST_F(KnobTest, ShiftZoomsAndRebasesWhereItChanges)
{
    auto* k = knob(kLinearMode);
    press(CPoint(30., 30.));
    move(CPoint(30., 10.));            // +0.1
    move(CPoint(30., 10.), kLButton | kShift);
    move(CPoint(30., -20.), kLButton | kShift); // 30 px at 200 * 1.5
    EXPECT_FLOAT_EQ(k->getValue(), 0.2f);
    move(CPoint(30., -20.));
    move(CPoint(30., -40.));           // plain again: +0.1
    EXPECT_FLOAT_EQ(k->getValue(), 0.3f);
}

TEST_F(KnobTest, CircularModeFollowsTheAngle)
{
    auto* k = knob(-1); // the editor default: circular
    press(CPoint(30., 0.)); // straight up: the middle of a 3/4 pi .. 9/4 pi sweep
    EXPECT_NEAR(k->getValue(), 0.5f, 1e-6);
    move(CPoint(60., 30.)); // right: 5/6 of the way
    EXPECT_NEAR(k->getValue(), 5.f / 6.f, 1e-6);
    move(CPoint(30., 59.)); // in the bottom gap, left of centre... nearest end
    EXPECT_TRUE(k->getValue() == 0.f || k->getValue() == 1.f);
}

TEST_F(KnobTest, AltForcesCircularInLinearMode)
{
    auto* k = knob(kLinearMode);
    press(CPoint(59., 30.), kLButton | kAlt);
    EXPECT_NEAR(k->getValue(), 5.f / 6.f, 1e-6);
}

TEST_F(KnobTest, ControlClickSetsDefaultInOneGesture)
{
    auto* k = knob(kLinearMode);
    press(CPoint(30., 30.), kLButton | kControl);
    EXPECT_EQ(k->getValue(), 0.5f);
    move(CPoint(30., 0.), kLButton | kControl);
    EXPECT_EQ(k->getValue(), 0.5f) << "no drag after a default click";
    EXPECT_EQ(editor.log, (testing::GestureLog{"begin 5", "end 5"}));
}

TEST_F(KnobTest, CancelRestoresTheValueAtPress)
{
    auto* k = knob(kLinearMode);
    k->setValue(0.3f);
    press(CPoint(30., 30.));
    move(CPoint(30., 0.));
    frame->platformOnMouseCancel();
    EXPECT_FLOAT_EQ(k->getValue(), 0.3f);
    EXPECT_EQ(editor.log.back(), "end 5");
}

struct KnobKeyCase {
    unsigned char virt;
    unsigned char modifier;
    float expected;
    int32 result;
};

class KnobKeyTest : public KnobTest, public ::testing::WithParamInterface<KnobKeyCase> {};

TEST_P(KnobKeyTest, ArrowsStepByTheWheelIncrement)
{
    const auto& c = GetParam();
    auto* k = knob(kLinearMode);
    k->setValue(0.5f);
    frame->setFocusView(k);
    EXPECT_EQ(key(c.virt, c.modifier), c.result);
    EXPECT_FLOAT_EQ(k->getValue(), c.expected);
    if (c.result == 1) {
        EXPECT_EQ(editor.log, (testing::GestureLog{"begin 5", "end 5"}));
        EXPECT_EQ(listener.changes, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KnobKeyTest,
                         ::testing::Values(KnobKeyCase{VKEY_UP, 0, 0.6f, 1}, KnobKeyCase{VKEY_RIGHT, 0, 0.6f, 1},
                                           KnobKeyCase{VKEY_DOWN, 0, 0.4f, 1},
                                           KnobKeyCase{VKEY_LEFT, MODIFIER_SHIFT, 0.49f, 1},
                                           KnobKeyCase{VKEY_PAGEUP, 0, 0.5f, -1}));

TEST_F(KnobTest, CoronaKnobDrawsItsFocusUnderneath)
{
    auto* k = knob(kLinearMode);
    EXPECT_TRUE(k->drawFocusOnTop());
    k->setDrawStyle(226);
    EXPECT_FALSE(k->drawFocusOnTop());
    k->setWantsFocus(false);
    EXPECT_TRUE(k->drawFocusOnTop());
}

class SliderTest : public FrameFixture {
protected:
    CSlider* slider(int32 style = CSlider::kLeft | CSlider::kHorizontal)
    {
        return add(new CSlider(CRect(20., 10., 120., 20.), &listener, 6, 18, 122, nullptr, nullptr, CPoint(), style));
    }
    Listener listener;
};

TEST_F(SliderTest, ClickJumpsToThePointerBetweenMinAndMaxPos)
{
    auto* s = slider();
    press(CPoint(70., 15.));
    EXPECT_FLOAT_EQ(s->getValue(), 0.5f);
    move(CPoint(200., 15.));
    EXPECT_EQ(s->getValue(), 1.f);
    release(CPoint(200., 15.));
    EXPECT_EQ(editor.log, (testing::GestureLog{"begin 6", "end 6"}));
}

TEST_F(SliderTest, ShiftDividesTheMovementByTheZoom)
{
    auto* s = slider();
    s->setValue(0.5f);
    press(CPoint(70., 15.), kLButton | kShift);
    EXPECT_FLOAT_EQ(s->getValue(), 0.5f);
    move(CPoint(122., 15.), kLButton | kShift);  // half the track
    EXPECT_FLOAT_EQ(s->getValue(), 0.55f);
}

TEST_F(SliderTest, VerticalFromTheBottomGrowsUpwards)
{
    auto* s = add(new CSlider(CRect(0., 0., 10., 100.), &listener, 6, 0, 100, nullptr, nullptr, CPoint(),
                              CSlider::kVertical | CSlider::kBottom));
    press(CPoint(5., 25.));
    EXPECT_FLOAT_EQ(s->getValue(), 0.75f);
}

TEST_F(SliderTest, ControlClickSetsDefaultWithoutDrag)
{
    auto* s = slider();
    s->setDefaultValue(0.75f);
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(30., 15.), kLButton | kControl),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(s->getValue(), 0.75f);
    EXPECT_EQ(listener.changes, 1);
}

} // namespace
} // namespace VSTGUI::test
