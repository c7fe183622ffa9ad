#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace korvel::veldro {
namespace {

class SetParamTest : public ::testing::Test {
protected:
    SetParamTest()
    {
        params.setHostNotify([this](int id, float value) { reports.emplace_back(id, value); });
    }

    test::ParamsRig rig;
    SynthParams& params = rig.params;
    std::vector<std::pair<int, float>> reports;
};

TEST_F(SetParamTest, ChangeTimeIsTheOptionWhileRunningElseZero)
{
    EXPECT_EQ(params.getChangeTime(), 0.0);
    rig.engine.running = true;
    EXPECT_EQ(params.getChangeTime(), 1.0);
    params.setParam(56, 4.0, 0.0);
    EXPECT_EQ(params.getChangeTime(), 4.0);
    EXPECT_EQ(params.glideTimeSource()(), 4.0);
}

TEST_F(SetParamTest, EveryChangeIsReportedToTheHostNormalised)
{
    params.setParam(16, 1200.0, 2.0); // filter.freq, cubic 50..8000
    params.setParam(84, -1.0, 0.0);   // grain.rate control 0 amount, empty type: cubic 0..1
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].first, 16);
    EXPECT_FLOAT_EQ(reports[0].second, float(getParamInfo(16).getScaling()->toNormalized(1200.0)));
    EXPECT_EQ(reports[1], (std::pair<int, float>{84, 0.0f}));
    EXPECT_DOUBLE_EQ(params.getBaseParam(16).value.rate, 0.0); // 1200 is the default: no change, no glide
}

TEST_F(SetParamTest, ValuesGlideOverTheGivenTime)
{
    params.setParam(11, 1.93, 2.0);
    EXPECT_EQ(params.getParam(11), (std::pair<double, double>{0.93, 1.93}));
    EXPECT_DOUBLE_EQ(params.getBaseParam(11).value.rate, 0.5);
    params.setParam(11, 0.5, -1.0); // negative time jumps
    EXPECT_EQ(params.getParam(11), (std::pair<double, double>{0.5, 0.5}));
}

TEST_F(SetParamTest, ControllerFieldsWorkOnTheLiveSlot)
{
    params.setParam(83, 3, 1.0);   // type lfo
    params.setParam(84, 0.6, 0.0); // amount
    params.setParam(87, 7.0, 0.0); // par3: freq
    const ParamControl& live = params.getBaseParam(4).controls[0][0];
    EXPECT_EQ(live.type, 3u);
    EXPECT_EQ(live.amount.target, 0.6);
    EXPECT_EQ(live.params[2].target, 7.0);
    EXPECT_EQ(params.getParam(83), (std::pair<double, double>{3.0, 3.0}));
    EXPECT_EQ(params.getParam(87).second, 7.0);

    params.setParam(83, 1, 1.0); // a new type pushes the lfo, fading
    EXPECT_EQ(params.getBaseParam(4).controls[0][1].type, 3u);
    EXPECT_DOUBLE_EQ(params.getBaseParam(4).controls[0][1].amount.rate, -0.6);
}

TEST_F(SetParamTest, UnknownIdsNonFiniteValuesAndBadTypesAreIgnored)
{
    params.setParam(200, 1.0, 0.0);
    params.setParam(173, 1.0, 0.0);
    params.setParam(11, std::numeric_limits<double>::quiet_NaN(), 0.0);
    params.setParam(11, -std::numeric_limits<double>::infinity(), 0.0);
    params.setParam(83, 9.0, 0.0);
    params.setParam(83, -1.0, 0.0);
    params.setParamImmediate(61, std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(params.getParam(11).second, 0.93);
    EXPECT_EQ(params.getParam(83).second, 0.0);
    EXPECT_EQ(params.getParam(200), (std::pair<double, double>{0.0, 0.0}));
    EXPECT_EQ(params.getDefaultMask(), 15u);
}

TEST_F(SetParamTest, ImmediateWritesJumpAndKeepTheDefaultMask)
{
    rig.engine.running = true;
    params.setParamImmediate(11, 2.0);
    EXPECT_EQ(params.getParam(11), (std::pair<double, double>{2.0, 2.0}));

    struct Case {
        int id;
        double value;
        std::uint32_t mask;
    };
    for (const Case& c : {Case{61, 1.0, 15 | 16 | 64}, Case{61, 0.0, 15}, Case{58, 0.7, 15 | 64}, Case{58, 0.0, 15},
                          Case{59, 0.0, 14}, Case{60, 0.2, 6}, Case{59, 1.0, 7}, Case{57, 0.0, 7}}) {
        params.setParamImmediate(c.id, c.value);
        EXPECT_EQ(params.getDefaultMask(), c.mask) << "id " << c.id << " value " << c.value;
    }
}

TEST_F(SetParamTest, DensityFollowsRateLengthAndEnvelopeShare)
{
    params.setParamImmediate(4, 100.0);
    params.setParamImmediate(5, 50.0);
    params.setParamImmediate(9, 0.1);
    params.setParamImmediate(10, 0.2);
    params.updateDensity();
    EXPECT_DOUBLE_EQ(params.getDensity(), 100.0 * 50.0 * 0.001 * 0.7);
    params.setParamImmediate(9, 0.9);
    params.updateDensity();
    EXPECT_DOUBLE_EQ(params.getDensity(), 100.0 * 50.0 * 0.001 * 0.5);
}

TEST_F(SetParamTest, TickAdvancesGlidingParametersOnly)
{
    rig.engine.running = true;
    params.setParam(11, 1.93, 1.0);
    params.setParam(54, 1.0, 1.0);
    params.setParam(56, 5.0, 1.0);
    params.setParam(57, 2.0, 1.0);
    params.advance(0.5);
    EXPECT_DOUBLE_EQ(params.getParam(11).first, 1.43);
    EXPECT_DOUBLE_EQ(params.getParam(54).first, 0.5);
    EXPECT_DOUBLE_EQ(params.getParam(56).first, 1.0);
    EXPECT_EQ(params.getParam(57).first, 2.0);
}

} // namespace
} // namespace korvel::veldro
