#include "BridgeRig.h"

#include "editor/GuiSynthOptionDisplay.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/controls/ctextbutton.h"

#include <gtest/gtest.h>

namespace korvel::veldro {
namespace {

using test::BridgeRig;
using test::TextLog;

struct OptionCase {
    int id;
    std::uint32_t maskBit;
    const char* offText;
    const char* onText;
};

class OptionButton : public testing::TestWithParam<OptionCase> {
protected:
    OptionButton()
        : bridge(&rig.params, GetParam().id, std::make_unique<Scaling>(1.0, 0.0)),
          button(VSTGUI::owned(new VSTGUI::CTextButton({0, 0, 20, 20}, &bridge, GetParam().id, nullptr,
                                                       VSTGUI::CTextButton::kOnOffStyle)))
    {
        bridge.setControl(button);
        bridge.setTextReceiver(&status);
        bridge.setFormat(0.5, ValueFormat(GetParam().offText, 2));
        bridge.setFormat(1.0, ValueFormat(GetParam().onText, 2));
        rig.params.addListener(&bridge);
    }
    ~OptionButton() override { rig.params.clearListeners(); }

    void press(float value)
    {
        button->setValue(value);
        button->valueChanged();
    }

    BridgeRig rig;
    GuiSynthOptionDisplay bridge;
    VSTGUI::SharedPointer<VSTGUI::CTextButton> button;
    TextLog status;
};

TEST_P(OptionButton, SetsAndClearsItsMaskBitAndSaysSo)
{
    press(1.0f);
    EXPECT_EQ(rig.target(GetParam().id), 1.0);
    EXPECT_NE(rig.params.getDefaultMask() & GetParam().maskBit, 0u);
    EXPECT_EQ(status.last(), GetParam().onText);

    press(0.0f);
    EXPECT_EQ(rig.target(GetParam().id), 0.0);
    EXPECT_EQ(rig.params.getDefaultMask() & GetParam().maskBit, 0u);
    EXPECT_EQ(status.last(), GetParam().offText);
    EXPECT_EQ(status.colours.back(), VSTGUI::kTransparentCColor);
    EXPECT_EQ(rig.hostReports.size(), 2u);
}

TEST_P(OptionButton, FollowsTheHostWithTheUnscaledValue)
{
    rig.params.setParamNormalized(GetParam().id, 0.0);
    EXPECT_EQ(button->getValue(), 0.0f);
    rig.params.setParamNormalized(GetParam().id, 1.0);
    EXPECT_EQ(button->getValue(), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    OptionDisplay, OptionButton,
    testing::Values(OptionCase{59, 1, "DO NOT switch soundfile with patch", "Change soundfile with patch"},
                    OptionCase{60, 8, "DO NOT switch controls with patch", "Change controls with patch"},
                    OptionCase{61, 64, "DO NOT change ADSR with patch", "Change ADSR with patch"}));

TEST(OptionDisplay, PicksTheFormatOfTheSmallestKeyNotBelowTheValue)
{
    BridgeRig rig;
    GuiSynthOptionDisplay bridge(&rig.params, 59, nullptr);
    EXPECT_EQ(bridge.formatFor(0.3), nullptr);

    bridge.setFormat(7.0, ValueFormat("only %.0f", 2));
    ASSERT_NE(bridge.formatFor(-100), nullptr);
    EXPECT_EQ(bridge.formatFor(1e9)->format_text, "only %.0f"); // one format serves every value

    bridge.setFormat(0.5, ValueFormat("off", 2));
    bridge.setFormat(1.0, ValueFormat("on", 2));
    bridge.setFormat(1.0, ValueFormat("on again", 2)); // same key: replaced
    EXPECT_EQ(bridge.formatFor(0.0)->format_text, "off");
    EXPECT_EQ(bridge.formatFor(0.5)->format_text, "off");
    EXPECT_EQ(bridge.formatFor(0.75)->format_text, "on again");
    EXPECT_EQ(bridge.formatFor(7.0)->format_text, "only %.0f");
    EXPECT_EQ(bridge.formatFor(7.5), nullptr);
}

TEST(OptionDisplay, ShowsNothingWithoutReceiverOrFormat)
{
    BridgeRig rig;
    GuiSynthOptionDisplay bridge(&rig.params, 59, nullptr);
    TextLog status;
    bridge.showValue(1.0);
    bridge.setTextReceiver(&status);
    bridge.showValue(1.0);
    EXPECT_TRUE(status.texts.empty());

    bridge.setFormat(0.5, ValueFormat("off", 2));
    bridge.setFormat(1.0, ValueFormat("on", 2));
    bridge.showValue(1.5);
    EXPECT_TRUE(status.texts.empty());
    bridge.showValue(0.0);
    EXPECT_EQ(status.last(), "off");
}

} // namespace
} // namespace korvel::veldro
