#include "vstgui/lib/platform/cairodrawcontext.h"

#include "vstgui/lib/platform/cairofonts.h"

#include <cmath>
#include <numbers>

namespace VSTGUI {
namespace {

CRect surfaceBounds(cairo_surface_t* surface)
{
    return CRect(0., 0., cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
}

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.;
}

} // namespace

// Sets up clip, transform and antialiasing for one primitive and undoes them afterwards.
class CairoDrawContext::Scope {
public:
    explicit Scope(CairoDrawContext& context, const CGraphicsTransform* extra = nullptr) : cr(context.cr)
    {
        cairo_save(cr);
        cairo_set_antialias(cr, context.getDrawMode().isAntiAliased() ? CAIRO_ANTIALIAS_DEFAULT
                                                                        : CAIRO_ANTIALIAS_NONE);
        const CRect clip = context.getDeviceClip();
        cairo_rectangle(cr, clip.left, clip.top, clip.getWidth(), clip.getHeight());
        cairo_clip(cr);
        CGraphicsTransform t = context.getCurrentTransform();
        if (extra)
            t = t * *extra;
        cairo_matrix_t matrix;
        cairo_matrix_init(&matrix, t.scaleX, 0., 0., t.scaleY, t.dx, t.dy);
        cairo_set_matrix(cr, &matrix);
        empty = clip.isEmpty();
    }
    ~Scope() { cairo_restore(cr); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    bool clippedAway() const { return empty; }

private:
    cairo_t* cr;
    bool empty;
};

CairoDrawContext::CairoDrawContext(cairo_surface_t* surface)
    : CDrawContext(surfaceBounds(surface)), cr(cairo_create(surface))
{
}

CairoDrawContext::~CairoDrawContext()
{
    cairo_destroy(cr);
}

void CairoDrawContext::setSourceColor(const CColor& color)
{
    cairo_set_source_rgba(cr, color.normRed(), color.normGreen(), color.normBlue(),
                          color.normAlpha() * getGlobalAlpha());
}

void CairoDrawContext::applyStrokeStyle()
{
    const CLineStyle& style = getLineStyle();
    static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE};
    static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
                                                  CAIRO_LINE_JOIN_BEVEL};
    const CCoord width = effectiveLineWidth();
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, caps[style.getLineCap()]);
    cairo_set_line_join(cr, joins[style.getLineJoin()]);
    // Dash lengths are in line widths.
    std::vector<double> dashes;
    for (CCoord length : style.getDashLengths())
        dashes.push_back(length * width);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), style.getDashPhase() * width);
}

void CairoDrawContext::strokeCurrentPath()
{
    setSourceColor(getFrameColor());
    applyStrokeStyle();
    cairo_stroke(cr);
}

void CairoDrawContext::drawLine(const LinePair& line)
{
    drawLines(LineList{line});
}

void CairoDrawContext::drawLines(const LineList& lines)
{
    Scope scope(*this);
    if (scope.clippedAway() || lines.empty())
        return;
    const CCoord a = strokeAlignment();
    for (const auto& [start, end] : lines) {
        cairo_move_to(cr, start.x + a, start.y + a);
        cairo_line_to(cr, end.x + a, end.y + a);
    }
    strokeCurrentPath();
}

void CairoDrawContext::appendRect(const CRect& rect)
{
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
}

void CairoDrawContext::drawShape(const CRect& rect, CDrawStyle style, void (CairoDrawContext::*append)(const CRect&))
{
    Scope scope(*this);
    if (scope.clippedAway())
        return;
    if (style != kDrawStroked) {
        (this->*append)(rect);
        setSourceColor(getFillColor());
        cairo_fill(cr);
    }
    if (style != kDrawFilled) {
        // The stroke stays inside the shape.
        const CCoord half = effectiveLineWidth() / 2.;
        CRect inside = rect;
        inside.inset(half, half);
        (this->*append)(inside);
        strokeCurrentPath();
    }
}

void CairoDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    drawShape(rect, style, &CairoDrawContext::appendRect);
}

void CairoDrawContext::appendEllipse(const CRect& rect)
{
    if (rect.getWidth() <= 0. || rect.getHeight() <= 0.)
        return;
    cairo_save(cr);
    const CPoint centre = rect.getCenter();
    cairo_translate(cr, centre.x, centre.y);
    cairo_scale(cr, rect.getWidth() / 2., rect.getHeight() / 2.);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0., 0., 1., 0., 2. * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void CairoDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    drawShape(rect, style, &CairoDrawContext::appendEllipse);
}

void CairoDrawContext::appendPath(const CGraphicsPath& path)
{
    using Kind = CGraphicsPath::Element::Kind;
    // An arc joins an open subpath with a line; after a closed shape it starts a subpath of its own.
    bool subpathOpen = false;
    for (const auto& e : path.getElements()) {
        switch (e.kind) {
        case Kind::BeginSubpath:
            cairo_new_sub_path(cr);
            cairo_move_to(cr, e.points[0].x, e.points[0].y);
            subpathOpen = true;
            break;
        case Kind::Line:
            cairo_line_to(cr, e.points[0].x, e.points[0].y);
            subpathOpen = true;
            break;
        case Kind::BezierCurve:
            cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
                           e.points[2].y);
            subpathOpen = true;
            break;
        case Kind::Arc: {
            if (e.rect.getWidth() <= 0. || e.rect.getHeight() <= 0.)
                break;
            if (!subpathOpen)
                cairo_new_sub_path(cr);
            subpathOpen = true;
            cairo_save(cr);
            const CPoint centre = e.rect.getCenter();
            cairo_translate(cr, centre.x, centre.y);
            cairo_scale(cr, e.rect.getWidth() / 2., e.rect.getHeight() / 2.);
            // With y down, growing angles run clockwise on screen.
            if (e.clockwise)
                cairo_arc(cr, 0., 0., 1., radians(e.startAngle), radians(e.endAngle));
            else
                cairo_arc_negative(cr, 0., 0., 1., radians(e.startAngle), radians(e.endAngle));
            cairo_restore(cr);
            break;
        }
        case Kind::Ellipse:
            appendEllipse(e.rect);
            subpathOpen = false;
            break;
        case Kind::Rect:
            appendRect(e.rect);
            subpathOpen = false;
            break;
        case Kind::CloseSubpath:
            cairo_close_path(cr);
            subpathOpen = false;
            break;
        }
    }
}

void CairoDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* transformation)
{
    if (!path)
        return;
    CGraphicsTransform placement = transformation ? *transformation : CGraphicsTransform();
    if (mode == kPathStroked)
        placement = CGraphicsTransform().translate(strokeAlignment(), strokeAlignment()) * placement;
    Scope scope(*this, &placement);
    if (scope.clippedAway())
        return;
    appendPath(*path);
    if (mode == kPathStroked) {
        // Stroke in user space so the width is not scaled by the path's own transform.
        CGraphicsTransform t = getCurrentTransform();
        cairo_matrix_t matrix;
        cairo_matrix_init(&matrix, t.scaleX, 0., 0., t.scaleY, t.dx, t.dy);
        cairo_set_matrix(cr, &matrix);
        strokeCurrentPath();
        return;
    }
    cairo_set_fill_rule(cr, mode == kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    setSourceColor(getFillColor());
    cairo_fill(cr);
}

void CairoDrawContext::fillLinearGradient(CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                                          const CPoint& endPoint, bool evenOdd, CGraphicsTransform* transformation)
{
    if (!path)
        return;
    Scope scope(*this, transformation);
    if (scope.clippedAway())
        return;
    appendPath(*path);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(startPoint.x, startPoint.y, endPoint.x, endPoint.y);
    const float alpha = getGlobalAlpha();
    auto addStop = [&](double offset, const CColor& c) {
        cairo_pattern_add_color_stop_rgba(pattern, offset, c.normRed(), c.normGreen(), c.normBlue(),
                                          c.normAlpha() * alpha);
    };
    addStop(gradient.getStartOffset(), gradient.getStartColor());
    addStop(gradient.getEndOffset(), gradient.getEndColor());
    cairo_set_source(cr, pattern);
    cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void CairoDrawContext::drawString(const UTF8String& text, const CPoint& point, bool antialias)
{
    if (text.empty())
        return;
    Scope scope(*this);
    if (scope.clippedAway())
        return;
    cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    setSourceColor(getFontColor());
    cairofonts::show(cr, getFont(), text, point);
}

CCoord CairoDrawContext::getStringWidth(const UTF8String& text)
{
    return cairofonts::stringWidth(getFont(), text);
}

CCoord CairoDrawContext::getCapHeight(const CFontDesc& font)
{
    return cairofonts::capHeight(font);
}

CCoord CairoDrawContext::getDescent(const CFontDesc& font)
{
    return cairofonts::descent(font);
}

} // namespace VSTGUI
