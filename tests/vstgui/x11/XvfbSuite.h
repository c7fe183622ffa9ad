#pragma once

// A test suite against one private Xvfb: DISPLAY names it while a test runs (a frame opens the default
// display), and the host's side is a connection of its own with a mapped top-level window.

// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace x11_testing {

// A drag source's answer to the drop target's request for the dragged items.
inline void answerSelectionRequest(Display* display, const XSelectionRequestEvent& request, const std::string& data)
{
    XChangeProperty(display, request.requestor, request.property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = request.property;
    reply.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
}

class XvfbSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new XvfbServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    // Skips without Xvfb: a derived SetUp returns when IsSkipped() or HasFatalFailure().
    void openHost(unsigned int width, unsigned int height)
    {
        if (server->binaryMissing())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(server->running()) << "Xvfb did not start";
        if (const char* display = std::getenv("DISPLAY"))
            savedDisplay = display;
        setenv("DISPLAY", server->name().c_str(), 1);
        host = XOpenDisplay(server->name().c_str());
        ASSERT_NE(host, nullptr);
        hostWindow = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, width, height, 0, 0, 0);
        XMapWindow(host, hostWindow);
        XSync(host, False);
    }
    // After the frame is gone.
    void closeHost()
    {
        if (host)
            XCloseDisplay(host);
        host = nullptr;
        if (savedDisplay)
            setenv("DISPLAY", savedDisplay->c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

    // The frame's window: the host window's only child, or None.
    Window findFrameWindow() const
    {
        Window root = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(host, hostWindow, &root, &parent, &children, &count);
        Window child = count == 1 ? children[0] : None;
        if (children)
            XFree(children);
        return child;
    }

    static const std::string& displayName() { return server->name(); }

    Display* host{nullptr};
    Window hostWindow{None};

private:
    static inline XvfbServer* server = nullptr;
    std::optional<std::string> savedDisplay;
};

} // namespace x11_testing
