#include "PatchSamples.h"

#include "patch/StateText.h"
#include "synth/SynthParamIds.h"
#include "synth/params/FakeEngine.h"
#include "synth/params/RecordingListener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::veldro {
namespace {

using patch_test::fullSlot;

constexpr std::size_t SLOTS = 130;
constexpr int TIMESTAMP = Patch::TIMESTAMP;

class StateTextTest : public testing::Test {
protected:
    StateTextTest()
    {
        rig.params.setPatchCount(SLOTS);
        rig.params.setHostNotify([this](int id, float value) { hostLog.emplace_back(id, value); });
        rig.params.addListener(&listener);
    }

    Patch& slot(int i) { return rig.params.editPatch(i); }

    // The state text after applying text to a fresh instance.
    static std::string reapplied(const std::string& text)
    {
        test::ParamsRig fresh;
        fresh.params.setPatchCount(SLOTS);
        EXPECT_TRUE(deserialize(fresh.params, text));
        return serialize(fresh.params);
    }

    test::ParamsRig rig;
    std::vector<std::pair<int, float>> hostLog;
    test::ChangeLog changes;
    test::RecordingListener listener{0, GROUP_PATCH_SLOTS, changes};
};

TEST_F(StateTextTest, AnEmptyStateHoldsTheSixOptionsInKeyOrder)
{
    for (auto [id, v] : {std::pair{param_id::CHANGE_TIME, 0.5}, {param_id::DENSITY_COMPENSATION, 1.25},
                         {param_id::PATCH_RANDOM, 0.0}, {param_id::PATCH_SOUNDFILE, 1.0},
                         {param_id::PATCH_CONTROLS, 0.0}, {param_id::PATCH_GLOBALS, 1.0}})
        rig.params.setParamImmediate(id, v);
    EXPECT_EQ(serialize(rig.params), "{\n"
                                     "  \"apply.changetime\": 0.5,\n"
                                     "  \"apply.patch_controls\": 0,\n"
                                     "  \"apply.patch_globals\": 1,\n"
                                     "  \"apply.patch_random\": 0,\n"
                                     "  \"apply.patch_soundfile\": 1,\n"
                                     "  \"density.compensation\": 1.25\n"
                                     "}\n");
    EXPECT_EQ(reapplied(serialize(rig.params)), serialize(rig.params));
}

TEST_F(StateTextTest, OneFullSlotRoundTripsInTheFixedLayout)
{
    slot(7) = fullSlot(7);
    const std::string text = serialize(rig.params);
    EXPECT_NE(text.find("\n  \"patch.7\": {\n    \"adsr1.points\": [\n"
                        "      { \"curve\": 0, \"delta\": 0, \"level\": 0 },\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n    \"grain.rate.controller.0\": {\n      \"amount\": "), std::string::npos);
    EXPECT_NE(text.find("\n    \"soundfile\": \"\\/sounds\\/d\\u00e9j\\u00e0 \\ud83c\\udfb5 7.wav\",\n"), std::string::npos);
    for (char c : text)
        EXPECT_LT(static_cast<unsigned char>(c), 128) << "plain ASCII";
    EXPECT_EQ(reapplied(text), text);

    test::ParamsRig fresh;
    fresh.params.setPatchCount(SLOTS);
    deserialize(fresh.params, text);
    EXPECT_EQ(fresh.params.getPatch(7).soundfile, fullSlot(7).soundfile);
}

TEST_F(StateTextTest, AllSlotsRoundTripInKeyOrder)
{
    for (int i = 0; i < static_cast<int>(SLOTS); ++i)
        slot(i) = fullSlot(i);
    const std::string text = serialize(rig.params);
    EXPECT_EQ(reapplied(text), text);
    EXPECT_LT(text.find("\"patch.100\""), text.find("\"patch.11\"")) << "keys sort by character";
    EXPECT_NE(text.find("\"patch.129\""), std::string::npos);
}

TEST_F(StateTextTest, ControlCharactersInASoundNameAreEscapedAndReadBack)
{
    slot(2) = fullSlot(2);
    slot(2).soundfile = L"take";
    for (wchar_t c = 0; c < 0x20; ++c)
        slot(2).soundfile.push_back(c);
    const std::string text = serialize(rig.params);
    EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char c) { return c >= 0 && c < 0x20 && c != '\n'; }), 0);
    EXPECT_NE(text.find("\"take\\u0000\\u0001"), std::string::npos);
    test::ParamsRig fresh;
    fresh.params.setPatchCount(SLOTS);
    ASSERT_TRUE(deserialize(fresh.params, text));
    EXPECT_EQ(fresh.params.getPatch(2).soundfile, slot(2).soundfile);
}

TEST_F(StateTextTest, SlotsWithoutAStoreTimeAreNotWritten)
{
    slot(3) = fullSlot(3);
    slot(3).params[TIMESTAMP].value = 0.0;
    EXPECT_EQ(serialize(rig.params).find("patch."), std::string::npos);
}

TEST_F(StateTextTest, SlotKeysOutsideTheSlotsAreIgnored)
{
    ASSERT_TRUE(deserialize(rig.params, R"({"patch.-1": {"timestamp": 1700000000}, "patch.130": {"timestamp": 1700000000},
                                           "patch.2": {"timestamp": 1700000000}})"));
    EXPECT_EQ(slot(2).params[TIMESTAMP].value, 1700000000);
    EXPECT_EQ(changes, (test::ChangeLog{{0, GROUP_PATCH_SLOTS}}));
}

TEST_F(StateTextTest, ARefusedSlotKeepsItsOldRecord)
{
    slot(4) = fullSlot(4);
    ASSERT_TRUE(deserialize(rig.params, R"({"patch.4": {"timestamp": 1700000000, "grain.rate": [1]},
                                           "patch.5": {"timestamp": 1700000001}})"));
    EXPECT_EQ(slot(4).params[TIMESTAMP].value, fullSlot(4).params[TIMESTAMP].value);
    EXPECT_EQ(slot(4).soundfile, fullSlot(4).soundfile);
    EXPECT_EQ(slot(5).params[TIMESTAMP].value, 1700000001);
}

TEST_F(StateTextTest, ASlotKeyWithoutANumberEndsTheApplicationThere)
{
    for (const char* badKey : {"patch.+", "patch.-99999999999"}) {
        changes.clear();
        ASSERT_TRUE(deserialize(rig.params, std::string(R"({"apply.changetime": 7, ")") + badKey +
                                                R"(": {"timestamp": 1}, "patch.3": {"timestamp": 1700000000}})"));
        EXPECT_EQ(rig.params.getParam(param_id::CHANGE_TIME).second, 7) << "applied before the key";
        EXPECT_EQ(slot(3).params[TIMESTAMP].value, 0.0) << badKey;
        EXPECT_TRUE(changes.empty()) << badKey;
    }
    EXPECT_THROW(patchIndexFromKey(L"patch.x"), std::invalid_argument);
    EXPECT_THROW(patchIndexFromKey(L"patch.99999999999"), std::out_of_range);
    EXPECT_EQ(patchIndexFromKey(L"patch. 12abc"), 12);
    EXPECT_EQ(patchIndexFromKey(L"patches.1"), -1);
}

TEST_F(StateTextTest, OptionsTakeTheirValuesOrTheirDefaults)
{
    rig.params.takeOwnChange();
    ASSERT_TRUE(deserialize(rig.params, R"({"apply.changetime": 3, "density.compensation": 1e999,
        "apply.patch_random": 1, "apply.patch_soundfile": 0, "apply.patch_controls": 0, "apply.patch_globals": 2,
        "grain.rate": 40})"));
    EXPECT_EQ(rig.params.getParam(param_id::CHANGE_TIME), (std::pair{3.0, 3.0})) << "jumps";
    EXPECT_EQ(rig.params.getParam(param_id::DENSITY_COMPENSATION).second, 1.0) << "default";
    EXPECT_EQ(rig.params.getParam(param_id::PATCH_GLOBALS).second, 0.0) << "default";
    EXPECT_NE(rig.params.getParam(param_id::GRAIN_RATE).second, 40.0) << "not an option";
    // 59..61 steer the default recall mask and have the host reread them; none is reported as an edit
    EXPECT_EQ(rig.params.getDefaultMask() & (GROUP_SOUND | GROUP_CONTROLLERS | GROUP_GLOBALS), 0u);
    EXPECT_TRUE(hostLog.empty());
    EXPECT_TRUE(rig.params.takeOwnChange());
}

TEST_F(StateTextTest, ATextThatIsNotAStateChangesNothing)
{
    slot(1) = fullSlot(1);
    rig.params.setParamImmediate(param_id::CHANGE_TIME, 2.0);
    const std::string before = serialize(rig.params);
    for (const char* text : {"", "garbage", "{\"apply.changetime\": 5, \"patch.1\": {", "[1, 2]", "\"patch.1\"",
                             "{}", "{\"not\": \"a state\"}", "{\"grain.rate\": 40, \"patches.1\": {\"timestamp\": 1}}",
                             // State keys, but nothing in them reads.
                             R"({"patch.1": {"timestamp": 1700000000, "grain.rate": [1]}})",
                             R"({"patch.500": {"timestamp": 1}, "apply.changetime": "5"})",
                             R"({"patch.+": {"timestamp": 1}, "patch.3": {"timestamp": 1700000000}})"}) {
        EXPECT_FALSE(deserialize(rig.params, text)) << text;
        EXPECT_EQ(serialize(rig.params), before) << text;
    }
    EXPECT_TRUE(changes.empty());
}

TEST_F(StateTextTest, ATextWithSomeOfTheStatesMembersIsAState)
{
    for (const char* text : {R"({"density.compensation": 1.5, "other": 1})", R"({"patch.3": {"timestamp": 1700000000}})"})
        EXPECT_TRUE(deserialize(rig.params, text)) << text;
    EXPECT_EQ(rig.params.getParam(param_id::DENSITY_COMPENSATION).second, 1.5);
    EXPECT_TRUE(rig.params.hasPatch(3));
}

TEST_F(StateTextTest, AByteOrderMarkIsSkipped)
{
    ASSERT_TRUE(deserialize(rig.params, "\xEF\xBB\xBF{\"apply.changetime\": 4}"));
    EXPECT_EQ(rig.params.getParam(param_id::CHANGE_TIME).second, 4.0);
}

} // namespace
} // namespace korvel::veldro
