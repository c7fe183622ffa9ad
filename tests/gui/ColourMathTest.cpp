#include "gui/ColourMath.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvel::gui {
namespace {

using VSTGUI::CColor;

struct LightenCase {
    CColor in;
    double factor;
    CColor expected;
};

class Lighten : public testing::TestWithParam<LightenCase> {};

TEST_P(Lighten, ScalesChannelsAndKeepsAlpha)
{
    const auto& c = GetParam();
    EXPECT_EQ(lightenColour(c.in, c.factor), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ColourMath, Lighten,
    testing::Values(LightenCase{{0, 0, 0, 255}, 2.0, {40, 40, 40, 255}},       // dark channels lifted to 20 first
                    LightenCase{{255, 122, 0, 7}, 0.5, {255, 254, 40, 7}},     // 0.5 lightens like 2, bright saturates
                    LightenCase{{10, 100, 250, 9}, 1.0, {15, 105, 255, 9}},    // factor 1: +5, no floor
                    LightenCase{{100, 50, 0, 255}, 1.5, {158, 83, 30, 255}},
                    LightenCase{{100, 50, 0, 255}, -2.0, {0, 0, 0, 255}},      // a negative factor clamps to black
                    LightenCase{{100, 50, 0, 77}, 0.0, {0, 0, 0, 77}},
                    LightenCase{{100, 50, 0, 255}, std::numeric_limits<double>::quiet_NaN(), {0, 0, 0, 255}},
                    LightenCase{{250, 250, 250, 255}, 1e300, {255, 255, 255, 255}}));

TEST(ColourMath, MixLimitsTheBlendToTheTwoEnds)
{
    const CColor a{10, 20, 30, 40};
    const CColor b{210, 220, 230, 240};
    EXPECT_EQ(mixColours(a, b, 2.0), b);
    EXPECT_EQ(mixColours(a, b, -1.0), a);
    EXPECT_EQ(mixColours(a, b, std::numeric_limits<double>::quiet_NaN()), b);
    EXPECT_EQ(mixColours(a, b, 0.0), a);
    EXPECT_EQ(mixColours(a, b, 1.0), b);
}

TEST(ColourMath, MixBlendsEveryChannelWithRounding)
{
    EXPECT_EQ(mixColours({0, 0, 0, 0}, {255, 255, 255, 255}, 0.5), CColor(128, 128, 128, 128));
    EXPECT_EQ(mixColours({255, 0, 100, 255}, {0, 255, 100, 0}, 0.25), CColor(191, 64, 100, 191));
}

} // namespace
} // namespace korvel::gui
