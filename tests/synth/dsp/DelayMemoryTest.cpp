#include "synth/dsp/GrainBuffer.h"
#include "synth/dsp/OutputStage.h"
#include "synth/dsp/Shaping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace korvel::veldro {
namespace {

TEST(OutputStage, HoldsWholeBlocksOfTenSeconds)
{
    const struct {
        double rate;
        std::uint64_t frames;
    } cases[] = {{44100, 441000}, {48000, 480000}, {96000, 960000}, {22050, 220504}, {11025, 110256}};
    for (const auto& c : cases) {
        OutputStage stage;
        stage.resize(static_cast<std::uint64_t>(c.rate * 10.0));
        EXPECT_EQ(stage.length(), 2 * c.frames) << c.rate;
        EXPECT_EQ(stage.length() % 16, 0u);
    }
}

TEST(OutputStage, DrainsEightFramesAndClearsThem)
{
    OutputStage stage;
    stage.resize(64);
    stage.values()[0] = 0.25;
    stage.values()[1] = -0.5;
    stage.values()[14] = 0.95; // frame 7, left
    float left[8] = {0.125f}, right[8] = {};
    stage.process(left, right);
    EXPECT_EQ(left[0], 0.375f);
    EXPECT_EQ(right[0], -0.5f);
    EXPECT_EQ(left[7], float(softEdge(0.95)));
    EXPECT_EQ(stage.values()[0], 0.0);
    EXPECT_EQ(stage.values()[14], 0.0);
    EXPECT_EQ(stage.position(), 16u);
}

TEST(OutputStage, AddsToTheMixInDoubleAndRoundsOnce)
{
    OutputStage stage;
    stage.resize(64);
    // Half a float step of 1.0 and a little more: rounded to float first it
    // becomes an exact half step and the sum ties down to 1.0.
    const double memory = std::ldexp(1.0, -24) + std::ldexp(1.0, -50);
    stage.values()[0] = memory;
    float left[8] = {1.0f}, right[8] = {};
    stage.process(left, right);
    EXPECT_EQ(left[0], std::nextafter(1.0f, 2.0f));
}

TEST(OutputStage, ClipsLoudMemoryAndWrapsAfterTheLastBlock)
{
    OutputStage stage;
    stage.resize(16);
    for (std::uint64_t i = 0; i < stage.length(); ++i)
        stage.values()[i] = 40.0;
    float left[8] = {}, right[8] = {};
    stage.process(left, right);
    for (float x : left)
        EXPECT_LE(std::fabs(x), 1.0f);
    stage.process(left, right);
    EXPECT_EQ(stage.position(), 0u);
}

class TapTest : public ::testing::Test {
protected:
    TapTest() { stage.resize(64); }

    OutputStage stage;
    GrainBuffer tap;
};

TEST_F(TapTest, Settings)
{
    tap.setupTap(&stage, 10.0, 0.5, 0.5);
    EXPECT_EQ(tap.delay, 20.0);
    EXPECT_EQ(tap.feedback, 0.5);
    EXPECT_EQ(tap.send, 0.5);
    tap.setupTap(&stage, 1000.0, 3.0, -3.0);
    EXPECT_EQ(tap.delay, 128.0); // the whole memory
    EXPECT_EQ(tap.feedback, 0.95);
    EXPECT_EQ(tap.send, -0.95);
    tap.setupTap(&stage, 0.0, 0.02, 0.02);
    EXPECT_EQ(tap.delay, 1.0);
    EXPECT_FALSE(tap.isOn()); // a send below 0.03
    tap.setupTap(nullptr, 10.0, 0.5, 0.5);
    EXPECT_EQ(tap.feedback, 0.0);
    EXPECT_FALSE(tap.isOn());
}

// The echo lands trunc(2 d) frames after the current frame.
TEST_F(TapTest, WritesTwiceTheDelayAhead)
{
    tap.setupTap(&stage, 5.0, 0.5, 0.5);
    tap.process(1.0, 1.0, -1.0, 0.5, 2);
    const double* data = stage.values();
    for (std::uint64_t i = 0; i < stage.length(); ++i) {
        if (i == 24)
            EXPECT_DOUBLE_EQ(data[i], 0.5 * 0.5) << i; // (0 + 1) * 0.5 * 1.0, times the send
        else if (i == 25)
            EXPECT_DOUBLE_EQ(data[i], -0.25 * 0.5) << i;
        else
            EXPECT_EQ(data[i], 0.0) << i;
    }
}

TEST_F(TapTest, ReadsTheNextFrameAndWrapsAroundTheMemory)
{
    tap.setupTap(&stage, 31.5, 0.5, 0.5); // 63 frames: one short of the memory
    stage.values()[2 * 6] = 1.0;           // frame after the current one (frame 5)
    tap.process(0.0, 1.0, 0.0, 1.0, 5);
    // (1 + 0) * 0.5 at frame (5 + 63) mod 64 = 4.
    EXPECT_DOUBLE_EQ(stage.values()[8], 0.25);
}

TEST_F(TapTest, NeverStoresAValueThatIsNotFinite)
{
    tap.setupTap(&stage, 1.0, 0.5, 0.5);
    tap.process(std::numeric_limits<double>::quiet_NaN(), 1.0, 0.0, 1.0, 0);
    tap.process(std::numeric_limits<double>::infinity(), 1.0, 0.0, 1.0, 0);
    for (std::uint64_t i = 0; i < stage.length(); ++i)
        ASSERT_EQ(stage.values()[i], 0.0) << i;
    tap.setupTap(&stage, 1.0, 0.5, 0.5);
    tap.process(0.5, 1.0, 0.5, 1.0, 0);
    EXPECT_TRUE(std::isfinite(stage.values()[4]));
    EXPECT_NE(stage.values()[4], 0.0);
}

} // namespace
} // namespace korvel::veldro
