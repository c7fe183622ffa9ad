// A host plays MIDI program changes far faster than their sounds load:
// whatever order the loads finish in, the last program change wins, and the
// loads never take more than a few threads. The order that decides is forced:
// an overtaken load finishes last, after the last program change recalled a
// slot whose sound was ready.
#include "QuillmarTestHost.h"

#include "audio/AnalysisThreads.h"
#include "audio/SoundPack.h"
#include "support/ThreadCount.h"
#include "synth/SynthParamIds.h"
#include "synth/loading/LoadPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace korvel::test {
namespace {

using host::PluginInstance;

constexpr int SLOTS = 100;
// The slot the restored state plays.
constexpr int HOME = Processor::LIVE_SLOT;
constexpr int OVERTAKEN = HOME + 1;
constexpr int LAST_PROGRAM = 57;
constexpr int BLOCK = 64;
constexpr int NOTES = 8;
// Only for a fault that never gets there: a passing run gets there long before.
constexpr std::chrono::seconds WAIT_LIMIT{60};

// Holds each load whose file is read, on its pool thread, until released;
// released at the latest when the gate goes, so that no held load keeps the
// instance from closing.
class LoadGate {
public:
    explicit LoadGate(veldro::Synth& synth) {
        synth.setLoadFinishGate([state = state](const std::wstring& path) { state->hold(path); });
    }
    ~LoadGate() { release(); }
    LoadGate(const LoadGate&) = delete;
    LoadGate& operator=(const LoadGate&) = delete;

    bool holds(const std::wstring& path) const { return state->holds(path); }
    void release() { state->release(); }

private:
    struct State {
        std::mutex lock;
        std::condition_variable released;
        bool open = false;
        std::vector<std::wstring> held;

        void hold(const std::wstring& path) {
            std::unique_lock guard(lock);
            held.push_back(path);
            released.wait(guard, [this] { return open; });
        }
        bool holds(const std::wstring& path) {
            const std::lock_guard guard(lock);
            return std::find(held.begin(), held.end(), path) != held.end();
        }
        void release() {
            {
                const std::lock_guard guard(lock);
                open = true;
            }
            released.notify_all();
        }
    };
    // Shared with the gate the synthesizer keeps until it goes.
    std::shared_ptr<State> state = std::make_shared<State>();
};

// Slots 1..SLOTS, each with a sound of its own (links to one short file,
// which the loader takes for different files) and a grain rate of 100 + the slot.
class ProgramChangeStorm : public ::testing::Test {
protected:
    ProgramChangeStorm() {
        const std::filesystem::path chord = folder.sound("chord.wav", {110.0, 164.81});
        std::vector<demo::StoredSlot> slots;
        for (int slot = 1; slot <= SLOTS; ++slot) {
            const std::filesystem::path link = folder.file("slot-" + std::to_string(slot) + ".wav");
            std::filesystem::create_symlink(chord, link);
            slots.push_back({slot, link, {{"grain.length", 1000.0}, {"grain.rate", 100.0 + slot}}});
            sounds.push_back(link.wstring());
        }
        plugin.restoreChunk(demo::makeState(slots));
        plugin.resume();
        threadsBefore = peakThreads = testing_support::threadsOfThisProcess();
    }

    const std::wstring& soundOf(int slot) const { return sounds[static_cast<std::size_t>(slot - 1)]; }

    veldro::Synth& synth() { return processorOf(plugin).getSynth(); }

    std::wstring currentSound() {
        const auto sound = synth().getCurrentSound();
        return sound ? sound->name() : std::wstring();
    }

    // The host plays on, block by block, until done() or the limit; the peak
    // thread count goes into peakThreads.
    bool playUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + WAIT_LIMIT;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            renderBlocks(plugin, BLOCK, BLOCK);
            peakThreads = std::max(peakThreads, testing_support::threadsOfThisProcess());
        }
        return true;
    }

    bool settled() { return synth().unsettledRequests() == 0 && synth().isSoundReady(); }

    bool playUntilSettledOn(int slot) {
        return playUntil([&] { return settled() && currentSound() == soundOf(slot); });
    }

    void programChange(int program) { sendMidi(plugin, {{0xC0, static_cast<unsigned char>(program), 0}}); }

    ScratchFolder folder;
    std::vector<std::wstring> sounds;
    PluginInstance plugin{quillmarModule(), RATE, BLOCK};
    std::size_t threadsBefore = 0;
    std::size_t peakThreads = 0;
};

TEST_F(ProgramChangeStorm, AnOvertakenLoadFinishingLastLeavesTheLastProgramChangesSound) {
    // The last program's sound loads and stays cached; the home slot's sound plays again.
    programChange(LAST_PROGRAM);
    ASSERT_TRUE(playUntilSettledOn(LAST_PROGRAM));
    programChange(HOME);
    ASSERT_TRUE(playUntilSettledOn(HOME));

    std::vector<std::array<unsigned char, 3>> notes;
    for (int note = 0; note < NOTES; ++note) notes.push_back({0x90, static_cast<unsigned char>(48 + 3 * note), 100});
    sendMidi(plugin, notes);
    LoadGate gate(synth());
    // Its load is held once its file is read: it finishes after all that follows.
    programChange(OVERTAKEN);
    ASSERT_TRUE(playUntil([&] { return gate.holds(soundOf(OVERTAKEN)); }));
    // The storm: each load queues behind the held one, or is dropped as overtaken.
    for (int program = OVERTAKEN + 1; program <= SLOTS; ++program) {
        if (program == LAST_PROGRAM) continue;
        programChange(program);
        renderBlocks(plugin, BLOCK, BLOCK);
    }
    // Its sound is cached: the recall takes effect at once.
    programChange(LAST_PROGRAM);
    ASSERT_TRUE(playUntil([&] { return currentSound() == soundOf(LAST_PROGRAM); }));
    gate.release();
    ASSERT_TRUE(playUntil([&] { return settled(); }));
    // Playing goes on: nothing may change the sound any more.
    renderBlocks(plugin, 100 * BLOCK, BLOCK);

    EXPECT_EQ(currentSound(), soundOf(LAST_PROGRAM));
    EXPECT_EQ(synth().getParams().getParam(veldro::param_id::GRAIN_RATE).second, 100.0 + LAST_PROGRAM);
    chunkOf(plugin);
    EXPECT_EQ(synth().getParams().getPatch(Processor::LIVE_SLOT).soundfile, soundOf(LAST_PROGRAM))
        << "the saved live state names the sound that plays";
    // Loads on the pool, analyses within their own cap: never one thread per request.
    const std::size_t addedThreads = peakThreads - threadsBefore;
    EXPECT_LE(addedThreads, veldro::LoadPool::defaultLimit() + std::size_t(audio::AnalysisThreads::limit()));
    RecordProperty("threads_added", static_cast<int>(addedThreads));
}

TEST_F(ProgramChangeStorm, AProgramChangeBeforeAnInstalledSoundIsTakenUpKeepsItsOwnSound) {
    ASSERT_TRUE(playUntilSettledOn(HOME));
    // The poller installs the other slot's sound while no block renders: the audio thread still
    // plays the home slot's sound when the program change back to it arrives.
    programChange(OVERTAKEN);
    const auto deadline = std::chrono::steady_clock::now() + WAIT_LIMIT;
    while (!(settled() && currentSound() == soundOf(OVERTAKEN))) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::yield();
    }
    programChange(HOME);
    ASSERT_TRUE(playUntil([&] { return settled(); }));
    renderBlocks(plugin, 10 * BLOCK, BLOCK);

    EXPECT_EQ(currentSound(), soundOf(HOME));
    EXPECT_EQ(synth().getParams().getParam(veldro::param_id::GRAIN_RATE).second, 100.0 + HOME);
}

}  // namespace
}  // namespace korvel::test
