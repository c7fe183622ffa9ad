#include "EngineRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace korvel::test {
namespace {

using veldro::Grain;

// The grain started by resume, after it has played the first 8 frames.
class GrainSpawnTest : public ::testing::Test {
protected:
    static double startPosition(const Grain& grain) { return grain.position - 8.0 * grain.increment; }

    const Grain& firstGrain(std::shared_ptr<audio::SoundPack> sound = nullptr)
    {
        rig.start(sound ? sound : rig.sounds.ramp(44100));
        rig.render(8);
        EXPECT_EQ(rig.synth.activeGrainCount(), 1);
        return *rig.synth.newestGrain();
    }

    EngineRig rig;
};

TEST_F(GrainSpawnTest, LengthFromGrainLength)
{
    const struct {
        double ms;
        int frames;
    } cases[] = {{100.0, 4410}, {50.0, 2425}, {0.1, 224}, {10000.0, 441000}, {250.0, 11025}};
    for (const auto& c : cases) {
        EngineRig fresh;
        fresh.set(5, c.ms);
        fresh.start(fresh.sounds.constant(1000, 0.5f));
        fresh.render(8);
        EXPECT_EQ(fresh.synth.newestGrain()->envelope.length, c.frames) << c.ms;
    }
}

TEST_F(GrainSpawnTest, PitchFromGrainFreq)
{
    const struct {
        double freq;
        std::uint32_t soundRate;
        double increment;
    } cases[] = {
        {1.0, 44100, 1.0},  {13.0, 44100, 2.0},  {0.5, 44100, 0.5}, {-1.0, 44100, -1.0},
        {0.01, 44100, 0.01}, {25.0, 22050, 2.0}, {-13.0, 88200, -4.0}, {37.0, 44100, 8.0},
    };
    for (const auto& c : cases) {
        EngineRig fresh;
        fresh.set(2, 0.0); // the play head stays at 0
        fresh.set(7, c.freq);
        fresh.start(fresh.sounds.make(1, 5000, [](int, int) { return 0.25f; }, c.soundRate));
        fresh.render(8);
        EXPECT_NEAR(fresh.synth.newestGrain()->increment, c.increment, 1e-12) << c.freq;
    }
}

TEST_F(GrainSpawnTest, GlideReachesItsIntervalAtTheEnd)
{
    rig.set(8, 12.0);
    const Grain& grain = firstGrain();
    EXPECT_NEAR(grain.incrementDelta * grain.envelope.length, 1.0, 1e-12);
    EXPECT_NEAR(grain.increment, 1.0 + 8.0 * grain.incrementDelta, 1e-12);
}

TEST_F(GrainSpawnTest, AttackAndDecayFrames)
{
    rig.set(9, 0.25);
    rig.set(10, 0.25);
    const Grain& grain = firstGrain();
    EXPECT_EQ(grain.envelope.attackEnd, 1102);
    EXPECT_EQ(grain.envelope.decayStart, 3307);

    EngineRig bounds;
    bounds.set(9, 0.0);
    bounds.set(10, 0.0);
    bounds.start(bounds.sounds.constant(1000, 0.5f));
    bounds.render(8);
    EXPECT_EQ(bounds.synth.newestGrain()->envelope.attackEnd, 16);
    EXPECT_EQ(bounds.synth.newestGrain()->envelope.decayStart, 4410 - 16);
}

// The play head moves first, then the grain starts at it: with play rate 1
// it has moved 8 frames.
TEST_F(GrainSpawnTest, StartsAtThePlayHead)
{
    const Grain& grain = firstGrain();
    EXPECT_EQ(startPosition(grain), 8.0);
    // The sound's sample at position p is frame p + 1 of the ramp.
    EXPECT_EQ(grain.soundFrames, 44100);
}

TEST_F(GrainSpawnTest, PositionModulationSpreadsAcrossTheSelection)
{
    const struct {
        double amount, start;
    } cases[] = {{1.0, 8500.0}, {-1.0, 7500.0}};
    for (const auto& c : cases) {
        EngineRig fresh;
        fresh.set(2, 0.0);
        fresh.start(fresh.sounds.ramp(10000));
        fresh.set(0, 1000.0);
        fresh.set(1, 9000.0);
        fresh.setInnerModulation(3, c.amount); // m = ±0.5: ±0.0625 of the selection
        fresh.synth.suspend();
        fresh.synth.resume();
        fresh.render(8 * 8); // next tick: the play head wraps from 0 to 8000
        fresh.synth.resume();
        fresh.render(8);
        EXPECT_EQ(startPosition(*fresh.synth.newestGrain()), c.start) << c.amount;
    }
}

TEST_F(GrainSpawnTest, AnEndAtZeroOrBelowSpreadsToTheEndOfTheSound)
{
    for (double end : {0.0, -100.0, 10000.0}) {
        EngineRig fresh;
        fresh.set(2, 0.0);
        fresh.start(fresh.sounds.ramp(10000));
        fresh.set(0, 1000.0);
        fresh.set(1, end);
        fresh.setInnerModulation(3, 1.0); // m = 0.5: 0.0625 of the selection past the play head
        fresh.synth.suspend();
        fresh.synth.resume();
        fresh.render(8 * 8); // next tick: the play head wraps from 0 to 9000
        fresh.synth.resume();
        fresh.render(8);
        EXPECT_EQ(startPosition(*fresh.synth.newestGrain()), 9562.5) << end;
    }
}

TEST_F(GrainSpawnTest, ASelectionShorterThan32FramesSpreadsFromFrameZero)
{
    rig.set(2, 0.0);
    rig.start(rig.sounds.ramp(1000));
    rig.set(0, 100.0);
    rig.set(1, 120.0);
    rig.setInnerModulation(3, 1.0);
    rig.render(64);
    rig.synth.resume();
    rig.render(8);
    // Play head at 100; the spread covers 0..120: 0.0625 * 120 = 7.5.
    EXPECT_EQ(startPosition(*rig.synth.newestGrain()), 107.5);
}

TEST_F(GrainSpawnTest, EmptySelectionStillReadsInsideTheSound)
{
    rig.start(rig.sounds.ramp(1000));
    rig.set(0, 300.0);
    rig.set(1, 300.0);
    rig.setInnerModulation(3, 1.0);
    for (int i = 0; i < 50; ++i) {
        rig.synth.resume();
        rig.render(64);
        const Grain& grain = *rig.synth.newestGrain();
        ASSERT_GE(grain.position, 0.0);
        ASSERT_LE(grain.position, 1000.0);
    }
}

TEST_F(GrainSpawnTest, DriveAndLoudness)
{
    const struct {
        double clip, drive, loudness;
    } cases[] = {{0.03, 0.0, 1.0}, {-10.0, -11.0, 0.666}, {0.5, 1.5, 0.75}, {30.0, 30.0, 0.666}};
    for (const auto& c : cases) {
        EngineRig fresh;
        fresh.set(13, c.clip);
        fresh.start(fresh.sounds.constant(1000, 0.5f));
        fresh.render(8);
        const Grain& grain = *fresh.synth.newestGrain();
        EXPECT_DOUBLE_EQ(grain.distortion.shaper.drive, c.drive) << c.clip;
        EXPECT_NEAR(std::hypot(grain.gainL, grain.gainR), 0.93 * c.loudness, 1e-12) << c.clip;
    }
}

TEST_F(GrainSpawnTest, PanModulationPastTheRightWrapsToTheLeft)
{
    rig.set(12, 1.0);
    rig.setInnerModulation(12, 1.0); // q = 0.5 (1 + 0.5) + 0.5 = 1.25 -> 0.25
    const Grain& grain = firstGrain();
    EXPECT_NEAR(grain.gainL, std::cos(std::numbers::pi / 8.0) * 0.93, 1e-12);
    EXPECT_NEAR(grain.gainR, std::sin(std::numbers::pi / 8.0) * 0.93, 1e-12);
}

TEST_F(GrainSpawnTest, DensityCompensation)
{
    // Density 80/s * 0.1 s * 0.5 = 4; compensation 2 is cubed: norm 1 / sqrt(32).
    rig.set(4, 80.0);
    rig.set(57, 2.0);
    const Grain& grain = firstGrain();
    EXPECT_NEAR(std::hypot(grain.gainL, grain.gainR), 0.93 / std::sqrt(32.0), 1e-12);
}

TEST_F(GrainSpawnTest, ToneAndBitDepth)
{
    rig.set(14, 8.0);
    rig.set(15, 20.0);
    const Grain& grain = firstGrain();
    EXPECT_EQ(grain.distortion.left.levels, 256.0);
    EXPECT_EQ(grain.distortion.right.levels, 256.0);
    EXPECT_DOUBLE_EQ(grain.distortion.tone, 0.7);

    EngineRig plain;
    plain.start(plain.sounds.constant(1000, 0.5f));
    plain.render(8);
    EXPECT_FALSE(plain.synth.newestGrain()->distortion.isOn()); // defaults: 14 bits, tone 50
}

TEST_F(GrainSpawnTest, Filters)
{
    rig.set(18, 0.5);
    rig.set(21, 5000.0);
    rig.set(22, 0.2);
    const Grain& grain = firstGrain();
    EXPECT_DOUBLE_EQ(grain.filterL.section1.f, 2.0 * std::sin(std::numbers::pi * 1200.0 / 44100.0));
    EXPECT_DOUBLE_EQ(grain.filterR.section2.f, 2.0 * std::sin(std::numbers::pi * 5000.0 / 44100.0));
    EXPECT_EQ(grain.filterL.section2.q, 0.2);
    EXPECT_DOUBLE_EQ(grain.filterL.dry, 0.6);

    EngineRig plain;
    plain.start(plain.sounds.constant(1000, 0.5f));
    plain.render(8);
    EXPECT_TRUE(plain.synth.newestGrain()->filterL.isBypassed());
}

TEST_F(GrainSpawnTest, DelayTap)
{
    rig.set(23, 100.0);
    rig.set(24, 0.5);
    const Grain& grain = firstGrain();
    EXPECT_EQ(grain.tap.delay, 2.0 * 4410.0); // twice the delay time, as stored patches expect
    EXPECT_EQ(grain.tap.feedback, 0.5);
    EXPECT_EQ(grain.tap.send, 0.5);

    EngineRig weak;
    weak.set(24, 0.02);
    weak.start(weak.sounds.constant(1000, 0.5f));
    weak.render(8);
    EXPECT_FALSE(weak.synth.newestGrain()->tap.isOn());
}

} // namespace
} // namespace korvel::test
