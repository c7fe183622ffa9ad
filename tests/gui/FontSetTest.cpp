#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"

#include <gtest/gtest.h>

namespace korvel::gui {
namespace {

TEST(FontSet, BaseIsTheSystemFontAndBoldIsItsBoldTwin)
{
    FontSet& fonts = fontSet();
    EXPECT_EQ(fonts.baseFont(), VSTGUI::kSystemFont.get());
    EXPECT_EQ(fonts.boldFont()->getName(), "Arial");
    EXPECT_EQ(fonts.boldFont()->getSize(), 12);
    EXPECT_EQ(fonts.boldFont()->getStyle(), VSTGUI::kBoldFace);
}

TEST(FontSet, OneStepLargerPlainFontIsMadeOnce)
{
    FontSet& fonts = fontSet();
    auto first = fonts.largerFont();
    auto second = fonts.largerFont(1, VSTGUI::kNormalFace);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->getSize(), 14);
    EXPECT_EQ(first->getStyle(), VSTGUI::kNormalFace);
}

struct LargerCase {
    int steps;
    int style;
    double size;
};

class LargerFont : public testing::TestWithParam<LargerCase> {};

TEST_P(LargerFont, GrowsTheSteppedSizeOnceMore)
{
    auto font = fontSet().largerFont(GetParam().steps, GetParam().style);
    EXPECT_EQ(font->getSize(), GetParam().size);
    EXPECT_EQ(font->getStyle(), GetParam().style);
    EXPECT_NE(font.get(), fontSet().largerFont().get());
}

INSTANTIATE_TEST_SUITE_P(FontSet, LargerFont,
                         testing::Values(LargerCase{1, VSTGUI::kBoldFace, 15},  // 13 grows by 2
                                         LargerCase{2, 0, 16},                  // 14 by 2
                                         LargerCase{4, 0, 18},                  // 16 by 2
                                         LargerCase{5, 0, 21},                  // 17 by 4
                                         LargerCase{0, 0, 14},                  // 12 by 2
                                         LargerCase{-1, 0, 12},                 // 11 by 1
                                         LargerCase{-2, 0, 11}));               // 10 by 1

TEST(FontSet, SmallerFontsAreCachedPerLevelAndLevelsAreLimited)
{
    FontSet& fonts = fontSet();
    VSTGUI::CFontDesc* level1 = fonts.smallerFont(1);
    VSTGUI::CFontDesc* level2 = fonts.smallerFont(2);
    EXPECT_EQ(level1->getSize(), 11);
    EXPECT_EQ(level2->getSize(), 10);
    EXPECT_EQ(fonts.smallerFont(2), level2);
    EXPECT_EQ(fonts.smallerFont(0), level1);
    EXPECT_EQ(fonts.smallerFont(-7), level1);
    EXPECT_EQ(fonts.smallerFont(3), level2);
}

TEST(LayoutMetrics, UnitsFollowTheTwelvePointSystemFont)
{
    updateLayoutMetrics();
    EXPECT_EQ(layoutU(), 12);
    EXPECT_EQ(layoutS(), 8);
    struct Case {
        double k;
        double u;
        double s;
    };
    for (const Case c : {Case{0, 0, 0}, Case{1, 1, 2}, Case{3, 4, 6}, Case{8, 12, 16}, Case{11, 16, 22},
                         Case{30, 45, 60}, Case{520, 780, 1040}, Case{-3, -4, -6}})
    {
        EXPECT_EQ(u(c.k), c.u) << c.k;
        EXPECT_EQ(s(c.k), c.s) << c.k;
    }
}

} // namespace
} // namespace korvel::gui
