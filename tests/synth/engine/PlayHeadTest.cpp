#include "EngineRig.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvel::test {
namespace {

// The play head after each of the first blocks, for a selection and play rate
// on a 1000-frame sound at the engine's rate.
std::vector<double> playHead(double start, double end, double rate, int blocks)
{
    EngineRig rig;
    rig.set(2, rate);
    rig.start(rig.sounds.constant(1000, 0.5f));
    rig.set(0, start);
    rig.set(1, end);
    std::vector<double> positions;
    for (int i = 0; i < blocks; ++i) {
        rig.render(8);
        positions.push_back(rig.synth.getPlayPosition());
    }
    return positions;
}

TEST(PlayHead, WrapsForwardIntoTheSelection)
{
    const std::vector<double> p = playHead(100, 500, 1.0, 14);
    EXPECT_EQ(p[0], 408.0); // 8 lies below the selection: fmod(8 - 100, 400) + 500
    EXPECT_EQ(p[11], 496.0);
    EXPECT_EQ(p[12], 104.0); // 504 wraps to the start
}

TEST(PlayHead, WrapsBackwardIntoTheSelection)
{
    const std::vector<double> p = playHead(100, 500, -1.0, 52);
    EXPECT_EQ(p[0], 492.0); // -8 counts back from the end
    EXPECT_EQ(p[49], 100.0);
    EXPECT_EQ(p[50], 492.0); // 92 folds back to the end
}

TEST(PlayHead, AnEmptySelectionHoldsTheHeadThere)
{
    for (double rate : {1.0, -1.0})
        for (double position : playHead(300, 300, rate, 4))
            EXPECT_EQ(position, 300.0) << rate;
}

TEST(PlayHead, ExactlyAtTheEndStays)
{
    const std::vector<double> p = playHead(96, 504, 1.0, 14);
    EXPECT_EQ(p[0], 416.0);
    EXPECT_EQ(p[11], 504.0);
    EXPECT_EQ(p[12], 104.0);
}

TEST(PlayHead, StaysBetweenTheEndsOfAReversedSelection)
{
    for (double rate : {1.0, -1.0, 3.7, -25.0}) {
        for (double p : playHead(500, 100, rate, 200)) {
            ASSERT_GE(p, 100.0) << rate;
            ASSERT_LE(p, 500.0) << rate;
        }
    }
}

TEST(PlayHead, AnEndAtZeroOrBelowIsTheEndOfTheSound)
{
    const std::vector<double> toTheEnd = playHead(500, 1000, 1.0, 200);
    for (double end : {0.0, -1.0, -5000.0})
        EXPECT_EQ(playHead(500, end, 1.0, 200), toTheEnd) << end;
    EXPECT_EQ(toTheEnd[0], 508.0);
}

TEST(PlayHead, SelectionBeyondTheSoundIsClamped)
{
    for (double p : playHead(-300, 5000, 7.0, 200)) {
        ASSERT_GE(p, 0.0);
        ASSERT_LE(p, 1000.0);
    }
}

TEST(PlayHead, TakesThePlayRateOfTheSound)
{
    EngineRig rig;
    rig.start(rig.sounds.make(1, 100000, [](int, int) { return 0.5f; }, 22050));
    rig.render(8 * 10);
    EXPECT_EQ(rig.synth.getPlayPosition(), 40.0);
}

} // namespace
} // namespace korvel::test
