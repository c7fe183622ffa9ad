#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and writes for the state file and patch files.
// Threads: any thread; calls on the same path must not overlap.
namespace korvel::veldro {

// The file's bytes; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes the bytes to "<path>.tmp", flushes it to the disk and renames it
// over the target, so that a reader never sees a partly written file and a
// failed write leaves the old file whole. Returns false on any failure;
// nothing of the temporary file is left behind, and what a killed write left
// is replaced by the next write.
bool replaceFile(const std::string& path, std::string_view bytes);

} // namespace korvel::veldro
