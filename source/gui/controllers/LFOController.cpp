#include "gui/controllers/LFOController.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicspath.h"

#include <cmath>

using namespace VSTGUI;

namespace korvel::gui {

LFOController::LFOController(const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(3, handle, palette)
{
}

void LFOController::draw(CXYPad* pad, CDrawContext* context, double x, double y)
{
    const CRect inner = innerRect(*pad);
    const CCoord peak = inner.getWidth() * x;
    const CCoord rise = peak * y;
    const CCoord fall = (inner.getWidth() - peak) * y;
    SharedPointer<CGraphicsPath> path = owned(context->createGraphicsPath());
    path->beginSubpath(CPoint(inner.left, inner.bottom));
    path->addBezierCurve(CPoint(inner.left + 0.6175 * rise, inner.bottom), CPoint(inner.left + 0.3825 * rise, inner.top),
                         CPoint(inner.left + rise, inner.top));
    if (y != 1.)
        path->addLine(CPoint(inner.left + peak, inner.top));
    path->addBezierCurve(CPoint(inner.left + peak + 0.6175 * fall, inner.top),
                         CPoint(inner.left + peak + 0.3825 * fall, inner.bottom),
                         CPoint(inner.left + peak + fall, inner.bottom));
    if (y != 1.)
        path->addLine(CPoint(inner.left + inner.getWidth(), inner.bottom));
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(pad->getFrameWidth());
    context->setFrameColor(palette.accent);
    context->drawGraphicsPath(path, CDrawContext::kPathStroked);
}

int LFOController::describe(char* buffer, std::size_t size)
{
    const double skew = handle.getParam(0) * 100.;
    const double clip = handle.getParam(1) * 100.;
    if (clip < 5. && std::fabs(skew) > 93.)
        return print(buffer, size, "saw %s", skew < 0. ? "down" : "up");
    if (clip < 5. && std::fabs(skew) < 7.)
        return print(buffer, size, "sine");
    if (clip > 93. && std::fabs(skew) > 93.)
        return print(buffer, size, "pulse %s", skew < 0. ? "low" : "high");
    if (clip > 93. && std::fabs(skew) < 7.)
        return print(buffer, size, "square");
    return print(buffer, size, "skew %.0f clip %.0f", skew, clip);
}

} // namespace korvel::gui
