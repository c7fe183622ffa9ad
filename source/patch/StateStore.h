#pragma once

#include <functional>
#include <string>

namespace korvel::veldro {

class SynthParams;

// The files that hold a state text: the state file "veldro.json" in the
// folder that was current when the instance was made, and the patch files
// that the user saves or drops on the editor. Remembers the path of the last
// file read or written and whether the state file is the one in use, which
// decides whether the editor's close writes it back.
//
// The owner (the Processor) loads the state file right after sizing the slots:
//     stateStore.loadPatchFile(stateStore.getPatchFilePath());
// The editor binds its status line with setStatusSink while it is open.
//
// Threads: the host's user-interface thread only.
class StateStore {
public:
    // Receives a text for the status line; failures have isError set.
    using StatusSink = std::function<void(const std::string& text, bool isError)>;

    // Resolves the state file's absolute path now: the host may change the
    // current folder later.
    explicit StateStore(SynthParams& params);

    // Applies the state text of a file of more than 100 bytes. On success
    // remembers the file's absolute path, marks the state file as in use when
    // that path is the one remembered before, and reports "Loaded <path>".
    // A file that cannot be read, is too short or holds no state text is
    // reported as "Error opening file - <reason>" and changes nothing; an
    // unreadable state file is first kept as "veldro.json.bak". The text merges
    // into the slots there are. Never throws.
    void loadPatchFile(std::string path);

    // Writes the state text to path (".json" appended when missing) and
    // remembers it, reporting "Saved <path>"; a failed write leaves any old
    // file whole and is reported, with the reason when another program keeps
    // the folder locked.
    // Never throws.
    void savePatchFile(std::string path);

    // The editor's close: writes the state text to the state file when that
    // file is in use. Returns false when it was in use but could not be
    // written, which is reported and told on stderr; the old file stays whole.
    // Another program that keeps the folder locked holds it up for two seconds.
    bool saveStateFile();

    const std::string& getPatchFilePath() const { return patchFilePath; }
    bool isDefaultPath() const { return defaultPath; }
    const std::string& getStateFilePath() const { return stateFilePath; }

    // An empty sink drops the texts.
    void setStatusSink(StatusSink sink) { statusSink = std::move(sink); }

private:
    void report(const std::string& text, bool isError) const;
    void keepUnreadableStateFile(const std::string& text) const;

    SynthParams& params;
    std::string stateFilePath;
    std::string patchFilePath;
    bool defaultPath = true;
    StatusSink statusSink;
};

} // namespace korvel::veldro
