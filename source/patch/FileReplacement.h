#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and writes for the state file and patch files.
// Threads: any thread; writers of one folder take turns, in this process and
// in others.
namespace korvel::veldro {

// What became of a replacement; true when the file was replaced.
struct ReplaceOutcome {
    enum class Kind {
        REPLACED,
        // Another writer kept the folder's lock for longer than a writer waits.
        FOLDER_LOCKED,
        FAILED,
    };
    Kind kind;

    explicit operator bool() const { return kind == Kind::REPLACED; }
};

// The file's bytes; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes the bytes to "<path>.tmp", flushes it to the disk and renames it
// over the target, so that a reader never sees a partly written file and a
// failed or killed write leaves the old file whole. Writers into one folder
// are serialised by an advisory lock on the folder, which the system drops
// when its holder dies. A writer gives up (FOLDER_LOCKED) and writes nothing
// when the lock stays held for two seconds with nothing changing in the folder
// (a holder that is stuck), or for ten seconds in all. The target keeps its
// mode; a new file gets the mode that the umask gives a document. On any
// failure nothing of the temporary file is left behind, and what a killed
// write left is replaced by the next write.
ReplaceOutcome replaceFile(const std::string& path, std::string_view bytes);

} // namespace korvel::veldro
