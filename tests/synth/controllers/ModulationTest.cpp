#include "synth/controllers/ControllerFixture.h"

namespace korvel::veldro {
namespace {

constexpr std::uint32_t RANDOM = 1, LFO = 3, INNER = 6;
constexpr int PAN = 12; // the inner controllers' source, set to 0.5

class ModulationTest : public test::ControllerFixture {
protected:
    ModulationTest() { rig.params.setParamImmediate(PAN, 0.5); }

    // A slot that outputs 0.5 times its amount.
    void place(int control, int push, double amount)
    {
        ParamControl& slot = rig.params.getBaseParam(4).controls[control][push];
        slot.type = INNER;
        slot.amount.jumpTo(amount);
        slot.params[0].jumpTo(PAN);
    }
};

TEST_F(ModulationTest, NoActiveControllerGivesTheValueAlone)
{
    rig.params.setParam(4, 30.0, 1.0);
    rig.params.advance(0.5);
    EXPECT_EQ(rig.params.getModulation(4, -1), (std::pair<double, double>{25.0, 0.0}));
    place(0, 0, 0.01); // too quiet to count
    EXPECT_EQ(rig.params.getModulation(4, -1).second, 0.0);
    EXPECT_EQ(rig.params.getModulation(70, -1), (std::pair<double, double>{0.0, 0.0}));
}

TEST_F(ModulationTest, SumsAllSlotsOrOneControl)
{
    place(0, 0, 0.4);
    place(0, 1, 0.2);
    place(1, 2, -1.0);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, -1).second, 0.5 * (0.4 + 0.2 - 1.0));
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, 0).second, 0.5 * 0.6);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, 1).second, -0.5);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, 2).second, 0.0);
}

TEST_F(ModulationTest, LoudFadingControllersAreScaledDownTogether)
{
    place(0, 0, 1.0); // live ones never count toward the excess
    place(0, 1, 0.9);
    place(0, 2, 0.9);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, -1).second, 0.5 * 2.8); // excess 0.8
    place(1, 1, 1.0);
    place(1, 2, 1.0);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, -1).second, 0.5 * 4.8 / 1.8);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, 1).second, 0.5 * 2.0); // excess exactly 1
}

TEST_F(ModulationTest, EvaluationAdvancesTheSlotsOwnState)
{
    ParamControl& slot = install(RANDOM, 1.0, 1.0, 0.5);
    rig.params.getModulation(4, 0);
    const double first = slot.phase;
    EXPECT_NE(first, 0.0);
    rig.params.getModulation(4, 0);
    EXPECT_NE(slot.phase, first);

    ParamControl& lfo = install(LFO, 1.0, 0.0, 0.0, 1.0);
    lfo.phase = 0.25;
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, 0).second, 0.0);
    rig.params.advance(0.25);
    EXPECT_DOUBLE_EQ(rig.params.getModulation(4, 0).second, 1.0);
}

} // namespace
} // namespace korvel::veldro
