#pragma once

// Keeps X protocol errors of one display from reaching Xlib's default handler, which would end
// the host process. Used around requests on windows of other clients, which may vanish at any time.
// GUI thread only.

#include <X11/Xlib.h>

namespace VSTGUI::X11 {

class XErrorTrap {
public:
    explicit XErrorTrap(Display *display);
    // Waits for the server to answer the trapped requests, then restores the previous handler.
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap &) = delete;
    XErrorTrap &operator=(const XErrorTrap &) = delete;

    // Waits for the server as well; true when a trapped request failed.
    bool failed();

private:
    Display *display;
    XErrorHandler previousHandler;
};

} // namespace VSTGUI::X11
