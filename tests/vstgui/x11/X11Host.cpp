// GoogleTest's users include it before X headers; this file needs neither order.
#include "X11Host.h"

#include <X11/Xutil.h>
#include <poll.h>

#include <cstdlib>

namespace x11_testing {

X11Host::X11Host(const XvfbServer& server)
{
    if (const char* current = std::getenv("DISPLAY")) {
        savedDisplay = current;
        hadDisplay = true;
    }
    setenv("DISPLAY", server.name().c_str(), 1);
    display = XOpenDisplay(server.name().c_str());
}

X11Host::~X11Host()
{
    if (display)
        XCloseDisplay(display);
    if (hadDisplay)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

Window X11Host::makeWindow(int width, int height)
{
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

Window X11Host::childOf(Window parent)
{
    Window root = None, up = None, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &up, &children, &count);
    Window child = count == 1 ? children[0] : None;
    if (children)
        XFree(children);
    return child;
}

bool X11Host::pumpUntil(const std::function<void()>& step, const std::function<bool()>& done, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        step();
        if (done())
            return true;
        pollfd wait{ConnectionNumber(display), POLLIN, 0};
        poll(&wait, 1, 10);
    }
    return false;
}

void X11Host::drainEvents(const std::function<void(const XEvent&)>& handle)
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (handle)
            handle(event);
    }
}

void X11Host::send(Window window, XEvent event, long mask)
{
    event.xany.display = display;
    event.xany.window = window;
    XSendEvent(display, window, False, mask, &event);
    XFlush(display);
}

void X11Host::button(Window window, int type, unsigned int xButton, int x, int y, unsigned int state)
{
    XEvent event{};
    event.xbutton.type = type;
    event.xbutton.root = DefaultRootWindow(display);
    event.xbutton.time = CurrentTime;
    event.xbutton.x = event.xbutton.x_root = x;
    event.xbutton.y = event.xbutton.y_root = y;
    event.xbutton.state = state;
    event.xbutton.button = xButton;
    event.xbutton.same_screen = True;
    send(window, event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
}

void X11Host::motion(Window window, int x, int y, unsigned int state, long mask)
{
    XEvent event{};
    event.xmotion.type = MotionNotify;
    event.xmotion.root = DefaultRootWindow(display);
    event.xmotion.x = event.xmotion.x_root = x;
    event.xmotion.y = event.xmotion.y_root = y;
    event.xmotion.state = state;
    event.xmotion.same_screen = True;
    send(window, event, mask);
}

void X11Host::key(Window window, KeySym keySym, unsigned int state)
{
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.state = state;
    event.xkey.keycode = XKeysymToKeycode(display, keySym);
    event.xkey.same_screen = True;
    send(window, event, KeyPressMask);
}

unsigned long X11Host::pixelAt(Window window, int x, int y)
{
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0ul;
    unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

} // namespace x11_testing
