// What a host hears of the changes the plug-in makes by itself (a restore, a program change, a sound that
// finishes loading, the settings that follow a controller kind the host wrote): no automation, only a
// display update, sent from a call of the host's own and never from a thread of the plug-in's.
#include "QuillmarTestHost.h"

#include "audio/SoundPack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace korvel::test {
namespace {

using host::PluginInstance;

struct HeardCall {
    VstInt32 opcode;
    std::thread::id thread;
    // The host call it came from, or null.
    const char* within;
};

// The host's record, under a lock: a faulty instance calls from threads of its own. One instance at a time
// (the callback has no user pointer); this thread plays both the host's GUI and its audio thread.
std::mutex recordLock;
std::vector<HeardCall> heard;
const char* hostCallInProgress = nullptr;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    const std::lock_guard guard(recordLock);
    heard.push_back({opcode, std::this_thread::get_id(), hostCallInProgress});
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Marks what the host hears meanwhile as heard from inside that call.
class HostCall {
public:
    explicit HostCall(const char* name) {
        const std::lock_guard guard(recordLock);
        hostCallInProgress = name;
    }
    ~HostCall() {
        const std::lock_guard guard(recordLock);
        hostCallInProgress = nullptr;
    }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;
};

class PluginOwnChanges : public ::testing::Test {
protected:
    PluginOwnChanges() {
        plugin = std::make_unique<PluginInstance>(quillmarModule(), RATE, 512, recordingHost);
        plugin->resume();
        forget();
    }

    void restore(const std::string& chunk) {
        const HostCall call("setChunk");
        plugin->restoreChunk(chunk);
    }
    void process() {
        const HostCall call("processReplacing");
        renderBlocks(*plugin, 64, 64);
    }
    // Until the instance's own poller has installed the sound at path and finished what asked for it.
    void awaitSound(const std::filesystem::path& path) {
        const veldro::Synth& synth = processorOf(*plugin).getSynth();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        auto installed = [&] {
            const auto sound = synth.getCurrentSound();
            return sound && sound->name() == path.wstring() && synth.isSoundReady() && synth.unsettledRequests() == 0;
        };
        while (!installed() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        ASSERT_TRUE(installed());
    }
    // Starts the record afresh once the changes made so far have been told.
    void forget() {
        process();
        const std::lock_guard guard(recordLock);
        heard.clear();
    }

    // No automation, nothing from inside the host's setParameter, every call on this thread, and a
    // display update from the processing call that follows.
    void expectToldAsADisplayUpdateOnly() {
        process();
        const std::lock_guard guard(recordLock);
        const auto count = [](auto predicate) { return std::count_if(heard.begin(), heard.end(), predicate); };
        EXPECT_EQ(count([](const HeardCall& c) { return c.opcode == audioMasterAutomate; }), 0);
        EXPECT_EQ(count([](const HeardCall& c) { return c.within && std::string(c.within) == "setParameter"; }), 0);
        EXPECT_EQ(count([](const HeardCall& c) { return c.thread != std::this_thread::get_id(); }), 0);
        EXPECT_GE(count([](const HeardCall& c) {
                      return c.opcode == audioMasterUpdateDisplay && c.within &&
                             std::string(c.within) == "processReplacing";
                  }),
                  1);
    }

    ScratchFolder folder;
    std::unique_ptr<PluginInstance> plugin;
};

TEST_F(PluginOwnChanges, ARestore) {
    restore(demo::makeState({{1, folder.sound("a.wav", {220.0}), {{"grain.rate", 30.0}}}}));
    awaitSound(folder.file("a.wav"));
    // What a host saved: the options are in it too.
    const std::string saved = chunkOf(*plugin);
    forget();
    restore(saved);
    awaitSound(folder.file("a.wav"));
    expectToldAsADisplayUpdateOnly();
}

TEST_F(PluginOwnChanges, AProgramChange) {
    restore(demo::makeState({{1, folder.sound("a.wav", {220.0}), {{"grain.rate", 30.0}}},
                             {7, folder.sound("a.wav", {220.0}), {{"grain.rate", 90.0}}}}));
    awaitSound(folder.file("a.wav"));
    forget();
    {
        const HostCall call("processEvents");
        sendMidi(*plugin, {{0xC0, 7, 0}});
    }
    ASSERT_EQ(plugin->parameterText(4).display, "90.00000");
    expectToldAsADisplayUpdateOnly();
}

TEST_F(PluginOwnChanges, ASoundThatFinishesLoadingWithNoEditor) {
    const std::filesystem::path path = folder.sound("b.wav", {330.0});
    processorOf(*plugin).getSynth().loadSound(path.string(), {});
    awaitSound(path);
    expectToldAsADisplayUpdateOnly();
}

TEST_F(PluginOwnChanges, TheSettingsOfAControllerKindTheHostWrote) {
    constexpr VstInt32 RATE_PAD_KIND = 83;
    const float before = plugin->effect().getParameter(&plugin->effect(), RATE_PAD_KIND);
    {
        const HostCall call("setParameter");
        plugin->effect().setParameter(&plugin->effect(), RATE_PAD_KIND, 0.4f);
    }
    ASSERT_NE(plugin->effect().getParameter(&plugin->effect(), RATE_PAD_KIND), before);
    expectToldAsADisplayUpdateOnly();
}

}  // namespace
}  // namespace korvel::test
