#include "SoundCheck.h"

#include "HostError.h"
#include "StateBuilder.h"
#include "audio/RiffCodec.h"
#include "audio/Soundfile.h"
#include "patch/StateText.h"
#include "synth/Synth.h"
#include "synth/SynthParamIds.h"
#include "utility/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
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

// The frames promised by the header of a sound's sample data and those the file holds, when the
// file ends first.
struct Shortfall {
    std::uint64_t promised;
    std::uint64_t held;
};

std::optional<Shortfall> shortfallOf(const std::wstring& name) {
    const audio::Soundfile file(name);
    const auto* codec = dynamic_cast<const audio::RiffCodec*>(file.codec());
    if (codec == nullptr || codec->format().frameBytes() == 0) return std::nullopt;
    const audio::ChunkRef& data = codec->dataChunkRef();
    // The chunk's own fields before its samples (AIFF's offset and block size) are not frames.
    const std::uint64_t ahead = codec->dataStart() - data.offset - 8;
    const std::uint64_t promised = data.size < ahead ? 0 : (data.size - ahead) / codec->format().frameBytes();
    if (promised <= file.frameCount()) return std::nullopt;
    return Shortfall{promised, file.frameCount()};
}

std::string listed(const std::vector<int>& slots) {
    std::string text;
    for (std::size_t i = 0; i < slots.size(); ++i)
        text += (i == 0 ? "" : i + 1 == slots.size() ? " and " : ", ") + std::to_string(slots[i]);
    return text;
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

void requireSound(const std::wstring& name, std::ostream& warnings, const std::string& origin) {
    const std::string shown = "sound " + shownName(name) + (origin.empty() ? "" : " " + origin);
    if (const std::optional<std::string> problem = soundLoadProblem(name))
        throw HostError(shown + " did not load: " + *problem);
    if (const std::optional<Shortfall> cut = shortfallOf(name))
        warnings << "quillmar-host: warning: " << shown << " is cut short: its header gives " << cut->promised
                 << " frames, the file holds " << cut->held << "; those " << cut->held << " frames play\n";
}

void requireStateSounds(const std::string& stateText, const std::filesystem::path& stateFile,
                        const std::vector<int>& programs, bool rendering, std::ostream& warnings) {
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    params.setPatchCount(PATCH_SLOTS);
    // A text the plug-in does not apply restores no sound either.
    const bool applied = veldro::deserialize(params, stateText);
    std::vector<int> slots{LIVE_SLOT};
    if (params.getParam(veldro::param_id::PATCH_SOUNDFILE).second != 0.0)
        for (int program : programs)
            if (std::find(slots.begin(), slots.end(), program) == slots.end()) slots.push_back(program);
    bool named = false;
    for (int slot : slots) {
        if (applied && static_cast<std::size_t>(slot) < PATCH_SLOTS && params.hasPatch(slot) &&
            !params.getPatch(slot).soundfile.empty()) {
            requireSound(params.getPatch(slot).soundfile, warnings, "(patch slot " + std::to_string(slot) + ")");
            named = true;
        }
    }
    if (rendering && !named)
        throw HostError("state file " + stateFile.string() + " names no sound, so the rendering would be silent: " +
                        (slots.size() == 1 ? "patch slot " : "patch slots ") + listed(slots) +
                        (slots.size() == 1 ? ", which plays, is" : ", which play, are") +
                        " empty or without a sound file (a slot without a \"timestamp\" is empty)");
}

}  // namespace korvel::host
