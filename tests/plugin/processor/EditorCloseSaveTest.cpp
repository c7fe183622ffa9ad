// The editor's close writes the state file on the host's GUI thread. Another process that keeps the
// folder's write lock (a host stopped mid-save, any tool) must not hang the host there.

#include "QuillmarTestHost.h"
#include "editor/Controller.h"
#include "gui/CGroupbox.h"
#include "gui/CTextDisplay.h"

// After the toolkit's headers: X defines None and Bool as macros.
#include "X11HostTest.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace korvel::test {
namespace {

namespace fs = std::filesystem;

// A child process that takes the folder's write lock and keeps it until released. Should the close
// never return, the child lets go after a while, so that the test fails instead of hanging.
class FolderLockHolder {
public:
    explicit FolderLockHolder(const fs::path& folder)
    {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            // Only system calls after the fork: the test process has threads.
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
            const char held = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 1 : 0;
            [[maybe_unused]] const ssize_t told = ::write(ready[1], &held, 1);
            pollfd released{release[0], POLLIN, 0};
            ::poll(&released, 1, LONGEST_HOLD_MS);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        releaseEnd = release[1];
        char held = 0;
        holding = pid > 0 && ::read(ready[0], &held, 1) == 1 && held == 1;
        ::close(ready[0]);
    }
    ~FolderLockHolder()
    {
        ::close(releaseEnd);
        if (pid > 0)
            ::waitpid(pid, nullptr, 0);
    }
    FolderLockHolder(const FolderLockHolder&) = delete;
    FolderLockHolder& operator=(const FolderLockHolder&) = delete;

    bool isHolding() const { return holding; }

private:
    static constexpr int LONGEST_HOLD_MS = 30000;
    pid_t pid = -1;
    int releaseEnd = -1;
    bool holding = false;
};

// What the process writes on stderr while it lives.
class StderrCapture {
public:
    StderrCapture()
        : saved(::dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        ::dup2(::fileno(file), STDERR_FILENO);
    }
    ~StderrCapture()
    {
        restore();
        std::fclose(file);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Ends the capture; what was written.
    std::string text()
    {
        restore();
        std::string written;
        std::rewind(file);
        char buffer[512];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            written.append(buffer, n);
        return written;
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
        saved = -1;
    }

    std::FILE* file = std::tmpfile();
    int saved;
};

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EditorCloseInHost : public x11_testing::X11HostTest {
protected:
    void TearDown() override { host.reset(); }
};

TEST_F(EditorCloseInHost, AFolderLockThatAnotherProcessKeepsEndsTheSaveAfterAShortWait)
{
    constexpr int GRAIN_RATE = 4;
    ScratchFolder folder;
    const std::string saved = demo::makeState({{Processor::LIVE_SLOT, {}, {{"grain.rate", 7.0}}}});
    std::ofstream(folder.file("veldro.json")) << saved;
    host::PluginInstance plugin(quillmarModule(), RATE, 512);
    const Window parent = host->makeWindow(Controller::WIDTH, Controller::HEIGHT);
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    plugin.effect().setParameter(&plugin.effect(), GRAIN_RATE, 0.9f);
    auto& editor = static_cast<Controller&>(*processorOf(plugin).getEditor());
    auto* status = dynamic_cast<gui::CTextDisplay*>(editor.getBoxes().at(3)->getStatusReceiver());
    ASSERT_NE(status, nullptr);
    // Read after the close has taken the window down.
    status->remember();

    const FolderLockHolder lock(fs::current_path());
    ASSERT_TRUE(lock.isHolding());
    StderrCapture stderrText;
    const auto start = std::chrono::steady_clock::now();
    plugin.dispatch(effEditClose);
    const auto took = std::chrono::steady_clock::now() - start;
    const std::string told = stderrText.text();

    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
    RecordProperty("close_ms", static_cast<int>(milliseconds));
    EXPECT_LT(took, std::chrono::seconds(5)) << milliseconds << " ms";
    const std::string failure = "Error saving state file - " + folder.file("veldro.json").string() +
                                " (another program keeps its folder locked)";
    EXPECT_EQ(told, "Quillmar: " + failure + "\n");
    EXPECT_EQ(status->getTitle().getString(), status->getLabel().getString() + failure);
    EXPECT_EQ(status->getTextColor(), VSTGUI::CColor(255, 0, 0, 255));
    status->forget();
    EXPECT_EQ(contentOf(folder.file("veldro.json")), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::current_path()), fs::directory_iterator()), 1)
        << "no temporary file is left";
    EXPECT_TRUE(host->waitUntilChildless(parent));
    XDestroyWindow(host->getDisplay(), parent);
}

} // namespace
} // namespace korvel::test
