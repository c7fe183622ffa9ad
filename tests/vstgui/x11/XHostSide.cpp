// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "XHostSide.h"

#include <poll.h>

#include <cstdlib>

namespace x11_testing {

XHostSide::XHostSide(const XvfbServer& server)
{
    if (const char* display = std::getenv("DISPLAY")) {
        savedDisplay = display;
        hadDisplay = true;
    }
    setenv("DISPLAY", server.name().c_str(), 1);
    host = XOpenDisplay(server.name().c_str());
}

XHostSide::~XHostSide()
{
    if (host)
        XCloseDisplay(host);
    if (hadDisplay)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

Window XHostSide::makeWindow(int width, int height)
{
    Window window = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, width, height, 0, 0, 0);
    XMapWindow(host, window);
    XSync(host, False);
    return window;
}

Window XHostSide::childOf(Window parent)
{
    Window root = None, up = None, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(host, parent, &root, &up, &children, &count);
    Window child = count == 1 ? children[0] : None;
    if (children)
        XFree(children);
    return child;
}

bool XHostSide::pumpUntil(const std::function<void()>& idle, const std::function<bool()>& done, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        idle();
        if (done())
            return true;
        pollfd wait{ConnectionNumber(host), POLLIN, 0};
        poll(&wait, 1, 10);
    }
    return false;
}

void XHostSide::send(Window window, XEvent event, long mask)
{
    event.xany.display = host;
    event.xany.window = window;
    XSendEvent(host, window, False, mask, &event);
    XFlush(host);
}

void XHostSide::button(Window window, int type, unsigned int button, int x, int y, unsigned int state)
{
    XEvent event{};
    event.xbutton.type = type;
    event.xbutton.root = DefaultRootWindow(host);
    event.xbutton.time = CurrentTime;
    event.xbutton.x = event.xbutton.x_root = x;
    event.xbutton.y = event.xbutton.y_root = y;
    event.xbutton.state = state;
    event.xbutton.button = button;
    event.xbutton.same_screen = True;
    send(window, event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
}

void XHostSide::motion(Window window, int x, int y, unsigned int state)
{
    XEvent event{};
    event.xmotion.type = MotionNotify;
    event.xmotion.root = DefaultRootWindow(host);
    event.xmotion.x = event.xmotion.x_root = x;
    event.xmotion.y = event.xmotion.y_root = y;
    event.xmotion.state = state;
    event.xmotion.same_screen = True;
    send(window, event, PointerMotionMask);
}

void XHostSide::key(Window window, KeySym keySym, unsigned int state)
{
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.root = DefaultRootWindow(host);
    event.xkey.state = state;
    event.xkey.keycode = XKeysymToKeycode(host, keySym);
    event.xkey.same_screen = True;
    send(window, event, KeyPressMask);
}

XvfbServer* XvfbTest::server = nullptr;

void XvfbTest::SetUpTestSuite() { server = new XvfbServer(); }

void XvfbTest::TearDownTestSuite()
{
    delete server;
    server = nullptr;
}

void XvfbTest::SetUp()
{
    if (server->binaryMissing())
        GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server->running()) << "Xvfb did not start";
    hostSide = std::make_unique<XHostSide>(*server);
    ASSERT_TRUE(hostSide->connected());
}

void XvfbTest::TearDown() { hostSide.reset(); }

} // namespace x11_testing
