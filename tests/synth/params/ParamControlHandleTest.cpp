#include "synth/params/FakeEngine.h"

#include "synth/ParamControlHandle.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvel::veldro {
namespace {

constexpr std::uint32_t LFO = 3;

class ParamControlHandleTest : public ::testing::Test {
protected:
    BaseParam& rate() { return rig.params.getBaseParam(4); }
    ParamControl& live() { return rate().controls[1][0]; }

    test::ParamsRig rig;
};

TEST_F(ParamControlHandleTest, NewControllerIsMadeFromItsKindsDefaultsAndApplied)
{
    ParamControlHandle handle(rate(), 1);
    ParamControlHandle::initControlPatch(LFO, handle);
    EXPECT_EQ(handle.control_patch, (ControlPatch{LFO, 0.5, {0.0, 0.0, 1.0}}));
    EXPECT_EQ(live().type, 0u); // not touched yet
    handle.apply();
    EXPECT_EQ(live().type, LFO);
    EXPECT_EQ(live().params[2].current, 1.0);
    EXPECT_EQ(handle.getType(), LFO);
    EXPECT_EQ(handle.getControlId(), 88u);
    EXPECT_EQ(&handle.getSynthParams(), &rig.params);
}

TEST_F(ParamControlHandleTest, SettingsGoThroughTheKindsScalings)
{
    rate().applyControlPatch(1, {LFO, 0.5, {0.0, 0.0, 1.0}}, 0.0);
    ParamControlHandle handle(rate(), 1);
    handle.readControl();
    handle.setParamNormalized(0, 0.75); // skew: bipolar -1..1
    EXPECT_DOUBLE_EQ(handle.getParam(0), 0.5);
    EXPECT_DOUBLE_EQ(live().params[0].target, 0.5);
    EXPECT_DOUBLE_EQ(handle.getParamNormalized(0), 0.75);
    handle.setAmountNormalized(0.5); // absolute 0..1
    EXPECT_DOUBLE_EQ(live().amount.target, 0.5);
    EXPECT_DOUBLE_EQ(handle.control_patch.amount, 0.5);
    EXPECT_DOUBLE_EQ(handle.getAmountNormalized(), 0.5);
    handle.setParamNormalized(0, std::numeric_limits<double>::quiet_NaN());
    handle.setAmountNormalized(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(live().params[0].target, 0.5);
    EXPECT_DOUBLE_EQ(live().amount.target, 0.5);
    ASSERT_NE(handle.getScaling(4), nullptr);
    EXPECT_EQ(handle.getScaling(4)->getRange().second, 100.0);
}

TEST_F(ParamControlHandleTest, CopyOfAHandleStartsEmpty)
{
    rate().applyControlPatch(1, {LFO, 0.5, {0.2, 0.0, 1.0}}, 0.0);
    ParamControlHandle handle(rate(), 1);
    handle.readControl();
    ParamControlHandle copy(handle);
    EXPECT_EQ(copy.control_patch, ControlPatch{});
    EXPECT_EQ(copy.getControlId(), 88u);
}

TEST_F(ParamControlHandleTest, HandleTakesUpChangesMadeUnderIt)
{
    rate().applyControlPatch(1, {LFO, 0.5, {0.2, 0.0, 1.0}}, 0.0);
    ParamControlHandle handle(rate(), 1);
    handle.readControl();
    rig.params.setParamNormalized(92, 0.25); // host automation of par3 (freq)
    const double freq = live().params[2].target;
    EXPECT_EQ(handle.getParam(2), freq);

    ParamPatch recall;
    recall.controls[1] = {1, 0.8, {0.9, 0.1, 0.0}}; // a recall puts a random controller there
    rate().applyPatch(recall, 0.0);
    EXPECT_DOUBLE_EQ(handle.getParamNormalized(0), 0.9);
    EXPECT_EQ(handle.control_patch, (ControlPatch{1, 0.8, {0.9, 0.1, 0.0}}));
}

} // namespace
} // namespace korvel::veldro
