#include "StateFile.h"

#include "HostError.h"
#include "StateBuilder.h"
#include "json/Reader.h"
#include "patch/StateText.h"
#include "synth/Synth.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace korvel::host {

namespace {

// Keeps what the JSON reader writes to the error stream, so that its message is told once,
// with the file's name.
class ErrorStreamCapture {
public:
    ErrorStreamCapture() : previous(std::cerr.rdbuf(captured.rdbuf())) {}
    ~ErrorStreamCapture() { std::cerr.rdbuf(previous); }
    ErrorStreamCapture(const ErrorStreamCapture&) = delete;
    ErrorStreamCapture& operator=(const ErrorStreamCapture&) = delete;

private:
    std::ostringstream captured;
    std::streambuf* previous;
};

void requireStateObject(const std::string& text, const std::filesystem::path& path) {
    JSON::Value state;
    try {
        const ErrorStreamCapture capture;
        const char* position = text.data();
        // Lenient, as the plug-in reads a state.
        JSON::parseValue(state, position, text.data() + text.size(), false);
    } catch (const JSON::ParseError& error) {
        throw HostError("state file " + path.string() + " does not read: " + error.what());
    }
    if (!state.is(JSON::Value::Kind::Object))
        throw HostError("state file " + path.string() + " holds no state: its text is not a JSON object");
}

// The plug-in's chunk restore passes over, without a word, a text that its reader does not take for a
// state (an object that names no patch slot or option, say); the tool tells it instead.
void requireAcceptedState(const std::string& text, const std::filesystem::path& path) {
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    params.setPatchCount(PATCH_SLOTS);
    if (!veldro::replaceState(params, text))
        throw HostError("state file " + path.string() +
                        " holds no state: the plug-in reads no patch slot (\"patch.N\") or option in it");
}

}  // namespace

std::string readStateFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw HostError("state file " + path.string() + " is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError("cannot read state file " + path.string() + ": " + systemReason());
    std::ostringstream text;
    text << in.rdbuf();
    if (text.str().empty()) throw HostError("state file " + path.string() + " is empty");
    requireStateObject(text.str(), path);
    requireAcceptedState(text.str(), path);
    return text.str();
}

}  // namespace korvel::host
