#include "synth/ParamTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <typeinfo>
#include <vector>

using namespace korvel;
using namespace korvel::veldro;

namespace {

void expectRange(const ParamRange& actual, const ParamRange& expected) {
    EXPECT_EQ(actual.default_value, expected.default_value);
    EXPECT_EQ(actual.min, expected.min);
    EXPECT_EQ(actual.max, expected.max);
    EXPECT_EQ(actual.kind, expected.kind);
}

void expectDefaultRow(const ParamInfo& info) {
    EXPECT_EQ(info.id, -1);
    EXPECT_EQ(info.nof_controls, 0);
    EXPECT_EQ(info.flags, 0u);
    EXPECT_EQ(info.name, "");
    EXPECT_STREQ(info.unit, "");
    expectRange(info.range, ParamRange{0, 0, 1, 3});
    ASSERT_NE(info.getScaling(), nullptr);
    EXPECT_EQ(typeid(*info.getScaling()), typeid(CubicScaling));
}

TEST(ParamTable, HoldsExactlyTheSynthControllerAndEditorIds) {
    std::set<int> expected;
    for (int id = 0; id <= 172; ++id)
        expected.insert(id);
    for (int id = 174; id <= 177; ++id)
        expected.insert(id);
    std::set<int> actual;
    for (const auto& [id, info] : paramTable()) {
        EXPECT_EQ(info.id, id);
        EXPECT_EQ(&getParamInfo(id), &info);
        actual.insert(id);
    }
    EXPECT_EQ(actual, expected);
}

struct RowCase {
    int id;
    const char* name;
    const char* unit;
    ParamRange range;
    std::uint32_t flags;
    int nof_controls;
    int control_id;
};

TEST(ParamTable, WrittenRowsSpotChecks) {
    const std::vector<RowCase> rows = {
        {0, "sound.start", "samples", {0, 0, 0, 10}, 1, 0, -1},
        {2, "sound.play_rate", "rate", {1, -25, 25, 1002}, 2, 2, 63},
        {4, "grain.rate", "sec", {20, 1.0 / 60.0, 2000, 3}, 2, 2, 83},
        {7, "grain.freq", "semis", {1, -37, 37, 1007}, 2, 2, 103},
        {14, "dist.bitcrush", "bits", {14, 0, 14, -1}, 6, 1, 148},
        {24, "delay.feedback", "rate", {0, -1, 1, 1}, 6, 1, 168},
        {25, "adsr1.points.0.delta", "millis", {0, 0, 0, 3}, 16, 0, -1},
        {28, "adsr1.points.1.delta", "millis", {12.5, 0, 10000, 3}, 16, 0, -1},
        {37, "adsr1.points.4.delta", "millis", {100000, 0, 100000, 3}, 16, 0, -1},
        {46, "adsr2.points.2.delta", "millis", {2700, 0, 10000, 3}, 16, 0, -1},
        {50, "adsr2.points.3.level", "rate", {0.4, 0, 1, 3}, 16, 0, -1},
        {55, "timestamp", "epoch", {0, 1500000000, 100000000000, 0}, 0, 0, -1},
        {56, "apply.changetime", "secs", {1, 0, 600, 3}, 64, 0, -1},
        {62, "soundfile", "name", {0, 0, 0, 0}, 1, 0, -1},
        {6, "grain.density", "n/a", {0, 0, 2000, 0}, 0, 0, -1},
        {176, "start/stop", "on/off", {1, 0, 1, 20}, 0, 0, -1},
    };
    for (const RowCase& row : rows) {
        SCOPED_TRACE(row.name);
        const ParamInfo& info = getParamInfo(row.id);
        EXPECT_EQ(info.id, row.id);
        EXPECT_EQ(info.name, row.name);
        EXPECT_EQ(info.wide_name, std::wstring(info.name.begin(), info.name.end()));
        EXPECT_STREQ(info.unit, row.unit);
        expectRange(info.range, row.range);
        EXPECT_EQ(info.flags, row.flags);
        EXPECT_EQ(info.nof_controls, row.nof_controls);
        EXPECT_EQ(info.control_id, row.control_id);
        EXPECT_EQ(info.parent, nullptr);
        EXPECT_EQ(info.controlIndex, -1);
        EXPECT_EQ(info.field, -1);
    }
}

std::uint32_t expectedGroup(int id) {
    if (id == 0 || id == 1 || id == 62)
        return GROUP_SOUND;
    if ((id >= 2 && id <= 5) || (id >= 7 && id <= 12))
        return GROUP_GRAIN;
    if (id >= 13 && id <= 24)
        return GROUP_GRAIN | GROUP_EFFECTS;
    if (id >= 25 && id <= 54)
        return GROUP_ENVELOPE;
    if (id >= 56 && id <= 61)
        return GROUP_GLOBALS;
    if (id >= 63 && id <= 172)
        return GROUP_CONTROLLERS;
    return 0;
}

TEST(ParamTable, GroupFlagsFollowIdRanges) {
    for (const auto& [id, info] : paramTable())
        EXPECT_EQ(info.flags, expectedGroup(id)) << id;
}

TEST(ParamTable, EveryRowHasTheScalingOfItsKind) {
    for (const auto& [id, info] : paramTable()) {
        const auto made = makeScaling(info.range);
        ASSERT_EQ(info.getScaling() == nullptr, made == nullptr) << id;
        if (made) {
            EXPECT_EQ(typeid(*info.getScaling()), typeid(*made)) << id;
            EXPECT_EQ(info.getScaling()->getRange(), made->getRange()) << id;
        }
    }
}

TEST(ParamTable, GeneratedRowsCoverEachControlOnce) {
    std::set<int> generated;
    for (const auto& [id, row] : paramTable()) {
        if (row.nof_controls == 0)
            continue;
        for (int control = 0; control < row.nof_controls; ++control)
            for (int field = 0; field < NOF_CONTROLLER_FIELDS; ++field) {
                const int generatedId = row.control_id + 5 * control + field;
                const ParamInfo& info = getParamInfo(generatedId);
                SCOPED_TRACE(info.name);
                EXPECT_TRUE(generated.insert(generatedId).second);
                EXPECT_EQ(info.parent, &row);
                EXPECT_EQ(info.controlIndex, control);
                EXPECT_EQ(info.field, field);
                EXPECT_EQ(info.name, controllerKey(row, control, field));
                EXPECT_STREQ(info.unit, controllerFieldLabel(field));
                expectRange(info.range, getControllerFieldRange(field));
                EXPECT_EQ(info.flags, GROUP_CONTROLLERS);
                EXPECT_EQ(info.nof_controls, 0);
                EXPECT_EQ(info.control_id, -1);
            }
    }
    EXPECT_EQ(generated.size(), 110u);
    EXPECT_EQ(*generated.begin(), FIRST_CONTROLLER_PARAM);
    EXPECT_EQ(*generated.rbegin(), LAST_CONTROLLER_PARAM);
}

TEST(ParamTable, GeneratedRowExamples) {
    const ParamInfo& y = getParamInfo(91);
    EXPECT_EQ(y.name, "grain.rate.contr1.y");
    EXPECT_EQ(y.parent->id, 4);
    EXPECT_EQ(y.controlIndex, 1);
    EXPECT_EQ(y.field, 3);
    EXPECT_STREQ(y.unit, "y");
    expectRange(y.range, ParamRange{0, -1, 1, -1});

    const ParamInfo& type = getParamInfo(83);
    EXPECT_EQ(type.name, "grain.rate.contr0.type");
    expectRange(type.range, ParamRange{0, 0, 8, 10});
    EXPECT_EQ(type.getScaling()->toValue(0.5), 4.0);

    EXPECT_EQ(getParamInfo(89).name, "grain.rate.contr1.amount");
    EXPECT_EQ(getParamInfo(172).name, "delay.feedback.contr0.par3");
    EXPECT_EQ(getParamInfo(92).getScaling(), nullptr); // par3 passes values through
}

TEST(ParamTable, UnknownIdsGiveTheDefaultRow) {
    for (int id : {173, -5, -1, 178, 179, 1000})
        expectDefaultRow(getParamInfo(id));
}

TEST(ParamTable, LookupByName) {
    EXPECT_EQ(getParamInfoByName(L"filter.freq").id, 16);
    int tableRows = 0;
    for (const auto& [id, info] : paramTable()) {
        if (info.parent)
            continue;
        ++tableRows;
        EXPECT_EQ(&getParamInfoByName(info.wide_name), &info);
    }
    EXPECT_EQ(tableRows, 67);
    for (const wchar_t* name : {L"filter.freqs", L"grain.rate.contr1.amount", L"", L"FILTER.FREQ"})
        expectDefaultRow(getParamInfoByName(name));
}

TEST(ParamTable, ShortLabels) {
    EXPECT_STREQ(paramShortLabel(123), "ATTACK");
    EXPECT_STREQ(paramShortLabel(127), "ATTACK");
    EXPECT_STREQ(paramShortLabel(128), "DECAY");
    EXPECT_STREQ(paramShortLabel(155), "FREQS");
    EXPECT_STREQ(paramShortLabel(172), "FEEDBK");
    for (int id : {63, 16, 9, 173, -1})
        EXPECT_STREQ(paramShortLabel(id), "") << id;
}

TEST(ParamTable, CopyOwnsAFreshScaling) {
    const ParamInfo& row = getParamInfo(4);
    const ParamInfo copy = row;
    ASSERT_NE(copy.getScaling(), nullptr);
    EXPECT_NE(copy.getScaling(), row.getScaling());
    EXPECT_EQ(copy.getScaling()->toValue(0.5), row.getScaling()->toValue(0.5));
    EXPECT_EQ(copy.parent, row.parent);
}

// Each instance widens its own pair; the table's rows stay 0..0.
TEST(ParamTable, SoundRangeScalingsArePerInstance) {
    for (int id : {0, 1}) {
        ASSERT_TRUE(isSoundRangeParam(id));
        auto first = makeScaling(getParamInfo(id).range);
        auto second = makeScaling(getParamInfo(id).range);
        first->setRange(1000.0, 0.0);
        second->setRange(2000.0, 0.0);
        EXPECT_EQ(first->toValue(0.5), 500.0);
        EXPECT_EQ(second->toValue(0.5), 1000.0);
        EXPECT_EQ(getParamInfo(id).getScaling()->getRange(), std::make_pair(0.0, 0.0));
    }
    EXPECT_FALSE(isSoundRangeParam(2));
    EXPECT_FALSE(isSoundRangeParam(62));
}

} // namespace
