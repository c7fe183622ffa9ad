#include "vstgui/lib/platform/cairofonts.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace VSTGUI::cairofonts {
namespace {

// "Arial" is what the editor asks for; Liberation Sans has its metrics. fontconfig falls back
// (normally to DejaVu Sans) when it is missing.
std::string familyFor(const UTF8String& name)
{
    if (name.empty() || name == "Arial")
        return "Liberation Sans";
    return name.getString();
}

cairo_font_face_t* faceFor(const CFontDesc& font)
{
    using Key = std::tuple<std::string, bool, bool>;
    struct FaceRelease {
        void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
    };
    static std::map<Key, std::unique_ptr<cairo_font_face_t, FaceRelease>> faces;
    const bool bold = (font.getStyle() & kBoldFace) != 0;
    const bool italic = (font.getStyle() & kItalicFace) != 0;
    Key key{familyFor(font.getName()), bold, italic};
    auto found = faces.find(key);
    if (found == faces.end()) {
        auto* face = cairo_toy_font_face_create(std::get<0>(key).c_str(),
                                                italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                                bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        found = faces.emplace(key, std::unique_ptr<cairo_font_face_t, FaceRelease>(face)).first;
    }
    return found->second.get();
}

cairo_t* measuringContext()
{
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    static cairo_t* cr = cairo_create(surface);
    return cr;
}

} // namespace

void select(cairo_t* cr, const CFontDesc& font)
{
    cairo_set_font_face(cr, faceFor(font));
    cairo_set_font_size(cr, font.getSize());
}

CCoord stringWidth(const CFontDesc& font, const UTF8String& text)
{
    if (text.empty())
        return 0.;
    cairo_t* cr = measuringContext();
    select(cr, font);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.data(), &extents);
    return extents.x_advance;
}

CCoord capHeight(const CFontDesc& font)
{
    static std::map<std::tuple<std::string, double, int32>, CCoord> cache;
    const auto key = std::make_tuple(font.getName().getString(), font.getSize(), font.getStyle());
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    cairo_t* cr = measuringContext();
    select(cr, font);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, "H", &extents);
    return cache[key] = -extents.y_bearing;
}

} // namespace VSTGUI::cairofonts

namespace VSTGUI {

CCoord measureStringWidth(const CFontDesc& font, const UTF8String& text)
{
    return cairofonts::stringWidth(font, text);
}

} // namespace VSTGUI
