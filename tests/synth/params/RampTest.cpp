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

TEST(RampTest, JumpsOnlyForTinyChangesOrShortTimes)
{
    struct Case {
        double from, to, time;
        bool jumps;
    };
    for (const Case& c : {Case{1.0, 1.0 + 0.9e-5, 1.0, true}, Case{0.0, 1.01e-5, 1.0, false},
                          Case{0.0, 1.0, 0.004, true}, Case{0.0, 1.0, 0.005, false}, Case{0.0, 1.0, -1.0, true},
                          Case{2.0, -1.0, 0.5, false}}) {
        Ramp ramp = at(c.from);
        ramp.setTarget(c.to, c.time);
        EXPECT_EQ(ramp.target, c.to);
        EXPECT_EQ(ramp.current, c.jumps ? c.to : c.from) << c.from << " -> " << c.to << " over " << c.time;
        EXPECT_DOUBLE_EQ(ramp.rate, c.jumps ? 0.0 : (c.to - c.from) / c.time);
    }
}

TEST(RampTest, AdvanceLandsExactlyOnTarget)
{
    Ramp ramp = at(0.0);
    ramp.setTarget(1.0, 1.0);
    ramp.advance(0.0);
    EXPECT_EQ(ramp.current, 0.0);
    ramp.advance(0.5);
    EXPECT_DOUBLE_EQ(ramp.current, 0.5);
    ramp.advance(0.5 - 0.5e-5); // within 1e-5 of the target: snaps
    EXPECT_EQ(ramp.current, 1.0);
    EXPECT_EQ(ramp.rate, 0.0);

    ramp.setTarget(-1.0, 2.0);
    ramp.advance(10.0);
    EXPECT_EQ(ramp.current, -1.0);
    EXPECT_EQ(ramp.rate, 0.0);
}

TEST(RampTest, ValueAtStopsAtTarget)
{
    Ramp up = at(0.0);
    up.setTarget(1.0, 1.0);
    EXPECT_DOUBLE_EQ(up.valueAt(0.25), 0.25);
    EXPECT_EQ(up.valueAt(3.0), 1.0);
    Ramp down = at(1.0);
    down.setTarget(0.0, 1.0);
    EXPECT_EQ(down.valueAt(3.0), 0.0);
    EXPECT_EQ(at(0.5).valueAt(100.0), 0.5);
}

TEST(RampTest, GlideToAsksTheSourceOnEveryCall)
{
    int asked = 0;
    GlideTimeSource source = [&] { return ++asked, 2.0; };
    Ramp ramp = at(0.0);
    ramp.glideTo(0.0, source); // no change, still asked
    ramp.glideTo(1.0, source);
    EXPECT_EQ(asked, 2);
    EXPECT_DOUBLE_EQ(ramp.rate, 0.5);
    EXPECT_THROW(ramp.glideTo(0.0, GlideTimeSource{}), std::bad_function_call);
}

} // namespace
} // namespace korvel::veldro
