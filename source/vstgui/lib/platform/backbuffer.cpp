#include "vstgui/lib/platform/backbuffer.h"

#include "vstgui/lib/platform/cairodrawcontext.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace VSTGUI {

BackBuffer::BackBuffer(int width, int height)
    : image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1)))
{
}

BackBuffer::~BackBuffer()
{
    cairo_surface_destroy(image);
}

std::unique_ptr<CDrawContext> BackBuffer::createDrawContext() const
{
    return std::make_unique<CairoDrawContext>(image);
}

void BackBuffer::clear(const CRect& rect)
{
    cairo_t* cr = cairo_create(image);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(cr);
    cairo_destroy(cr);
}

bool BackBuffer::writePNG(const std::string& path) const
{
    cairo_surface_flush(image);
    return cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

CColor BackBuffer::getPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(image) || y >= cairo_image_surface_get_height(image))
        return CColor(0, 0, 0, 0);
    cairo_surface_flush(image);
    const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    std::uint32_t argb;
    std::memcpy(&argb, row + 4 * x, sizeof argb);
    const auto alpha = static_cast<uint8>(argb >> 24);
    auto channel = [&](int shift) {
        const unsigned value = (argb >> shift) & 0xFF;
        return static_cast<uint8>(alpha == 0 ? 0 : std::min(255u, (value * 255 + alpha / 2) / alpha));
    };
    return CColor(channel(16), channel(8), channel(0), alpha);
}

} // namespace VSTGUI
