#pragma once

// A private Xvfb for tests that need a real X server. It ends with the object, or with the thread that
// made it when that thread or its process ends first (a crash included): make it on the test's main thread.

#include <string>
#include <sys/types.h>

namespace x11_testing {

class XvfbServer {
public:
    // Starts Xvfb on a display number it picks itself and waits until it accepts connections.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool binaryMissing() const { return missing; }
    bool running() const { return !displayName.empty(); }
    // ":N" once running.
    const std::string& name() const { return displayName; }
    // The server's process while running, else -1.
    pid_t processId() const { return running() ? pid : -1; }

private:
    pid_t pid{-1};
    bool missing{false};
    std::string displayName;
};

} // namespace x11_testing
