#include "FrameFixture.h"

#include <cmath>

namespace VSTGUI::test {
namespace {

// Records listener calls and, through the shared log, their order against the frame's gestures.
class RecordingListener : public IControlListener {
public:
    explicit RecordingListener(std::vector<std::string>& log) : log(log) {}
    void valueChanged(CControl* control) override { log.push_back("changed " + std::to_string(control->getValue())); }
    int32 controlModifierClicked(CControl*, CButtonState) override
    {
        log.push_back("modifier");
        return modifierResult;
    }
    void controlBeginEdit(CControl*) override { log.push_back("listener begin"); }
    void controlEndEdit(CControl*) override { log.push_back("listener end"); }

    int32 modifierResult{0};

private:
    std::vector<std::string>& log;
};

class ControlTest : public FrameFixture {
protected:
    // Frame gestures and listener calls in one log.
    std::vector<std::string>& log() { return editor.log; }
    RecordingListener listener{editor.log};
};

TEST_F(ControlTest, DefaultsAndClampingWithoutNotification)
{
    CControl control(CRect(0., 0., 10., 10.), &listener);
    EXPECT_EQ(control.getValue(), 0.f);
    EXPECT_EQ(control.getMin(), 0.f);
    EXPECT_EQ(control.getMax(), 1.f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_FLOAT_EQ(control.getWheelInc(), 0.1f);
    control.setValue(3.f);
    EXPECT_EQ(control.getValue(), 1.f);
    control.setMin(-2.f);
    control.setValue(-5.f);
    EXPECT_EQ(control.getValue(), -2.f);
    control.setValueNormalized(0.25f);
    EXPECT_FLOAT_EQ(control.getValue(), -1.25f);
    EXPECT_FLOAT_EQ(control.getValueNormalized(), 0.25f);
    EXPECT_TRUE(log().empty()) << "setting a value never notifies";
}

TEST_F(ControlTest, DirtyWhileTheValueDiffersFromTheLastDrawn)
{
    CControl control(CRect(0., 0., 10., 10.));
    EXPECT_FALSE(control.isDirty());
    control.setValue(0.3f);
    EXPECT_TRUE(control.isDirty());
    control.setDirty(false);
    EXPECT_FALSE(control.isDirty());
    control.setDirty(true);
    EXPECT_TRUE(control.isDirty());
}

TEST_F(ControlTest, NestedEditsReachListenerAndFrameOnce)
{
    auto* control = add(new CControl(CRect(0., 0., 10., 10.), &listener, 7));
    control->beginEdit();
    control->beginEdit();
    control->endEdit();
    EXPECT_TRUE(control->isEditing());
    control->endEdit();
    control->endEdit(); // unbalanced: ignored
    EXPECT_EQ(log(), (std::vector<std::string>{"listener begin", "begin 7", "end 7", "listener end"}));
}

struct DefaultClickCase {
    int32 buttons;
    float startValue;
    bool acts;
    bool notifies;
};

class DefaultValueTest : public ControlTest, public ::testing::WithParamInterface<DefaultClickCase> {};

TEST_P(DefaultValueTest, ControlClickSetsTheDefaultAsOneEdit)
{
    const auto& c = GetParam();
    auto* control = add(new CControl(CRect(0., 0., 10., 10.), &listener, 3));
    control->setValue(c.startValue);
    EXPECT_EQ(control->checkDefaultValue(c.buttons), c.acts);
    if (c.notifies) {
        EXPECT_EQ(control->getValue(), 0.5f);
        EXPECT_EQ(log(), (std::vector<std::string>{"listener begin", "begin 3", "changed 0.500000", "end 3",
                                                   "listener end"}));
    } else {
        EXPECT_EQ(control->getValue(), c.startValue);
        EXPECT_TRUE(log().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DefaultValueTest,
                         ::testing::Values(DefaultClickCase{kLButton | kControl, 0.9f, true, true},
                                           DefaultClickCase{kLButton | kControl, 0.5f, true, false},
                                           DefaultClickCase{kLButton | kControl | kShift, 0.9f, false, false},
                                           DefaultClickCase{kRButton | kControl, 0.9f, false, false},
                                           DefaultClickCase{kLButton | kDoubleClick, 0.9f, false, false}));

TEST_F(ControlTest, ModifiedClicksGoToTheListenerFirst)
{
    auto* probe = add(new CTextButton(CRect(0., 0., 50., 50.), &listener, 4));
    listener.modifierResult = 1;
    click(CPoint(5., 5.), kLButton | kShift);
    EXPECT_EQ(log(), (std::vector<std::string>{"modifier"}));
    listener.modifierResult = 0;
    log().clear();
    click(CPoint(5., 5.), kRButton);
    EXPECT_EQ(log(), (std::vector<std::string>{"modifier"})) << "unhandled: the button itself ignores the right button";
    EXPECT_EQ(frame->getFocusView(), nullptr);
    (void)probe;
}

TEST_F(ControlTest, HandledPressFocusesAControlThatWantsFocus)
{
    auto* button = add(new CTextButton(CRect(0., 0., 50., 50.), &listener, 4));
    click(CPoint(5., 5.));
    EXPECT_EQ(frame->getFocusView(), button);
}

TEST_F(ControlTest, FocusRingIsDrawnAroundTheFocusedControl)
{
    frame->setFocusDrawingEnabled(true);
    frame->setFocusColor(kRedCColor);
    frame->setFocusWidth(2.);
    auto* button = add(new CTextButton(CRect(20., 20., 60., 40.), nullptr, -1));
    button->setFrameWidth(0.);
    frame->setFocusView(button);
    frame->idle();
    EXPECT_EQ(frame->getPixel(40, 18), kRedCColor);
    EXPECT_EQ(frame->getPixel(40, 15), CColor(0, 0, 0, 0));
}

// ---- XY pad

TEST(CXYPadValueTest, PackingReadsBackExactlyInSinglePrecision)
{
    // Below x = 1 a float resolves the 1e-7 steps of y; at x = 1 its spacing is 1.2e-7.
    for (int xi = 0; xi < 1000; ++xi) {
        for (int yi = 0; yi <= 1000; yi += 7) {
            const float x = xi * 0.001f;
            const float y = yi * 0.001f;
            const float v = CXYPad::calculateValue(x, y);
            EXPECT_EQ(v, std::floor(x * 1000.f + 0.5f) * 0.001f + std::floor(y * 1000.f + 0.5f) * 1e-7f);
            float rx, ry;
            CXYPad::calculateXY(v, rx, ry);
            ASSERT_EQ(rx, static_cast<float>(xi) * 0.001f) << xi << "," << yi;
            ASSERT_EQ(ry, static_cast<float>(yi) * 0.001f) << xi << "," << yi;
        }
    }
}

class XYPadTest : public ControlTest {
protected:
    CXYPad* pad()
    {
        if (!padView) {
            padView = add(new CXYPad(CRect(0., 0., 106., 106.)));
            padView->setListener(&listener);
            padView->setTag(9);
            padView->setRoundRectRadius(6.);
        }
        return padView;
    }
    std::pair<float, float> xy()
    {
        float x, y;
        CXYPad::calculateXY(pad()->getValue(), x, y);
        return {x, y};
    }
    CXYPad* padView{nullptr};
};

TEST_F(XYPadTest, DragSetsBothAxesAndClampsOutside)
{
    pad();
    press(CPoint(53., 28.));
    EXPECT_EQ(xy(), std::make_pair(0.5f, 0.25f));
    move(CPoint(300., -40.));
    EXPECT_EQ(xy(), std::make_pair(1.f, 0.f));
    release(CPoint(300., -40.));
    EXPECT_EQ(log()[1], "begin 9");
    EXPECT_EQ(log()[log().size() - 2], "end 9");
}

TEST(CXYPadValueTest, AtTheRightEdgeXStaysExactAndYWithinAThousandth)
{
    for (int yi = 0; yi <= 1000; ++yi) {
        float x, y;
        CXYPad::calculateXY(CXYPad::calculateValue(1.f, yi * 0.001f), x, y);
        ASSERT_EQ(x, 1.f);
        ASSERT_NEAR(y, yi * 0.001f, 0.0011f);
    }
}

TEST_F(XYPadTest, CancelRestoresTheStartValueAndReportsIt)
{
    pad()->setValue(CXYPad::calculateValue(0.1f, 0.2f));
    press(CPoint(53., 53.));
    frame->platformOnMouseCancel();
    EXPECT_EQ(xy(), std::make_pair(0.1f, 0.2f));
    EXPECT_EQ(log()[log().size() - 2], "end 9");
    EXPECT_EQ(log()[log().size() - 3].rfind("changed", 0), 0u);
}

TEST_F(XYPadTest, OnlyTheLeftButtonAloneDrags)
{
    pad();
    press(CPoint(53., 53.), kRButton);
    EXPECT_EQ(pad()->getValue(), 0.f);
    press(CPoint(53., 53.), kLButton | kMButton);
    EXPECT_EQ(pad()->getValue(), 0.f);
}

TEST_F(XYPadTest, StopTrackingOnExitEndsTheEdit)
{
    pad()->setStopTrackingOnMouseExit(true);
    press(CPoint(53., 53.));
    move(CPoint(200., 53.));
    EXPECT_FALSE(pad()->isEditing());
    EXPECT_EQ(log()[log().size() - 2], "end 9");
}

} // namespace
} // namespace VSTGUI::test
