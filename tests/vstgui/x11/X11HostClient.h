#pragma once

// The host's side of a frame embedded in a real X window: a second client of a private Xvfb that owns
// the parent window and sends the input a host's window would pass on.

#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace x11_testing {

class X11HostClient {
public:
    // Connects to the server and makes it the default display (where a frame opens) while it lives.
    explicit X11HostClient(const XvfbServer& server);
    ~X11HostClient();
    X11HostClient(const X11HostClient&) = delete;
    X11HostClient& operator=(const X11HostClient&) = delete;

    bool connected() const { return display != nullptr; }
    Display* getDisplay() const { return display; }

    // A mapped top-level window at the screen's origin.
    Window makeWindow(int width, int height);
    // The window's only child (a frame opened on it), else None.
    Window childOf(Window parent);
    // 0xRRGGBB of one pixel, or ~0 when it cannot be read.
    unsigned long pixelAt(Window window, int x, int y);

    void button(Window window, int type, int x, int y, unsigned int state, unsigned int which = Button1);
    void motion(Window window, int x, int y, unsigned int state = Button1Mask);
    void key(Window window, KeySym keySym, unsigned int state = 0);
    void send(Window window, XEvent event, long mask);

    // Drops the events sent to this client, then waits up to ms for more to arrive.
    void drainAndWait(int ms);
    // Runs idle (a frame's or an editor's) and drains events until done; false after a generous bound.
    bool pumpUntil(const std::function<void()>& idle, const std::function<bool()>& done);

private:
    Display* display = nullptr;
    std::string savedDisplay;
    bool hadDisplay = false;
};

} // namespace x11_testing
