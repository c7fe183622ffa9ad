#pragma once

#include "HostError.h"
#include "MidiSchedule.h"
#include "WavWriter.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::host {

// A command line that cannot be followed; the tool answers it with the usage text.
class UsageError : public HostError {
public:
    using HostError::HostError;
};

struct HostOptions {
    bool help = false;
    std::filesystem::path plugin;
    bool list = false;
    std::optional<std::filesystem::path> state;
    std::optional<std::filesystem::path> sound;  // played by the default patch, in place of a state
    std::optional<std::filesystem::path> output;
    double seconds = 4;
    int blockSize = 512;
    int sampleRate = 44100;
    WavFormat format = WavFormat::PCM16;
    std::vector<NoteSpec> notes;
    std::vector<ProgramSpec> programs;
};

// arguments: the command line without the program name. Throws UsageError.
HostOptions parseHostOptions(const std::vector<std::string>& arguments);

const char* usageText();

}  // namespace korvel::host
