#include "BridgeRig.h"

#include "editor/KnobFactory.h"
#include "gui/StaticPalettes.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/testing/fakehost.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <numbers>

namespace korvel::veldro {
namespace {

using namespace VSTGUI;
using test::BridgeRig;
using test::TextLog;
using DrawCall = VSTGUI::testing::DrawCall;

constexpr int GRAIN_PAN = 12; // -1 .. 1, bipolar
const gui::Palette& palette() { return gui::staticPalette(0); }

double degrees(double radians) { return radians * 180 / std::numbers::pi; }

class KnobFactory : public ::testing::Test {
protected:
    ~KnobFactory() override { rig.params.clearListeners(); }

    BridgeRig rig;
    GuiSynthParamDisplay bridge{&rig.params, GRAIN_PAN, makeScaling(getParamInfo(GRAIN_PAN).range)};
    TextLog label;
};

TEST_F(KnobFactory, BindsTheBridgeBothWays)
{
    auto knob = owned(makeKnob({0, 0, 60, 60}, &bridge, GRAIN_PAN, &label, palette()));
    EXPECT_EQ(bridge.getControl(), knob.get());
    EXPECT_EQ(knob->getListener(), &bridge);
    EXPECT_EQ(knob->getKeyHandler(), &bridge);
    EXPECT_EQ(bridge.getTextReceiver(), &label);
    EXPECT_EQ(knob->getTag(), GRAIN_PAN);

    GuiSynthParamDisplay other(&rig.params, 4, nullptr);
    TextLog keep;
    other.setTextReceiver(&keep);
    auto second = owned(makeKnob({0, 0, 60, 60}, &other, 4, nullptr, palette()));
    EXPECT_EQ(other.getTextReceiver(), &keep); // no receiver given: the bridge keeps its own
}

TEST_F(KnobFactory, StylesTheKnobFromThePalette)
{
    auto knob = owned(makeKnob({0, 0, 60, 60}, &bridge, GRAIN_PAN, &label, palette()));
    EXPECT_EQ(knob->getDrawStyle(), 226);
    EXPECT_EQ(knob->getCoronaColor(), palette().accent);
    EXPECT_EQ(knob->getColorShadowHandle(), palette().frame);
    EXPECT_FLOAT_EQ(knob->getStartAngle(), float(2 * std::numbers::pi / 3));
    EXPECT_FLOAT_EQ(knob->getRangeAngle(), float(5 * std::numbers::pi / 3));
    EXPECT_TRUE(knob->wantsFocus());
    EXPECT_DOUBLE_EQ(knob->getHandleLineWidth(), 12);
    EXPECT_DOUBLE_EQ(knob->getCoronaInset(), knob->getCoronaOutlineWidthAdd() + 6);
    EXPECT_FLOAT_EQ(knob->getZoomFactor(), 10);
}

TEST_F(KnobFactory, BipolarCoronaGrowsFromTheTopCentre)
{
    auto knob = owned(makeKnob({0, 0, 60, 60}, &bridge, GRAIN_PAN, &label, palette()));
    knob->setDrawStyle(knob->getDrawStyle() | CKnob::kCoronaFromCenter); // as the editor does for min < 0
    rig.params.addListener(&bridge);
    rig.params.setParamNormalized(GRAIN_PAN, 0.75); // pan 0.5
    ASSERT_FLOAT_EQ(knob->getValue(), 0.75f);

    VSTGUI::testing::RecordingDrawContext context;
    context.beginPaint({0, 0, 60, 60});
    knob->draw(&context);
    const auto paths = context.callsOf(DrawCall::Kind::Path);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Line).empty()); // no handle

    const DrawCall& outline = paths[0];
    EXPECT_EQ(outline.frameColor, palette().frame);
    EXPECT_DOUBLE_EQ(outline.lineWidth, 14);
    EXPECT_EQ(outline.lineCap, CLineStyle::kLineCapButt);
    const auto& outlineArc = outline.path.at(0);
    EXPECT_EQ(outlineArc.rect, CRect(8, 8, 52, 52));
    const double extra = degrees(1.0 / 22); // butt ends lengthened by half the outline's extra width
    EXPECT_NEAR(outlineArc.startAngle, 120 - extra, 1e-3);
    EXPECT_NEAR(outlineArc.endAngle, 420 + extra, 1e-3);

    const DrawCall& corona = paths[1];
    EXPECT_EQ(corona.frameColor, palette().accent);
    EXPECT_DOUBLE_EQ(corona.lineWidth, 12);
    const auto& coronaArc = corona.path.at(0);
    EXPECT_NEAR(coronaArc.startAngle, 270, 1e-3);
    EXPECT_NEAR(coronaArc.endAngle, 345, 1e-3);

    rig.params.setParamNormalized(GRAIN_PAN, 0.25); // pan -0.5: the corona runs left of the top
    context.clear();
    knob->draw(&context);
    const auto leftPaths = context.callsOf(DrawCall::Kind::Path);
    const auto& leftArc = leftPaths.at(1).path.at(0);
    EXPECT_NEAR(leftArc.startAngle, 195, 1e-3);
    EXPECT_NEAR(leftArc.endAngle, 270, 1e-3);
}

// A focused knob in a frame: keys reach the parameter through the bridge.
class FocusedKnob : public ::testing::Test {
protected:
    FocusedKnob()
    {
        rig.params.setHostNotify([this](int id, float) { editor.log.push_back("report " + std::to_string(id)); });
        frame = owned(new CFrame({0, 0, 200, 100}, &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
        knob = makeKnob({0, 0, 60, 60}, &bridge, 4, &label, palette());
        frame->addView(knob);
        frame->addView(new gui::CKBKnob({100, 0, 160, 60}, nullptr, 99));
        rig.params.addListener(&bridge);
        frame->setFocusView(knob);
    }
    ~FocusedKnob() override
    {
        rig.params.clearListeners();
        frame->close();
    }

    int32 key(unsigned char virt, char character = 0)
    {
        VstKeyCode code{character, virt, 0};
        return frame->platformOnKeyDown(code);
    }

    BridgeRig rig;
    GuiSynthParamDisplay bridge{&rig.params, 4, makeScaling(getParamInfo(4).range)};
    TextLog label;
    VSTGUI::testing::RecordingEditor editor;
    SharedPointer<CFrame> frame;
    gui::CKBKnob* knob = nullptr;
};

TEST_F(FocusedKnob, KeyEditWritesOnceInsideOneGesture)
{
    rig.params.setParam(4, 250, 0);
    editor.log.clear();
    EXPECT_EQ(key(VKEY_RIGHT), 1);
    EXPECT_EQ(editor.log, (VSTGUI::testing::GestureLog{"begin 4", "report 4", "end 4"}));
    EXPECT_DOUBLE_EQ(rig.target(4), 251);
    EXPECT_FLOAT_EQ(knob->getValue(), float(bridge.getScaling()->toNormalized(251)));
}

TEST_F(FocusedKnob, UnusedKeysPassOnAndTabMovesTheFocus)
{
    editor.log.clear();
    EXPECT_NE(key(0, 'x'), 1);
    EXPECT_TRUE(editor.log.empty());
    key(VKEY_TAB);
    EXPECT_NE(frame->getFocusView(), knob);
}

} // namespace
} // namespace korvel::veldro
