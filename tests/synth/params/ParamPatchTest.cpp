#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvel::veldro {
namespace {

constexpr int GRAIN_RATE = 4;
constexpr std::uint32_t RANDOM = 1, LFO = 3, MIDI = 4;

class ParamPatchTest : public ::testing::Test {
protected:
    BaseParam& rate() { return rig.params.getBaseParam(GRAIN_RATE); }
    ParamControl& slot(int control, int push) { return rate().controls[control][push]; }

    test::ParamsRig rig;
};

ParamPatch samplePatch()
{
    ParamPatch patch;
    patch.value = 300.0;
    patch.controls[0] = {LFO, 0.7, {0.1, 0.2, 3.0}};
    patch.controls[1] = {MIDI, -0.4, {1.0, 1.0, 0.0}};
    return patch;
}

TEST_F(ParamPatchTest, StoredPatchAppliesBackIdentically)
{
    rate().applyPatch(samplePatch(), 5.0);
    EXPECT_EQ(rate().makePatch(false), samplePatch());
    EXPECT_EQ(rate().makePatch(true), samplePatch());
}

TEST_F(ParamPatchTest, StoppedEngineSetsEverythingAtOnce)
{
    rig.engine.running = false;
    rate().applyPatch(samplePatch(), 5.0);
    for (const Ramp* ramp : {&rate().value, &slot(0, 0).amount, &slot(0, 0).params[2], &slot(1, 0).amount})
        EXPECT_EQ(ramp->rate, 0.0);
    EXPECT_EQ(rate().value.current, 300.0);
}

TEST_F(ParamPatchTest, RunningEngineGlidesValueAndAmountSettingsOfFreshControllerJump)
{
    rig.engine.running = true;
    rate().applyPatch(samplePatch(), 2.0);
    EXPECT_EQ(rate().value.current, 20.0);
    EXPECT_DOUBLE_EQ(rate().value.rate, 140.0);
    EXPECT_DOUBLE_EQ(slot(0, 0).amount.rate, 0.35);
    EXPECT_EQ(slot(0, 0).params[2].current, 3.0);
    // current values and targets are stored apart
    EXPECT_EQ(rate().makePatch(true).value, 20.0);
    EXPECT_EQ(rate().makePatch(false).value, 300.0);
}

TEST_F(ParamPatchTest, ReturningControllerGlidesItsSettings)
{
    rig.engine.running = true;
    rate().applyControlPatch(0, {LFO, 0.5, {0.0, 0.0, 1.0}}, 0.0);
    rate().changeControlType(0, RANDOM, 1.0);
    rate().applyControlPatch(0, {LFO, 0.5, {0.5, 0.0, 1.0}}, 1.0); // lfo comes back from slot 1
    EXPECT_EQ(slot(0, 0).type, LFO);
    EXPECT_DOUBLE_EQ(slot(0, 0).params[0].rate, 0.5);
}

TEST_F(ParamPatchTest, BadRecordsAreIgnored)
{
    const ParamPatch before = rate().makePatch(false);
    rate().applyControlPatch(0, {9, 0.5, {}}, 0.0);
    rate().applyControlPatch(2, {LFO, 0.5, {}}, 0.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    rate().applyControlPatch(0, {LFO, nan, {}}, 0.0);
    ParamPatch bad = samplePatch();
    bad.value = std::numeric_limits<double>::infinity();
    bad.controls[0].params[1] = nan;
    bad.controls[1].type = 12;
    rate().applyPatch(bad, 0.0);
    const ParamPatch after = rate().makePatch(false);
    EXPECT_EQ(after.value, before.value);
    EXPECT_EQ(after.controls[0], before.controls[0]);
    EXPECT_EQ(after.controls[1], before.controls[1]);
}

TEST_F(ParamPatchTest, QuietControllersAreNotStored)
{
    rate().applyControlPatch(0, {LFO, 0.005, {0.1, 0.2, 0.3}}, 0.0);
    EXPECT_EQ(rate().makePatch(true).controls[0].type, 0u);
    rate().applyControlPatch(0, {LFO, -0.02, {0.1, 0.2, 0.3}}, 0.0);
    EXPECT_EQ(rate().makePatch(true).controls[0].type, LFO);
}

TEST_F(ParamPatchTest, FadingControllerIsStoredWhenItsControlIsFree)
{
    rate().applyControlPatch(0, {LFO, 0.6, {0.1, 0.2, 0.3}}, 0.0);
    rate().changeControlType(0, RANDOM, 10.0); // lfo fades in slot 1, random has amount 0
    ParamPatch stored = rate().makePatch(true);
    EXPECT_EQ(stored.controls[0].type, LFO);
    EXPECT_EQ(stored.controls[0].amount, 0.6);

    // with the live one active, the fading one moves to the free control
    slot(0, 0).amount.jumpTo(0.3);
    stored = rate().makePatch(true);
    EXPECT_EQ(stored.controls[0].type, RANDOM);
    EXPECT_EQ(stored.controls[1].type, LFO);
    EXPECT_EQ(stored.controls[1].amount, 0.6); // current amount while fading
    EXPECT_EQ(rate().makePatch(false).controls[1].amount, 0.0);

    // ... unless that control has a live controller of its own
    rate().applyControlPatch(1, {MIDI, 0.9, {}}, 0.0);
    EXPECT_EQ(rate().makePatch(true).controls[1].type, MIDI);
}

} // namespace
} // namespace korvel::veldro
