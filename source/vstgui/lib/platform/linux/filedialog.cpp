#include "vstgui/lib/platform/linux/filedialog.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace VSTGUI {

namespace Linux {

namespace {

bool hasUsableExtension(const CFileExtension& filter)
{
    return !filter.getExtension().empty();
}

std::string patternOf(const CFileExtension& filter)
{
    const auto& extension = filter.getExtension().getString();
    return "*." + extension.substr(extension.front() == '.' ? 1 : 0);
}

std::string nameOf(const CFileExtension& filter)
{
    return filter.getDescription().empty() ? patternOf(filter) : filter.getDescription().getString();
}

} // namespace

std::vector<std::string> zenityArguments(const FileDialogRequest& request)
{
    std::vector<std::string> arguments{"zenity", "--file-selection"};
    if (!request.title.empty())
        arguments.push_back("--title=" + request.title);
    if (request.style == FileDialogStyle::kSelectDirectory) {
        arguments.push_back("--directory");
        return arguments;
    }
    for (const auto& filter : request.filters)
        if (hasUsableExtension(filter))
            arguments.push_back("--file-filter=" + nameOf(filter) + " | " + patternOf(filter));
    if (request.style == FileDialogStyle::kSelectSaveFile) {
        arguments.push_back("--save");
        arguments.push_back("--confirm-overwrite");
        if (!request.initialFileName.empty())
            arguments.push_back("--filename=" + request.initialFileName);
    }
    return arguments;
}

std::vector<std::string> kdialogArguments(const FileDialogRequest& request)
{
    std::vector<std::string> arguments{"kdialog"};
    if (!request.title.empty())
        arguments.push_back("--title=" + request.title);
    // kdialog reads the start folder (or proposed name) and the filter as positional arguments.
    if (request.style == FileDialogStyle::kSelectDirectory) {
        arguments.insert(arguments.end(), {"--getexistingdirectory", "."});
        return arguments;
    }
    bool saving = request.style == FileDialogStyle::kSelectSaveFile;
    arguments.push_back(saving ? "--getsavefilename" : "--getopenfilename");
    arguments.push_back(saving && !request.initialFileName.empty() ? request.initialFileName : ".");
    std::string filterLines;
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) about a literal + string chain here.
    for (const auto& filter : request.filters) {
        if (!hasUsableExtension(filter))
            continue;
        if (!filterLines.empty())
            filterLines += '\n';
        filterLines += nameOf(filter);
        filterLines += " (";
        filterLines += patternOf(filter);
        filterLines += ')';
    }
    if (!filterLines.empty())
        arguments.push_back(filterLines);
    return arguments;
}

namespace {

// A dialog program whose standard output, read without blocking, is the chosen path.
class SpawnedFileDialog : public IPlatformFileDialog {
public:
    SpawnedFileDialog(pid_t pid, int outputFd) : pid(pid), outputFd(outputFd) {}

    ~SpawnedFileDialog() override
    {
        closeOutput();
        if (!reaped) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    bool poll(int timeoutMs) override
    {
        if (outputFd >= 0) {
            pollfd request{outputFd, POLLIN, 0};
            if (::poll(&request, 1, timeoutMs) > 0)
                readAvailable();
            if (outputFd >= 0)
                return false;
        }
        // The output has ended, so the program is exiting: give it the rest of the time to finish.
        for (int waitedMs = 0; !reaped; ++waitedMs) {
            reap();
            if (reaped || waitedMs >= timeoutMs)
                break;
            ::poll(nullptr, 0, 1);
        }
        return reaped;
    }

    std::vector<std::string> result() const override
    {
        if (!reaped || !succeeded)
            return {};
        std::string path = output;
        if (!path.empty() && path.back() == '\n')
            path.pop_back();
        if (path.empty())
            return {};
        return {path};
    }

private:
    void readAvailable()
    {
        char buffer[4096];
        for (;;) {
            ssize_t count = read(outputFd, buffer, sizeof buffer);
            if (count > 0)
                output.append(buffer, static_cast<size_t>(count));
            else if (count < 0 && errno == EINTR)
                continue;
            else {
                if (count == 0 || errno != EAGAIN)
                    closeOutput();
                return;
            }
        }
    }

    void reap()
    {
        int status = 0;
        pid_t waited = waitpid(pid, &status, WNOHANG);
        if (waited == pid) {
            reaped = true;
            succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        } else if (waited < 0 && errno == ECHILD) {
            // The host reaps children itself (SIGCHLD ignored or handled): judge by the output alone.
            reaped = true;
            succeeded = true;
        }
    }

    void closeOutput()
    {
        if (outputFd >= 0)
            close(outputFd);
        outputFd = -1;
    }

    pid_t pid;
    int outputFd;
    std::string output;
    bool reaped{false};
    bool succeeded{false};
};

std::unique_ptr<IPlatformFileDialog> spawnDialog(const std::vector<std::string>& arguments)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return nullptr;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    // GTK and Qt warnings would otherwise land in the host's console.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (error != 0) {
        close(pipeFds[0]);
        return nullptr;
    }
    fcntl(pipeFds[0], F_SETFL, fcntl(pipeFds[0], F_GETFL) | O_NONBLOCK);
    return std::make_unique<SpawnedFileDialog>(pid, pipeFds[0]);
}

} // namespace

} // namespace Linux

std::unique_ptr<IPlatformFileDialog> startPlatformFileDialog(const FileDialogRequest& request)
{
    if (auto dialog = Linux::spawnDialog(Linux::zenityArguments(request)))
        return dialog;
    return Linux::spawnDialog(Linux::kdialogArguments(request));
}

} // namespace VSTGUI
