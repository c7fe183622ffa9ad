#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

struct CPoint {
    CCoord x{0.};
    CCoord y{0.};

    constexpr CPoint() = default;
    constexpr CPoint(CCoord x, CCoord y) : x(x), y(y) {}

    CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
    CPoint& offsetInverse(const CPoint& delta) { return offset(-delta.x, -delta.y); }

    CPoint& operator+=(const CPoint& other) { return offset(other); }
    CPoint& operator-=(const CPoint& other) { return offsetInverse(other); }
    constexpr CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
    constexpr CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr CPoint operator*(CCoord factor) const { return {x * factor, y * factor}; }
    constexpr bool operator==(const CPoint&) const = default;
};

} // namespace VSTGUI
