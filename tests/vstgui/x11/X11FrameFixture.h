#pragma once

// A toolkit frame embedded in a host window on the suite's private Xvfb, as a host embeds an editor.

#include "X11Host.h"

#include "vstgui/lib/cframe.h"

#include <functional>

namespace x11_testing {

class X11FrameFixture : public XvfbFixture {
protected:
    // Takes the frame (with its views) and opens it in a new host window of its size.
    void openFrame(VSTGUI::CFrame* newFrame)
    {
        frame = newFrame;
        const VSTGUI::CRect size = frame->getViewSize();
        hostWindow = hostSide->makeWindow(static_cast<int>(size.getWidth()), static_cast<int>(size.getHeight()));
        ASSERT_TRUE(frame->open(reinterpret_cast<void*>(hostWindow)));
        ASSERT_TRUE(pumpUntil([this] { return (frameWindow = hostSide->childOf(hostWindow)) != None; }));
    }

    void TearDown() override
    {
        if (frame) {
            frame->close();
            frame->forget();
        }
    }

    // Runs the frame's idle and hands the host's events to onHostEvent until `done`; false after a
    // generous bound.
    bool pumpUntil(const std::function<bool()>& done)
    {
        return hostSide->pumpUntil(
            [this] {
                frame->idle();
                hostSide->drainEvents([this](const XEvent& event) { onHostEvent(event); });
            },
            done);
    }
    virtual void onHostEvent(const XEvent&) {}

    VSTGUI::CFrame* frame = nullptr;
    Window hostWindow = None;
    Window frameWindow = None;
};

} // namespace x11_testing
