#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawcontext.h"

#include <cairo.h>

#include <memory>
#include <string>

namespace VSTGUI {

// The frame's image: cairo ARGB32 (premultiplied), painted by the frame, shown by the platform.
// GUI thread only.
class BackBuffer {
public:
    BackBuffer(int width, int height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    cairo_surface_t* surface() const { return image; }
    std::unique_ptr<CDrawContext> createDrawContext() const;
    // Back to transparent black.
    void clear(const CRect& rect);
    bool writePNG(const std::string& path) const;
    // Un-premultiplied; transparent black outside the image.
    CColor getPixel(int x, int y) const;

private:
    cairo_surface_t* image;
};

} // namespace VSTGUI
