#pragma once

#include "vstgui/lib/crect.h"

namespace VSTGUI {

// Scale then translate: p' = (p.x * scaleX + dx, p.y * scaleY + dy).
struct CGraphicsTransform {
    double scaleX{1.};
    double scaleY{1.};
    double dx{0.};
    double dy{0.};

    CGraphicsTransform& translate(double x, double y)
    {
        dx += x;
        dy += y;
        return *this;
    }
    CGraphicsTransform& translate(const CPoint& p) { return translate(p.x, p.y); }
    CGraphicsTransform& scale(double x, double y)
    {
        scaleX *= x;
        scaleY *= y;
        dx *= x;
        dy *= y;
        return *this;
    }

    CPoint transform(CPoint p) const { return {p.x * scaleX + dx, p.y * scaleY + dy}; }
    CRect transform(const CRect& r) const
    {
        const CPoint a = transform(r.getTopLeft());
        const CPoint b = transform(r.getBottomRight());
        return CRect(a.x, a.y, b.x, b.y).normalize();
    }
    CPoint inverseTransform(CPoint p) const { return {(p.x - dx) / scaleX, (p.y - dy) / scaleY}; }
    CRect inverseTransform(const CRect& r) const
    {
        const CPoint a = inverseTransform(r.getTopLeft());
        const CPoint b = inverseTransform(r.getBottomRight());
        return CRect(a.x, a.y, b.x, b.y).normalize();
    }

    // This transform applied after `inner`.
    CGraphicsTransform operator*(const CGraphicsTransform& inner) const
    {
        return {scaleX * inner.scaleX, scaleY * inner.scaleY, inner.dx * scaleX + dx, inner.dy * scaleY + dy};
    }
    bool isIdentity() const { return *this == CGraphicsTransform(); }
    bool operator==(const CGraphicsTransform&) const = default;
};

} // namespace VSTGUI
