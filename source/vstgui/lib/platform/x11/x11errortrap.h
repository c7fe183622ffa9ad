#pragma once

// Keeps X protocol errors of the frame's display from reaching Xlib's default handler, which would
// end the host process: a host may destroy its window (and so ours) before it closes the editor,
// and a drag source may vanish at any time. Every entry into the frame's Xlib calls holds a trap;
// traps nest. GUI thread only.

#include <X11/Xlib.h>

namespace VSTGUI::X11 {

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    // Waits for the server to answer the trapped requests; the outermost trap restores the
    // previous handler.
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server as well; true when a request made under this trap failed.
    bool failed();

private:
    Display* display;
    unsigned long errorsBefore;
};

} // namespace VSTGUI::X11
