#include "synth/dsp/Distortion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvel::veldro {
namespace {

TEST(Waveshaper, OverdriveAndFold)
{
    const struct {
        double drive, x, expected;
    } cases[] = {
        {2.0, 0.3, 0.6},       // linear below 0.9
        {2.0, 0.47, 0.9568},   // soft knee: smoothstep(0.94, 0.8, 1.0)
        {2.0, -0.47, -0.9568},
        {2.0, -0.6, -1.0},     // beyond 1
        {11.0, 0.5, 1.0},
        {-1.0, 1.0, -1.0},     // fold: sin(-pi/2)
        {-1.0, 1.0 / 3.0, -0.5},
        {-3.0, 1.0, 1.0},      // sin(-3 pi / 2)
    };
    for (const auto& c : cases) {
        Waveshaper shaper{c.drive};
        EXPECT_NEAR(shaper.shape(c.x), c.expected, 1e-12) << c.drive << " " << c.x;
    }
}

TEST(Distortion, ToneSetting)
{
    Distortion distortion;
    distortion.toneStateL = 0.4;
    distortion.setTone(0.2);
    EXPECT_DOUBLE_EQ(distortion.tone, 0.7);
    EXPECT_EQ(distortion.toneStateL, 0.0);
    distortion.setTone(-3.0);
    EXPECT_EQ(distortion.tone, 0.5);
    distortion.setTone(0.5);
    EXPECT_EQ(distortion.tone, 1.0);
    EXPECT_FALSE(distortion.isOn());
}

TEST(Distortion, ToneFilterIsAOnePoleLowPass)
{
    Distortion distortion;
    distortion.setTone(0.0); // tone 0.5
    double l = 1.0, r = -1.0;
    distortion.process(l, r);
    EXPECT_DOUBLE_EQ(l, 0.5);
    EXPECT_DOUBLE_EQ(r, -0.5);
    l = 1.0;
    r = -1.0;
    distortion.process(l, r);
    EXPECT_DOUBLE_EQ(l, 0.75);
    EXPECT_DOUBLE_EQ(r, -0.75);
}

TEST(Distortion, StagesRunShaperCrusherTone)
{
    Distortion distortion;
    distortion.shaper.drive = 2.0;
    distortion.left.setup(0.0, 1.0);
    distortion.right.setup(0.0, 1.0);
    distortion.setTone(0.5);
    double l = 0.3, r = -0.01;
    distortion.process(l, r);
    // 0.3 -> 0.6 -> one level: 1; -0.01 -> -0.02 pushed to -0.464 -> 0.
    EXPECT_EQ(l, 1.0);
    EXPECT_EQ(r, 0.0);
}

TEST(Distortion, EqualChannelsStayEqual)
{
    Distortion distortion;
    distortion.shaper.drive = -7.0;
    distortion.left.setup(3.0, 0.0);
    distortion.right.setup(3.0, 0.0);
    distortion.setTone(0.1);
    for (int i = 0; i < 200; ++i) {
        double l = std::sin(i * 0.05), r = l;
        distortion.process(l, r);
        ASSERT_EQ(l, r) << i;
    }
}

} // namespace
} // namespace korvel::veldro
