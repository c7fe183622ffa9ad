// A host plays MIDI program changes far faster than their sounds load:
// whatever order the loads finish in, the last program change wins, and the
// loads never take more than a few threads.
#include "QuillmarTestHost.h"

#include "audio/AnalysisThreads.h"
#include "audio/SoundPack.h"
#include "support/ThreadCount.h"
#include "synth/SynthParamIds.h"
#include "synth/loading/LoadPool.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace korvel::test {
namespace {

using host::PluginInstance;

constexpr int SLOTS = 100;
constexpr int LAST_PROGRAM = 57;
constexpr int BLOCK = 64;
constexpr int NOTES = 8;
// Long sounds: each load takes far longer than the hundred blocks of program changes.
#ifdef __SANITIZE_THREAD__
constexpr double SOUND_SECONDS = 4.0;
constexpr int ROUNDS = 2;
#else
constexpr double SOUND_SECONDS = 60.0;
constexpr int ROUNDS = 4;
#endif
// Only for a fault that never settles: a round that passes settles long before.
constexpr std::chrono::seconds SETTLE_LIMIT{120};

// Slots 1..SLOTS, each with a sound of its own (links to one long file, which
// the loader takes for different files) and a grain rate of 100 + the slot.
class ProgramChangeStorm : public ::testing::Test {
protected:
    ProgramChangeStorm() {
        const std::filesystem::path chord = folder.sound("long.wav", {110.0, 164.81}, SOUND_SECONDS);
        std::vector<demo::StoredSlot> slots;
        for (int slot = 1; slot <= SLOTS; ++slot) {
            const std::filesystem::path link = folder.file("slot-" + std::to_string(slot) + ".wav");
            std::filesystem::create_symlink(chord, link);
            slots.push_back({slot, link, {{"grain.length", 1000.0}, {"grain.rate", 100.0 + slot}}});
            sounds.push_back(link.wstring());
        }
        state = demo::makeState(slots);
    }

    const std::wstring& soundOf(int slot) const { return sounds[static_cast<std::size_t>(slot - 1)]; }

    static std::wstring currentSoundOf(PluginInstance& plugin) {
        const auto sound = processorOf(plugin).getSynth().getCurrentSound();
        return sound ? sound->name() : std::wstring();
    }

    // Program changes 1..SLOTS, one per block, then LAST_PROGRAM; renders on
    // until no load or recall is left. Returns the peak thread count above
    // the one before the first program change.
    std::size_t playStorm(PluginInstance& plugin) {
        veldro::Synth& synth = processorOf(plugin).getSynth();
        const std::size_t before = testing_support::threadsOfThisProcess();
        std::size_t peak = before;
        std::vector<std::array<unsigned char, 3>> notes;
        for (int note = 0; note < NOTES; ++note) notes.push_back({0x90, static_cast<unsigned char>(48 + 3 * note), 100});
        sendMidi(plugin, notes);
        for (int program = 1; program <= SLOTS; ++program) {
            sendMidi(plugin, {{0xC0, static_cast<unsigned char>(program), 0}});
            renderBlocks(plugin, BLOCK, BLOCK);
            peak = std::max(peak, testing_support::threadsOfThisProcess());
        }
        sendMidi(plugin, {{0xC0, LAST_PROGRAM, 0}});
        const auto deadline = std::chrono::steady_clock::now() + SETTLE_LIMIT;
        do {
            renderBlocks(plugin, BLOCK, BLOCK);
            peak = std::max(peak, testing_support::threadsOfThisProcess());
        } while ((synth.unsettledRequests() > 0 || !synth.isSoundReady()) && std::chrono::steady_clock::now() < deadline);
        // Playing goes on: nothing may change the sound any more.
        renderBlocks(plugin, 100 * BLOCK, BLOCK);
        return peak - before;
    }

    void expectLastProgramEveryRound() {
        for (int round = 0; round < ROUNDS; ++round) {
            PluginInstance plugin(quillmarModule(), RATE, BLOCK);
            plugin.restoreChunk(state);
            plugin.resume();
            const std::size_t addedThreads = playStorm(plugin);
            EXPECT_EQ(currentSoundOf(plugin), soundOf(LAST_PROGRAM)) << "round " << round;
            EXPECT_EQ(processorOf(plugin).getSynth().getParams().getParam(veldro::param_id::GRAIN_RATE).second,
                      100.0 + LAST_PROGRAM);
            void* data = nullptr;
            plugin.dispatch(effGetChunk, 0, 0, &data);
            EXPECT_EQ(processorOf(plugin).getSynth().getParams().getPatch(Processor::LIVE_SLOT).soundfile,
                      soundOf(LAST_PROGRAM))
                << "the saved live state names the sound that plays";
            // Loads on the pool, analyses within their own cap: never one thread per request.
            EXPECT_LE(addedThreads, veldro::LoadPool::defaultLimit() + std::size_t(audio::AnalysisThreads::limit()));
            RecordProperty("threads_added_round_" + std::to_string(round), static_cast<int>(addedThreads));
        }
    }

    ScratchFolder folder;
    std::vector<std::wstring> sounds;
    std::string state;
};

TEST_F(ProgramChangeStorm, TheLastProgramChangeWinsWhateverOrderLoadsFinishIn) { expectLastProgramEveryRound(); }

// Every thread of the instance (its poller, the load pool, the analyses)
// starts from this one and shares its single core, as under `taskset -c 0`.
class OneCore {
public:
    OneCore() {
        if (sched_getaffinity(0, sizeof(previous), &previous) != 0) throw std::runtime_error("no affinity");
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            if (CPU_ISSET(cpu, &previous)) {
                CPU_SET(cpu, &one);
                break;
            }
        if (sched_setaffinity(0, sizeof(one), &one) != 0) throw std::runtime_error("cannot pin");
    }
    ~OneCore() { sched_setaffinity(0, sizeof(previous), &previous); }
    OneCore(const OneCore&) = delete;
    OneCore& operator=(const OneCore&) = delete;

private:
    cpu_set_t previous;
};

TEST_F(ProgramChangeStorm, TheLastProgramChangeWinsOnOneCore) {
    const OneCore pinned;
    expectLastProgramEveryRound();
}

}  // namespace
}  // namespace korvel::test
