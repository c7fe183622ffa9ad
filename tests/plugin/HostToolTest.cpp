// The quillmar-host executable as a user runs it.
#include "WavBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstdio>
#include <sys/wait.h>

namespace korvel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct ToolRun {
    int exitCode;
    std::string output;  // standard output and error
};

std::string quoted(const std::string& text) { return "'" + text + "'"; }

ToolRun runHost(const std::string& arguments) {
    const std::string command = quoted(QUILLMAR_HOST_TOOL) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, "popen failed"};
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(HostTool, HelpPrintsUsage) {
    const ToolRun run = runHost("--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.output, StartsWith("Usage: quillmar-host PLUGIN.so [options]"));
}

TEST(HostTool, FaultsGiveAClearMessageAndExitCode) {
    testing_support::TempDir dir;
    std::ofstream(dir.file("text.so")) << "not a library";
    struct Case {
        std::string arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"", 2, "quillmar-host: no plug-in given\n\nUsage:"},
        {quoted(QUILLMAR_FIXTURE_SYNTH), 2, "nothing to do"},
        {quoted(QUILLMAR_FIXTURE_SYNTH) + " --list --block x", 2, "'x' is not a number"},
        {quoted(dir.file("missing.so").string()) + " --list", 1, "quillmar-host: no such plug-in file"},
        {quoted(dir.file("text.so").string()) + " --list", 1, "quillmar-host: not a plug-in"},
        {quoted(QUILLMAR_FIXTURE_NO_ENTRY) + " --list", 1, "quillmar-host: no VST entry point"},
        {quoted(QUILLMAR_FIXTURE_NO_REPLACING) + " --out " + quoted(dir.file("out.wav").string()), 1,
         "quillmar-host: the plug-in cannot render"},
        {quoted(QUILLMAR_FIXTURE_SYNTH) + " --list --state " + quoted(dir.file("none.json").string()), 1,
         "cannot read state file"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runHost(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_THAT(run.output, HasSubstr(c.message)) << c.arguments;
    }
}

TEST(HostTool, RestoresListsAndRenders) {
    testing_support::TempDir dir;
    std::ofstream(dir.file("state.json")) << "{\"patch.1\": {}}\n";
    const auto wav = dir.file("out.wav");
    const ToolRun run = runHost(quoted(QUILLMAR_FIXTURE_SYNTH) + " --state " + quoted(dir.file("state.json").string()) +
                            " --list --note 0.5:60:127:0.25 --seconds 1 --rate 8000 --block 100 --out " +
                            quoted(wav.string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("name:       Fixture Synth\nvendor:     Quillmar Tests\n"));
    EXPECT_THAT(run.output, HasSubstr("chunk                        16         bytes"));
    EXPECT_THAT(run.output, HasSubstr("wrote " + wav.string() + ": 2 channels, 8000 frames (1 s) at 8000 Hz, "
                                      "peak 0.5, RMS 0.176777"));
    const FileBytes file(wav);
    ASSERT_EQ(file.bytes.size(), PCM_DATA + 8000 * 4);
    EXPECT_EQ(file.s16(PCM_DATA + 3999 * 4), 0);
    EXPECT_EQ(file.s16(PCM_DATA + 4000 * 4), 16384);  // 0.5 at 16 bits
    EXPECT_EQ(file.s16(PCM_DATA + 5999 * 4), 16384);
    EXPECT_EQ(file.s16(PCM_DATA + 6000 * 4), 0);
}

}  // namespace
}  // namespace korvel::test
