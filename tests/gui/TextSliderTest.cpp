#include "gui/ControlFactories.h"
#include "gui/FontSet.h"
#include "gui/StaticPalettes.h"
#include "vstgui/lib/vstkeycode.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

struct ListenerLog : IControlListener {
    void valueChanged(CControl* control) override { log.push_back("changed " + std::to_string(control->getValue())); }
    void controlBeginEdit(CControl*) override { log.push_back("begin"); }
    void controlEndEdit(CControl*) override { log.push_back("end"); }
    std::vector<std::string> log;
};

class TextSlider : public ::testing::Test {
protected:
    SharedPointer<CTextSlider> make(const std::string& format)
    {
        return owned(makeTextSlider({10, 100, 130, 116}, &listener, 18, format, staticPalette(0)));
    }

    std::vector<DrawCall> draw(CTextSlider& slider)
    {
        context.clear();
        context.beginPaint({0, 0, 500, 500});
        slider.draw(&context);
        return context.callsOf(DrawCall::Kind::String);
    }

    ListenerLog listener;
    RecordingDrawContext context;
};

TEST_F(TextSlider, FactorySpansThePointerRangeAndStylesTheBar)
{
    auto slider = make("low %.2f");
    EXPECT_EQ(slider->getStyle(), kLeft | kHorizontal);
    EXPECT_EQ(slider->getDrawStyle(), CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue);
    EXPECT_EQ(slider->getValueColor(), staticPalette(0).accent);
    EXPECT_EQ(slider->getFont(), fontSet().smallerFont(1));
    EXPECT_TRUE(slider->wantsFocus());
    EXPECT_EQ(slider->getZoomFactor(), 10);

    // horizontal: pointer range 8..132; clicking at the left end gives 0.
    slider->setValue(0.6f);
    CPoint at(8, 108);
    slider->onMouseDown(at, kLButton);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.0f);
    slider->onMouseUp(at, kLButton);
}

TEST_F(TextSlider, PrintsItsValueCentredInTheTextColour)
{
    auto slider = make("low %.2f");
    slider->setValue(0.25f);
    const auto strings = draw(*slider);
    // Once in the text colour, then where the value bar covers it in the background's.
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings[0].text, "low 0.25");
    EXPECT_EQ(strings[0].fontColor, staticPalette(0).text);
    EXPECT_EQ(strings[1].text, "low 0.25");
    EXPECT_EQ(strings[1].fontColor, staticPalette(0).background);
    EXPECT_EQ(strings[0].font.getSize(), 11);
    const CCoord width = context.getStringWidth("low 0.25");
    EXPECT_DOUBLE_EQ(strings[0].points.at(0).x, 10 + (120 - width) / 2);
}

TEST_F(TextSlider, EmptyFormatPrintsNothing)
{
    auto slider = make("");
    slider->setValue(0.5f);
    EXPECT_TRUE(draw(*slider).empty());
    slider->setValue(0.0f);
    slider->setFormat("Freq");
    ASSERT_EQ(draw(*slider).size(), 1u) << "no bar, nothing covered";
    slider->setValue(0.5f);
    ASSERT_EQ(draw(*slider).size(), 2u);
    EXPECT_EQ(draw(*slider)[0].text, "Freq");
}

TEST_F(TextSlider, BipolarScalingDrawsFromTheCentreAndPrintsScaledValues)
{
    auto slider = make("mix %.2f");
    const BipolarScaling bipolar(1.0, 0.0);
    slider->setScaling(&bipolar);
    EXPECT_NE(slider->getDrawStyle() & CSlider::kDrawValueFromCenter, 0);
    slider->setValue(0.25f);
    EXPECT_EQ(draw(*slider).at(0).text, "mix -0.50");

    const Scaling unipolar(1.0, 0.0);
    slider->setScaling(&unipolar);
    EXPECT_EQ(slider->getDrawStyle() & CSlider::kDrawValueFromCenter, 0);
    slider->setScaling(nullptr);
    EXPECT_EQ(slider->getDrawStyle() & CSlider::kDrawValueFromCenter, 0);
}

TEST_F(TextSlider, KeysStepTheScaledValueInOneGesture)
{
    auto slider = make("%.2f");
    const Scaling linear(10.0, 0.0);
    slider->setScaling(&linear);
    slider->setValue(0.5f); // 5
    VstKeyCode right{0, VKEY_RIGHT, 0};
    EXPECT_EQ(slider->onKeyDown(right), 1);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.51f);
    EXPECT_EQ(listener.log, (std::vector<std::string>{"begin", "changed " + std::to_string(slider->getValue()), "end"}));

    VstKeyCode digit{'9', 0, 0};
    EXPECT_EQ(slider->onKeyDown(digit), 1);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.9f);

    slider->setValue(1.0f);
    VstKeyCode pageUp{0, VKEY_PAGEUP, 0};
    EXPECT_EQ(slider->onKeyDown(pageUp), 1);
    EXPECT_FLOAT_EQ(slider->getValue(), 1.0f); // limited to the scaling's range
}

TEST_F(TextSlider, UnusedKeyChangesNothingAndTellsNobody)
{
    auto slider = make("%.2f");
    slider->setValue(0.3f);
    VstKeyCode letter{'q', 0, 0};
    EXPECT_EQ(slider->onKeyDown(letter), 2);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.3f);
    EXPECT_TRUE(listener.log.empty());
}

} // namespace
} // namespace korvel::gui
