#include "synth/patches/PatchRig.h"

#include <gtest/gtest.h>

namespace korvel::veldro {
namespace {

using namespace test::patch_ids;

class PatchResetTest : public ::testing::Test {
protected:
    PatchResetTest()
    {
        r.setNonDefaults();
        r.set(DENSITY_COMPENSATION, 1.5);
        r.set(PATCH_RANDOM, 1.0);
        r.params().setParamImmediate(PATCH_SOUNDFILE, 0.0);
        r.params().setParamImmediate(PATCH_CONTROLS, 0.0);
        r.params().setParamImmediate(PATCH_GLOBALS, 1.0);
    }

    test::PatchRig r;
};

TEST_F(PatchResetTest, EverythingResetsAndTheDefaultMaskFollowsTheSwitches)
{
    EXPECT_EQ(r.params().getDefaultMask(), 2u | 4u | 16u | 64u);
    r.useSound();
    r.params().resetToDefaults(0.0, MASK_ALL);
    EXPECT_EQ(r.target(GRAIN_RATE), 20.0);
    EXPECT_EQ(r.target(FILTER_FREQ), 1200.0);
    EXPECT_EQ(r.target(ENVELOPE_LEVEL), 0.0);
    EXPECT_EQ(r.target(RATE_CONTROL_TYPE), 0.0);
    EXPECT_EQ(r.target(SOUND_END), test::PatchRig::SOUND_FRAMES);
    EXPECT_EQ(r.target(CHANGE_TIME), 1.0);
    EXPECT_EQ(r.target(DENSITY_COMPENSATION), 1.0);
    EXPECT_EQ(r.target(PATCH_RANDOM), 0.0);
    EXPECT_EQ(r.target(PATCH_SOUNDFILE), 1.0);
    EXPECT_EQ(r.target(PATCH_CONTROLS), 1.0);
    EXPECT_EQ(r.target(PATCH_GLOBALS), 0.0);
    EXPECT_EQ(r.params().getDefaultMask(), 15u);
    EXPECT_EQ(r.log, (test::ChangeLog{{2, MASK_ALL}}));
}

TEST_F(PatchResetTest, MaskWithoutGlobalsLeavesTheGlobalsAlone)
{
    r.params().resetToDefaults(0.0, MASK_ALL_BUT_GLOBALS & ~GROUP_ENVELOPE);
    EXPECT_EQ(r.target(GRAIN_RATE), 20.0);
    EXPECT_EQ(r.target(ENVELOPE_LEVEL), 0.7);
    EXPECT_EQ(r.target(RATE_CONTROL_TYPE), 0.0);
    for (int id : {CHANGE_TIME, DENSITY_COMPENSATION, PATCH_RANDOM, PATCH_SOUNDFILE, PATCH_CONTROLS, PATCH_GLOBALS})
        EXPECT_NE(r.target(id), getParamInfo(id).range.default_value) << id;
    EXPECT_EQ(r.log, (test::ChangeLog{{2, 15}}));
}

TEST_F(PatchResetTest, DefaultMaskWithGlobalsKeepsTheSwitchesAndControllers)
{
    r.params().resetToDefaults(0.0, MASK_DEFAULT); // 2 | 4 | 64 here
    EXPECT_EQ(r.target(GRAIN_RATE), 20.0);
    EXPECT_EQ(r.target(RATE_CONTROL_TYPE), LFO);
    EXPECT_EQ(r.target(CHANGE_TIME), 1.0);
    EXPECT_EQ(r.target(PATCH_RANDOM), 0.0);
    EXPECT_EQ(r.target(PATCH_GLOBALS), 1.0);
    EXPECT_EQ(r.target(PATCH_SOUNDFILE), 0.0);
}

TEST_F(PatchResetTest, ResetGlidesAndControllersFadeOut)
{
    r.rig.engine.running = true;
    r.params().resetToDefaults(2.0, GROUP_GRAIN | GROUP_CONTROLLERS);
    r.params().advance(1.0);
    EXPECT_DOUBLE_EQ(r.current(GRAIN_RATE), 50.0);
    const BaseParam& rate = r.params().getBaseParam(GRAIN_RATE);
    EXPECT_EQ(rate.controls[0][0].type, 0u);
    EXPECT_EQ(rate.controls[0][1].type, std::uint32_t(LFO));
    EXPECT_DOUBLE_EQ(rate.controls[0][1].amount.current, 0.25);
}

TEST_F(PatchResetTest, SoundEndTakesTheWholeSoundOrZero)
{
    r.params().resetToDefaults(0.0, GROUP_SOUND);
    EXPECT_EQ(r.target(SOUND_END), 0.0);
    r.useSound();
    r.params().resetToDefaults(0.0, GROUP_SOUND);
    EXPECT_EQ(r.target(SOUND_END), test::PatchRig::SOUND_FRAMES);
    EXPECT_EQ(r.target(GRAIN_RATE), 80.0);
}

} // namespace
} // namespace korvel::veldro
