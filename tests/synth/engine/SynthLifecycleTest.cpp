#include "EngineRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvel::test {
namespace {

using veldro::Synth;

bool isSilent(const std::vector<float>& samples)
{
    for (float x : samples) {
        if (x != 0.0f)
            return false;
    }
    return true;
}

TEST(SynthLifecycle, ConstructionGivesAThousandIdleGrains)
{
    Synth synth;
    EXPECT_EQ(synth.getRunState(), Synth::NEW);
    EXPECT_EQ(synth.grainPoolSize(), 1000u);
    EXPECT_EQ(synth.activeGrainCount(), 0);
    EXPECT_FALSE(synth.isSoundReady());
    synth.setGrainPoolSize(500);
    EXPECT_EQ(synth.grainPoolSize(), 1000u);
    synth.setGrainPoolSize(1200);
    EXPECT_EQ(synth.grainPoolSize(), 1200u);
}

TEST(SynthLifecycle, RunStateTransitions)
{
    EngineRig rig;
    Synth& synth = rig.synth;
    EXPECT_EQ(synth.getRunState(), Synth::NEW); // suspend leaves a new engine as it is
    synth.resume();
    EXPECT_EQ(synth.getRunState(), Synth::RUNNING_WITHOUT_SOUND);
    synth.suspend();
    EXPECT_EQ(synth.getRunState(), Synth::SUSPENDED_WITHOUT_SOUND);
    synth.setSound(rig.sounds.constant(1000, 0.5f));
    EXPECT_EQ(synth.getRunState(), Synth::SUSPENDED_WITHOUT_SOUND); // installed, not started
    EXPECT_TRUE(synth.isSoundReady());
    synth.resume();
    EXPECT_EQ(synth.getRunState(), Synth::RUNNING_WITH_SOUND);
    synth.suspend();
    EXPECT_EQ(synth.getRunState(), Synth::SUSPENDED_WITH_SOUND);
    synth.suspend();
    EXPECT_EQ(synth.getRunState(), Synth::SUSPENDED_WITH_SOUND);

    Synth fresh;
    fresh.resume();
    fresh.setSound(rig.sounds.constant(1000, 0.5f));
    EXPECT_EQ(fresh.getRunState(), Synth::RUNNING_WITH_SOUND);
}

TEST(SynthLifecycle, OnlyARunningEngineWithASoundMakesSound)
{
    EngineRig rig;
    rig.render(512);
    EXPECT_TRUE(isSilent(rig.left));
    rig.synth.resume(); // running without a sound
    rig.render(512);
    EXPECT_TRUE(isSilent(rig.left));
    rig.synth.suspend();
    rig.synth.setSound(rig.sounds.constant(20000, 0.5f)); // suspended with a sound
    rig.render(512);
    EXPECT_TRUE(isSilent(rig.left) && isSilent(rig.right));
    EXPECT_EQ(rig.synth.activeGrainCount(), 0);
    rig.synth.resume();
    rig.render(512);
    EXPECT_FALSE(isSilent(rig.left));
    EXPECT_FALSE(isSilent(rig.right));
}

TEST(SynthLifecycle, ResumeStartsAGrainInTheFirstBlock)
{
    EngineRig rig;
    rig.start(rig.sounds.constant(20000, 0.5f));
    rig.render(1);
    ASSERT_EQ(rig.synth.activeGrainCount(), 1);
    // The first frame of a 4410-frame grain with a 2205-frame attack, panned to the middle.
    const double e = 0.5 + 0.5 * std::cos(std::numbers::pi - std::numbers::pi / 2205.0);
    const double gain = std::cos(std::numbers::pi / 4.0) * 0.93;
    EXPECT_FLOAT_EQ(rig.left[0], float(0.5 * (e * gain)));
    EXPECT_EQ(rig.left[0], rig.right[0]);
}

TEST(SynthLifecycle, ABlockWritesExactlyItsFrames)
{
    EngineRig rig;
    rig.start(rig.sounds.constant(20000, 0.5f));
    const float untouched = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> left(108, untouched), right(108, untouched);
    float* outputs[] = {left.data(), right.data()};
    rig.synth.render(outputs, 100);
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i])) << i;
    for (int i = 100; i < 108; ++i)
        EXPECT_TRUE(std::isnan(left[i]) && std::isnan(right[i])) << i;
}

// One grain starts per 8-frame block at most; the clock carries the rest.
TEST(SynthLifecycle, GrainRateIsHeldWithinItsLimits)
{
    const struct {
        double rate;
        int blocks;
        int expectedGrains;
    } cases[] = {
        {0.0, 5512, 1},          // 1/60 per second: only the grain of the resume within a second
        {10000.0, 1378, 1 + 500}, // 2000 per second for 0.25 s
        {400.0, 1378, 1 + 100},
    };
    for (const auto& c : cases) {
        EngineRig rig;
        rig.set(4, c.rate);
        rig.set(5, 10000.0); // ten-second grains: none ends
        rig.start(rig.sounds.constant(1000, 0.1f));
        rig.render(8 * c.blocks);
        EXPECT_NEAR(rig.synth.activeGrainCount(), c.expectedGrains, 1) << c.rate;
    }
}

TEST(SynthLifecycle, SetSoundResetsTheSelectionForTheHostToReread)
{
    EngineRig rig;
    veldro::SynthParams& params = rig.synth.getParams();
    std::vector<int> reported;
    params.setHostNotify([&](int id, float) { reported.push_back(id); });
    params.takeOwnChange();
    rig.synth.setSound(rig.sounds.constant(3000, 0.5f));
    EXPECT_EQ(params.getParam(0).second, 0.0);
    EXPECT_EQ(params.getParam(1).second, 3000.0);
    EXPECT_EQ(params.getParamNormalized(1), 1.0); // the whole sound on the host's axis
    EXPECT_TRUE(reported.empty()) << "no edit of the user's";
    EXPECT_TRUE(params.takeOwnChange());
}

} // namespace
} // namespace korvel::test
