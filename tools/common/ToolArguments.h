#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace korvel::tools {

// The one file or folder name a small tool takes, `operand` in its usage line after the tool's
// `options` (already taken from argv by the tool): argv[1], or
// fallback when none is given. "--help" (or "-h") prints the usage line and exits 0. An option
// the tool does not know (anything else beginning with '-'), a second name, or no name where
// fallback is null (the name is required) is told with the usage line on the error stream, exit 2.
inline std::string nameArgument(int argc, char** argv, const char* tool, const char* operand, const char* fallback,
                                const std::string& options = "")
{
    const std::string named = std::string(tool) + (options.empty() ? "" : " " + options);
    const std::string usage = fallback ? named + " [" + operand + "]   (default " + fallback + ")"
                                       : named + " " + operand;
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::printf("usage: %s\n", usage.c_str());
        std::exit(0);
    }
    std::string fault;
    if (first.starts_with("-"))
        fault = "unknown option " + first;
    else if (argc > 2)
        fault = std::string("more than one ") + operand + " given: " + argv[2];
    else if (argc < 2 && !fallback)
        fault = std::string("no ") + operand + " given";
    if (!fault.empty()) {
        std::fprintf(stderr, "%s: %s\nusage: %s\n", tool, fault.c_str(), usage.c_str());
        std::exit(2);
    }
    return argc > 1 ? first : fallback;
}

} // namespace korvel::tools
