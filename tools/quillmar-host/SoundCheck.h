#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvel::host {

// Why the plug-in's sound loader would not load the file at path: the loader's own checks, in
// its order (missing, folder missing too, not a regular file, empty, no WAV or AIFF container,
// samples it cannot decode, no frames), told in words. Empty when the file loads.
std::optional<std::string> soundLoadProblem(const std::wstring& path);

// Throws HostError "sound PATH did not load: REASON" (origin, when given, after the path).
void requireSound(const std::wstring& path, const std::string& origin = {});

// The sounds a rendering from stateText asks for: the live slot's, and those of the slots that
// the program changes recall when patches switch sounds. Throws HostError naming the first
// sound that would not load, with the reason.
void requireStateSounds(const std::string& stateText, const std::vector<int>& programs);

}  // namespace korvel::host
