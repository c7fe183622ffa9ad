#pragma once

#include <filesystem>
#include <string>

namespace korvel::host {

// The text of a state file, checked to read as the plug-in reads a state: one JSON object.
// Throws HostError naming the file: missing, a folder, unreadable, empty, or with the JSON
// reader's message where the text does not read.
std::string readStateFile(const std::filesystem::path& path);

}  // namespace korvel::host
