// Several processes replacing one state file, as two hosts (or two plug-in
// processes of one host) saving into one folder do.
#include "patch/FileReplacement.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace korvel::veldro {
namespace {

namespace fs = std::filesystem;

constexpr int WRITERS = 2;
constexpr int ROUNDS = 300;
// Large enough that a write takes several system calls' worth of time.
constexpr std::size_t TEXT_SIZE = 1 << 18;
constexpr mode_t TARGET_MODE = 0644;

// A text that names its writer and round on its first line, so that a read
// can tell whether it got one whole text.
std::string roundText(int writer, int round)
{
    std::string text = std::to_string(writer) + " " + std::to_string(round) + "\n";
    text.resize(TEXT_SIZE - 4, static_cast<char>('a' + (writer * 7 + round) % 26));
    return text + "\nend";
}

bool isWholeText(const std::string& text)
{
    int writer = -1;
    int round = -1;
    return std::sscanf(text.c_str(), "%d %d", &writer, &round) == 2 && text == roundText(writer, round);
}

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

std::ptrdiff_t filesIn(const fs::path& folder)
{
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// A child process that waits until the start pipe is closed, then replaces
// the target ROUNDS times; its exit code is the number of failed saves.
pid_t startWriter(int writer, const fs::path& target, const int startPipe[2])
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::close(startPipe[1]);
    char ignored = 0;
    while (::read(startPipe[0], &ignored, 1) > 0) {
    }
    int failed = 0;
    for (int round = 1; round <= ROUNDS; ++round)
        failed += replaceFile(target.string(), roundText(writer, round)) ? 0 : 1;
    ::_exit(std::min(failed, 255));
}

struct WriterOutcome {
    pid_t pid;
    bool exited = false;
    int failedSaves = -1;
};

// Reaps the writers that have finished; true while any still runs.
bool anyStillWriting(std::vector<WriterOutcome>& writers)
{
    bool running = false;
    for (WriterOutcome& writer : writers) {
        int status = 0;
        if (!writer.exited && ::waitpid(writer.pid, &status, WNOHANG) == writer.pid) {
            writer.exited = true;
            writer.failedSaves = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        running = running || !writer.exited;
    }
    return running;
}

// Sets the process's umask while it lives.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask)
        : previous(::umask(mask))
    {
    }
    ~UmaskScope() { ::umask(previous); }

private:
    mode_t previous;
};

TEST(FileReplacementWriters, ANewFileTakesTheUmaskModeAndAReplacedOneKeepsItsOwn)
{
    testing_support::TempDir folder;
    const UmaskScope mask(027);
    const fs::path target = folder.file("veldro.json");
    ASSERT_TRUE(replaceFile(target.string(), "first"));
    EXPECT_EQ(modeOf(target), 0640u);
    for (const mode_t kept : {0644u, 0600u, 0666u}) {
        ASSERT_EQ(::chmod(target.c_str(), kept), 0);
        ASSERT_TRUE(replaceFile(target.string(), "again"));
        EXPECT_EQ(modeOf(target), kept) << std::oct << kept;
    }
}

TEST(FileReplacementWriters, ConcurrentWritersNeverTearTheFileFailOrChangeItsMode)
{
    testing_support::TempDir folder;
    const fs::path target = folder.file("veldro.json");
    ASSERT_TRUE(replaceFile(target.string(), roundText(0, 0)));
    ASSERT_EQ(::chmod(target.c_str(), TARGET_MODE), 0);

    int startPipe[2];
    ASSERT_EQ(::pipe(startPipe), 0);
    std::vector<WriterOutcome> writers;
    for (int writer = 1; writer <= WRITERS; ++writer) {
        writers.push_back({startWriter(writer, target, startPipe)});
        ASSERT_GT(writers.back().pid, 0);
    }
    ::close(startPipe[0]);
    ::close(startPipe[1]);

    int reads = 0;
    int tornReads = 0;
    int readsWithAnotherMode = 0;
    bool writing = true;
    while (writing) {
        writing = anyStillWriting(writers);
        const std::optional<std::string> text = readWholeFile(target.string());
        ++reads;
        tornReads += text && isWholeText(*text) ? 0 : 1;
        readsWithAnotherMode += modeOf(target) == TARGET_MODE ? 0 : 1;
    }

    RecordProperty("rounds", WRITERS * ROUNDS);
    RecordProperty("reads", reads);
    for (const WriterOutcome& writer : writers)
        EXPECT_EQ(writer.failedSaves, 0) << "writer " << writer.pid;
    EXPECT_EQ(tornReads, 0) << "of " << reads << " reads";
    EXPECT_EQ(readsWithAnotherMode, 0) << "of " << reads << " reads";
    EXPECT_EQ(modeOf(target), TARGET_MODE);
    const std::optional<std::string> last = readWholeFile(target.string());
    ASSERT_TRUE(last);
    EXPECT_TRUE(*last == roundText(1, ROUNDS) || *last == roundText(2, ROUNDS)) << "a last round wins";
    EXPECT_EQ(filesIn(folder.path()), 1) << "no temporary file is left";
}

// Several instances in one host process may save from threads of their own.
TEST(FileReplacementWriters, ThreadsOfOneProcessTakeTurnsToo)
{
    testing_support::TempDir folder;
    const fs::path target = folder.file("veldro.json");
    ASSERT_TRUE(replaceFile(target.string(), roundText(0, 0)));

    std::latch start(WRITERS);
    std::atomic<int> finished{0};
    std::atomic<int> failedSaves{0};
    std::vector<std::thread> writers;
    for (int writer = 1; writer <= WRITERS; ++writer)
        writers.emplace_back([&, writer] {
            start.arrive_and_wait();
            for (int round = 1; round <= ROUNDS; ++round)
                failedSaves += replaceFile(target.string(), roundText(writer, round)) ? 0 : 1;
            ++finished;
        });
    int tornReads = 0;
    while (finished < WRITERS) {
        const std::optional<std::string> text = readWholeFile(target.string());
        tornReads += text && isWholeText(*text) ? 0 : 1;
    }
    for (std::thread& writer : writers)
        writer.join();

    EXPECT_EQ(failedSaves, 0);
    EXPECT_EQ(tornReads, 0);
    EXPECT_EQ(filesIn(folder.path()), 1) << "no temporary file is left";
}

} // namespace
} // namespace korvel::veldro
