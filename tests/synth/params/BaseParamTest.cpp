#include "synth/params/FakeEngine.h"

#include "utility/Check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace korvel::veldro {
namespace {

constexpr int GRAIN_RATE = 4; // two controls, generated ids 83..92
constexpr int GRAIN_AMP = 11; // one control
constexpr std::uint32_t RANDOM = 1, LFO = 3, MIDI = 4, ADSR_MIX = 5;

class BaseParamTest : public ::testing::Test {
protected:
    BaseParam& param(int id) { return rig.params.getBaseParam(id); }
    ParamControl& slot(int push, int control = 0) { return param(GRAIN_RATE).controls[control][push]; }

    // A live controller with settled amount and settings.
    void install(std::uint32_t type, double amount, int control = 0)
    {
        param(GRAIN_RATE).applyControlPatch(control, {type, amount, {0.1, 0.2, 0.3}}, 0.0);
    }

    test::ParamsRig rig;
};

TEST_F(BaseParamTest, SlotsKnowTheirParameterAndHostIds)
{
    const BaseParam& rate = param(GRAIN_RATE);
    EXPECT_EQ(rate.id, GRAIN_RATE);
    EXPECT_EQ(rate.nof_controls, 2);
    EXPECT_EQ(rate.value.current, 20.0);
    for (int push = 0; push < BaseParam::SLOTS; ++push) {
        EXPECT_EQ(rate.controls[1][push].control_id, 88u);
        EXPECT_EQ(rate.controls[1][push].control_index, 1);
        EXPECT_EQ(rate.controls[1][push].base_param, &rate);
    }
    EXPECT_EQ(param(GRAIN_AMP).controls[1][0].control_index, -1);
    EXPECT_EQ(param(GRAIN_AMP).findControl(1), nullptr);
}

// The failure text of a check that fails, or "" when nothing fails.
template <typename Call>
std::string checkFailure(Call call)
{
    try {
        call();
    } catch (const InvariantError& e) {
        return e.what();
    }
    return "";
}

TEST_F(BaseParamTest, BadControlIndexFailsItsCheck)
{
    const std::string slotCheck = "index < nof_controls && push <= ParamControl::MAX_PUSHED";
    const std::string typeCheck = "pc.base_param == this && pc.control_index == index";
    EXPECT_THAT(checkFailure([&] { param(GRAIN_AMP).pushedControl(1, 0); }), testing::HasSubstr(slotCheck));
    EXPECT_THAT(checkFailure([&] { param(GRAIN_RATE).pushedControl(0, 3); }), testing::HasSubstr(slotCheck));
    EXPECT_THAT(checkFailure([&] { param(GRAIN_AMP).changeControlType(1, LFO, 0.0); }), testing::HasSubstr(typeCheck));
}

TEST_F(BaseParamTest, FirstTypeStartsFreshSameTypeChangesNothing)
{
    EXPECT_EQ(param(GRAIN_RATE).changeControlType(0, LFO, 1.0), 2);
    EXPECT_EQ(slot(0).type, LFO);
    EXPECT_EQ(param(GRAIN_RATE).changeControlType(0, LFO, 1.0), 0);
    EXPECT_EQ(slot(1).type, 0u);
}

TEST_F(BaseParamTest, NewTypePushesTheLiveControllerWhichFadesOut)
{
    install(RANDOM, 0.8);
    slot(0).phase = 0.4;
    EXPECT_EQ(param(GRAIN_RATE).changeControlType(0, LFO, 2.0), 2);

    EXPECT_EQ(slot(0).type, LFO);
    EXPECT_EQ(slot(0).amount.current, 0.0);
    EXPECT_EQ(slot(0).params[2].target, 0.0);
    EXPECT_EQ(slot(0).phase, 0.0);

    EXPECT_EQ(slot(1).type, RANDOM);
    EXPECT_EQ(slot(1).amount.target, 0.0);
    EXPECT_DOUBLE_EQ(slot(1).amount.rate, -0.4);
    EXPECT_EQ(slot(1).phase, 0.4);
    EXPECT_EQ(slot(1).params[1].current, 0.2);
}

TEST_F(BaseParamTest, ControllerAlreadyFadingKeepsItsFade)
{
    install(RANDOM, 0.5);
    slot(0).amount.setTarget(0.0, 1.0); // fading at -0.5 per second
    param(GRAIN_RATE).changeControlType(0, LFO, 10.0);
    EXPECT_DOUBLE_EQ(slot(1).amount.rate, -0.5);
}

TEST_F(BaseParamTest, ChosenAgainAFadingControllerComesBackAsItWas)
{
    install(RANDOM, 0.8);
    slot(0).phase = 0.25;
    param(GRAIN_RATE).changeControlType(0, LFO, 1.0);
    param(GRAIN_RATE).changeControlType(0, MIDI, 1.0);
    // random is now the oldest (slot 2), lfo slot 1
    EXPECT_EQ(param(GRAIN_RATE).changeControlType(0, RANDOM, 1.0), 1);
    EXPECT_EQ(slot(0).type, RANDOM);
    EXPECT_EQ(slot(0).phase, 0.25);
    EXPECT_EQ(slot(0).params[0].target, 0.1);
    EXPECT_EQ(slot(0).amount.current, 0.8);
    EXPECT_EQ(slot(1).type, MIDI);
    EXPECT_EQ(slot(2).type, LFO);

    EXPECT_EQ(param(GRAIN_RATE).changeControlType(0, MIDI, 1.0), 1); // from slot 1: a plain swap
    EXPECT_EQ(slot(0).type, MIDI);
    EXPECT_EQ(slot(1).type, RANDOM);
    EXPECT_EQ(slot(2).type, LFO);
}

TEST_F(BaseParamTest, FourthTypeInARowDropsTheOldest)
{
    install(RANDOM, 0.8);
    for (std::uint32_t type : {LFO, MIDI, ADSR_MIX})
        param(GRAIN_RATE).changeControlType(0, type, 1.0);
    EXPECT_EQ(slot(0).type, ADSR_MIX);
    EXPECT_EQ(slot(1).type, MIDI);
    EXPECT_EQ(slot(2).type, LFO);
}

TEST_F(BaseParamTest, FadedPushedControllerIsClearedLiveOneIsNot)
{
    install(RANDOM, 0.8);
    param(GRAIN_RATE).changeControlType(0, LFO, 1.0);
    param(GRAIN_RATE).advance(0.5);
    EXPECT_EQ(slot(1).type, RANDOM);
    param(GRAIN_RATE).advance(0.5);
    EXPECT_EQ(slot(1).type, 0u);
    EXPECT_EQ(slot(1).params[0].current, 0.0);
    EXPECT_EQ(slot(1).control_id, 83u);
    EXPECT_EQ(slot(0).type, LFO); // amount 0 but live: kept
}

TEST_F(BaseParamTest, AdvanceMovesValueSettingsAndLfoPhase)
{
    install(LFO, 0.5);
    BaseParam& rate = param(GRAIN_RATE);
    rate.value.setTarget(40.0, 1.0);
    slot(0).params[2].jumpTo(2.0); // 2 Hz
    rate.advance(0.1);
    EXPECT_DOUBLE_EQ(rate.value.current, 22.0);
    EXPECT_DOUBLE_EQ(slot(0).phase, 0.2);
    rate.advance(0.45);
    EXPECT_NEAR(slot(0).phase, 0.1, 1e-12); // wrapped once

    slot(0).params[2].jumpTo(0.0);
    rate.advance(1.0);
    EXPECT_NEAR(slot(0).phase, 0.1, 1e-12);

    slot(0).params[2].jumpTo(250.0); // far beyond one cycle per tick
    rate.advance(0.0123);
    EXPECT_GE(slot(0).phase, 0.0);
    EXPECT_LT(slot(0).phase, 1.0);
}

} // namespace
} // namespace korvel::veldro
