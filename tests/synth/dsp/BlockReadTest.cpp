#include "synth/dsp/Avx2.h"
#include "synth/dsp/BlockRead.h"
#include "synth/dsp/SoundReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace korvel::veldro {
namespace {

using Reader = void (*)(const float*, int, const double*, __m128d*, int);

// Every block length and channel count, against readPair frame by frame:
// the block readers must give the same bits, not merely close values.
void expectSameAsReadPair(Reader reader, int fewestChannels)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> values(-1.0f, 1.0f);
    std::uniform_real_distribution<double> positions(0.0, 990.0);
    for (int channels = fewestChannels; channels <= 3; ++channels) {
        std::vector<float> samples(1000 * channels);
        for (float& x : samples)
            x = values(random);
        for (int count = 1; count <= 8; ++count) {
            for (int round = 0; round < 50; ++round) {
                double at[8];
                for (double& p : at)
                    p = positions(random);
                at[0] = double(int(at[0])); // a whole position reads y1 itself
                __m128d frames[8];
                reader(samples.data(), channels, at, frames, count);
                for (int i = 0; i < count; ++i) {
                    const __m128d expected = readPair(samples.data(), channels, at[i]);
                    ASSERT_EQ(std::memcmp(&frames[i], &expected, sizeof expected), 0)
                        << channels << " channels, frame " << i << " of " << count;
                }
            }
        }
    }
}

TEST(ReadFrames, EveryPathGivesTheBitsOfReadPair)
{
    expectSameAsReadPair(readFrames, 1);
    expectSameAsReadPair(detail::readFramesSse2, 1);
    if (hasAvx2())
        expectSameAsReadPair(detail::readFramesAvx2, 2);
}

} // namespace
} // namespace korvel::veldro
