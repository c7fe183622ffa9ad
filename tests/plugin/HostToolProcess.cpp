#include "HostToolProcess.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvel::test {

HostProcess::HostProcess(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                         rlim_t fileSizeLimit)
    : folder(folder), log(folder / "host-output.txt") {
    // Everything the child needs is made before the fork: after it only system calls run.
    std::vector<std::string> words{QUILLMAR_HOST_TOOL};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int output = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (output < 0) throw std::runtime_error("cannot create " + log.string());
    const rlimit limit{fileSizeLimit, fileSizeLimit};
    pid = ::fork();
    if (pid == 0) {
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        // Whatever the test runner ignores, the tool starts as from a terminal; a file grown
        // past the limit fails the write instead of ending the tool.
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (::chdir(folder.c_str()) == 0) ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(output);
    if (pid < 0) throw std::runtime_error("fork failed");
}

HostProcess::~HostProcess() {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

bool HostProcess::waitForSize(const std::filesystem::path& file, std::uintmax_t bytes) {
    const int watch = ::inotify_init1(IN_CLOEXEC);
    if (watch < 0 || ::inotify_add_watch(watch, folder.c_str(), IN_MODIFY | IN_CREATE) < 0)
        throw std::runtime_error("cannot watch " + folder.string());
    bool reached = false;
    for (;;) {
        std::error_code error;
        if (std::filesystem::file_size(file, error) >= bytes && !error) {
            reached = true;
            break;
        }
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            break;
        }
        // A change in the folder wakes the wait; the timeout only rechecks whether the tool ended.
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 1000) > 0) {
            char events[4096];
            [[maybe_unused]] const ssize_t n = ::read(watch, events, sizeof events);
        }
    }
    ::close(watch);
    return reached;
}

void HostProcess::signal(int number) { ::kill(pid, number); }

int HostProcess::waitStatus() {
    if (pid > 0) {
        ::waitpid(pid, &status, 0);
        pid = -1;
    }
    return status;
}

std::string HostProcess::output() const {
    std::ifstream in(log);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace korvel::test
