// Sample rates from the host: only rates a host can mean are taken, a rate
// changed while the engine runs waits for the next resume, and no engine
// state carries anything from one rate to the next.
#include "EngineRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvel::test {
namespace {

constexpr int GRAIN_RATE = 4;
constexpr int GRAIN_LENGTH = 5;

double rms(const std::vector<float>& channel)
{
    double sum = 0.0;
    for (float v : channel)
        sum += double(v) * v;
    return std::sqrt(sum / double(channel.size()));
}

// Seeded noise grains with the delay fed back, as loud as a patch gets.
void startLoud(EngineRig& rig)
{
    rig.set(23, 300.0);
    rig.set(24, 0.9);
    rig.start(rig.sounds.noise(2, 20000, 9));
}

TEST(SampleRate, RatesNoHostMeansLeaveTheRateAsItIs)
{
    EngineRig rig;
    const double inf = std::numeric_limits<double>::infinity();
    for (double rate : {1.0, 10.0, 0.0, -44100.0, 7999.0, 768001.0, 1e7, 1e9, inf, std::nan("")}) {
        rig.synth.setSampleRate(rate);
        EXPECT_EQ(rig.synth.getSampleRate(), EngineRig::RATE) << rate;
    }
    for (double rate : {8000.0, 768000.0}) {
        rig.synth.setSampleRate(rate);
        EXPECT_EQ(rig.synth.getSampleRate(), rate);
    }
}

TEST(SampleRate, AStintAtOneHertzLeavesTheOutputAsLoudAsBefore)
{
    EngineRig reference;
    EngineRig stint;
    startLoud(reference);
    startLoud(stint);
    for (int block = 0; block < 100; ++block) {
        reference.render(512);
        stint.render(512);
    }
    // Set while it plays, as a broken project does.
    for (double rate : {1.0, 10.0, EngineRig::RATE}) {
        stint.synth.setSampleRate(rate);
        for (int block = 0; block < 20; ++block)
            stint.render(512);
    }
    for (int block = 0; block < 40; ++block) {
        reference.render(512);
        stint.render(512);
    }
    EXPECT_LT(rms(stint.left), 2.0 * rms(reference.left));
    EXPECT_LT(rms(stint.right), 2.0 * rms(reference.right));
}

TEST(SampleRate, ARateSetWhileRunningIsTakenAtTheNextResume)
{
    EngineRig rig;
    startLoud(rig);
    rig.render(512);
    rig.synth.setSampleRate(48000.0);
    EXPECT_EQ(rig.synth.getSampleRate(), EngineRig::RATE) << "the render may be using the delay memory";
    rig.render(512);
    rig.synth.suspend();
    rig.synth.resume();
    EXPECT_EQ(rig.synth.getSampleRate(), 48000.0);
}

// At 8 kHz the highest grain rate owes more grains than sub-blocks can
// start; once the rate is lowered, the debt must not keep grains coming.
TEST(SampleRate, LoweringTheGrainRateStopsNewGrainsAtOnce)
{
    EngineRig rig;
    rig.synth.setSampleRate(8000.0);
    rig.set(GRAIN_RATE, 2000.0);
    rig.set(GRAIN_LENGTH, 1.0);
    rig.start(rig.sounds.noise(1, 20000, 3));
    for (int block = 0; block < 16; ++block)
        rig.render(500);
    ASSERT_GT(rig.synth.activeGrainCount(), 0);
    rig.synth.getParams().setParam(GRAIN_RATE, 0.0, 0.0);
    for (int block = 0; block < 4; ++block)
        rig.render(200);
    EXPECT_EQ(rig.synth.activeGrainCount(), 0);
}

} // namespace
} // namespace korvel::test
