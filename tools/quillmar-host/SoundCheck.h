#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace korvel::host {

// Why the plug-in's sound loader would not load the file at path: the loader's own checks, in
// its order (missing, folder missing too, not a regular file, empty, no WAV or AIFF container,
// samples it cannot decode, no frames), told in words. Empty when the file loads.
std::optional<std::string> soundLoadProblem(const std::wstring& path);

// Throws HostError "sound PATH did not load: REASON" (origin, when given, after the path). A sound
// that loads only in part, its sample data ending before its header says, is told as a warning
// on `warnings` with the frames that play.
void requireSound(const std::wstring& path, std::ostream& warnings, const std::string& origin = {});

// The sounds a rendering from the state file's stateText asks for: the live slot's, and those of
// the slots that the program changes recall when patches switch sounds. Each is required as by
// requireSound. For a rendering, throws HostError when none of those slots names a sound (it would
// be silence: an empty slot, or one without a timestamp, plays nothing).
void requireStateSounds(const std::string& stateText, const std::filesystem::path& stateFile,
                        const std::vector<int>& programs, bool rendering, std::ostream& warnings);

}  // namespace korvel::host
