#pragma once

// The host's side of a test with a frame in a real X window: its own connection to a private Xvfb,
// top-level windows for frames to open in, and input sent to a window by another client, as a host's
// window system passes it on. X defines None and Bool as macros: GoogleTest comes first.
#include <gtest/gtest.h>

#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>

namespace x11_testing {

class X11Host {
public:
    // Points DISPLAY at the server (frames open the default display) until destroyed.
    explicit X11Host(const XvfbServer& server);
    ~X11Host();
    X11Host(const X11Host&) = delete;
    X11Host& operator=(const X11Host&) = delete;

    // Null when the connection failed.
    Display* connection() const { return display; }
    // A mapped top-level window.
    Window makeWindow(int width, int height);
    // The only child of parent (the frame's window in its host window); None otherwise.
    Window childOf(Window parent);

    // Runs step, then tests done, waiting up to 10 ms for host events between rounds; false after
    // `rounds` rounds.
    bool pumpUntil(const std::function<void()>& step, const std::function<bool()>& done, int rounds = 500);
    // Hands each queued event of this connection to handle (or drops it).
    void drainEvents(const std::function<void(const XEvent&)>& handle = {});

    void send(Window window, XEvent event, long mask);
    void button(Window window, int type, unsigned int xButton, int x, int y, unsigned int state);
    void motion(Window window, int x, int y, unsigned int state, long mask = PointerMotionMask);
    void key(Window window, KeySym keySym, unsigned int state);
    // The window's pixel as 0xRRGGBB; ~0 when it cannot be read.
    unsigned long pixelAt(Window window, int x, int y);

private:
    std::string savedDisplay;
    bool hadDisplay = false;
    Display* display = nullptr;
};

// A test suite that shares one private Xvfb; each test has its own host side, or is skipped where
// Xvfb is not installed. A fixture's SetUp calls this one first and stops when it skipped or failed.
class XvfbFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new XvfbServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        if (server->binaryMissing())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(server->running()) << "Xvfb did not start";
        hostSide = std::make_unique<X11Host>(*server);
        ASSERT_NE(hostSide->connection(), nullptr);
    }
    bool ready() const { return !IsSkipped() && !HasFailure(); }

    static inline XvfbServer* server = nullptr;
    std::unique_ptr<X11Host> hostSide;
};

} // namespace x11_testing
