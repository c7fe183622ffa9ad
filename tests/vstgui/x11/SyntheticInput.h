#pragma once

// Input that another X client (a test acting as host or user) sends straight to a window, and the
// lookup of the window a frame opened inside its host window.

#include <X11/Xlib.h>

namespace x11_testing {

inline void sendEvent(Display* display, Window target, XEvent event, long mask)
{
    event.xany.display = display;
    event.xany.window = target;
    XSendEvent(display, target, False, mask, &event);
    XFlush(display);
}

// ButtonPress or ButtonRelease of `button` at (x, y), with `state` the buttons and modifiers held before.
inline void sendButton(Display* display, Window target, int type, unsigned int button, int x, int y,
                       unsigned int state)
{
    XEvent event{};
    event.xbutton.type = type;
    event.xbutton.root = DefaultRootWindow(display);
    event.xbutton.time = CurrentTime;
    event.xbutton.x = event.xbutton.x_root = x;
    event.xbutton.y = event.xbutton.y_root = y;
    event.xbutton.state = state;
    event.xbutton.button = button;
    event.xbutton.same_screen = True;
    sendEvent(display, target, event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
}

inline void sendMotion(Display* display, Window target, int x, int y, unsigned int state)
{
    XEvent event{};
    event.xmotion.type = MotionNotify;
    event.xmotion.root = DefaultRootWindow(display);
    event.xmotion.x = event.xmotion.x_root = x;
    event.xmotion.y = event.xmotion.y_root = y;
    event.xmotion.state = state;
    event.xmotion.same_screen = True;
    sendEvent(display, target, event, PointerMotionMask);
}

// The one child of `parent` (the frame's window in a host window), or 0 while there is not exactly one.
inline Window onlyChild(Display* display, Window parent)
{
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &up, &children, &count);
    const Window child = count == 1 ? children[0] : 0;
    if (children)
        XFree(children);
    return child;
}

} // namespace x11_testing
