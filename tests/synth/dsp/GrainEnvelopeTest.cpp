#include "synth/dsp/GrainEnvelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace korvel::veldro {
namespace {

std::vector<double> levels(int length, int attackEnd, int decayStart)
{
    GrainEnvelope envelope;
    envelope.start(length, attackEnd, decayStart);
    std::vector<double> e(length);
    for (int i = 0; i < length; i += 8)
        envelope.levels(e.data() + i, std::min(8, envelope.framesLeft()));
    EXPECT_TRUE(envelope.isDone());
    return e;
}

TEST(GrainEnvelope, RaisedCosineAttackHoldAndDecay)
{
    const std::vector<double> e = levels(64, 16, 40);
    const double pi = std::numbers::pi;
    for (int i = 0; i < 15; ++i)
        EXPECT_NEAR(e[i], 0.5 + 0.5 * std::cos(pi - (i + 1) * pi / 16.0), 1e-12) << i;
    EXPECT_EQ(e[15], 1.0); // the phase reaches 0
    for (int i = 16; i < 40; ++i)
        EXPECT_EQ(e[i], 1.0) << i;
    for (int i = 40; i < 63; ++i)
        EXPECT_NEAR(e[i], 0.5 + 0.5 * std::cos((i - 39) * pi / 24.0), 1e-12) << i;
    EXPECT_NEAR(e[63], 0.0, 1e-12); // the phase reaches pi
}

TEST(GrainEnvelope, RisesAndFallsMonotonically)
{
    for (const auto& [length, attackEnd, decayStart] : {std::tuple{32, 16, 16}, {4410, 2205, 2205}, {1000, 16, 984}}) {
        const std::vector<double> e = levels(length, attackEnd, decayStart);
        for (int i = 1; i < attackEnd; ++i)
            ASSERT_GE(e[i], e[i - 1]) << i;
        for (int i = decayStart + 1; i < length; ++i)
            ASSERT_LE(e[i], e[i - 1]) << i;
        EXPECT_GT(e[0], 0.0);
        EXPECT_LT(e[0], 0.05);
    }
}

TEST(EqualPowerPan, KeepsThePower)
{
    for (double q : {0.0, 0.1, 0.5, 0.8, 1.0}) {
        const PanGains gains = equalPowerPan(q, 0.8);
        EXPECT_NEAR(gains.left * gains.left + gains.right * gains.right, 0.64, 1e-12);
    }
    EXPECT_DOUBLE_EQ(equalPowerPan(0.0, 0.8).left, 0.8);
    EXPECT_NEAR(equalPowerPan(1.0, 0.8).left, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(equalPowerPan(0.5, 1.0).left, equalPowerPan(0.5, 1.0).right);
}

} // namespace
} // namespace korvel::veldro
