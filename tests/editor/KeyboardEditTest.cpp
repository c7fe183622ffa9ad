#include "BridgeRig.h"

#include "editor/GuiSynthParamDisplay.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/controls/cknob.h"

#include <gtest/gtest.h>

namespace korvel::veldro {
namespace {

using test::BridgeRig;
using test::TextLog;
using namespace VSTGUI;

constexpr int GRAIN_RATE = 4; // 1/60 .. 2000 per second, cubic

class KeyboardEdit : public testing::Test {
protected:
    KeyboardEdit()
    {
        bridge.setControl(knob);
        bridge.setTextReceiver(&label);
        bridge.setFormat(20, ValueFormat("rate %.*f / s", 2));
        rig.params.addListener(&bridge);
    }
    ~KeyboardEdit() override { rig.params.clearListeners(); }

    int32 press(VstKeyCode key) { return bridge.onKeyDown(key, nullptr); }

    BridgeRig rig;
    GuiSynthParamDisplay bridge{&rig.params, GRAIN_RATE, makeScaling(getParamInfo(GRAIN_RATE).range)};
    SharedPointer<CKnob> knob = owned(new CKnob({0, 0, 60, 60}, &bridge, GRAIN_RATE, nullptr, nullptr));
    TextLog label;
};

TEST_F(KeyboardEdit, ArrowStepsTheTargetAndMovesKnobAndLabel)
{
    rig.params.setParam(GRAIN_RATE, 250, 0);
    rig.hostReports.clear();
    EXPECT_EQ(press({0, VKEY_RIGHT, 0}), 1);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_RATE), 251);
    EXPECT_FLOAT_EQ(knob->getValue(), float(bridge.getScaling()->toNormalized(251)));
    EXPECT_EQ(label.last(), "rate 251 / s");
    ASSERT_EQ(rig.hostReports.size(), 1u);
    EXPECT_EQ(rig.hostReports[0].first, GRAIN_RATE);
}

TEST_F(KeyboardEdit, DigitSetsTheLeadingDigit)
{
    rig.params.setParam(GRAIN_RATE, 45, 0);
    EXPECT_EQ(press({'7', 0, 0}), 1);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_RATE), 70);
}

TEST_F(KeyboardEdit, StepIsLimitedToTheScalingRange)
{
    rig.params.setParam(GRAIN_RATE, 2000, 0);
    EXPECT_EQ(press({0, VKEY_PAGEUP, 0}), 1);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_RATE), 2000);
    rig.params.setParam(GRAIN_RATE, 0.05, 0);
    EXPECT_EQ(press({0, VKEY_PAGEDOWN, 0}), 1);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_RATE), 1.0 / 60.0);
}

TEST_F(KeyboardEdit, UnusedKeySetsNothing)
{
    rig.params.setParam(GRAIN_RATE, 20, 0);
    rig.hostReports.clear();
    label.texts.clear();
    EXPECT_EQ(press({'x', 0, 0}), 2);
    EXPECT_EQ(press({0, VKEY_TAB, 0}), 2);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_RATE), 20);
    EXPECT_TRUE(rig.hostReports.empty());
    EXPECT_TRUE(label.texts.empty());
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(bridge.onKeyUp(up, knob), -1);
}

TEST_F(KeyboardEdit, WithoutScalingTheValueIsNotLimited)
{
    GuiSynthParamDisplay unscaled(&rig.params, 15, nullptr); // dist.tone 0..100
    rig.params.setParam(15, 99.95, 0);
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(unscaled.onKeyDown(up, nullptr), 1);
    EXPECT_DOUBLE_EQ(rig.target(15), 100.15);
}

} // namespace
} // namespace korvel::veldro
