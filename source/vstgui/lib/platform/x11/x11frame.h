#pragma once

// The frame's window on X11: a child of the host's window on a display connection of its own.
// Hosts on Linux give plug-ins no run loop, so the frame drains the events from its idle call.
// GUI thread only.

// Before any X header: X.h defines None as a macro, which would break DragOperation::None.
#include "vstgui/lib/dragging.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/x11/x11cursors.h"
#include "vstgui/lib/platform/x11/x11dnd.h"

#include <X11/Xlib.h>

#include <optional>

namespace VSTGUI::X11 {

class X11Frame : public IPlatformFrame {
public:
    // Null when the display cannot be opened or the parent window does not exist.
    static std::unique_ptr<X11Frame> create(CFrame& frame, Window parent, const CRect& size);
    ~X11Frame() override;

    void present(cairo_surface_t* backBuffer, const std::vector<CRect>& rects) override;
    void setCursor(CCursorType type) override;
    void pumpEvents() override;
    void close() override;

private:
    X11Frame(CFrame& frame, Display* display, Window window, Visual* visual, int width, int height);

    void dispatch(XEvent& event);
    void onButton(const XButtonEvent& event);
    void onMotion(XMotionEvent event);
    void onKey(XKeyEvent& event);
    void onLeave(const XCrossingEvent& event);

    CFrame& frame;
    Display* display;
    Window window;
    cairo_surface_t* windowSurface;
    std::optional<CursorSet> cursors;
    std::optional<XdndReceiver> dropReceiver;
};

} // namespace VSTGUI::X11
