#include "synth/dsp/Shaping.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace korvel::veldro {
namespace {

TEST(Smoothstep, EasesBetweenTheEndsInTheirUnits)
{
    EXPECT_DOUBLE_EQ(smoothstep(0.95, 0.8, 1.0), 0.96875);
    EXPECT_DOUBLE_EQ(smoothstep(0.9, 0.8, 1.0), 0.9);
    EXPECT_DOUBLE_EQ(smoothstep(5.0, 4.0, 8.0), 4.0 + 4.0 * 0.0625 * 2.5);
    EXPECT_EQ(smoothstep(1.5, 0.8, 1.0), 1.0);
    EXPECT_EQ(smoothstep(0.1, 0.8, 1.0), 0.8);
}

TEST(Smoothstep, RefusesAnEmptyOrReversedRange)
{
    try {
        smoothstep(0.5, 1.0, 1.0);
        FAIL() << "no check";
    } catch (const InvariantError& error) {
        EXPECT_NE(std::string(error.what()).find("check failed: low < high"), std::string::npos);
    }
    EXPECT_THROW(smoothstep(0.5, 1.0, 0.0), InvariantError);
}

TEST(SoftEdge, KnownPoints)
{
    const struct {
        double x, expected;
    } cases[] = {{0.95, 0.96875}, {1.5, 1.0}, {0.9, 0.9}, {-0.95, -0.96875}, {-7.0, -1.0}, {0.3, 0.3}, {0.0, 0.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(softEdge(c.x), c.expected) << c.x;
}

TEST(SoftEdge, IsOddMonotonicAndBoundedByOne)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> values(-3.0, 3.0);
    for (int i = 0; i < 10000; ++i) {
        const double x = values(random);
        const double y = x + 1e-3;
        EXPECT_LE(std::fabs(softEdge(x)), 1.0);
        EXPECT_LE(softEdge(x), softEdge(y)) << x;
        EXPECT_DOUBLE_EQ(softEdge(-x), -softEdge(x));
    }
}

TEST(WrapRange, FoldsIntoTheRange)
{
    const struct {
        double x, lo, hi, expected;
    } cases[] = {
        {5.0, 0.0, 10.0, 5.0},     // inside
        {10.0, 0.0, 10.0, 10.0},   // the upper end belongs to the range
        {-3.0, 0.0, 10.0, 7.0},    // negative counts back from hi
        {-13.0, 0.0, 10.0, 7.0},   // still negative: folded
        {23.0, 0.0, 10.0, 3.0},    // above
        {25.0, 20.0, 30.0, 25.0},
        {35.0, 20.0, 30.0, 25.0},
        {12.0, 20.0, 30.0, 22.0},  // below lo
        {-5.0, 20.0, 30.0, 25.0},  // negative: 25 after adding hi
        {1.25, 0.0, 1.0, 0.25},    // a pan position past the right wraps to the left
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(wrapRange(c.x, c.lo, c.hi), c.expected) << c.x << " in " << c.lo << ".." << c.hi;
}

TEST(WrapRange, EmptyOrReversedRangeGivesItsLowEnd)
{
    EXPECT_EQ(wrapRange(17.0, 0.0, 0.0), 0.0);
    EXPECT_EQ(wrapRange(-4.0, 300.0, 300.0), 300.0);
    EXPECT_EQ(wrapRange(42.0, 500.0, 100.0), 500.0);
}

TEST(WrapRange, StaysInsideForAnyFiniteInput)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> values(-1e6, 1e6);
    for (int i = 0; i < 10000; ++i) {
        const double x = values(random);
        const double y = wrapRange(x, 100.0, 900.0);
        EXPECT_GE(y, 100.0) << x;
        EXPECT_LE(y, 900.0) << x;
    }
}

TEST(WrapPosition, BringsARunawayReadPositionBackIntoTheSound)
{
    const struct {
        double position, expected;
    } cases[] = {
        {-3.0, 97.0},   // counts back from the end
        {-250.0, 50.0}, // still negative: folded
        {100.0, 100.0}, // the end itself stays
        {130.5, 30.5},
        {1e300, std::fmod(1e300, 100.0)},
        {std::numeric_limits<double>::quiet_NaN(), 0.0},
        {std::numeric_limits<double>::infinity(), 0.0},
        {-std::numeric_limits<double>::infinity(), 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wrapPosition(c.position, 100.0), c.expected) << c.position;
}

} // namespace
} // namespace korvel::veldro
