#include "vstgui/lib/platform/x11/x11frame.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/x11/x11errortrap.h"
#include "vstgui/lib/platform/x11/x11input.h"

#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace VSTGUI {

namespace X11 {

namespace {

constexpr long windowEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                                 LeaveWindowMask | KeyPressMask | KeyReleaseMask;

int pixelExtent(CCoord length)
{
    return std::max(1, static_cast<int>(std::ceil(length)));
}

} // namespace

std::unique_ptr<X11Frame> X11Frame::create(CFrame& frame, Window parent, const CRect& size)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int width = pixelExtent(size.getWidth());
    int height = pixelExtent(size.getHeight());
    std::unique_ptr<X11Frame> platform;
    {
        XErrorTrap trap(display); // the parent may not exist
        XSetWindowAttributes attributes{};
        attributes.event_mask = windowEventMask;
        attributes.background_pixmap = None; // the back buffer covers every pixel; no flash of background
        Window window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned int>(width),
                                      static_cast<unsigned int>(height), 0, CopyFromParent, InputOutput,
                                      CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
        XWindowAttributes created;
        if (!trap.failed() && XGetWindowAttributes(display, window, &created)) {
            platform.reset(new X11Frame(frame, display, window, created.visual, width, height));
            XMapWindow(display, window);
        }
    }
    if (!platform)
        XCloseDisplay(display);
    return platform;
}

X11Frame::X11Frame(CFrame& frame, Display* display, Window window, Visual* visual, int width, int height)
    : frame(frame), display(display), window(window),
      windowSurface(cairo_xlib_surface_create(display, window, visual, width, height))
{
    cursors.emplace(display);
    dropReceiver.emplace(frame, display, window);
}

X11Frame::~X11Frame()
{
    close();
}

void X11Frame::close()
{
    if (!display)
        return;
    {
        XErrorTrap trap(display); // the host may have destroyed its window, and ours with it
        dropReceiver.reset();
        cursors.reset();
        cairo_surface_destroy(windowSurface);
        XDestroyWindow(display, window);
    }
    XCloseDisplay(display);
    display = nullptr;
}

void X11Frame::present(cairo_surface_t* backBuffer, const std::vector<CRect>& rects)
{
    if (!display || rects.empty())
        return;
    XErrorTrap trap(display);
    cairo_t* context = cairo_create(windowSurface);
    for (const auto& rect : rects) {
        // Whole pixels: the back buffer holds the finished image around the fractional edges too.
        double left = std::floor(rect.left), top = std::floor(rect.top);
        cairo_rectangle(context, left, top, std::ceil(rect.right) - left, std::ceil(rect.bottom) - top);
    }
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(context, backBuffer, 0, 0);
    cairo_fill(context);
    cairo_destroy(context);
    cairo_surface_flush(windowSurface);
}

void X11Frame::setCursor(CCursorType type)
{
    if (!display)
        return;
    XErrorTrap trap(display);
    XDefineCursor(display, window, cursors->get(type));
}

void X11Frame::pumpEvents()
{
    if (!display)
        return;
    XErrorTrap trap(display);
    // A round trip first: every event the server queued for this window before the call (all input a
    // host or another client sent before it idles us) is read and handled now, not an idle later.
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        dispatch(event);
    }
}

void X11Frame::dispatch(XEvent& event)
{
    switch (event.type) {
    case Expose:
        frame.invalidRect(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                event.xexpose.y + event.xexpose.height));
        break;
    case ButtonPress:
    case ButtonRelease:
        onButton(event.xbutton);
        break;
    case MotionNotify:
        onMotion(event.xmotion);
        break;
    case KeyPress:
    case KeyRelease:
        onKey(event.xkey);
        break;
    case LeaveNotify:
        onLeave(event.xcrossing);
        break;
    case ClientMessage:
        dropReceiver->handleClientMessage(event.xclient);
        break;
    case SelectionNotify:
        dropReceiver->handleSelectionNotify(event.xselection);
        break;
    default:
        break;
    }
}

void X11Frame::onButton(const XButtonEvent& event)
{
    int32 button = buttonFromXButton(event.button);
    if (button == 0)
        return;
    // The state mask tells the buttons held before this event; the toolkit wants the one that changed.
    CButtonState state(button | (buttonStateFromXState(event.state) & kModifierMask));
    CPoint where(event.x, event.y);
    if (event.type == ButtonPress) {
        XSetInputFocus(display, window, RevertToParent, event.time);
        frame.platformOnMouseDown(where, state, static_cast<uint32>(event.time));
    } else
        frame.platformOnMouseUp(where, state);
}

void X11Frame::onMotion(XMotionEvent event)
{
    // Only the latest of a run of moves matters; dragging stays responsive under a slow paint.
    // Moves behind another event (a release) stay queued, so the order of events is kept.
    XEvent next;
    while (XEventsQueued(display, QueuedAlready) > 0) {
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xmotion.window != window)
            break;
        XNextEvent(display, &next);
        event = next.xmotion;
    }
    frame.platformOnMouseMoved(CPoint(event.x, event.y), CButtonState(buttonStateFromXState(event.state)));
}

void X11Frame::onKey(XKeyEvent& event)
{
    KeySym keySym = NoSymbol;
    char text[8];
    XLookupString(&event, text, sizeof text, &keySym, nullptr);
    VstKeyCode key = keyFromKeySym(keySym, event.state);
    if (key.virt == 0 && key.character == 0)
        return; // a lone modifier or a key without meaning to the toolkit
    if (event.type == KeyPress)
        frame.platformOnKeyDown(key);
    else
        frame.platformOnKeyUp(key);
}

void X11Frame::onLeave(const XCrossingEvent& event)
{
    // Another client (host or window manager) took the pointer: a drag in progress cannot finish.
    if (event.mode == NotifyGrab)
        frame.platformOnMouseCancel();
    frame.platformOnMouseExited();
}

} // namespace X11

std::unique_ptr<IPlatformFrame> createX11PlatformFrame(CFrame& frame, void* parentWindow, const CRect& size)
{
    return X11::X11Frame::create(frame, static_cast<Window>(reinterpret_cast<uintptr_t>(parentWindow)), size);
}

} // namespace VSTGUI
