#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

} // namespace

XvfbServer::XvfbServer()
{
    int readyPipe[2];
    if (pipe(readyPipe) != 0)
        return;
    fcntl(readyPipe[0], F_SETFD, FD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // -noreset: the server would otherwise reset (and refuse connections for a moment) each time
    // its last client leaves, as the readiness probe below does.
    std::vector<std::string> arguments{"Xvfb",      "-displayfd", std::to_string(readyPipe[1]),
                                       "-nolisten", "tcp",        "-noreset",
                                       "-screen",   "0",          "320x240x24"};
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(readyPipe[1]);
    if (error != 0) {
        missing = error == ENOENT;
        pid = -1;
        close(readyPipe[0]);
        return;
    }
    std::string number = readDisplayNumber(readyPipe[0]);
    close(readyPipe[0]);
    if (number.empty())
        return;
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
