#include "EngineRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace korvel::test {
namespace {

constexpr int TOTAL_FRAMES = 3 * 44100;
constexpr int NOTE_FRAME = 20000; // a multiple of 8: never inside frames rendered ahead

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders the same stream, cut into host blocks of the given lengths in
// turn, with a keyboard note delivered in the block that holds its frame.
Stereo renderInBlocks(const std::vector<int>& blockLengths)
{
    EngineRig rig;
    rig.set(4, 150.0);  // overlapping grains
    rig.set(13, 4.0);   // overdrive
    rig.set(14, 6.0);   // crusher
    rig.set(18, 0.4);   // filter
    rig.set(23, 30.0);  // delay with feedback
    rig.set(24, 0.6);
    rig.set(2, -1.3);   // play head backwards
    rig.set(8, 5.0);    // glide
    rig.start(rig.sounds.noise(2, 30000, 99));
    Stereo out{std::vector<float>(TOTAL_FRAMES), std::vector<float>(TOTAL_FRAMES)};
    int frame = 0;
    bool noteSent = false;
    for (std::size_t b = 0; frame < TOTAL_FRAMES; ++b) {
        const int n = std::min(blockLengths[b % blockLengths.size()], TOTAL_FRAMES - frame);
        if (!noteSent && NOTE_FRAME < frame + n) {
            rig.synth.processMidiEvent({64, 0, veldro::NoteRecord::NOTE_ON, 100, NOTE_FRAME - frame});
            noteSent = true;
        }
        float* outputs[] = {out.left.data() + frame, out.right.data() + frame};
        rig.synth.render(outputs, n);
        frame += n;
    }
    return out;
}

TEST(BlockSize, OutputDoesNotDependOnTheHostsBlockLengths)
{
    const Stereo reference = renderInBlocks({8});
    ASSERT_NE(*std::max_element(reference.left.begin(), reference.left.end()), 0.0f);
    const std::vector<std::vector<int>> patterns = {{1}, {7}, {100}, {512}, {4096}, {3, 64, 13, 1, 999, 8, 5}};
    for (const auto& pattern : patterns) {
        const Stereo out = renderInBlocks(pattern);
        for (int i = 0; i < TOTAL_FRAMES; ++i) {
            ASSERT_EQ(out.left[i], reference.left[i]) << "blocks of " << pattern[0] << ", frame " << i;
            ASSERT_EQ(out.right[i], reference.right[i]) << "blocks of " << pattern[0] << ", frame " << i;
        }
    }
}

} // namespace
} // namespace korvel::test
