#include "BridgeRig.h"

#include "editor/GuiBridges.h"
#include "editor/GuiSynthParamDisplay.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/controls/cknob.h"

#include <gtest/gtest.h>

#include <thread>

namespace korvel::veldro {
namespace {

using test::BridgeRig;
using test::TextLog;

constexpr int GRAIN_LENGTH = 5;  // 0.1 .. 10000 ms, cubic
constexpr int DIST_CLIP = 13;    // -30 .. 30, bicubic
constexpr int CHANGE_TIME = 56;

std::unique_ptr<Scaling> tableScaling(int id) { return makeScaling(getParamInfo(id).range); }

struct KnobBridge {
    KnobBridge(BridgeRig& rig, int id, std::unique_ptr<Scaling> scaling)
        : bridge(&rig.params, id, std::move(scaling)),
          knob(VSTGUI::owned(new VSTGUI::CKnob({0, 0, 60, 60}, &bridge, id, nullptr, nullptr)))
    {
        bridge.setControl(knob);
        bridge.setTextReceiver(&label);
        rig.params.addListener(&bridge);
    }

    void turnTo(float value)
    {
        knob->setValue(value);
        knob->valueChanged();
    }

    GuiSynthParamDisplay bridge;
    VSTGUI::SharedPointer<VSTGUI::CKnob> knob;
    TextLog label;
};

class ParamBridge : public testing::Test {
protected:
    ~ParamBridge() override { rig.params.clearListeners(); }
    BridgeRig rig;
};

TEST_F(ParamBridge, ListensUnderItsIdWithTheParametersGroupFlags)
{
    GuiSynthParamBridge bridge(&rig.params, DIST_CLIP, tableScaling(DIST_CLIP));
    EXPECT_EQ(bridge.getId(), DIST_CLIP);
    EXPECT_EQ(bridge.mask, getParamInfo(DIST_CLIP).flags);
}

TEST_F(ParamBridge, ControlAtMaximumJumpsToTheScalingMaximumWhileStopped)
{
    KnobBridge knob(rig, GRAIN_LENGTH, tableScaling(GRAIN_LENGTH));
    knob.turnTo(1.0f);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_LENGTH), 10000.0);
    EXPECT_DOUBLE_EQ(rig.current(GRAIN_LENGTH), 10000.0);
    ASSERT_EQ(rig.hostReports.size(), 1u);
    EXPECT_EQ(rig.hostReports[0].first, GRAIN_LENGTH);
    EXPECT_FLOAT_EQ(rig.hostReports[0].second, 1.0f);
}

TEST_F(ParamBridge, ControlGlidesOverTheChangeTimeWhileRunning)
{
    rig.params.setParam(CHANGE_TIME, 2.0, 0.0);
    const double before = rig.current(GRAIN_LENGTH);
    rig.running = true;
    KnobBridge knob(rig, GRAIN_LENGTH, tableScaling(GRAIN_LENGTH));
    knob.turnTo(1.0f);
    EXPECT_DOUBLE_EQ(rig.target(GRAIN_LENGTH), 10000.0);
    EXPECT_DOUBLE_EQ(rig.current(GRAIN_LENGTH), before);
    rig.params.advance(1.0); // half the change time
    EXPECT_NEAR(rig.current(GRAIN_LENGTH), before + (10000.0 - before) / 2, 1e-6);
}

TEST_F(ParamBridge, TurningTheKnobShowsTheValueInItsFormat)
{
    KnobBridge knob(rig, GRAIN_LENGTH, tableScaling(GRAIN_LENGTH));
    knob.bridge.setFormat(100.0, ValueFormat("length", -3));
    knob.turnTo(0.5f); // cubic: 0.1 + 0.125 * 9999.9
    EXPECT_NEAR(rig.target(GRAIN_LENGTH), 1250.0875, 1e-9);
    EXPECT_EQ(knob.label.last(), "length 1.25 s");
    EXPECT_EQ(knob.label.colours.back(), VSTGUI::kTransparentCColor);
}

TEST_F(ParamBridge, HostChangeMovesTheKnobAndShowsTheKeyedText)
{
    KnobBridge knob(rig, DIST_CLIP, tableScaling(DIST_CLIP));
    knob.bridge.setFormat(30.0, ValueFormat("dist boost %.1f", 2));
    knob.bridge.setFormat(0.0, ValueFormat("dist fold %.1f", 2));

    struct Case {
        double normalized;
        const char* text;
    };
    for (const Case c : {Case{1.0, "dist boost 30.0"}, Case{0.0, "dist fold -30.0"}, Case{0.5, "dist fold 0.0"},
                         Case{0.75, "dist boost 3.8"}})
    {
        rig.params.setParamNormalized(DIST_CLIP, c.normalized);
        EXPECT_FLOAT_EQ(knob.knob->getValue(), float(c.normalized));
        EXPECT_EQ(knob.label.last(), c.text);
    }
    EXPECT_TRUE(rig.hostReports.empty()); // a host change is not echoed back
}

TEST_F(ParamBridge, WithoutScalingValuesPassUnscaled)
{
    KnobBridge knob(rig, 15, nullptr); // dist.tone 0..100
    knob.turnTo(0.7f);
    EXPECT_DOUBLE_EQ(rig.target(15), double(0.7f));
}

TEST_F(ParamBridge, WithoutModelOrControlNothingHappens)
{
    GuiSynthParamDisplay orphan(nullptr, GRAIN_LENGTH, tableScaling(GRAIN_LENGTH));
    auto knob = VSTGUI::owned(new VSTGUI::CKnob({0, 0, 60, 60}, &orphan, GRAIN_LENGTH, nullptr, nullptr));
    knob->setValue(1.0f);
    knob->valueChanged();
    orphan.paramChanged(GROUP_GRAIN);
    EXPECT_EQ(knob->getValue(), 1.0f);

    GuiSynthParamDisplay unbound(&rig.params, GRAIN_LENGTH, tableScaling(GRAIN_LENGTH));
    TextLog label;
    unbound.setTextReceiver(&label);
    unbound.setFormat(0, ValueFormat("%.0f", 2));
    unbound.paramChanged(GROUP_GRAIN);
    EXPECT_TRUE(label.texts.empty());
}

TEST_F(ParamBridge, ChangesFromAnotherThreadWaitForTheGuiThread)
{
    GuiBridges bridges;
    auto* bridge = bridges.make<GuiSynthParamDisplay>(&rig.params, GRAIN_LENGTH, tableScaling(GRAIN_LENGTH));
    auto knob = VSTGUI::owned(new VSTGUI::CKnob({0, 0, 60, 60}, bridge, GRAIN_LENGTH, nullptr, nullptr));
    bridge->setControl(knob);
    TextLog label;
    bridge->setTextReceiver(&label);
    bridge->setFormat(0, ValueFormat("%.0f", 2));
    rig.params.addListener(bridge);

    std::thread host([&] { rig.params.setParamNormalized(GRAIN_LENGTH, 1.0); });
    host.join();
    EXPECT_EQ(knob->getValue(), 0.0f);
    EXPECT_TRUE(label.texts.empty());

    bridges.applyPendingUpdates();
    EXPECT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(label.last(), "10000");

    bridges.applyPendingUpdates(); // once only
    EXPECT_EQ(label.texts.size(), 1u);
}

} // namespace
} // namespace korvel::veldro
