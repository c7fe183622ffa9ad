// A test process that crashes must not leave its private X server running.

#include <gtest/gtest.h>

#include "XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace x11_testing {
namespace {

constexpr pid_t SERVER_MISSING = -2;

// A test process of its own: starts a server, tells its process id (or why there is none) and aborts.
[[noreturn]] void startServerAndCrash(int reportFd)
{
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    XvfbServer server;
    const pid_t report = server.binaryMissing() ? SERVER_MISSING : server.processId();
    if (write(reportFd, &report, sizeof report) != static_cast<ssize_t>(sizeof report))
        _exit(1);
    abort();
}

// While it lives, orphans of this process's children become this process's children, so that it can
// wait for them.
class OrphanAdoption {
public:
    OrphanAdoption()
    {
        prctl(PR_GET_CHILD_SUBREAPER, &previous);
        prctl(PR_SET_CHILD_SUBREAPER, 1);
    }
    ~OrphanAdoption() { prctl(PR_SET_CHILD_SUBREAPER, previous); }
    OrphanAdoption(const OrphanAdoption&) = delete;
    OrphanAdoption& operator=(const OrphanAdoption&) = delete;

private:
    int previous = 0;
};

TEST(XvfbServer, EndsWithTheTestProcessThatCrashed)
{
    OrphanAdoption adoption;
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t testProcess = fork();
    ASSERT_GE(testProcess, 0);
    if (testProcess == 0) {
        close(report[0]);
        startServerAndCrash(report[1]);
    }
    close(report[1]);
    pid_t server = -1;
    const ssize_t got = read(report[0], &server, sizeof server);
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(testProcess, &status, 0), testProcess);
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof server));
    if (server == SERVER_MISSING)
        GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_GT(server, 0) << "Xvfb did not start";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT) << "status " << status;

    // The orphaned server is this process's child now: its end is an event to wait for.
    const int serverEnd = static_cast<int>(syscall(SYS_pidfd_open, server, 0));
    ASSERT_GE(serverEnd, 0);
    pollfd ended{serverEnd, POLLIN, 0};
    const bool gone = poll(&ended, 1, 20000) == 1;
    close(serverEnd);
    if (!gone)
        kill(server, SIGKILL);
    EXPECT_EQ(waitpid(server, &status, 0), server);
    EXPECT_TRUE(gone) << "the server outlived its test process";
}

} // namespace
} // namespace x11_testing
