#include "vstgui/lib/cgraphicspath.h"

#include <algorithm>

namespace VSTGUI {

using Kind = CGraphicsPath::Element::Kind;

void CGraphicsPath::beginSubpath(const CPoint& start)
{
    elements.push_back({.kind = Kind::BeginSubpath, .points = {start}});
}

void CGraphicsPath::addLine(const CPoint& to)
{
    elements.push_back({.kind = Kind::Line, .points = {to}});
}

void CGraphicsPath::addBezierCurve(const CPoint& control1, const CPoint& control2, const CPoint& end)
{
    elements.push_back({.kind = Kind::BezierCurve, .points = {control1, control2, end}});
}

void CGraphicsPath::addArc(const CRect& rect, double startAngle, double endAngle, bool clockwise)
{
    elements.push_back(
        {.kind = Kind::Arc, .rect = rect, .startAngle = startAngle, .endAngle = endAngle, .clockwise = clockwise});
}

void CGraphicsPath::addEllipse(const CRect& rect)
{
    elements.push_back({.kind = Kind::Ellipse, .rect = rect});
}

void CGraphicsPath::addRect(const CRect& rect)
{
    elements.push_back({.kind = Kind::Rect, .rect = rect});
}

void CGraphicsPath::addRoundRect(const CRect& rect, CCoord radius)
{
    radius = std::clamp(radius, 0., std::min(rect.getWidth(), rect.getHeight()) / 2.);
    if (radius <= 0.) {
        addRect(rect);
        return;
    }
    const CCoord d = 2. * radius;
    const CRect& r = rect;
    beginSubpath(CPoint(r.left + radius, r.top));
    addArc(CRect(r.right - d, r.top, r.right, r.top + d), 270., 360., true);
    addArc(CRect(r.right - d, r.bottom - d, r.right, r.bottom), 0., 90., true);
    addArc(CRect(r.left, r.bottom - d, r.left + d, r.bottom), 90., 180., true);
    addArc(CRect(r.left, r.top, r.left + d, r.top + d), 180., 270., true);
    closeSubpath();
}

void CGraphicsPath::closeSubpath()
{
    elements.push_back({.kind = Kind::CloseSubpath});
}

} // namespace VSTGUI
