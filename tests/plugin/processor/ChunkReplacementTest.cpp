// The host's chunk is the whole state: a project, preset or undo step set
// into an instance in use leaves nothing of the state before it.
#include "QuillmarTestHost.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace korvel::test {
namespace {

using host::PluginInstance;

// The slots named in a state text.
std::vector<int> slotsIn(const std::string& text) {
    std::vector<int> slots;
    for (int i = 0; i < static_cast<int>(Processor::NUM_PATCH_SLOTS); ++i)
        if (text.find("\"patch." + std::to_string(i) + "\"") != std::string::npos) slots.push_back(i);
    return slots;
}

// Long enough for the grains of a sound taken away to end.
constexpr int TAIL_FRAMES = 16384;

// The level of the left channel's last TAIL_FRAMES frames.
double tailLevel(const Stereo& out) { return out.rms(out.left, out.left.size() - TAIL_FRAMES, out.left.size()); }

std::vector<int> range(int first, int last) {
    std::vector<int> slots;
    for (int i = first; i <= last; ++i) slots.push_back(i);
    return slots;
}

class QuillmarChunk : public ::testing::Test {
protected:
    // A state whose slots first..last each hold the sound with a rate of their own.
    std::string stateWithSlots(int first, int last) const {
        std::vector<demo::StoredSlot> slots;
        for (int i = first; i <= last; ++i)
            slots.push_back({i, folder.sound("a.wav", {220.0}), {{"grain.rate", 10.0 + i}}});
        return demo::makeState(slots);
    }

    ScratchFolder folder;
};

TEST_F(QuillmarChunk, SlotsTheNewChunkDoesNotNameAreEmpty) {
    PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
    plugin.restoreChunk(stateWithSlots(1, 20));
    ASSERT_EQ(slotsIn(chunkOf(plugin)), range(1, 20));
    plugin.restoreChunk(stateWithSlots(1, 5));
    EXPECT_EQ(slotsIn(chunkOf(plugin)), range(1, 5));
    const veldro::SynthParams& params = processorOf(plugin).getSynth().getParams();
    for (int i = 6; i <= 20; ++i) EXPECT_FALSE(params.hasPatch(i)) << "slot " << i;
    sendMidi(plugin, {{0xC0, 12, 0}});
    EXPECT_EQ(plugin.parameterText(4).display, "11.00000") << "a program change to an emptied slot recalls nothing";
}

TEST_F(QuillmarChunk, AJsonTextThatIsNoStateChangesNothing) {
    PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
    plugin.restoreChunk(stateWithSlots(1, 3));
    const std::string before = chunkOf(plugin);
    for (std::string text : {std::string("{\"not\": \"a state\"}"), std::string("{}")}) {
        EXPECT_EQ(plugin.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(text.size()), text.data()),
                  static_cast<VstIntPtr>(text.size()))
            << "answered as a chunk that does not parse is";
        EXPECT_EQ(chunkOf(plugin), before) << text;
    }
}

// What a chunk does not name does not play: without a live slot, or with one
// that names no sound, the instance is left without a sound, which the next
// chunk does not name either.
TEST_F(QuillmarChunk, AChunkWithoutALiveSlotLeavesNoLiveSound) {
    PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
    plugin.restoreChunk(stateWithSlots(1, 3));
    plugin.restoreChunk(stateWithSlots(7, 7));
    EXPECT_EQ(processorOf(plugin).getSynth().getCurrentSound(), nullptr);
    EXPECT_EQ(plugin.parameterText(4).display, "11.00000") << "the live parameters stay";
    const std::string chunk = chunkOf(plugin);
    EXPECT_EQ(slotsIn(chunk), (std::vector<int>{1, 7}));
    EXPECT_TRUE(processorOf(plugin).getSynth().getParams().getPatch(Processor::LIVE_SLOT).soundfile.empty());
}

TEST_F(QuillmarChunk, ALiveSlotWithoutASoundSilencesTheStateFilesSound) {
    std::ofstream(folder.file("veldro.json"), std::ios::binary) << stateWithSlots(1, 1);
    PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
    plugin.resume();
    ASSERT_GT(tailLevel(renderBlocks(plugin, 2 * TAIL_FRAMES, 512)), 0.01) << "the state file's sound plays";
    plugin.restoreChunk(demo::makeState({{1, {}, {{"grain.rate", 20.0}}}}));
    EXPECT_EQ(tailLevel(renderBlocks(plugin, 2 * TAIL_FRAMES, 512)), 0.0);
    EXPECT_EQ(chunkOf(plugin).find("a.wav"), std::string::npos);
}

}  // namespace
}  // namespace korvel::test
