#pragma once

#include <filesystem>
#include <string>

namespace korvel::host {

// The text of a state file, checked to read as the plug-in reads a state: one JSON object that
// its chunk restore takes for a state. Throws HostError naming the file: missing, a folder,
// unreadable, empty, with the JSON reader's message where the text does not read, or holding no
// state that the plug-in would restore.
std::string readStateFile(const std::filesystem::path& path);

}  // namespace korvel::host
