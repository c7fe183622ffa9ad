#pragma once

// Drives the built Quillmar.so as a host does: through dlopen, its entry and
// its AEffect record. processorOf looks behind a record at engine state that
// the binary interface does not show.
#include "DemoContent.h"
#include "MidiSchedule.h"
#include "PluginInstance.h"
#include "plugin/Processor.h"
#include "support/TempDir.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korvel::test {

constexpr float RATE = 44100;

// The module, loaded once for the test process.
const host::PluginModule& quillmarModule();

// The same classes from the same build as the module's, so the record's object reads as ours.
Processor& processorOf(host::PluginInstance& plugin);

// A fresh folder made the current one while it lives, so that the state file
// "./veldro.json" that an instance reads at creation is the test's own.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path file(const std::string& name) const { return dir.file(name); }
    // A one-second chord at these frequencies, written once per name.
    std::filesystem::path sound(const std::string& name, const std::vector<double>& frequencies,
                                double seconds = 1.0) const;

private:
    testing_support::TempDir dir;
    std::filesystem::path previous;
};

// Parameters that make notes short and the output depend on nothing but the MIDI input.
std::vector<std::pair<std::string, double>> shortNoteValues();

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;

    void append(const Stereo& more);
    // Root mean square of frames [from, to) of one channel.
    double rms(const std::vector<float>& channel, std::size_t from, std::size_t to) const;
};

// Runs processReplacing for frames frames in blocks of blockSize, sending each block's messages first;
// the schedule's frame 0 lies firstFrame frames before the first block.
Stereo renderBlocks(host::PluginInstance& plugin, const host::MidiSchedule& schedule, int frames, int blockSize,
                    std::int64_t firstFrame = 0);
Stereo renderBlocks(host::PluginInstance& plugin, int frames, int blockSize);

// The chunk effGetChunk hands out, copied.
std::string chunkOf(host::PluginInstance& plugin);

// Slots 1..6 over three sounds, so that program changes move between sounds; grain.rate is rate + slot.
std::vector<demo::StoredSlot> sixSlots(const ScratchFolder& folder, double rate);
std::string sixSlotState(const ScratchFolder& folder, double rate);

// Sends raw MIDI messages, all at frame 0, through effProcessEvents.
void sendMidi(host::PluginInstance& plugin, const std::vector<std::array<unsigned char, 3>>& messages);

}  // namespace korvel::test
