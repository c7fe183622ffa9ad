#pragma once

#include "vstgui/lib/crect.h"

#include <vector>

namespace VSTGUI {

// A list of path commands, replayed by a draw context at each draw. Angles are in degrees,
// clockwise from +x (y points down). GUI thread only.
class CGraphicsPath : public CBaseObject {
public:
    struct Element {
        enum class Kind { BeginSubpath, Line, BezierCurve, Arc, Ellipse, Rect, CloseSubpath };
        Kind kind;
        CPoint points[3]{};   // BeginSubpath/Line: [0]; BezierCurve: control 1, control 2, end
        CRect rect{};         // Arc, Ellipse, Rect
        double startAngle{0.};
        double endAngle{0.};
        bool clockwise{true};
    };

    void beginSubpath(const CPoint& start);
    void addLine(const CPoint& to);
    void addBezierCurve(const CPoint& control1, const CPoint& control2, const CPoint& end);
    // On the ellipse inscribed in `rect`; an open subpath is joined to the arc's start by a line.
    void addArc(const CRect& rect, double startAngle, double endAngle, bool clockwise);
    void addEllipse(const CRect& rect);
    void addRect(const CRect& rect);
    // The radius is limited to half the smaller side; 0 gives a plain rect.
    void addRoundRect(const CRect& rect, CCoord radius);
    void closeSubpath();

    const std::vector<Element>& getElements() const { return elements; }
    bool isEmpty() const { return elements.empty(); }

private:
    std::vector<Element> elements;
};

} // namespace VSTGUI
