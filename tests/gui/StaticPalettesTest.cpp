#include "gui/ControlFactories.h"
#include "gui/StaticPalettes.h"

#include <gtest/gtest.h>

namespace korvel::gui {
namespace {

using VSTGUI::CColor;

TEST(StaticPalettes, ControllerPalettesArePadPaletteThenPalettesOneToEight)
{
    ASSERT_EQ(controllerPalettes.size(), 9u);
    for (std::size_t kind = 0; kind < controllerPalettes.size(); ++kind)
        EXPECT_EQ(controllerPalettes[kind], staticPalette(kind)) << kind;
    EXPECT_EQ(controllerPalettes[0].background, CColor(50, 54, 57, 255));
    EXPECT_EQ(controllerPalettes[2].background, CColor(45, 200, 230, 130));
    EXPECT_EQ(controllerPalettes[6], controllerPalettes[8]);
    EXPECT_EQ(controllerPalettes[7].accent, CColor(0, 255, 255, 140));
}

TEST(StaticPalettes, PaletteTenTakesAllButItsBackgroundFromNine)
{
    const Palette& nine = staticPalette(9);
    const Palette& ten = staticPalette(10);
    EXPECT_EQ(ten.background, CColor(47, 211, 235, 255));
    EXPECT_EQ(ten.frame, nine.frame);
    EXPECT_EQ(ten.text, nine.text);
    EXPECT_EQ(ten.accent, CColor(255, 240, 60, 255));
    EXPECT_THROW(staticPalette(11), std::out_of_range);
}

TEST(StaticPalettes, ShortColourSetsRepeatTheirLastGivenColour)
{
    EXPECT_EQ(soundfileViewColours.back(), CColor(255, 250, 211, 255));
    EXPECT_EQ(patchManagerColours[6], CColor(0, 193, 250, 255));
    // The grain display reads five colours and the filter view six.
    for (std::size_t i = 2; i < grainDisplayColours.size(); ++i)
        EXPECT_EQ(grainDisplayColours[i], grainDisplayColours[1]) << i;
    for (std::size_t i = 4; i < filterViewColours.size(); ++i)
        EXPECT_EQ(filterViewColours[i], filterViewColours[3]) << i;
}

TEST(LayoutOffsets, NextPlaceBelowOrRightOfARect)
{
    const VSTGUI::CRect rect(10, 20, 70, 90);
    EXPECT_EQ(rectBottomLeftOffset(rect, 4), VSTGUI::CPoint(10, 94));
    EXPECT_EQ(rectTopRightOffset(rect, 8), VSTGUI::CPoint(78, 20));
}

} // namespace
} // namespace korvel::gui
