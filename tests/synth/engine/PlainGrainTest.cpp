#include "EngineRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace korvel::test {
namespace {

struct Output {
    std::vector<float> left;
    std::vector<float> right;
};

// The same noise on every channel of a sound with `channels` channels.
Output renderNoiseOn(int channels)
{
    std::vector<float> noise(30000);
    std::mt19937 random(21);
    std::uniform_real_distribution<float> values(-1.0f, 1.0f);
    for (float& x : noise)
        x = values(random);
    EngineRig rig;
    rig.set(4, 150.0); // overlapping grains
    rig.set(8, 4.0);   // glide
    rig.set(12, 0.4);  // pan
    rig.start(rig.sounds.make(channels, 30000, [&](int frame, int) { return noise[frame]; }));
    rig.render(2 * 44100);
    return {rig.left, rig.right};
}

// Grains without effects of a sound with two or more channels render a block
// in one step of their own (on processors with AVX2); a mono sound goes the
// general way. With every channel equal they must give the same samples.
TEST(PlainGrains, EqualChannelsSoundExactlyAsTheMonoSound)
{
    const Output mono = renderNoiseOn(1);
    ASSERT_NE(*std::max_element(mono.left.begin(), mono.left.end()), 0.0f);
    for (int channels : {2, 3}) {
        const Output wide = renderNoiseOn(channels);
        for (std::size_t i = 0; i < mono.left.size(); ++i) {
            ASSERT_EQ(wide.left[i], mono.left[i]) << channels << " channels, frame " << i;
            ASSERT_EQ(wide.right[i], mono.right[i]) << channels << " channels, frame " << i;
        }
    }
}

} // namespace
} // namespace korvel::test
