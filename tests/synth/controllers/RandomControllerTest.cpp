#include "synth/controllers/ControllerFixture.h"

#include "synth/controllers/RandomSource.h"

#include <cmath>

namespace korvel::veldro {
namespace {

constexpr std::uint32_t RANDOM = 1;
constexpr int DRAWS = 20000;

class RandomControllerTest : public test::ControllerFixture {
protected:
    struct Stats {
        double mean = 0.0, meanAbs = 0.0, deviation = 0.0, lowest = 1e9, highest = -1e9;
    };

    // The engine's evaluation, which keeps the slot's state in its phase.
    double evaluate(ParamControl& slot)
    {
        double state = slot.phase;
        const double out = rig.params.evaluateControl(slot, state);
        slot.phase = state;
        return out;
    }

    // Outputs of a memoryless controller (walk 0) at the given spread.
    Stats draw(double spread)
    {
        ParamControl& slot = install(RANDOM, 1.0, 0.0, spread);
        Stats s;
        double squares = 0.0;
        for (int i = 0; i < DRAWS; ++i) {
            const double v = evaluate(slot);
            s.mean += v / DRAWS;
            s.meanAbs += std::abs(v) / DRAWS;
            squares += v * v / DRAWS;
            s.lowest = std::min(s.lowest, v);
            s.highest = std::max(s.highest, v);
        }
        s.deviation = std::sqrt(squares - s.mean * s.mean);
        return s;
    }
};

TEST_F(RandomControllerTest, MiddleSpreadGivesThePlainUniformDraws)
{
    rig.params.seedRandom(77);
    RandomSource reference(77);
    ParamControl& slot = install(RANDOM, 1.0, 0.0, 0.5);
    for (int i = 0; i < 100; ++i)
        EXPECT_DOUBLE_EQ(evaluate(slot), reference.uniform());
}

TEST_F(RandomControllerTest, SpreadShapesTheDistribution)
{
    const Stats uniform = draw(0.5);
    EXPECT_NEAR(uniform.mean, 0.0, 0.02);
    EXPECT_NEAR(uniform.meanAbs, 0.5, 0.01);
    EXPECT_GE(uniform.lowest, -1.0);
    EXPECT_LT(uniform.highest, 1.0);

    const Stats normal = draw(1.0); // the normal draws, deviation 0.37
    EXPECT_NEAR(normal.mean, 0.0, 0.02);
    EXPECT_NEAR(normal.deviation, 0.37, 0.01);

    const Stats extremes = draw(0.0); // mirrored toward -1 and +1
    EXPECT_NEAR(extremes.mean, 0.0, 0.02);
    EXPECT_NEAR(extremes.meanAbs, 1.0 - 0.37 * std::sqrt(2.0 / M_PI), 0.01);
}

TEST_F(RandomControllerTest, WalkRemembersItsLastOutput)
{
    ParamControl& slot = install(RANDOM, 1.0, 1.0, 0.5);
    for (int i = 0; i < 1000; ++i) {
        const double before = slot.phase;
        const double out = evaluate(slot);
        EXPECT_EQ(slot.phase, out);
        EXPECT_LE(std::abs(out - std::clamp(before, -1.0, 1.0)), 0.03 + 1e-12);
    }
}

TEST_F(RandomControllerTest, DrawingForTheEditorLeavesTheSlotAndTheEnginesDrawsAlone)
{
    rig.params.seedRandom(5);
    RandomSource reference(5);
    ParamControl& slot = install(RANDOM, 1.0, 0.5, 0.5);
    slot.phase = 0.25;
    for (int i = 0; i < 10; ++i)
        rig.params.getControlValue(slot);
    EXPECT_EQ(slot.phase, 0.25);
    const double out = evaluate(slot);
    EXPECT_DOUBLE_EQ(out, (1.0 - 0.97 * 0.5) * reference.uniform() + 0.5 * 0.25);
}

} // namespace
} // namespace korvel::veldro
