#pragma once

// Runs quillmar-host and the other command-line tools as a user does, from a shell.
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace korvel::test {

struct ToolRun {
    int exitCode;
    std::string output;  // standard output and error
};

// A shell word; every path a test makes is free of single quotes.
inline std::string shellWord(const std::filesystem::path& text) {
    // Appended rather than concatenated: g++ 12 warns falsely (-Wrestrict) about "'" + string.
    std::string word(1, '\'');
    word += text.string();
    word += '\'';
    return word;
}

// Runs one of the project's command-line tools; folder, when given, is its current folder.
inline ToolRun runTool(const std::filesystem::path& tool, const std::string& arguments,
                       const std::filesystem::path& folder = {}) {
    const std::string enter = folder.empty() ? "" : "cd " + shellWord(folder) + " && ";
    const std::string command = enter + shellWord(tool) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, "popen failed"};
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// folder, when given, is the tool's current folder (where Quillmar.so looks for "veldro.json").
inline ToolRun runHost(const std::string& arguments, const std::filesystem::path& folder = {}) {
    return runTool(QUILLMAR_HOST_TOOL, arguments, folder);
}

}  // namespace korvel::test
