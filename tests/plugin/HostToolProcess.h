#pragma once

// quillmar-host run as a child process that a test can signal while it renders.
#include <sys/resource.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korvel::test {

class HostProcess {
public:
    // Starts the tool in folder with these arguments, its standard output and error kept in a
    // file there. A write that would make a file larger than fileSizeLimit bytes fails (EFBIG).
    HostProcess(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                rlim_t fileSizeLimit);
    ~HostProcess();  // kills and reaps a tool still running
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Waits until file holds at least bytes (true) or the tool has ended (false), watching the
    // folder for changes.
    bool waitForSize(const std::filesystem::path& file, std::uintmax_t bytes);
    void signal(int number);
    // Waits for the tool to end; its wait status.
    int waitStatus();
    std::string output() const;

private:
    std::filesystem::path folder;
    std::filesystem::path log;
    pid_t pid = -1;
    int status = 0;
};

}  // namespace korvel::test
