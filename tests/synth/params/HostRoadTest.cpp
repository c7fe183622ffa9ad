#include "synth/params/FakeEngine.h"

#include "synth/params/RecordingListener.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace korvel::veldro {
namespace {

constexpr int HOST_PARAMS = 180;
constexpr double POSITIONS[] = {0.0, 0.1, 0.37, 0.5, 0.83, 1.0};

// Host writes that change nothing: no Scaling (3, 6, 55, 62), envelope curves,
// the deltas of envelope points 0, 1 and 4, and ids without a live parameter.
const std::set<int> IGNORED = {3,  6,  55, 62, 27, 30, 33, 36, 39, 42, 45, 48,  51,  54,  25,  28,
                               37, 40, 43, 52, 173, 174, 175, 176, 177, 178, 179};
// Whole-number parameters: sound range (with a 1000-frame sound), yes/no options.
const std::set<int> STEPPED = {0, 1, 59, 60, 61};

bool isTypeField(int id) { return id >= 63 && id <= 172 && (id - 63) % 5 == 0; }

std::vector<double> hostView(const SynthParams& params)
{
    std::vector<double> view;
    for (int id = 0; id < HOST_PARAMS; ++id)
        view.push_back(params.getParamNormalized(id));
    return view;
}

class HostRoadTest : public ::testing::Test {
protected:
    HostRoadTest() { rig.params.setSoundFrameCount(1000); }

    test::ParamsRig rig;
    SynthParams& params = rig.params;
};

TEST_F(HostRoadTest, EveryContinuousIndexReadsBackWhatWasWritten)
{
    for (int id = 0; id < HOST_PARAMS; ++id) {
        if (IGNORED.count(id) || STEPPED.count(id) || isTypeField(id))
            continue;
        for (double x : POSITIONS) {
            params.setParamNormalized(id, x);
            EXPECT_NEAR(params.getParamNormalized(id), x, 1e-6) << "id " << id << " x " << x;
        }
    }
}

TEST_F(HostRoadTest, SteppedIndicesReadBackTheNearestStep)
{
    auto expectStep = [&](int id, double steps) {
        for (double x : POSITIONS) {
            params.setParamNormalized(id, x);
            const double read = params.getParamNormalized(id);
            EXPECT_NEAR(read, x, 0.5 / steps + 1e-9) << "id " << id << " x " << x;
            EXPECT_NEAR(read * steps, std::round(read * steps), 1e-9) << "id " << id;
        }
    };
    for (int id : STEPPED)
        expectStep(id, id <= 1 ? 1000.0 : 1.0);
    for (int id = 63; id <= 172; id += 5)
        expectStep(id, 8.0);
}

TEST_F(HostRoadTest, IgnoredIndicesChangeNothing)
{
    const std::vector<double> before = hostView(params);
    for (int id : IGNORED)
        params.setParamNormalized(id, 0.77);
    EXPECT_EQ(hostView(params), before);
}

TEST_F(HostRoadTest, SettingsOfEveryKindReadBackThroughTheKindsOwnRange)
{
    for (std::uint32_t type = 0; type < 9; ++type) {
        SCOPED_TRACE(type);
        params.setParam(83, type, 0.0); // grain.rate, first control
        for (int id = 84; id <= 87; ++id)
            for (double x : POSITIONS) {
                params.setParamNormalized(id, x);
                EXPECT_NEAR(params.getParamNormalized(id), x, 1e-6) << "id " << id;
            }
    }
}

TEST_F(HostRoadTest, EverythingTheHostSeesLiesInTheUnitRange)
{
    std::vector<std::pair<int, float>> reports;
    params.setHostNotify([&](int id, float value) { reports.emplace_back(id, value); });
    params.setParam(83, 6, 0.0); // inner, its source is an id
    params.setParam(85, 40.0, 0.0);
    params.setParam(88, 3, 0.0); // lfo: freq in Hz
    params.setParam(92, 50.0, 0.0);
    params.setParam(93, 2, 0.0); // amp_noise: offset in ms
    params.setParam(95, -3000.0, 0.0);
    params.setParam(55, 1.6e9, 0.0);
    params.setParam(34, 20000.0, 0.0);
    for (int id = 0; id < HOST_PARAMS; ++id) {
        const double x = params.getParamNormalized(id);
        EXPECT_TRUE(x >= 0.0 && x <= 1.0) << "id " << id << " reads " << x;
    }
    ASSERT_EQ(reports.size(), 8u);
    for (const auto& [id, value] : reports)
        EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << "id " << id << " reported " << value;
}

TEST_F(HostRoadTest, OutOfRangeAndNanWritesAreRejected)
{
    const std::vector<double> before = hostView(params);
    for (double x : {-0.1, 1.5, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        for (int id = 0; id < HOST_PARAMS; ++id)
            params.setParamNormalized(id, x);
    EXPECT_EQ(hostView(params), before);
}

TEST_F(HostRoadTest, SoundRangeMapsThroughEachInstancesOwnSound)
{
    test::ParamsRig other;
    other.params.setSoundFrameCount(2000);
    params.setParamNormalized(1, 0.5);
    other.params.setParamNormalized(1, 0.5);
    EXPECT_EQ(params.getParam(1).second, 500.0);
    EXPECT_EQ(other.params.getParam(1).second, 1000.0);
    EXPECT_EQ(params.getScaling(0)->getRange().second, 1000.0);
    EXPECT_NE(params.getScaling(0), getParamInfo(0).getScaling());

    std::vector<float> reported;
    other.params.setHostNotify([&](int, float value) { reported.push_back(value); });
    other.params.setParam(0, 500.0, 0.0);
    EXPECT_EQ(reported, std::vector<float>{0.25f});
}

TEST_F(HostRoadTest, AttackAndDecayNeverSumAboveOne)
{
    test::ChangeLog log;
    test::RecordingListener attack(9, 0, log), decay(10, 0, log);
    params.addListener(&attack);
    params.addListener(&decay);
    params.setParamNormalized(9, 1.0); // decay was 0.5
    EXPECT_EQ(params.getParam(9).second, 1.0);
    EXPECT_EQ(params.getParam(10).second, 0.0);
    EXPECT_EQ(log, (test::ChangeLog{{9, 512}, {10, 512}}));

    log.clear();
    params.setParamNormalized(10, 0.0); // 0 + 1 is not above 1: attack stays
    EXPECT_EQ(params.getParam(9).second, 1.0);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(HostRoadTest, EnvelopeLevelsMoveWithTheirPartners)
{
    struct Case {
        int written, partner;
    };
    for (const Case& c : {Case{32, 35}, Case{35, 32}, Case{38, 26}, Case{26, 38}, Case{47, 50}, Case{41, 53}}) {
        params.setParamNormalized(c.written, 0.5);
        EXPECT_EQ(params.getParam(c.partner).second, params.getParam(c.written).second) << c.written;
    }
    const double otherLevel = params.getParam(32).second;
    params.setParamNormalized(29, 0.9); // point 1 has no partner
    EXPECT_EQ(params.getParam(32).second, otherLevel);
}

TEST_F(HostRoadTest, ReleaseDeltaRunsBackwardsOnTheHostAxis)
{
    params.setParamNormalized(34, 0.5); // cubic 0..10000 gives 1250
    EXPECT_EQ(params.getParam(34).second, 10000.0 - 1250.0);
}

TEST_F(HostRoadTest, HostTypeChangeSwitchesAtOnceAndHasTheHostRereadTheNewRanges)
{
    test::ChangeLog log;
    test::RecordingListener pad(83, 0, log);
    params.addListener(&pad);
    std::vector<int> reported;
    params.setHostNotify([&](int id, float) { reported.push_back(id); });
    params.getBaseParam(4).applyControlPatch(0, {1, 0.5, {0.0, 0.5, 0.0}}, 0.0);
    params.takeOwnChange();

    params.setParamNormalized(83, 3.0 / 8.0); // lfo
    const ParamControl& live = params.getBaseParam(4).controls[0][0];
    EXPECT_EQ(live.type, 3u);
    EXPECT_EQ(params.getBaseParam(4).controls[0][1].type, 0u); // no fade
    EXPECT_EQ(log, (test::ChangeLog{{83, 1024}}));
    // Nothing from inside the host's own write; the host rereads the settings later.
    EXPECT_TRUE(reported.empty());
    EXPECT_TRUE(params.takeOwnChange());
    EXPECT_FLOAT_EQ(float(params.getParamNormalized(85)), 0.5f); // skew 0 sits mid-axis of lfo's -1..1

    params.setParamNormalized(83, 3.0 / 8.0); // same type: nothing
    EXPECT_FALSE(params.takeOwnChange());
}

} // namespace
} // namespace korvel::veldro
