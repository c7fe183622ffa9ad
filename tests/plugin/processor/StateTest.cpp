// States through the host's chunk and the state file: a restored live slot
// plays once its sound has loaded, with no editor (at once for a host that
// renders offline), and MIDI program changes recall slots.
#include "QuillmarTestHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace korvel::test {
namespace {

using host::PluginInstance;

// A host that renders offline: a restore or program change has taken effect when the call returns.
const audioMasterCallback OFFLINE = PluginInstance::offlineHostCallback;

bool isSilent(const Stereo& out) {
    return out.rms(out.left, 0, out.left.size()) == 0 && out.rms(out.right, 0, out.right.size()) == 0;
}

bool playsOnBothChannels(const Stereo& out) {
    return out.rms(out.left, 0, out.left.size()) > 0.01 && out.rms(out.right, 0, out.right.size()) > 0.01;
}

class QuillmarState : public ::testing::Test {
protected:
    std::string twoSlotState() const {
        return demo::makeState({{1, folder.sound("a.wav", {220.0}), {{"grain.rate", 30.0}}},
                                {7, folder.sound("a.wav", {220.0}), {{"grain.rate", 90.0}, {"grain.pan", 0.5}}}});
    }

    ScratchFolder folder;
};

TEST_F(QuillmarState, ChunkRoundTripsThroughASecondInstance) {
    PluginInstance first(quillmarModule(), RATE, 512, OFFLINE);
    first.restoreChunk(twoSlotState());
    const std::string text = chunkOf(first);
    EXPECT_NE(text.find("\"patch.7\""), std::string::npos);

    PluginInstance second(quillmarModule(), RATE, 512, OFFLINE);
    second.restoreChunk(text);
    EXPECT_EQ(chunkOf(second), text);
    for (VstInt32 index = 0; index < 180; ++index)
        EXPECT_EQ(second.effect().getParameter(&second.effect(), index),
                  first.effect().getParameter(&first.effect(), index))
            << index;
}

TEST_F(QuillmarState, ARestoredLiveStateKeepsItsStoreTimeUntilItChanges) {
    PluginInstance first(quillmarModule(), RATE, 512, OFFLINE);
    first.restoreChunk(twoSlotState());
    // An old store time in slot 1, so that a live state stored again at getChunk would show.
    std::string state = chunkOf(first);
    const std::string timestamp = "\"timestamp\": ";
    const std::size_t at = state.find(timestamp, state.find("\"patch.1\"")) + timestamp.size();
    state.replace(at, state.find('\n', at) - at, "1000000000");

    PluginInstance second(quillmarModule(), RATE, 512, OFFLINE);
    second.restoreChunk(state);
    EXPECT_TRUE(chunkOf(second) == state);
    second.effect().setParameter(&second.effect(), 4, 0.75f);
    EXPECT_EQ(chunkOf(second).find(timestamp + "1000000000"), std::string::npos);
}

TEST_F(QuillmarState, AChunkThatDoesNotParseChangesNothing) {
    PluginInstance plugin(quillmarModule(), RATE, 512, OFFLINE);
    plugin.restoreChunk(twoSlotState());
    const std::string before = chunkOf(plugin);
    const std::string display = plugin.parameterText(4).display;
    std::string garbage = "{\"patch.1\": [unfinished";
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(garbage.size()), garbage.data()),
              static_cast<VstIntPtr>(garbage.size()));
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, -5, garbage.data()), 0);
    EXPECT_EQ(chunkOf(plugin), before);
    EXPECT_EQ(plugin.parameterText(4).display, display);
}

TEST_F(QuillmarState, ARestoredLiveSlotPlaysWithoutAnyEditorCall) {
    PluginInstance plugin(quillmarModule(), RATE, 512);
    plugin.resume();
    EXPECT_TRUE(isSilent(renderBlocks(plugin, 4096, 512))) << "no sound yet";
    // The host's GUI thread, not the one that renders.
    std::thread([&] { plugin.restoreChunk(twoSlotState()); }).join();
    // The sound loads on a worker; the instance's own poller installs it and finishes the recall.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (processorOf(plugin).getSynth().unsettledRequests() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(plugin.parameterText(1).display, "44100.00");  // sound.end: the whole sound
    EXPECT_EQ(plugin.parameterText(4).display, "30.00000");
    EXPECT_TRUE(playsOnBothChannels(renderBlocks(plugin, 8192, 512)));
}

TEST_F(QuillmarState, TheStateFileRestoresTheLiveSlotAtCreation) {
    std::ofstream(folder.file("veldro.json"), std::ios::binary) << twoSlotState();
    PluginInstance plugin(quillmarModule(), RATE, 512, OFFLINE);
    plugin.resume();
    EXPECT_TRUE(playsOnBothChannels(renderBlocks(plugin, 8192, 512)));
    EXPECT_EQ(plugin.parameterText(4).display, "30.00000");
}

TEST_F(QuillmarState, AStateWithoutALiveSlotStaysSilent) {
    PluginInstance plugin(quillmarModule(), RATE, 512, OFFLINE);
    plugin.restoreChunk(demo::makeState({{7, folder.sound("a.wav", {220.0}), {}}}));
    plugin.resume();
    EXPECT_TRUE(isSilent(renderBlocks(plugin, 4096, 512)));
}

TEST_F(QuillmarState, ProgramChangeRecallsTheSlotOfThatNumber) {
    PluginInstance plugin(quillmarModule(), RATE, 512, OFFLINE);
    plugin.restoreChunk(twoSlotState());
    sendMidi(plugin, {{0xC0, 7, 0}});
    EXPECT_EQ(plugin.parameterText(4).display, "90.00000");
    EXPECT_EQ(plugin.parameterText(12).display, "0.500000");
    sendMidi(plugin, {{0xC3, 1, 0}});  // any channel
    EXPECT_EQ(plugin.parameterText(4).display, "30.00000");
    sendMidi(plugin, {{0xC0, 99, 0}});  // an empty slot
    EXPECT_EQ(plugin.parameterText(4).display, "30.00000");
}

TEST_F(QuillmarState, ProgramChangeToASlotWithAnotherSoundTakesEffectWithNoEditor) {
    PluginInstance plugin(quillmarModule(), RATE, 512);
    plugin.restoreChunk(demo::makeState({{1, folder.sound("a.wav", {220.0}), {{"grain.rate", 30.0}}},
                                         {7, folder.sound("b.wav", {330.0}, 2.0), {{"grain.rate", 90.0}}}}));
    plugin.resume();
    sendMidi(plugin, {{0xC0, 7, 0}});
    // The new sound loads on a worker; the instance's own poller installs it and finishes the recall.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool changed = false;
    while (!changed && std::chrono::steady_clock::now() < deadline) {
        renderBlocks(plugin, 512, 512);
        changed = plugin.parameterText(1).display == "88200.00" && plugin.parameterText(4).display == "90.00000";
        if (!changed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(changed);
    EXPECT_TRUE(playsOnBothChannels(renderBlocks(plugin, 8192, 512)));
}

}  // namespace
}  // namespace korvel::test
