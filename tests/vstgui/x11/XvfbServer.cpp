#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace x11_testing {

namespace {

constexpr int startTimeoutMs = 20000;

// Reads what Xvfb writes to its -displayfd once it is ready: the display number and a newline.
std::string readDisplayNumber(int fd)
{
    std::string number;
    for (;;) {
        pollfd request{fd, POLLIN, 0};
        if (poll(&request, 1, startTimeoutMs) <= 0)
            return {};
        char c = 0;
        ssize_t count = read(fd, &c, 1);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return {};
        if (c == '\n')
            return number;
        number.push_back(c);
    }
}

constexpr int binaryMissingStatus = 127;
constexpr int notStartedStatus = 126;

// In the forked child, so only async-signal-safe calls.
[[noreturn]] void execServer(char** argv, int readyFd, int devNull, pid_t parent)
{
    // A test process that crashes or is killed takes its server with it. The signal comes when the
    // forking thread ends, so the server belongs to a thread that outlives it (the test's main thread).
    // SIGTERM rather than SIGKILL: the server then removes its lock file and socket.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) // the parent died before the line above could take effect
        _exit(notStartedStatus);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr); // a mask blocking SIGTERM would survive exec
    if (devNull >= 0) {
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
    }
    fcntl(readyFd, F_SETFD, 0); // the server writes its display number here
    execvp(argv[0], argv);
    _exit(errno == ENOENT ? binaryMissingStatus : notStartedStatus);
}

} // namespace

XvfbServer::XvfbServer()
{
    int readyPipe[2];
    if (pipe2(readyPipe, O_CLOEXEC) != 0)
        return;
    // -noreset: the server would otherwise reset (and refuse connections for a moment) each time
    // its last client leaves, as the readiness probe below does.
    std::vector<std::string> arguments{"Xvfb",      "-displayfd", std::to_string(readyPipe[1]),
                                       "-nolisten", "tcp",        "-noreset",
                                       "-screen",   "0",          "320x240x24"};
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t parent = getpid();
    pid = fork();
    if (pid == 0)
        execServer(argv.data(), readyPipe[1], devNull, parent);
    close(readyPipe[1]);
    if (devNull >= 0)
        close(devNull);
    if (pid < 0) {
        close(readyPipe[0]);
        return;
    }
    std::string number = readDisplayNumber(readyPipe[0]);
    close(readyPipe[0]);
    if (number.empty()) {
        // Ended already when the binary was missing; otherwise it started and did not answer.
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        missing = WIFEXITED(status) && WEXITSTATUS(status) == binaryMissingStatus;
        pid = -1;
        return;
    }
    if (Display* probe = XOpenDisplay((":" + number).c_str())) {
        XCloseDisplay(probe);
        displayName = ":" + number;
    }
}

XvfbServer::~XvfbServer()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace x11_testing
