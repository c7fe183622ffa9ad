#include "X11HostClient.h"

#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>

namespace x11_testing {

X11HostClient::X11HostClient(const XvfbServer& server)
{
    if (!server.running())
        return;
    if (const char* current = std::getenv("DISPLAY")) {
        savedDisplay = current;
        hadDisplay = true;
    }
    setenv("DISPLAY", server.name().c_str(), 1);
    display = XOpenDisplay(server.name().c_str());
}

X11HostClient::~X11HostClient()
{
    if (display)
        XCloseDisplay(display);
    if (hadDisplay)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

Window X11HostClient::makeWindow(int width, int height)
{
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XEvent mapped;
    if (waitFor([&] { return XCheckTypedWindowEvent(display, window, MapNotify, &mapped); }) && viewable(window))
        return window;
    XDestroyWindow(display, window);
    XSync(display, False);
    return None;
}

Window X11HostClient::childOf(Window parent)
{
    Window root = None, up = None, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &up, &children, &count);
    Window child = count == 1 ? children[0] : None;
    if (children)
        XFree(children);
    return child;
}

Window X11HostClient::shownChildOf(Window parent)
{
    const Window child = childOf(parent);
    return child != None && viewable(child) ? child : None;
}

bool X11HostClient::viewable(Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

bool X11HostClient::waitUntilChildless(Window parent)
{
    return waitFor([&] { return childOf(parent) == None; });
}

unsigned long X11HostClient::pixelAt(Window window, int x, int y)
{
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0ul;
    unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

void X11HostClient::send(Window window, XEvent event, long mask)
{
    event.xany.display = display;
    event.xany.window = window;
    XSendEvent(display, window, False, mask, &event);
    XSync(display, False);
}

void X11HostClient::button(Window window, int type, int x, int y, unsigned int state, unsigned int which)
{
    XEvent event{};
    event.xbutton.type = type;
    event.xbutton.root = DefaultRootWindow(display);
    event.xbutton.time = CurrentTime;
    event.xbutton.x = event.xbutton.x_root = x;
    event.xbutton.y = event.xbutton.y_root = y;
    event.xbutton.state = state;
    event.xbutton.button = which;
    event.xbutton.same_screen = True;
    send(window, event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
}

void X11HostClient::motion(Window window, int x, int y, unsigned int state)
{
    XEvent event{};
    event.xmotion.type = MotionNotify;
    event.xmotion.root = DefaultRootWindow(display);
    event.xmotion.x = event.xmotion.x_root = x;
    event.xmotion.y = event.xmotion.y_root = y;
    event.xmotion.state = state;
    event.xmotion.same_screen = True;
    send(window, event, PointerMotionMask | ButtonMotionMask);
}

void X11HostClient::key(Window window, KeySym keySym, unsigned int state)
{
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.state = state;
    event.xkey.keycode = XKeysymToKeycode(display, keySym);
    event.xkey.same_screen = True;
    send(window, event, KeyPressMask);
}

Atom X11HostClient::atom(const char* name)
{
    return XInternAtom(display, name, False);
}

void X11HostClient::offerDrag(Window source, const std::string& uris)
{
    offeredUris = uris;
    XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);
}

void X11HostClient::sendXdnd(Window source, Window target, const char* type, long l1, long l2, long l3, long l4)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.message_type = atom(type);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(source);
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    send(target, event, NoEventMask);
}

const XClientMessageEvent* X11HostClient::answer(const char* type)
{
    const Atom wanted = atom(type);
    for (auto message = answers.rbegin(); message != answers.rend(); ++message)
        if (message->message_type == wanted)
            return &*message;
    return nullptr;
}

void X11HostClient::answerSelectionRequest(const XSelectionRequestEvent& request)
{
    XChangeProperty(display, request.requestor, request.property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offeredUris.data()), static_cast<int>(offeredUris.size()));
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

void X11HostClient::drainAndWait(int ms)
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage)
            answers.push_back(event.xclient);
        else if (event.type == SelectionRequest)
            answerSelectionRequest(event.xselectionrequest);
    }
    pollfd wait{ConnectionNumber(display), POLLIN, 0};
    poll(&wait, 1, ms);
}

bool X11HostClient::waitFor(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        // Events stay queued for `done` to look at.
        pollfd wait{ConnectionNumber(display), POLLIN, 0};
        poll(&wait, 1, 10);
    }
    return true;
}

bool X11HostClient::pumpUntil(const std::function<void()>& idle, const std::function<bool()>& done, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        idle();
        if (done())
            return true;
        drainAndWait(10);
    }
    return false;
}

} // namespace x11_testing
