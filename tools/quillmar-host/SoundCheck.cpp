#include "SoundCheck.h"

#include "HostError.h"
#include "StateBuilder.h"
#include "audio/Soundfile.h"
#include "patch/StateText.h"
#include "synth/Synth.h"
#include "synth/SynthParamIds.h"
#include "utility/Utf8.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace korvel::host {

namespace {

namespace fs = std::filesystem;

std::string missingProblem(const fs::path& path) {
    // A bare name lives in the current folder, which exists.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code ignored;
    if (fs::exists(folder, ignored)) return "no such file";
    return "no such file, and its folder " + folder.string() + " does not exist either";
}

std::optional<std::string> contentProblem(const std::wstring& name, const fs::path& path) {
    const audio::Soundfile file(name);
    if (file.codec() == nullptr) {
        if (fs::file_size(path) == 0) return "the file is empty";
        return "not a sound file (neither WAV nor AIFF)";
    }
    if (file.frameCount() > 0) return std::nullopt;
    if (file.codec()->format().bytesPerSample == 0)
        return "unsupported format: its samples are compressed or of an unknown encoding "
               "(integer or float PCM plays)";
    return "it holds no sound frames";
}

// A name with a surrogate or a code point beyond Unicode has no UTF-8 form to show.
std::string shownName(const std::wstring& name) {
    try {
        return utf8::narrow(name);
    } catch (const std::range_error&) {
        return "(a name that is no Unicode text)";
    }
}

}  // namespace

std::optional<std::string> soundLoadProblem(const std::wstring& name) {
    try {
        const fs::path path(utf8::narrow(name));
        const fs::file_status status = fs::status(path);
        if (status.type() == fs::file_type::not_found) return missingProblem(path);
        if (fs::is_directory(status)) return "it is a folder, not a sound file";
        if (!fs::is_regular_file(status)) return "not a regular file";
        return contentProblem(name, path);
    } catch (const std::exception& error) {
        return std::string("it cannot be read: ") + error.what();
    }
}

void requireSound(const std::wstring& name, const std::string& origin) {
    if (const std::optional<std::string> problem = soundLoadProblem(name))
        throw HostError("sound " + shownName(name) + (origin.empty() ? "" : " " + origin) +
                        " did not load: " + *problem);
}

void requireStateSounds(const std::string& stateText, const std::vector<int>& programs) {
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    params.setPatchCount(PATCH_SLOTS);
    if (!veldro::deserialize(params, stateText)) return;
    std::vector<int> slots{LIVE_SLOT};
    if (params.getParam(veldro::param_id::PATCH_SOUNDFILE).second != 0.0)
        for (int program : programs)
            if (std::find(slots.begin(), slots.end(), program) == slots.end()) slots.push_back(program);
    for (int slot : slots)
        if (static_cast<std::size_t>(slot) < PATCH_SLOTS && params.hasPatch(slot) &&
            !params.getPatch(slot).soundfile.empty())
            requireSound(params.getPatch(slot).soundfile, "(patch slot " + std::to_string(slot) + ")");
}

}  // namespace korvel::host
