#include "synth/dsp/Crusher.h"
#include "synth/dsp/Shaping.h"

#include <gtest/gtest.h>

#include <random>

namespace korvel::veldro {
namespace {

TEST(Crusher, FourteenBitsLeaveItOff)
{
    Crusher crusher;
    crusher.setup(14.0, 0.5);
    EXPECT_FALSE(crusher.isOn());
    EXPECT_EQ(crusher.tick(0.123456), 0.123456);
}

TEST(Crusher, ZeroBitsGiveOneLevelPushedOffZero)
{
    Crusher crusher;
    crusher.setup(0.0, 1.0); // tone 1: no smoothing
    EXPECT_EQ(crusher.levels, 1.0);
    EXPECT_DOUBLE_EQ(crusher.push, 0.444);
    EXPECT_EQ(crusher.smooth, 0.0);
    const struct {
        double x, expected;
    } cases[] = {{0.3, 1.0}, {0.05, 0.0}, {-0.1, -1.0}, {-0.05, 0.0}, {0.9, 1.0}, {-2.0, -2.0}};
    for (const auto& c : cases)
        EXPECT_EQ(crusher.tick(c.x), c.expected) << c.x;
}

TEST(Crusher, SetupTable)
{
    const struct {
        double bits, tone, levels, smooth;
    } cases[] = {
        {4.0, 0.0, 16.0, 1.0 / 8.0},   // (10 - 2.4) rounds to 8 steps
        {4.0, 0.5, 16.0, 1.0 / 4.0},   // 3.8 -> 4
        {8.0, 0.0, 256.0, 1.0 / 5.0},  // 5.2 -> 5
        {13.0, 0.0, 8192.0, 1.0 / 2.0}, // 2.2 -> 2
        {-3.0, 0.0, 1.0, 1.0 / 10.0},  // no levels below one; 11.8 -> 10
    };
    for (const auto& c : cases) {
        Crusher crusher;
        crusher.setup(c.bits, c.tone);
        EXPECT_EQ(crusher.levels, c.levels) << c.bits;
        EXPECT_DOUBLE_EQ(crusher.inv, 1.0 / c.levels) << c.bits;
        EXPECT_DOUBLE_EQ(crusher.smooth, c.smooth) << c.bits << " " << c.tone;
    }
}

TEST(Crusher, ALevelStepIsSmoothedOverOneOverSmoothSamples)
{
    Crusher crusher;
    crusher.setup(4.0, 0.0); // 16 levels, 8 steps
    double previous = 0.0;
    for (int k = 1; k <= 8; ++k) {
        const double out = crusher.tick(1.0);
        EXPECT_DOUBLE_EQ(out, smoothstep(2.0 * k, 0.0, 16.0) / 16.0) << k;
        EXPECT_GT(out, previous);
        previous = out;
    }
    EXPECT_EQ(crusher.lastLevel, 16.0);
    EXPECT_EQ(crusher.tick(1.0), 1.0);
    // And back down, along the same curve.
    EXPECT_LT(crusher.tick(0.0), 1.0);
}

TEST(Crusher, StereoBlocksGiveTheSameSamplesAsOneChannelAtATime)
{
    std::mt19937 random(21);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (double bits : {0.0, 1.5, 4.0, 8.0, 13.0}) {
        for (double tone : {0.0, 0.3, 1.0}) {
            Crusher left, right;
            left.setup(bits, tone);
            right.setup(bits, tone);
            Crusher leftAlone = left, rightAlone = right;
            for (int block = 0; block < 200; ++block) {
                double l[8], r[8], expectedL[8], expectedR[8];
                for (int i = 0; i < 8; ++i) {
                    const double scale = block % 5 == 0 ? 1e7 : block % 7 == 0 ? 0.001 : 1.0;
                    l[i] = scale * (2.0 * unit(random) - 1.0);
                    r[i] = i == 3 ? -0.0 : 2.0 * unit(random) - 1.0;
                    expectedL[i] = leftAlone.tick(l[i]);
                    expectedR[i] = rightAlone.tick(r[i]);
                }
                Crusher::tickStereo(left, right, l, r, 8);
                for (int i = 0; i < 8; ++i) {
                    ASSERT_EQ(l[i], expectedL[i]) << bits << " " << tone << " " << block << " " << i;
                    ASSERT_EQ(r[i], expectedR[i]) << bits << " " << tone << " " << block << " " << i;
                }
            }
            EXPECT_EQ(left.run, leftAlone.run);
            EXPECT_EQ(right.lastLevel, rightAlone.lastLevel);
        }
    }
}

} // namespace
} // namespace korvel::veldro
