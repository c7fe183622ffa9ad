// The WAV file that quillmar-host leaves when its rendering stops part-way: interrupted, killed,
// or with a write that fails. Its header always claims the samples that are in the file.
#include "HostToolProcess.h"
#include "HostToolRun.h"
#include "WavBytes.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>

namespace korvel::test {
namespace {

using ::testing::HasSubstr;

constexpr std::uintmax_t SECOND_BYTES = 8000 * 4;  // 16-bit stereo at 8 kHz
// A guard: a tool that does not stop when asked fails here rather than filling the disk.
constexpr rlim_t FILE_LIMIT = 256 << 20;

class HostToolOutput : public ::testing::Test {
protected:
    // A whole day of the fixture's sound: far longer than a test waits.
    // The file it writes is new: once it holds samples, the tool's signal handling has started.
    std::unique_ptr<HostProcess> startLongRendering(rlim_t fileSizeLimit = FILE_LIMIT) const {
        std::filesystem::remove(dir.file("out.wav"));
        return std::make_unique<HostProcess>(
            std::vector<std::string>{QUILLMAR_FIXTURE_SYNTH, "--rate", "8000", "--seconds", "86400", "--out", "out.wav"},
            dir.path(), fileSizeLimit);
    }

    // The header's sizes against the file: the RIFF size covers the file, the data size whole
    // frames that are there. Returns the data size.
    std::uint32_t expectHeaderTrue(bool exact) const {
        const FileBytes file(dir.file("out.wav"));
        EXPECT_GE(file.bytes.size(), PCM_DATA);
        if (file.bytes.size() < PCM_DATA) return 0;
        const std::uint32_t data = file.u32(40);
        EXPECT_EQ(file.u32(4), PCM_DATA - 8 + data);
        EXPECT_EQ(data % 4, 0u);
        if (exact)
            EXPECT_EQ(data, file.bytes.size() - PCM_DATA);
        else
            EXPECT_LE(data, file.bytes.size() - PCM_DATA);
        return data;
    }

    testing_support::TempDir dir;
};

TEST_F(HostToolOutput, AnInterruptedRenderingCompletesTheFileAndEndsByTheSignal) {
    for (const int stop : {SIGINT, SIGTERM}) {
        auto host = startLongRendering();
        ASSERT_TRUE(host->waitForSize(dir.file("out.wav"), PCM_DATA + 1)) << host->output();
        host->signal(stop);
        const int status = host->waitStatus();
        ASSERT_TRUE(WIFSIGNALED(status)) << host->output();
        EXPECT_EQ(WTERMSIG(status), stop);
        EXPECT_THAT(host->output(), HasSubstr("quillmar-host: interrupted: the rendering stopped after "));
        EXPECT_GT(expectHeaderTrue(true), 0u) << stop;
    }
}

TEST_F(HostToolOutput, AKilledRenderingLeavesAHeaderThatClaimsOnlyWhatIsThere) {
    auto host = startLongRendering();
    // Past the second stretch of samples: the header has been rewritten at least once.
    ASSERT_TRUE(host->waitForSize(dir.file("out.wav"), PCM_DATA + 3 * SECOND_BYTES)) << host->output();
    host->signal(SIGKILL);
    host->waitStatus();
    EXPECT_GE(expectHeaderTrue(false), SECOND_BYTES);
}

TEST_F(HostToolOutput, AFailedWriteIsToldWithTheReasonAndTheHeaderKeepsWhatWasWritten) {
    constexpr rlim_t LIMIT = 50000;  // one second and a half of samples
    auto host = startLongRendering(LIMIT);
    const int status = host->waitStatus();
    ASSERT_TRUE(WIFEXITED(status)) << host->output();
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(host->output(), "quillmar-host: cannot write out.wav: File too large\n");
    // Both stretches that reached the file, the second cut at the limit.
    EXPECT_EQ(expectHeaderTrue(true), LIMIT - PCM_DATA);
}

TEST_F(HostToolOutput, AFileThatCannotBeCreatedIsToldWithTheReason) {
    const ToolRun run = runHost(shellWord(QUILLMAR_FIXTURE_SYNTH) + " --out " + shellWord(dir.file("gone/out.wav")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "quillmar-host: cannot create " + dir.file("gone/out.wav").string() +
                              ": No such file or directory\n");
}

}  // namespace
}  // namespace korvel::test
