#pragma once

#include "vstgui/lib/cpoint.h"

#include <algorithm>

namespace VSTGUI {

struct CRect {
    CCoord left{0.};
    CCoord top{0.};
    CCoord right{0.};
    CCoord bottom{0.};

    constexpr CRect() = default;
    constexpr CRect(CCoord left, CCoord top, CCoord right, CCoord bottom)
        : left(left), top(top), right(right), bottom(bottom)
    {
    }
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    constexpr CCoord getWidth() const { return right - left; }
    constexpr CCoord getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getTopRight() const { return {right, top}; }
    constexpr CPoint getBottomLeft() const { return {left, bottom}; }
    constexpr CPoint getBottomRight() const { return {right, bottom}; }
    constexpr CPoint getSize() const { return {getWidth(), getHeight()}; }
    constexpr CPoint getCenter() const { return {left + getWidth() / 2., top + getHeight() / 2.}; }

    CRect& setWidth(CCoord width)
    {
        right = left + width;
        return *this;
    }
    CRect& setHeight(CCoord height)
    {
        bottom = top + height;
        return *this;
    }
    CRect& setTopLeft(const CPoint& p)
    {
        left = p.x;
        top = p.y;
        return *this;
    }
    CRect& setSize(const CPoint& size)
    {
        setWidth(size.x);
        return setHeight(size.y);
    }

    CRect& offset(CCoord dx, CCoord dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
    CRect& offsetInverse(const CPoint& delta) { return offset(-delta.x, -delta.y); }
    CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }
    CRect& moveTo(const CPoint& p) { return moveTo(p.x, p.y); }

    CRect& inset(CCoord dx, CCoord dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    CRect& inset(const CPoint& delta) { return inset(delta.x, delta.y); }
    CRect& extend(CCoord dx, CCoord dy) { return inset(-dx, -dy); }
    CRect& extend(const CPoint& delta) { return extend(delta.x, delta.y); }

    // Intersection; an empty overlap collapses to zero size instead of going negative.
    CRect& bound(const CRect& other)
    {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::max(left, std::min(right, other.right));
        bottom = std::max(top, std::min(bottom, other.bottom));
        return *this;
    }

    CRect& unite(const CRect& other)
    {
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
        return *this;
    }

    CRect& normalize()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
        return *this;
    }

    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    constexpr bool pointInside(const CPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    // Touching edges count as overlap.
    constexpr bool rectOverlap(const CRect& other) const
    {
        return right >= other.left && left <= other.right && bottom >= other.top && top <= other.bottom;
    }

    constexpr bool rectInside(const CRect& other) const
    {
        return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
    }

    constexpr bool operator==(const CRect&) const = default;
};

} // namespace VSTGUI
