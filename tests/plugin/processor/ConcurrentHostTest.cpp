// A host restoring and saving chunks and setting parameters on its GUI
// thread while its audio thread plays notes and program changes. Run under
// AddressSanitizer in CI, where a slot read while it is replaced shows.
#include "QuillmarTestHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace korvel::test {
namespace {

using host::PluginInstance;

// Enough for AddressSanitizer to catch a slot read while it is freed; the
// ThreadSanitizer build, many times slower, sees a race in far fewer rounds.
#ifdef __SANITIZE_THREAD__
constexpr int CHUNK_ROUNDS = 200;
#else
constexpr int CHUNK_ROUNDS = 2000;
#endif
constexpr unsigned char PROGRAM_CHANGES_PER_BLOCK = 32;

TEST(QuillmarConcurrentHost, ChunksAndParametersWhileProgramChangesPlay) {
    ScratchFolder folder;
    const std::string states[] = {sixSlotState(folder, 20.0), sixSlotState(folder, 40.0)};
    PluginInstance plugin(quillmarModule(), RATE, 256);
    plugin.restoreChunk(states[0]);
    plugin.resume();

    std::atomic<bool> done{false};
    std::thread audio([&] {
        std::vector<std::array<unsigned char, 3>> messages;
        for (unsigned char program = 0; program < PROGRAM_CHANGES_PER_BLOCK; ++program)
            messages.push_back({0xC0, static_cast<unsigned char>(1 + program % 6), 0});
        for (int block = 0; !done.load(); ++block) {
            messages[0] = {0x90, static_cast<unsigned char>(48 + block % 24), 100};
            sendMidi(plugin, messages);
            renderBlocks(plugin, 64, 64);
        }
    });
    for (int round = 0; round < CHUNK_ROUNDS; ++round) {
        plugin.restoreChunk(states[round % 2]);
        EXPECT_FALSE(chunkOf(plugin).empty());
        plugin.effect().setParameter(&plugin.effect(), 4, static_cast<float>(round % 10) / 10.0f);
        plugin.effect().setParameter(&plugin.effect(), 63, static_cast<float>(round % 9) / 8.0f);
    }
    done.store(true);
    audio.join();

    // Every slot but the live one, which a chunk fills from the live state, is whole.
    PluginInstance reference(quillmarModule(), RATE, 256);
    reference.restoreChunk(states[(CHUNK_ROUNDS - 1) % 2]);
    const veldro::SynthParams& played = processorOf(plugin).getSynth().getParams();
    const veldro::SynthParams& restored = processorOf(reference).getSynth().getParams();
    for (int slot = Processor::LIVE_SLOT + 1; slot <= 6; ++slot)
        EXPECT_TRUE(played.getPatch(slot) == restored.getPatch(slot)) << slot;
}

}  // namespace
}  // namespace korvel::test
