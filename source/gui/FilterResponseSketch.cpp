#include "gui/FilterResponseSketch.h"

#include "vstgui/lib/cdrawcontext.h"

namespace korvel::gui {

using namespace VSTGUI;

namespace {

// Cutoffs closer than this to the outer edge leave the far edge of the other pass band steep.
constexpr double EDGE_MARGIN = 0.05;
// How far (in widths) an edge takes to fall by the full height.
constexpr double FALL_SPAN = 0.7;

CColor withAlpha(CColor colour, uint8 alpha)
{
    colour.alpha = alpha;
    return colour;
}

// Strokes the open edge, then fills it down to the bottom corner where it began.
void strokeAndFill(CDrawContext& context, CGraphicsPath& path, CPoint corner, CColor colour, uint8 fillAlpha)
{
    context.setFrameColor(colour);
    context.drawGraphicsPath(&path, CDrawContext::kPathStroked);
    path.addLine(corner);
    path.closeSubpath();
    context.setFillColor(withAlpha(colour, fillAlpha));
    context.drawGraphicsPath(&path, CDrawContext::kPathFilledEvenOdd);
}

void drawLowPass(CDrawContext& context, const FilterResponse& r)
{
    const double x0 = r.origin.x, bottom = r.origin.y + r.height, slope = r.height / FALL_SPAN;
    const double ax = r.left.x, bx = r.right.x;
    const double yL = (1. - r.low) * r.height + r.origin.y;
    SharedPointer<CGraphicsPath> path = owned(context.createGraphicsPath());
    path->beginSubpath(CPoint(x0, yL));
    path->addLine(CPoint(x0 + ax * r.width, yL));
    const bool rightCutsFirst = bx < 1. - EDGE_MARGIN && bx < ax + FALL_SPAN;
    const CPoint knee = rightCutsFirst ? CPoint(x0 + bx * r.width, yL + (bx - ax) * slope)
                                       : CPoint(x0 + (ax + FALL_SPAN) * r.width, yL + r.height);
    path->addLine(knee);
    if (bx < 1. - EDGE_MARGIN)
        path->addLine(CPoint(x0 + (bx + FALL_SPAN) * r.width, knee.y + 2. * FALL_SPAN * slope));
    strokeAndFill(context, *path, CPoint(x0, bottom), r.lowColour, 110);
}

void drawHighPass(CDrawContext& context, const FilterResponse& r)
{
    const double x0 = r.origin.x, right = x0 + r.width, bottom = r.origin.y + r.height;
    const double slope = r.height / FALL_SPAN;
    const double ax = r.left.x, bx = r.right.x;
    const double yH = (1. - r.high) * r.height + r.origin.y;
    SharedPointer<CGraphicsPath> path = owned(context.createGraphicsPath());
    path->beginSubpath(CPoint(right, yH));
    path->addLine(CPoint(x0 + bx * r.width, yH));
    const bool leftCutsFirst = ax > EDGE_MARGIN && bx - FALL_SPAN < ax;
    const CPoint knee = leftCutsFirst ? CPoint(x0 + ax * r.width, yH + (bx - ax) * slope)
                                      : CPoint(x0 + (bx - FALL_SPAN) * r.width, yH + r.height);
    path->addLine(knee);
    if (ax > EDGE_MARGIN)
        path->addLine(CPoint(x0 + (ax - FALL_SPAN) * r.width, knee.y + 2. * FALL_SPAN * slope));
    strokeAndFill(context, *path, CPoint(right, bottom), r.highColour, 120);
}

// One bell per section, as wide as the section and as high as the band level and its narrowness.
void drawBands(CDrawContext& context, const FilterResponse& r)
{
    const double x0 = r.origin.x, bottom = r.origin.y + r.height;
    SharedPointer<CGraphicsPath> path = owned(context.createGraphicsPath());
    auto addBells = [&](bool closed) {
        for (const CPoint& q : {r.left, r.right}) {
            const CPoint start(x0 + (q.x - q.y - EDGE_MARGIN) * r.width, bottom);
            const CPoint peak(x0 + q.x * r.width, bottom - (1. - q.y) * 2.5 * r.band * r.height);
            path->beginSubpath(start);
            path->addBezierCurve(start, peak, CPoint(x0 + (q.x + q.y + EDGE_MARGIN) * r.width, bottom));
            if (closed)
                path->closeSubpath();
        }
    };
    addBells(false);
    context.setLineWidth(1.);
    context.setFrameColor(r.bandColour);
    context.drawGraphicsPath(path, CDrawContext::kPathStroked);
    path = owned(context.createGraphicsPath());
    addBells(true);
    context.setFillColor(withAlpha(r.bandColour, 80));
    context.drawGraphicsPath(path, CDrawContext::kPathFilled);
}

} // namespace

void drawFilterResponse(CDrawContext& context, const FilterResponse& response)
{
    context.setDrawMode(kAntiAliasing);
    context.setLineWidth(2.);
    if (response.low != 0.)
        drawLowPass(context, response);
    if (response.high != 0.)
        drawHighPass(context, response);
    if (response.band != 0.)
        drawBands(context, response);
}

} // namespace korvel::gui
