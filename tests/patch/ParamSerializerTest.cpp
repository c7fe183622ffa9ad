#include "PatchSamples.h"
#include "support/JsonText.h"

#include "patch/ParamSerializer.h"
#include "synth/ParamTable.h"
#include "synth/SynthParamIds.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace korvel::veldro {
namespace {

using patch_test::fullSlot;
using testing_support::oneLine;
using testing_support::readJson;

constexpr int TIMESTAMP = Patch::TIMESTAMP;
constexpr std::uint32_t LFO = 3;

// The slot text with the given members added to a valid store time.
std::string slotText(const std::string& members)
{
    return R"({"timestamp": 1700000000)" + (members.empty() ? "" : ", " + members) + "}";
}

bool read(Patch& out, const std::string& text)
{
    return ParamSerializer::read(out, readJson(text));
}

double defaultOf(int id)
{
    return getParamInfo(id).range.default_value;
}

// "name": value members for the first n parameters that have a plain range,
// each with a value outside it.
std::string outOfRangeMembers(int n)
{
    std::string members;
    for (int id : {2, 4, 5, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}) {
        if (n-- == 0)
            break;
        members += (members.empty() ? "\"" : ", \"") + getParamInfo(id).name + "\": 1e9";
    }
    return members;
}

TEST(ParamSerializerWrite, WritesTheSlotFormOfEveryGroup)
{
    Patch slot;
    slot.params[param_id::GRAIN_RATE].value = 30;
    slot.params[param_id::GRAIN_RATE].controls[1] = {LFO, 0.5, {0, 0.25, 2}};
    slot.params[param_id::PLAY_POSITION].value = 1234;
    slot.params[param_id::PLAY_POSITION].controls[0] = {LFO, 0.5, {0, 0, 1}};
    slot.params[param_id::GRAIN_DENSITY].value = 99;
    slot.params[TIMESTAMP].value = 1700000000;
    const JSON::Value written = ParamSerializer::write(slot, MASK_ALL);
    const JSON::Value::Object& members = written.asObject();

    EXPECT_EQ(members.at(L"grain.rate").asNumber(), 30);
    EXPECT_EQ(oneLine(members.at(L"grain.rate.controller.1")),
              R"({ "amount": 0.5, "clip": 0.25, "freq": 2, "skew": 0, "type": "lfo" })");
    EXPECT_FALSE(members.contains(L"grain.rate.controller.0")) << "empty controllers are left out";
    EXPECT_FALSE(members.contains(L"sound.play_position")) << "the play position has only controllers";
    EXPECT_TRUE(members.contains(L"sound.play_position.controller.0"));
    EXPECT_FALSE(members.contains(L"grain.density"));
    EXPECT_FALSE(members.contains(L"adsr1.points.0.delta"));
    EXPECT_FALSE(members.contains(L"soundfile")) << "no sound, no member";
    EXPECT_EQ(members.at(L"timestamp").asNumber(), 1700000000);
    EXPECT_EQ(oneLine(members.at(L"adsr2.points")),
              R"([ { "curve": 0, "delta": 0, "level": 0 }, { "curve": 0, "delta": 0, "level": 0 }, )"
              R"({ "curve": 0, "delta": 0, "level": 0 }, { "curve": 0, "delta": 0, "level": 0 }, )"
              R"({ "curve": 0, "delta": 0, "level": 0 } ])");
    // sound 0..1, parameters 2, 4, 5, 7..24, the two envelopes, timestamp
    EXPECT_EQ(members.size(), 2u + 21u + 2u + 1u + 2u);
}

TEST(ParamSerializerWrite, AllAndAllButGlobalsWriteTheSameText)
{
    for (int variant : {0, 1, 2})
        EXPECT_EQ(oneLine(ParamSerializer::write(fullSlot(variant), MASK_ALL)),
                  oneLine(ParamSerializer::write(fullSlot(variant), MASK_ALL_BUT_GLOBALS)));
}

TEST(ParamSerializerRoundTrip, AFullSlotReadsBackAsWritten)
{
    for (int variant = 0; variant < 12; ++variant) {
        const Patch sample = fullSlot(variant);
        const JSON::Value written = ParamSerializer::write(sample, MASK_ALL);
        Patch out;
        ASSERT_TRUE(ParamSerializer::read(out, written)) << variant;
        EXPECT_EQ(oneLine(ParamSerializer::write(out, MASK_ALL)), oneLine(written)) << variant;
        EXPECT_EQ(out.soundfile, sample.soundfile);
        // settings in their own units survive: amp_noise offsets, LFO frequencies
        for (int id = 0; id < TIMESTAMP; ++id)
            for (int i = 0; i < 2; ++i) {
                const ControlPatch& expected = sample.params[id].controls[i];
                EXPECT_EQ(out.params[id].controls[i].type, expected.type) << id;
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(out.params[id].controls[i].params[k], expected.params[k], 1e-3) << id;
            }
    }
}

TEST(ParamSerializerRead, ATimestampAloneGivesZeroValuesAndDefaultEnvelopes)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText("")));
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].value, 0.0);
    EXPECT_EQ(out.params[TIMESTAMP].value, 1700000000);
    for (int id = param_id::ADSR1_FIRST; id <= param_id::ENVELOPE_LAST; ++id)
        EXPECT_EQ(out.params[id].value, defaultOf(id)) << id;
    EXPECT_TRUE(out.soundfile.empty());
}

TEST(ParamSerializerRead, RefusesSlotsWithoutANumericTimestampOrWithWrongKinds)
{
    for (const std::string& text : {std::string(R"({"grain.rate": 30})"), std::string(R"({"timestamp": "1700000000"})"),
                                   slotText(R"("grain.rate": [30])"), slotText(R"("grain.rate": {"v": 30})"),
                                   slotText(R"("grain.length": true)"), slotText(R"("delay.time": false)")}) {
        Patch out;
        EXPECT_FALSE(read(out, text)) << text;
    }
}

TEST(ParamSerializerRead, StringsAndNullsLeaveAParameterAtZero)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(
        R"("grain.rate": "30", "grain.length": null, "grain.rate.controller.0": {"type": "lfo", "amount": 0.5, "skew": 0})")));
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].value, 0.0);
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].controls[0].type, 0u) << "its controllers are not read";
    EXPECT_EQ(out.params[param_id::GRAIN_LENGTH].value, 0.0);
}

TEST(ParamSerializerRead, OutOfRangeValuesTakeDefaultsAndTooManyRefuseTheSlot)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(outOfRangeMembers(14))));
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].value, defaultOf(param_id::GRAIN_RATE));
    EXPECT_FALSE(read(out, slotText(outOfRangeMembers(15))));
    // a damaged controller counts one error
    Patch damaged;
    EXPECT_FALSE(read(damaged, slotText(outOfRangeMembers(14) + R"(, "grain.pan.controller.0": {"type": "random", "amount": 0.5})")));
    // a null controller (an inner one without a source) counts none
    Patch withNull;
    EXPECT_TRUE(read(withNull, slotText(outOfRangeMembers(14) + R"(, "grain.pan.controller.0": null)")));
}

TEST(ParamSerializerRead, InfinitiesReadAsDefaults)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(R"("grain.rate": 1e999, "grain.pan": -1e999, "sound.start": 1e999, "sound.end": -1e999)")));
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].value, defaultOf(param_id::GRAIN_RATE));
    EXPECT_EQ(out.params[12].value, defaultOf(12));
    EXPECT_EQ(out.params[param_id::SOUND_START].value, 0.0);
    EXPECT_EQ(out.params[param_id::SOUND_END].value, 0.0);
}

TEST(ParamSerializerRoundTrip, NonFiniteValuesReadBackAsDefaults)
{
    Patch slot = fullSlot();
    slot.params[param_id::GRAIN_RATE].value = std::numeric_limits<double>::quiet_NaN();
    slot.params[param_id::SOUND_END].value = std::numeric_limits<double>::infinity();
    slot.params[param_id::GRAIN_RATE].controls[0] = {6, 0.5, {std::numeric_limits<double>::infinity(), 0, 0}};
    Patch out;
    ASSERT_TRUE(ParamSerializer::read(out, ParamSerializer::write(slot, MASK_ALL)));
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].value, defaultOf(param_id::GRAIN_RATE));
    EXPECT_EQ(out.params[param_id::SOUND_END].value, -1.0) << "no selection: the whole sound";
    EXPECT_EQ(out.params[param_id::GRAIN_RATE].controls[0].type, 0u) << "an inner controller without a source";
}

TEST(ParamSerializerRead, ATimestampOutsideItsRangeCountsButIsKept)
{
    Patch out;
    ASSERT_TRUE(read(out, R"({"timestamp": 5})"));
    EXPECT_EQ(out.params[TIMESTAMP].value, 5.0);
    EXPECT_FALSE(read(out, "{\"timestamp\": 5, " + outOfRangeMembers(14) + "}"));
}

TEST(ParamSerializerRead, StoredSelectionsSurvive)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(R"("sound.start": 44100, "sound.end": 4410000, "soundfile": "a.wav")")));
    EXPECT_EQ(out.params[param_id::SOUND_START].value, 44100);
    EXPECT_EQ(out.params[param_id::SOUND_END].value, 4410000);
    ASSERT_TRUE(read(out, slotText(R"("sound.start": -5, "sound.end": 800)")));
    EXPECT_EQ(out.params[param_id::SOUND_START].value, 0.0) << "negative frames are no selection";
}

TEST(ParamSerializerRead, AShortSelectionWithASoundMeansTheWholeSound)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(R"("sound.start": 1000, "sound.end": 1499, "soundfile": "a.wav")")));
    EXPECT_EQ(out.params[param_id::SOUND_END].value, -1.0);
    EXPECT_EQ(out.soundfile, L"a.wav");
    ASSERT_TRUE(read(out, slotText(R"("sound.start": 1000, "sound.end": 1500, "soundfile": "a.wav")")));
    EXPECT_EQ(out.params[param_id::SOUND_END].value, 1500);
    Patch soundless;
    ASSERT_TRUE(read(soundless, slotText(R"("sound.start": 1000, "sound.end": 1499)")));
    EXPECT_EQ(soundless.params[param_id::SOUND_END].value, 1499);
}

TEST(ParamSerializerRead, GrainDecayReadsAsStoredWithItsController)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(
        R"("grain.attack": 0.6, "grain.decay": 0.2, "grain.decay.controller.0": {"type": "midi", "amount": 0.5, "x": 1, "y": 0})")));
    EXPECT_DOUBLE_EQ(out.params[param_id::GRAIN_DECAY].value, 0.2);
    EXPECT_EQ(out.params[param_id::GRAIN_DECAY].controls[0], (ControlPatch{4, 0.5, {1, 0, 0}}));
    Patch missing;
    ASSERT_TRUE(read(missing, slotText(R"("grain.attack": 0.6)")));
    EXPECT_DOUBLE_EQ(missing.params[param_id::GRAIN_DECAY].value, 0.6) << "texts without a decay had a symmetric envelope";
    Patch outOfRange;
    ASSERT_TRUE(read(outOfRange, slotText(outOfRangeMembers(14) + R"(, "grain.decay": 7)"))) << "a decay repair is not counted";
    EXPECT_EQ(outOfRange.params[param_id::GRAIN_DECAY].value, defaultOf(param_id::GRAIN_DECAY));
}

TEST(ParamSerializerRead, ThePlayPositionReadsOnlyItsControllers)
{
    Patch out;
    ASSERT_TRUE(read(out, slotText(
        R"("sound.play_position": [1], "sound.play_position.controller.1": {"type": "lfo", "amount": 0.5, "skew": 0})")));
    EXPECT_EQ(out.params[param_id::PLAY_POSITION].value, 0.0);
    EXPECT_EQ(out.params[param_id::PLAY_POSITION].controls[1].type, LFO);
}

} // namespace
} // namespace korvel::veldro
