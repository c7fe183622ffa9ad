#include "synth/dsp/Filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace korvel::veldro {
namespace {

constexpr double RATE = 44100.0;

Filter makeFilter(double freq1, double width1, double freq2, double width2, double lo, double mid, double hi)
{
    Filter filter;
    filter.section1.setFreqQ(freq1 / RATE, width1);
    filter.section2.setFreqQ(freq2 / RATE, width2);
    filter.setMix(lo, mid, hi, RATE);
    return filter;
}

TEST(Filter, SectionSettingsAndClear)
{
    Filter::Section section;
    section.band = 0.3;
    section.lowOut = 0.2;
    section.setFreqQ(1200.0 / RATE, 0.5);
    EXPECT_DOUBLE_EQ(section.f, 2.0 * std::sin(std::numbers::pi * 1200.0 / RATE));
    EXPECT_EQ(section.q, 0.5);
    EXPECT_EQ(section.band, 0.0);
    EXPECT_EQ(section.lowOut, 0.0);
    section.setFreqQ(0.01, 3.0);
    EXPECT_EQ(section.q, 0.9);
    section.setFreqQ(0.01, 0.0);
    EXPECT_EQ(section.q, 0.01);
}

TEST(Filter, DryWeight)
{
    const struct {
        double lo, mid, hi, dry;
        bool bypassed;
    } cases[] = {
        {0.0, 0.0, 0.0, 1.0, true},
        {0.01, 0.0, 0.0, 0.992, true},
        {0.5, 0.25, 0.0, 0.4, false},
        {0.5, 0.5, 0.25, 0.0, false},
        {1.0, 1.0, 1.0, 0.0, false},
    };
    for (const auto& c : cases) {
        Filter filter;
        filter.setMix(c.lo, c.mid, c.hi, RATE);
        EXPECT_DOUBLE_EQ(filter.dry, c.dry);
        EXPECT_EQ(filter.isBypassed(), c.bypassed);
    }
}

// At DC the low outputs settle at q x and the rest at 0, so the level
// compensation gives the low mix (2 - 1/3) x plus the dry 0.2 x.
TEST(Filter, LowMixPassesDcAtTheCompensatedLevel)
{
    Filter filter = makeFilter(300.0, 0.5, 800.0, 0.5, 1.0, 0.0, 0.0);
    double y = 0.0;
    for (int i = 0; i < 4 * 44100; ++i)
        y = filter.process(0.5);
    EXPECT_NEAR(y, 0.5 * (28.0 / 15.0), 1e-4);
}

TEST(Filter, HighMixBlocksDcButPassesTheTop)
{
    Filter filter = makeFilter(300.0, 0.5, 800.0, 0.5, 0.0, 0.0, 1.0);
    double y = 0.0;
    for (int i = 0; i < 4 * 44100; ++i)
        y = filter.process(0.5);
    EXPECT_NEAR(y, 0.2 * 0.5, 1e-3);

    filter = makeFilter(300.0, 0.5, 800.0, 0.5, 0.0, 0.0, 1.0);
    double peak = 0.0;
    for (int i = 0; i < 44100; ++i)
        peak = std::max(peak, std::fabs(filter.process(i % 2 ? 0.5 : -0.5)));
    EXPECT_GT(peak, 0.5);
}

// f² + 2fq < 4 bounds the section's recursion; beyond it a tone would grow
// without limit (e.g. 10 kHz with the widest band at 44.1 kHz).
TEST(Filter, EverySettingStaysStable)
{
    for (double freq : {50.0, 1200.0, 8000.0, 10000.0, 12000.0, 16000.0, 22050.0, 30000.0, -500.0}) {
        for (double width : {0.0, 0.3, 0.9, 1.0, 1.9}) {
            Filter filter = makeFilter(freq, width, freq, width, 0.3, 0.3, 0.3);
            double peak = 0.0;
            for (int i = 0; i < 44100; ++i) {
                const double y = filter.process(i < 64 ? 1.0 : 0.0);
                ASSERT_TRUE(std::isfinite(y)) << freq << " Hz, width " << width << ", sample " << i;
                peak = std::max(peak, std::fabs(y));
            }
            EXPECT_LT(peak, 1e4) << freq << " Hz, width " << width;
            EXPECT_LT(filter.section1.f * filter.section1.f + 2.0 * filter.section1.f * filter.section1.q, 4.0);
            EXPECT_GE(filter.section1.f, 0.0);
        }
    }
}

TEST(Filter, StableSettingsKeepTheirCoefficient)
{
    Filter::Section section;
    section.setFreqQ(8000.0 / RATE, 0.9);
    EXPECT_DOUBLE_EQ(section.f, 2.0 * std::sin(std::numbers::pi * 8000.0 / RATE));
    section.setFreqQ(10000.0 / RATE, 0.9);
    EXPECT_LT(section.f, 2.0 * std::sin(std::numbers::pi * 10000.0 / RATE));
}

TEST(Filter, StereoBlocksGiveTheSameSamplesAsOneChannelAtATime)
{
    std::mt19937 random(8);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 50; ++trial) {
        Filter left = makeFilter(50.0 + 9000.0 * unit(random), unit(random), 50.0 + 9000.0 * unit(random),
                                 unit(random), unit(random), unit(random), unit(random));
        Filter right = makeFilter(50.0 + 9000.0 * unit(random), unit(random), 50.0 + 9000.0 * unit(random),
                                  unit(random), unit(random), unit(random), unit(random));
        Filter leftAlone = left, rightAlone = right;
        for (int block = 0; block < 20; ++block) {
            double l[8], r[8];
            for (int i = 0; i < 8; ++i) {
                l[i] = block == 3 ? 0.0 : 2.0 * unit(random) - 1.0; // a silent block reaches the pout = 0 case
                r[i] = 2.0 * unit(random) - 1.0;
            }
            double expectedL[8], expectedR[8];
            for (int i = 0; i < 8; ++i) {
                expectedL[i] = leftAlone.process(l[i]);
                expectedR[i] = rightAlone.process(r[i]);
            }
            Filter::processStereo(left, right, l, r, 8);
            for (int i = 0; i < 8; ++i) {
                ASSERT_EQ(l[i], expectedL[i]) << trial << " " << block << " " << i;
                ASSERT_EQ(r[i], expectedR[i]) << trial << " " << block << " " << i;
            }
        }
        EXPECT_EQ(left.section2.low, leftAlone.section2.low);
        EXPECT_EQ(right.outputFollower.state, rightAlone.outputFollower.state);
    }
}

} // namespace
} // namespace korvel::veldro
