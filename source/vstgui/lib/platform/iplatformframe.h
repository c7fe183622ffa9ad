#pragma once

// What the frame needs from a window system. The frame owns its back buffer (a cairo ARGB32 image
// surface of the frame's size, premultiplied, top-left origin); it paints the invalid rects into it
// during idle and then asks the platform to show them.
//
// A platform delivers its events by calling CFrame's platformOn... entry points (frame coordinates)
// from inside pumpEvents(); an exposed window area is reported with CFrame::invalidRect(rect) and is
// repainted and presented later in the same idle call. Everything here runs on the GUI thread.

#include "vstgui/lib/ccursortype.h"
#include "vstgui/lib/crect.h"

#include <cairo.h>

#include <memory>
#include <vector>

namespace VSTGUI {

class CFrame;

class IPlatformFrame {
public:
    virtual ~IPlatformFrame() = default;

    // Copies `rects` (frame coordinates, unrounded, already painted) from the back buffer to the screen.
    virtual void present(cairo_surface_t* backBuffer, const std::vector<CRect>& rects) = 0;
    virtual void setCursor(CCursorType type) = 0;
    // Handles every window-system event the server sent before the call, without waiting for more.
    virtual void pumpEvents() = 0;
    // Destroys the window; afterwards no event reaches the frame. Called once, before destruction.
    virtual void close() = 0;
};

// A child window of `parentWindow` (an X11 Window id as the host hands it to effEditOpen), of the
// size of `size`, on a display connection of its own. Null when the display or window cannot be made.
// Defined by the X11 back end.
std::unique_ptr<IPlatformFrame> createX11PlatformFrame(CFrame& frame, void* parentWindow, const CRect& size);

// An image-only frame for tests and snapshots. Defined by the offscreen back end.
std::unique_ptr<IPlatformFrame> createOffscreenPlatformFrame(CFrame& frame);

} // namespace VSTGUI
