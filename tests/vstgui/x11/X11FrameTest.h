#pragma once

// A test suite whose frame is embedded in a host window of its own private Xvfb: the test adds its views
// to `frame`, then shows it.

#include "X11HostTest.h"

#include "vstgui/lib/cframe.h"

#include <functional>

namespace x11_testing {

class X11FrameTest : public X11HostTest {
protected:
    // A host window and a frame of that size, not open yet. Derived set-ups return when !hostReady().
    void makeFrame(int width, int height)
    {
        X11HostTest::SetUp();
        if (!hostReady())
            return;
        hostWindow = host->makeWindow(width, height);
        ASSERT_NE(hostWindow, static_cast<Window>(None)) << "the host window was never shown";
        frame = new VSTGUI::CFrame(VSTGUI::CRect(0, 0, width, height), nullptr);
    }
    // Opens the frame in the host window and waits until its window is shown, ready for input.
    void showFrame()
    {
        ASSERT_TRUE(frame->open(reinterpret_cast<void*>(hostWindow)));
        ASSERT_TRUE(pumpUntil([this] { return (frameWindow = host->shownChildOf(hostWindow)) != None; }));
    }

    void TearDown() override
    {
        if (frame) {
            frame->close();
            frame->forget();
        }
        tearDownHost(hostWindow);
    }

    // Idles the frame once: every event sent so far has then reached its views, and what a test sees
    // afterwards includes all of them.
    void handleSentEvents() { frame->idle(); }

    // Runs the frame's idle and the host's events until `done`; false after a generous bound.
    bool pumpUntil(const std::function<bool()>& done)
    {
        return host->pumpUntil([this] { frame->idle(); }, done);
    }

    VSTGUI::CFrame* frame = nullptr;
    Window hostWindow = None;
    Window frameWindow = None;
};

} // namespace x11_testing
