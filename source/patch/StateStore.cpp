#include "patch/StateStore.h"

#include "patch/FileReplacement.h"
#include "patch/StateText.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

namespace korvel::veldro {
namespace {

constexpr const char* DEFAULT_PATH = "./veldro.json";
constexpr const char* PATCH_FILE_EXTENSION = ".json";
constexpr const char* BACKUP_EXTENSION = ".bak";
// Shorter files hold no state worth applying.
constexpr std::size_t MIN_STATE_TEXT = 101;
const std::string OPEN_ERROR = "Error opening file - ";

// What the status line says of a failed save.
std::string saveFailure(const std::string& what, const std::string& path, ReplaceOutcome outcome)
{
    const bool locked = outcome.kind == ReplaceOutcome::Kind::FOLDER_LOCKED;
    return "Error saving " + what + " - " + path + (locked ? " (another program keeps its folder locked)" : "");
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A path starting with '.' is taken from the current folder.
std::string resolved(const std::string& path)
{
    if (!path.starts_with('.'))
        return path;
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        return path;
    return (current / path).lexically_normal().string();
}

} // namespace

StateStore::StateStore(SynthParams& params)
    : params(params)
    , stateFilePath(resolved(DEFAULT_PATH))
    , patchFilePath(stateFilePath)
{
}

void StateStore::loadPatchFile(std::string path)
{
    try {
        const std::optional<std::string> text = readWholeFile(path);
        if (!text) {
            report(OPEN_ERROR + "cannot read " + path, true);
            return;
        }
        if (text->size() < MIN_STATE_TEXT) {
            report(OPEN_ERROR + path + " holds no patches", true);
            return;
        }
        path = resolved(path);
        if (!deserialize(params, *text)) {
            if (path == stateFilePath)
                keepUnreadableStateFile(*text);
            report(OPEN_ERROR + path + " is not a patch file", true);
            return;
        }
        defaultPath = path == patchFilePath;
        patchFilePath = path;
        report("Loaded " + patchFilePath, false);
    } catch (const std::exception&) {
        // Nothing more to do: the state stays as it was.
    }
}

void StateStore::savePatchFile(std::string path)
{
    ReplaceOutcome saved{ReplaceOutcome::Kind::FAILED};
    try {
        if (!endsWith(path, PATCH_FILE_EXTENSION))
            path += PATCH_FILE_EXTENSION;
        patchFilePath = path;
        saved = replaceFile(path, serialize(params));
    } catch (const std::exception&) {
        saved = {ReplaceOutcome::Kind::FAILED};
    }
    if (saved)
        report("Saved " + path, false);
    else
        report(saveFailure("patch file", path, saved), true);
}

bool StateStore::saveStateFile()
{
    if (!defaultPath)
        return true;
    ReplaceOutcome saved{ReplaceOutcome::Kind::FAILED};
    try {
        saved = replaceFile(stateFilePath, serialize(params));
    } catch (const std::exception&) {
        saved = {ReplaceOutcome::Kind::FAILED};
    }
    if (saved)
        return true;
    // The editor is closing: its status line may go before anybody reads it.
    const std::string failure = saveFailure("state file", stateFilePath, saved);
    report(failure, true);
    std::fprintf(stderr, "Quillmar: %s\n", failure.c_str());
    return false;
}

void StateStore::report(const std::string& text, bool isError) const
{
    try {
        if (statusSink)
            statusSink(text, isError);
    } catch (const std::exception&) {
        // A status line that fails must not fail the load or save behind it.
    }
}

// The editor's close would write over it; keep what the user had.
void StateStore::keepUnreadableStateFile(const std::string& text) const
{
    replaceFile(stateFilePath + BACKUP_EXTENSION, text);
}

} // namespace korvel::veldro
