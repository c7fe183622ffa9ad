#include "synth/Ramp.h"

#include <gtest/gtest.h>

namespace korvel::veldro {
namespace {

Ramp at(double value)
{
    Ramp ramp;
    ramp.jumpTo(value);
    return ramp;
}

struct JumpCase {
    const char* name;
    double from, to, time;
    bool jumps;
};

class RampJumpTest : public ::testing::TestWithParam<JumpCase> {};

TEST_P(RampJumpTest, JumpsOnlyForTinyChangesOrShortTimes)
{
    const JumpCase& c = GetParam();
    Ramp ramp = at(c.from);
    ramp.setTarget(c.to, c.time);
    EXPECT_EQ(ramp.target, c.to);
    if (c.jumps) {
        EXPECT_EQ(ramp.current, c.to);
        EXPECT_EQ(ramp.rate, 0.0);
    } else {
        EXPECT_EQ(ramp.current, c.from);
        EXPECT_DOUBLE_EQ(ramp.rate, (c.to - c.from) / c.time);
    }
}

INSTANTIATE_TEST_SUITE_P(Thresholds, RampJumpTest,
                         ::testing::Values(JumpCase{"tiny_change_long_time", 1.0, 1.0 + 0.9e-5, 1.0, true},
                                           JumpCase{"change_at_threshold_glides", 0.0, 1e-5 * 1.01, 1.0, false},
                                           JumpCase{"time_below_limit", 0.0, 1.0, 0.004, true},
                                           JumpCase{"time_at_limit_glides", 0.0, 1.0, 0.005, false},
                                           JumpCase{"negative_time", 0.0, 1.0, -1.0, true},
                                           JumpCase{"downward_glide", 2.0, -1.0, 0.5, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RampTest, AdvanceLandsExactlyOnTargetWithinTolerance)
{
    Ramp ramp = at(0.0);
    ramp.setTarget(1.0, 1.0);
    ramp.advance(0.5);
    EXPECT_DOUBLE_EQ(ramp.current, 0.5);
    ramp.advance(0.5 - 0.5e-5); // within 1e-5 of the target: snaps
    EXPECT_EQ(ramp.current, 1.0);
    EXPECT_EQ(ramp.rate, 0.0);

    ramp.setTarget(-1.0, 2.0);
    ramp.advance(10.0); // overshoot never passes the target
    EXPECT_EQ(ramp.current, -1.0);
    EXPECT_EQ(ramp.rate, 0.0);
}

TEST(RampTest, AdvanceByNothingOrAtRestChangesNothing)
{
    Ramp ramp = at(0.0);
    ramp.setTarget(1.0, 1.0);
    ramp.advance(0.0);
    EXPECT_EQ(ramp.current, 0.0);
    Ramp rest = at(3.0);
    rest.advance(1.0);
    EXPECT_EQ(rest.current, 3.0);
}

TEST(RampTest, ValueAtStopsAtTarget)
{
    Ramp up = at(0.0);
    up.setTarget(1.0, 1.0);
    EXPECT_DOUBLE_EQ(up.valueAt(0.25), 0.25);
    EXPECT_EQ(up.valueAt(3.0), 1.0);
    Ramp down = at(1.0);
    down.setTarget(0.0, 1.0);
    EXPECT_DOUBLE_EQ(down.valueAt(0.25), 0.75);
    EXPECT_EQ(down.valueAt(3.0), 0.0);
    EXPECT_EQ(at(0.5).valueAt(100.0), 0.5);
}

TEST(RampTest, GlideToAsksTheSourceOnEveryCall)
{
    int asked = 0;
    GlideTimeSource source = [&] {
        ++asked;
        return 2.0;
    };
    Ramp ramp = at(0.0);
    ramp.glideTo(0.0, source); // no change, still asked
    ramp.glideTo(1.0, source);
    EXPECT_EQ(asked, 2);
    EXPECT_DOUBLE_EQ(ramp.rate, 0.5);
    EXPECT_THROW(ramp.glideTo(0.0, GlideTimeSource{}), std::bad_function_call);
}

} // namespace
} // namespace korvel::veldro
