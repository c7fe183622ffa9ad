#include "gui/ControlFactories.h"
#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"
#include "gui/StaticPalettes.h"

#include <gtest/gtest.h>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

const Palette& palette() { return staticPalette(9); }

TEST(TextDisplay, TransparentWhiteMeansTheDefaultColour)
{
    auto display = owned(makeTextDisplay({0, 0, 100, 12}, "", "", palette()));
    EXPECT_EQ(display->getDefaultColor(), palette().text);
    display->receiveText("failed", kRedCColor);
    EXPECT_EQ(display->getTextColor(), kRedCColor);
    display->receiveText("fine", kTransparentCColor);
    EXPECT_EQ(display->getTextColor(), palette().text);
    EXPECT_EQ(display->getTitle(), "fine");

    display->setTextColor({1, 2, 3, 255});
    display->receiveText("later", {255, 255, 255, 255}); // opaque white is a colour of its own
    EXPECT_EQ(display->getTextColor(), kWhiteCColor);
    display->receiveText("later", kTransparentCColor);
    EXPECT_EQ(display->getTextColor(), CColor(1, 2, 3, 255));
}

TEST(TextDisplay, LabelGetsOneTrailingBlankAndLeadsEveryText)
{
    auto display = owned(makeTextDisplay({0, 0, 100, 12}, "", "Freq", palette()));
    EXPECT_EQ(display->getLabel(), "Freq ");
    EXPECT_EQ(display->getTitle(), "Freq ");
    display->receiveText("2.00 Hz", kTransparentCColor);
    EXPECT_EQ(display->getTitle(), "Freq 2.00 Hz");

    display->setLabel("rate ");
    EXPECT_EQ(display->getLabel(), "rate ");
    EXPECT_EQ(display->getTitle(), "rate ");
    display->setLabel("");
    EXPECT_EQ(display->getTitle(), "");
}

TEST(TextDisplay, FactoryStylesTheDisplay)
{
    updateLayoutMetrics();
    auto wide = owned(makeTextDisplay({0, 0, 120, 12}, "att-dec", "- ctrl left", palette()));
    EXPECT_EQ(wide->getTitle(), "- ctrl left att-dec");
    EXPECT_EQ(wide->getTextAlignment(), kLeftText);
    EXPECT_EQ(wide->getFrameColor(), palette().frame);
    EXPECT_EQ(wide->getGradient()->getStartColor(), palette().background);
    EXPECT_EQ(wide->getGradient()->getEndColor(), palette().background);
    EXPECT_EQ(wide->getGradientHighlighted()->getStartColor(), palette().background);
    EXPECT_EQ(wide->getRoundRadius(), 0);
    EXPECT_EQ(wide->getFont(), fontSet().baseFont());
    EXPECT_EQ(wide->getTextMargin(), s(2));
    EXPECT_FALSE(wide->wantsFocus());
    EXPECT_FALSE(wide->getMouseEnabled());

    auto narrow = owned(makeTextDisplay({0, 0, 50, 12}, "", "", palette()));
    EXPECT_EQ(narrow->getTextAlignment(), kCenterText);
}

TEST(TextDisplay, CopyKeepsLabelAndDefaultColour)
{
    auto display = owned(makeTextDisplay({0, 0, 100, 12}, "", "x", palette()));
    display->setTextColor({9, 9, 9, 255});
    auto copy = owned(static_cast<CTextDisplay*>(display->newCopy()));
    EXPECT_EQ(copy->getLabel(), "x ");
    EXPECT_EQ(copy->getDefaultColor(), CColor(9, 9, 9, 255));
}

} // namespace
} // namespace korvel::gui
