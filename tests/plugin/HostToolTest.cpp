// The quillmar-host executable as a user runs it.
#include "DemoContent.h"
#include "HostToolRun.h"
#include "WavBytes.h"
#include "support/SoundFileBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <fstream>

namespace korvel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(HostTool, HelpPrintsUsageWithTheExitCodes) {
    const ToolRun run = runHost("--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.output, StartsWith("Usage: quillmar-host PLUGIN.so [options]"));
    EXPECT_THAT(run.output, HasSubstr("Exit codes: 0 done; 1 bad input"));
    EXPECT_THAT(run.output, HasSubstr("; 2 bad option"));
}

TEST(HostTool, FaultsGiveAClearMessageAndExitCode) {
    testing_support::TempDir dir;
    std::ofstream(dir.file("text.so")) << "not a library";
    struct Case {
        std::string arguments;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"", 2, "quillmar-host: no plug-in given\n\nUsage:"},
        {shellWord(QUILLMAR_FIXTURE_SYNTH), 2, "nothing to do"},
        {shellWord(QUILLMAR_FIXTURE_SYNTH) + " --list --block x", 2, "'x' is not a number"},
        {shellWord(dir.file("missing.so").string()) + " --list", 1, "quillmar-host: no such plug-in file"},
        {shellWord(dir.file("text.so").string()) + " --list", 1, "quillmar-host: not a plug-in"},
        {shellWord(QUILLMAR_FIXTURE_NO_ENTRY) + " --list", 1, "quillmar-host: no VST entry point"},
        {shellWord(QUILLMAR_FIXTURE_NO_REPLACING) + " --out " + shellWord(dir.file("out.wav").string()), 1,
         "quillmar-host: the plug-in cannot render"},
        {shellWord(QUILLMAR_FIXTURE_SYNTH) + " --list --state " + shellWord(dir.file("none.json").string()), 1,
         "quillmar-host: cannot read state file " + dir.file("none.json").string() + ": No such file or directory\n"},
        {shellWord(dir.path()) + " --list", 1, "quillmar-host: the plug-in " + dir.path().string() + " is a folder"},
        {shellWord(QUILLMAR_FIXTURE_SYNTH) + " --list --state " + shellWord(dir.path()), 1,
         "quillmar-host: state file " + dir.path().string() + " is a folder, not a file\n"},
        {shellWord(QUILLMAR_FIXTURE_SYNTH) + " --list --state a.json --sound b.wav", 2,
         "quillmar-host: give --state or --sound, not both"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runHost(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_THAT(run.output, HasSubstr(c.message)) << c.arguments;
    }
}

TEST(HostTool, RestoresListsAndRenders) {
    testing_support::TempDir dir;
    demo::writeChord(dir.file("chord.wav"), {220.0}, 0.1);
    const std::string state = demo::makeState({{1, dir.file("chord.wav"), {}}});
    std::ofstream(dir.file("state.json")) << state;
    const auto wav = dir.file("out.wav");
    const ToolRun run = runHost(shellWord(QUILLMAR_FIXTURE_SYNTH) + " --state " + shellWord(dir.file("state.json").string()) +
                            " --list --note 0.5:60:127:0.25 --seconds 1 --rate 8000 --block 100 --out " +
                            shellWord(wav.string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("name:       Fixture Synth\nvendor:     Quillmar Tests\n"));
    EXPECT_THAT(run.output, HasSubstr("chunk                        " + std::to_string(state.size())));
    EXPECT_THAT(run.output, HasSubstr("wrote " + wav.string() + ": 2 channels, 8000 frames (1 s) at 8000 Hz, "
                                      "peak 0.5, RMS 0.176777"));
    const FileBytes file(wav);
    ASSERT_EQ(file.bytes.size(), PCM_DATA + 8000 * 4);
    EXPECT_EQ(file.s16(PCM_DATA + 3999 * 4), 0);
    EXPECT_EQ(file.s16(PCM_DATA + 4000 * 4), 16384);  // 0.5 at 16 bits
    EXPECT_EQ(file.s16(PCM_DATA + 5999 * 4), 16384);
    EXPECT_EQ(file.s16(PCM_DATA + 6000 * 4), 0);
}

// The tool renders far faster than real time, and says that it renders offline: a program change to
// a sound still loading plays that sound from the next block, the same in every run.
TEST(HostTool, AProgramChangeToASoundStillLoadingPlaysAtItsBlockInEveryRun) {
    testing_support::TempDir dir;
    testing_support::SoundRecipe silence;
    silence.samples.assign(2 * 4410, 0.0);
    testing_support::writeSoundFile(dir.file("silence.wav"), silence);
    demo::writeChord(dir.file("long.wav"), {220.0, 330.0}, 10.0);
    std::ofstream(dir.file("state.json")) << demo::makeState({{1, dir.file("silence.wav"), {}},
                                                              {7, dir.file("long.wav"), {}}});
    const auto render = [&](const std::string& name) {
        const ToolRun run = runHost(shellWord(QUILLMAR_PLUGIN) + " --state state.json --program 0.25:7 --seconds 0.5 --out " +
                                        name, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return FileBytes(dir.file(name));
    };
    const FileBytes first = render("first.wav");
    ASSERT_GT(first.bytes.size(), PCM_DATA + 13230 * 4);
    bool plays = false;
    for (std::size_t frame = 11025; frame < 13230; ++frame) plays = plays || first.s16(PCM_DATA + frame * 4) != 0;
    EXPECT_TRUE(plays) << "the 50 ms after the program change";
    EXPECT_TRUE(render("second.wav").bytes == first.bytes);
}

}  // namespace
}  // namespace korvel::test
