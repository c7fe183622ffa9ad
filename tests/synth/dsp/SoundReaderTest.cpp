#include "synth/dsp/SoundReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace korvel::veldro {
namespace {

TEST(Interpolate, WholePositionReadsTheSecondPoint)
{
    EXPECT_EQ(interpolate(0.3f, -0.7f, 0.1f, 0.9f, 0.0), double(-0.7f));
}

TEST(Interpolate, KnownMidpoint)
{
    // c1 = 0, c2 = -2, c3 = -9, c4 = 15, c5 = -6.
    EXPECT_DOUBLE_EQ(interpolate(0.0f, 1.0f, 0.0f, 0.0f, 0.5), 0.5625);
}

TEST(Interpolate, ReproducesLinesExactly)
{
    for (double t : {0.0, 0.125, 0.5, 0.75, 0.999})
        EXPECT_DOUBLE_EQ(interpolate(2.0f, 3.0f, 4.0f, 5.0f, t), 3.0 + t);
}

TEST(Interpolate, MeetsTheNextPointAtFractionOne)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<float> values(-1.0f, 1.0f);
    for (int i = 0; i < 1000; ++i) {
        const float y0 = values(random), y1 = values(random), y2 = values(random), y3 = values(random);
        EXPECT_NEAR(interpolate(y0, y1, y2, y3, 1.0), y2, 1e-5);
    }
}

TEST(ReadInterpolated, StereoReadsBothChannelsMonoCopiesLeft)
{
    // Frames 0..4 of a stereo sound: left k, right -10k.
    std::vector<float> stereo;
    for (int k = 0; k < 5; ++k) {
        stereo.push_back(float(k));
        stereo.push_back(float(-10 * k));
    }
    double left = 0.0, right = 0.0;
    readInterpolated(stereo.data(), 2, 1.25, left, right);
    EXPECT_DOUBLE_EQ(left, 2.25);
    EXPECT_DOUBLE_EQ(right, -22.5);

    const std::vector<float> mono = {0.0f, 0.5f, 1.0f, 0.5f, 0.0f};
    readInterpolated(mono.data(), 1, 1.0, left, right);
    EXPECT_EQ(left, 1.0);
    EXPECT_EQ(right, left);
}

// The paired readers share work between lanes, never the result.
TEST(ReadPairs, EqualInterpolateOnEveryChannel)
{
    std::mt19937 random(9);
    std::uniform_real_distribution<float> values(-1.0f, 1.0f);
    std::uniform_real_distribution<double> positions(0.0, 990.0);
    for (int channels : {1, 2, 3}) {
        std::vector<float> frames(1000 * channels);
        for (float& x : frames)
            x = values(random);
        auto expected = [&](double position, int channel) {
            const int p = int(position);
            const float* y = frames.data() + p * channels + std::min(channel, channels - 1);
            return interpolate(y[0], y[channels], y[2 * channels], y[3 * channels], position - p);
        };
        for (int i = 0; i < 1000; ++i) {
            const double a = positions(random), b = positions(random);
            double left = 0.0, right = 0.0;
            readInterpolated(frames.data(), channels, a, left, right);
            ASSERT_EQ(left, expected(a, 0));
            ASSERT_EQ(right, expected(a, 1));
            if (channels < 2)
                continue;
            __m128d pairA, pairB;
            readTwoPairs(frames.data(), channels, a, b, pairA, pairB);
            double out[4];
            _mm_storeu_pd(out, pairA);
            _mm_storeu_pd(out + 2, pairB);
            ASSERT_EQ(out[0], expected(a, 0));
            ASSERT_EQ(out[1], expected(a, 1));
            ASSERT_EQ(out[2], expected(b, 0));
            ASSERT_EQ(out[3], expected(b, 1));
        }
    }
}

} // namespace
} // namespace korvel::veldro
