#include "synth/dsp/OnePole.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace korvel::veldro {
namespace {

TEST(OnePole, CoefficientsFor10HzAt44100)
{
    OnePole pole;
    pole.state = 3.0;
    pole.setCutoff10Hz(44100.0);
    const double b = 2.0 - std::cos(2.0 * std::numbers::pi * 10.0 / 44100.0);
    EXPECT_DOUBLE_EQ(pole.b, b);
    EXPECT_DOUBLE_EQ(pole.a, b - std::sqrt(b * b - 1.0));
    EXPECT_DOUBLE_EQ(pole.gain, 1.0 - pole.a);
    EXPECT_EQ(pole.state, 0.0);
}

TEST(OnePole, FollowsTheMeanSquare)
{
    OnePole pole;
    pole.setCutoff(48000.0, 10);
    EXPECT_DOUBLE_EQ(pole.process(2.0), pole.gain * 4.0);
    // A square wave of amplitude 0.5 has the mean square 0.25 whatever its sign.
    double p = 0.0;
    for (int i = 0; i < 48000; ++i)
        p = pole.process(i % 2 ? 0.5 : -0.5);
    EXPECT_NEAR(p, 0.25, 1e-9);
    // One time constant of a 10 Hz pole is about 16 ms.
    pole.setCutoff(48000.0, 10);
    for (int i = 0; i < 764; ++i)
        p = pole.process(1.0);
    EXPECT_NEAR(p, 1.0 - std::exp(-1.0), 0.01);
}

TEST(OnePole, FlushBelowEndsOnlyASmallNonZeroTail)
{
    OnePole pole;
    pole.state = 0.00005;
    EXPECT_TRUE(pole.flushBelow(0.0001));
    EXPECT_EQ(pole.state, 0.0);
    EXPECT_FALSE(pole.flushBelow(0.0001));
    pole.state = 0.5;
    EXPECT_FALSE(pole.flushBelow(0.0001));
    EXPECT_EQ(pole.state, 0.5);
}

} // namespace
} // namespace korvel::veldro
