#pragma once

// The host's side of a test in a private Xvfb: its own connection, its windows and the input it sends.
// Include GoogleTest before this header: X defines None and Bool as macros.

#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>

namespace x11_testing {

class XHostSide {
public:
    // Points DISPLAY at the server (frames open the default display) and connects; DISPLAY is restored
    // on destruction. connected() tells whether it worked.
    explicit XHostSide(const XvfbServer& server);
    ~XHostSide();
    XHostSide(const XHostSide&) = delete;
    XHostSide& operator=(const XHostSide&) = delete;

    bool connected() const { return host != nullptr; }
    Display* display() const { return host; }

    // A mapped top-level window.
    Window makeWindow(int width, int height);
    // The only child of parent (a frame's window), or None.
    Window childOf(Window parent);

    // Calls `idle`, then waits up to 10 ms for the connection, until `done`; false after `rounds`.
    bool pumpUntil(const std::function<void()>& idle, const std::function<bool()>& done, int rounds = 500);

    void send(Window window, XEvent event, long mask);
    void button(Window window, int type, unsigned int button, int x, int y, unsigned int state);
    void motion(Window window, int x, int y, unsigned int state);
    void key(Window window, KeySym keySym, unsigned int state);

private:
    std::string savedDisplay;
    bool hadDisplay = false;
    Display* host = nullptr;
};

// A suite that runs on its own Xvfb and skips where Xvfb is not installed. A test's SetUp calls this
// one's first and returns when it skipped or failed.
class XvfbTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static XvfbServer* server;
    std::unique_ptr<XHostSide> hostSide;
};

} // namespace x11_testing
