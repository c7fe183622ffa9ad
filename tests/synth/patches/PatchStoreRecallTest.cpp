#include "synth/patches/PatchRig.h"

#include "audio/SoundPack.h"

#include <gtest/gtest.h>

#include <chrono>

namespace korvel::veldro {
namespace {

using namespace test::patch_ids;

double now()
{
    using namespace std::chrono;
    return double(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

class PatchSlotTest : public ::testing::Test {
protected:
    test::PatchRig r;
};

TEST_F(PatchSlotTest, SlotsAreEmptyUntilStoredAndDroppedWhenShrunk)
{
    for (int i : {-1, 0, 5, 129, 130})
        EXPECT_FALSE(r.params().hasPatch(i)) << i;
    r.params().storePatch(5, false, MASK_ALL);
    r.params().storePatch(130, false, MASK_ALL);
    r.params().storePatch(-1, false, MASK_ALL);
    EXPECT_TRUE(r.params().hasPatch(5));
    EXPECT_EQ(r.params().getPatchCount(), 130u);
    r.params().setPatchCount(4);
    r.params().setPatchCount(10);
    EXPECT_FALSE(r.params().hasPatch(5));
}

TEST_F(PatchSlotTest, EmptyAndMissingSlotsRecallNothing)
{
    r.set(GRAIN_RATE, 33.0);
    for (int i : {-1, 3, 130})
        r.params().applyPatch(i, 0.0, MASK_ALL);
    EXPECT_EQ(r.target(GRAIN_RATE), 33.0);
    EXPECT_TRUE(r.log.empty());
}

TEST_F(PatchSlotTest, StoreKeepsTargetsOrCurrentValuesWithTimeAndSound)
{
    r.rig.engine.running = true;
    r.params().setParam(GRAIN_RATE, 80.0, 2.0);
    r.set(CHANGE_TIME, 4.0);
    const double before = now();
    r.params().storePatch(1, true, MASK_ALL_BUT_GLOBALS);
    r.params().storePatch(2, false, MASK_ALL);
    const Patch& current = r.params().getPatch(1);
    const Patch& targets = r.params().getPatch(2);
    EXPECT_EQ(current.params[GRAIN_RATE].value, 20.0);
    EXPECT_EQ(targets.params[GRAIN_RATE].value, 80.0);
    EXPECT_GE(targets.storeTime(), before);
    EXPECT_LE(targets.storeTime(), now());
    EXPECT_EQ(current.params[CHANGE_TIME].value, 0.0);
    EXPECT_EQ(targets.params[CHANGE_TIME].value, 4.0);
    EXPECT_TRUE(r.log.empty());
}

TEST_F(PatchSlotTest, StoreTakesTheCurrentSoundNameOrKeepsTheSlotsOwn)
{
    r.params().editPatch(3).soundfile = L"/earlier.wav";
    r.params().storePatch(3, false, MASK_ALL);
    EXPECT_EQ(r.params().getPatch(3).soundfile, L"/earlier.wav");
    r.useSound();
    r.params().storePatch(3, false, MASK_ALL);
    EXPECT_EQ(r.params().getPatch(3).soundfile, r.soundName());
}

struct MaskCase {
    std::uint32_t mask;
    bool grain, effects, envelope, controllers;
};

class RecallMaskTest : public ::testing::TestWithParam<MaskCase> {
protected:
    test::PatchRig r;
};

TEST_P(RecallMaskTest, RecallRestoresTheGroupsOfItsMask)
{
    const MaskCase& c = GetParam();
    r.setNonDefaults();
    r.params().storePatch(1, false, MASK_ALL);
    r.set(GRAIN_RATE, 30.0);
    r.set(FILTER_FREQ, 500.0);
    r.set(ENVELOPE_LEVEL, 0.2);
    r.set(RATE_CONTROL_TYPE, 0);
    r.set(CHANGE_TIME, 9.0);

    r.params().applyPatch(1, 0.0, c.mask);
    EXPECT_EQ(r.target(GRAIN_RATE), c.grain ? 80.0 : 30.0);
    EXPECT_EQ(r.target(FILTER_FREQ), c.effects ? 3000.0 : 500.0);
    EXPECT_EQ(r.target(ENVELOPE_LEVEL), c.envelope ? 0.7 : 0.2);
    EXPECT_EQ(r.target(RATE_CONTROL_TYPE), c.controllers ? LFO : 0.0);
    EXPECT_EQ(r.target(CHANGE_TIME), 9.0); // globals never come from a slot
    EXPECT_EQ(r.log, (test::ChangeLog{{2, c.mask | CHANGED_BY_HOST}}));
}

// Without bit 8 every value of the range is recalled, whatever its group;
// the effect parameters belong to the grain group too.
INSTANTIATE_TEST_SUITE_P(Masks, RecallMaskTest,
                         ::testing::Values(MaskCase{2, true, true, false, false},
                                           MaskCase{2 | 16, true, true, true, false},
                                           MaskCase{8 | 2, true, true, false, true},
                                           MaskCase{8 | 4, false, true, false, false},
                                           MaskCase{8 | 16, false, false, true, false},
                                           MaskCase{15, true, true, false, true},
                                           MaskCase{31, true, true, true, true},
                                           MaskCase{127, true, true, true, true}),
                         [](const auto& info) { return "Mask" + std::to_string(info.param.mask); });

TEST_F(PatchSlotTest, RecallGlidesOverTheChangeTime)
{
    r.set(GRAIN_RATE, 80.0);
    r.set(RATE_CONTROL_TYPE, LFO);
    r.set(RATE_CONTROL_AMOUNT, 0.6);
    r.params().storePatch(1, false, MASK_ALL);
    r.set(GRAIN_RATE, 30.0);
    r.set(RATE_CONTROL_AMOUNT, 0.2);
    r.rig.engine.running = true;
    r.params().applyPatch(1, 2.0, 15);
    r.params().advance(1.0);
    EXPECT_DOUBLE_EQ(r.current(GRAIN_RATE), 55.0);
    EXPECT_DOUBLE_EQ(r.current(RATE_CONTROL_AMOUNT), 0.4);
    r.params().advance(1.0);
    EXPECT_DOUBLE_EQ(r.current(GRAIN_RATE), 80.0);
}

TEST_F(PatchSlotTest, NegativeTimeTakesTheChangeTimeWhileRunningAndJumpsWhenStopped)
{
    r.set(GRAIN_RATE, 80.0);
    r.params().storePatch(1, false, MASK_ALL);
    r.set(GRAIN_RATE, 30.0);
    r.set(CHANGE_TIME, 4.0);
    r.rig.engine.running = true;
    r.params().applyPatch(1, -1.0, 15);
    EXPECT_DOUBLE_EQ(r.params().getBaseParam(GRAIN_RATE).value.rate, 50.0 / 4.0);
    r.set(GRAIN_RATE, 30.0);
    r.rig.engine.running = false;
    r.params().applyPatch(1, -1.0, 15);
    EXPECT_EQ(r.current(GRAIN_RATE), 80.0);
}

TEST_F(PatchSlotTest, DefaultMaskStandsIn)
{
    r.set(ENVELOPE_LEVEL, 0.7);
    r.params().storePatch(1, false, MASK_ALL);
    r.set(ENVELOPE_LEVEL, 0.2);
    r.params().applyPatch(1, 0.0, MASK_DEFAULT); // 15: no envelope
    EXPECT_EQ(r.target(ENVELOPE_LEVEL), 0.2);
    EXPECT_EQ(r.log, (test::ChangeLog{{2, 15 | CHANGED_BY_HOST}}));
}

struct RangeCase {
    const char* what;
    std::uint32_t mask;
    double storedStart, storedEnd, liveStart, liveEnd;
    double start, end;
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.what; }

class SoundRangeTest : public ::testing::TestWithParam<RangeCase> {
protected:
    test::PatchRig r;
};

TEST_P(SoundRangeTest, RecalledRangeFitsTheSound)
{
    const RangeCase& c = GetParam();
    r.useSound();
    Patch& slot = r.params().editPatch(1);
    slot.soundfile = r.soundName();
    slot.params[Patch::TIMESTAMP].value = 1.7e9;
    slot.params[0].value = c.storedStart;
    slot.params[1].value = c.storedEnd;
    r.set(0, c.liveStart);
    r.set(1, c.liveEnd);
    r.params().applyPatch(1, 0.0, c.mask);
    EXPECT_EQ(r.target(0), c.start);
    EXPECT_EQ(r.target(1), c.end);
    EXPECT_TRUE(r.loader.requests.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, SoundRangeTest,
    ::testing::Values(RangeCase{"StoredRange", 3, 200, 800, 100, 900, 200, 800},
                      RangeCase{"LiveRange", 1, 200, 800, 300, 700, 300, 700},
                      RangeCase{"LiveStartNearTheEnd", 1, 200, 800, 950, 990, 0, 990},
                      RangeCase{"StartInLastHundred", 3, 950, 1000, 0, 1000, 0, 1000},
                      RangeCase{"EndZeroIsWholeSound", 3, 200, 0, 0, 1000, 200, 1000},
                      RangeCase{"EndPastTheSound", 3, 200, 5000, 0, 1000, 200, 1000},
                      RangeCase{"TooShort", 3, 500, 550, 0, 1000, 500, 1000},
                      RangeCase{"NoSoundBitLeavesRange", 2, 200, 800, 950, 990, 950, 990}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(PatchSlotTest, WithoutSoundTheRangeGlidesToZero)
{
    r.params().storePatch(1, false, MASK_ALL);
    r.set(0, 100.0);
    r.set(1, 900.0);
    r.params().applyPatch(1, 0.0, 2);
    EXPECT_EQ(r.target(0), 0.0);
    EXPECT_EQ(r.target(1), 0.0);
}

TEST_F(PatchSlotTest, SlotOfAnotherSoundIsHandedToTheLoaderUntouched)
{
    r.useSound();
    r.set(GRAIN_RATE, 80.0);
    r.params().storePatch(4, false, MASK_ALL);
    r.params().editPatch(4).soundfile = L"/other.wav";
    r.set(GRAIN_RATE, 30.0);
    r.set(CHANGE_TIME, 3.0);
    r.rig.engine.running = true;
    r.params().applyPatch(4, -1.0, MASK_DEFAULT);
    r.params().applyPatch(4, -1.0, 15 | CONTROLLER_TYPE_CHANGED);
    const test::RecordingSlotLoader::Request expected{L"/other.wav", 4, 3.0, 15 | CHANGED_BY_HOST};
    EXPECT_EQ(r.loader.requests, (std::vector{expected, expected}));
    EXPECT_EQ(r.target(GRAIN_RATE), 30.0);
    EXPECT_TRUE(r.log.empty());
    // Each recall is a request of its own, the latest one until the next.
    ASSERT_EQ(r.loader.numbers.size(), 2u);
    EXPECT_LT(r.loader.numbers[0], r.loader.numbers[1]);
    EXPECT_TRUE(r.params().isLatestRequest(r.loader.numbers[1]));

    // Without the sound bit the sound is not looked at.
    r.params().applyPatch(4, 0.0, 2);
    EXPECT_EQ(r.loader.requests.size(), 2u);
    EXPECT_EQ(r.target(GRAIN_RATE), 80.0);
    EXPECT_FALSE(r.params().isLatestRequest(r.loader.numbers[1]));
}

TEST_F(PatchSlotTest, WithoutLoaderAnotherSoundsSlotChangesNothing)
{
    r.params().setSoundLoader(nullptr);
    r.set(GRAIN_RATE, 80.0);
    r.params().storePatch(4, false, MASK_ALL);
    r.params().editPatch(4).soundfile = L"/other.wav";
    r.set(GRAIN_RATE, 30.0);
    r.params().applyPatch(4, 0.0, MASK_ALL);
    EXPECT_EQ(r.target(GRAIN_RATE), 30.0);
}

} // namespace
} // namespace korvel::veldro
