#include "synth/dsp/Avx2.h"
#include "synth/dsp/FrameMix.h"
#include "synth/dsp/Lanes.h"
#include "synth/dsp/Shaping.h"

#include <gtest/gtest.h>

#include <random>

namespace korvel::veldro {
namespace {

using Mixer = void (*)(double*, const __m128d*, const double*, __m128d, int);

// Every block length, quiet blocks and blocks that reach the soft edge,
// against the sum written out value by value: the same bits are required.
void expectSameAsOneByOne(Mixer mixer)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> values(-1.0, 1.0);
    for (double loudness : {0.5, 1.6}) {
        for (int count = 1; count <= 8; ++count) {
            alignas(16) double mixed[16];
            double expected[16];
            __m128d frames[8];
            double e[8];
            const double gainL = values(random), gainR = values(random);
            for (int i = 0; i < 16; ++i)
                mixed[i] = expected[i] = values(random);
            for (int i = 0; i < count; ++i) {
                const double l = loudness * values(random), r = loudness * values(random);
                frames[i] = lanes::pairOf(l, r);
                e[i] = std::abs(values(random));
                expected[2 * i] += softEdge(l * (e[i] * gainL));
                expected[2 * i + 1] += softEdge(r * (e[i] * gainR));
            }
            mixer(mixed, frames, e, lanes::pairOf(gainL, gainR), count);
            for (int i = 0; i < 16; ++i)
                ASSERT_EQ(mixed[i], expected[i]) << "value " << i << " of a block of " << count;
        }
    }
}

TEST(MixFrames, EveryPathAddsTheSoftEdgedProducts)
{
    expectSameAsOneByOne(mixFrames);
    expectSameAsOneByOne(detail::mixFramesSse2);
    if (hasAvx2())
        expectSameAsOneByOne(detail::mixFramesAvx2);
}

} // namespace
} // namespace korvel::veldro
