// The small tools (editor and toolkit snapshots, the fuzzer's seed writer) answer --help and a
// bad command line with their usage line, and never take an option for the name to write.
#include "HostToolRun.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace korvel::test {
namespace {

using ::testing::StartsWith;

struct Tool {
    const char* path;
    std::string usage;
    bool nameRequired;
};

const Tool TOOLS[] = {
    {QUILLMAR_EDITOR_SNAPSHOT,
     "editor-snapshot [--theme nightshade|veldro|system] [OUT.png]   (default editor-snapshot.png)", false},
    {QUILLMAR_TOOLKIT_SNAPSHOT, "toolkit-snapshot [OUT.png]   (default toolkit-snapshot.png)", false},
    {QUILLMAR_SOUNDFILE_SEEDS, "soundfile-seeds FOLDER", true},
};

TEST(ToolUsage, HelpPrintsTheUsageLineAndWritesNothing) {
    for (const Tool& tool : TOOLS) {
        for (const std::string help : {"--help", "-h"}) {
            testing_support::TempDir dir;
            const ToolRun run = runTool(tool.path, help, dir.path());
            EXPECT_EQ(run.exitCode, 0) << tool.path;
            EXPECT_EQ(run.output, "usage: " + tool.usage + "\n");
            EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << tool.path << ' ' << help;
        }
    }
}

TEST(ToolUsage, ABadCommandLineIsToldWithTheUsageLineAndWritesNothing) {
    for (const Tool& tool : TOOLS) {
        const std::string name = std::filesystem::path(tool.path).filename().string();
        const std::string operand = tool.nameRequired ? "FOLDER" : "OUT.png";
        std::vector<std::pair<std::string, std::string>> cases = {
            {"--no-such-option", "unknown option --no-such-option"},
            {"-", "unknown option -"},
            {"a b", "more than one " + operand + " given: b"},
        };
        if (tool.nameRequired) cases.emplace_back("", "no FOLDER given");
        for (const auto& [arguments, fault] : cases) {
            testing_support::TempDir dir;
            const ToolRun run = runTool(tool.path, arguments, dir.path());
            EXPECT_EQ(run.exitCode, 2) << name << ' ' << arguments;
            EXPECT_EQ(run.output, name + ": " + fault + "\nusage: " + tool.usage + "\n");
            EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << name << ' ' << arguments;
        }
    }
}

// Points the temporary folder of the tools started while it lives at folder.
class TemporaryFolderFor {
public:
    explicit TemporaryFolderFor(const std::filesystem::path& folder) {
        if (const char* value = std::getenv("TMPDIR")) previous = value;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderFor() {
        if (previous) ::setenv("TMPDIR", previous->c_str(), 1);
        else ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> previous;
};

TEST(ToolUsage, ASnapshotIntoAMissingFolderIsToldAndLeavesNothingBehind) {
    testing_support::TempDir dir;
    const TemporaryFolderFor scratch(dir.path());
    const ToolRun run = runTool(QUILLMAR_EDITOR_SNAPSHOT, "missing/out.png", dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "editor-snapshot: cannot write " + dir.file("missing/out.png").string() +
                              ": there is no folder " + dir.file("missing").string() + "\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nor its scratch folder";
}

TEST(ToolUsage, SeedsAreWrittenIntoTheFolderNamed) {
    testing_support::TempDir dir;
    const ToolRun run = runTool(QUILLMAR_SOUNDFILE_SEEDS, "seeds", dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(std::filesystem::is_empty(dir.file("seeds")));
}

}  // namespace
}  // namespace korvel::test
