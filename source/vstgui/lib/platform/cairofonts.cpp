#include "vstgui/lib/platform/cairofonts.h"

#include <pango/pangocairo.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace VSTGUI::cairofonts {
namespace {

// "Arial" is what the editor asks for; Liberation Sans has its metrics. Pango falls back per character
// (normally to DejaVu Sans), so file names in any script show.
std::string familyFor(const UTF8String& name)
{
    if (name.empty() || name == "Arial")
        return "Liberation Sans";
    return name.getString();
}

const PangoFontDescription* descriptionFor(const CFontDesc& font)
{
    using Key = std::tuple<std::string, double, bool, bool>;
    struct DescriptionRelease {
        void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
    };
    static std::map<Key, std::unique_ptr<PangoFontDescription, DescriptionRelease>> descriptions;
    const bool bold = (font.getStyle() & kBoldFace) != 0;
    const bool italic = (font.getStyle() & kItalicFace) != 0;
    Key key{familyFor(font.getName()), font.getSize(), bold, italic};
    auto found = descriptions.find(key);
    if (found == descriptions.end()) {
        PangoFontDescription* description = pango_font_description_new();
        pango_font_description_set_family(description, std::get<0>(key).c_str());
        // Sizes are pixels of the drawing, as cairo's own font size is.
        pango_font_description_set_absolute_size(description, font.getSize() * PANGO_SCALE);
        pango_font_description_set_weight(description, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(description, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        found = descriptions.emplace(key, std::unique_ptr<PangoFontDescription, DescriptionRelease>(description))
                    .first;
    }
    return found->second.get();
}

struct LayoutRelease {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using Layout = std::unique_ptr<PangoLayout, LayoutRelease>;

Layout layoutFor(cairo_t* cr, const CFontDesc& font, const char* text)
{
    Layout layout(pango_cairo_create_layout(cr));
    pango_layout_set_font_description(layout.get(), descriptionFor(font));
    pango_layout_set_text(layout.get(), text, -1);
    return layout;
}

cairo_t* measuringContext()
{
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    static cairo_t* cr = cairo_create(surface);
    return cr;
}

} // namespace

void show(cairo_t* cr, const CFontDesc& font, const UTF8String& text, const CPoint& baselineStart)
{
    const Layout layout = layoutFor(cr, font, text.data());
    const double baseline = pango_layout_get_baseline(layout.get()) / static_cast<double>(PANGO_SCALE);
    cairo_move_to(cr, baselineStart.x, baselineStart.y - baseline);
    pango_cairo_show_layout(cr, layout.get());
}

CCoord stringWidth(const CFontDesc& font, const UTF8String& text)
{
    if (text.empty())
        return 0.;
    const Layout layout = layoutFor(measuringContext(), font, text.data());
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return logical.width / static_cast<double>(PANGO_SCALE);
}

CCoord capHeight(const CFontDesc& font)
{
    static std::map<std::tuple<std::string, double, int32>, CCoord> cache;
    const auto key = std::make_tuple(font.getName().getString(), font.getSize(), font.getStyle());
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    const Layout layout = layoutFor(measuringContext(), font, "H");
    PangoRectangle ink;
    pango_layout_get_extents(layout.get(), &ink, nullptr);
    const int baseline = pango_layout_get_baseline(layout.get());
    return cache[key] = (baseline - ink.y) / static_cast<double>(PANGO_SCALE);
}

CCoord descent(const CFontDesc& font)
{
    static std::map<std::tuple<std::string, double, int32>, CCoord> cache;
    const auto key = std::make_tuple(font.getName().getString(), font.getSize(), font.getStyle());
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    const Layout layout = layoutFor(measuringContext(), font, "gjpqy");
    PangoRectangle ink;
    pango_layout_get_extents(layout.get(), &ink, nullptr);
    const int baseline = pango_layout_get_baseline(layout.get());
    return cache[key] = (ink.y + ink.height - baseline) / static_cast<double>(PANGO_SCALE);
}

} // namespace VSTGUI::cairofonts

namespace VSTGUI {

CCoord measureStringWidth(const CFontDesc& font, const UTF8String& text)
{
    return cairofonts::stringWidth(font, text);
}

} // namespace VSTGUI
