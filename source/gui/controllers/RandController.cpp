#include "gui/controllers/RandController.h"

#include "gui/ColourMath.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicspath.h"

using namespace VSTGUI;

namespace korvel::gui {

RandController::RandController(const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(1, handle, palette)
{
}

void RandController::draw(CXYPad* pad, CDrawContext* context, double x, double y)
{
    const CRect inner = innerRect(*pad);
    context->setFillColor(mixColours(palette.background, palette.accent, x));
    context->drawRect(inner, kDrawFilled);

    const CCoord hw = inner.getWidth() / 2.;
    const CCoord yA = inner.top + (1. - y) * inner.getHeight();
    const CCoord yB = inner.top + y * inner.getHeight();
    SharedPointer<CGraphicsPath> path = owned(context->createGraphicsPath());
    path->beginSubpath(CPoint(inner.left, yA));
    path->addBezierCurve(CPoint(inner.left + 0.6175 * hw, yA), CPoint(inner.left + 0.3825 * hw, yB),
                         CPoint(inner.left + hw, yB));
    path->addBezierCurve(CPoint(inner.right - 0.3825 * hw, yB), CPoint(inner.right - 0.6175 * hw, yA),
                         CPoint(inner.right, yA));
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(pad->getFrameWidth());
    context->setFrameColor(palette.frame);
    context->drawGraphicsPath(path, CDrawContext::kPathStroked);
}

int RandController::describe(char* buffer, std::size_t size)
{
    return print(buffer, size, "rand spread %.0f walk %.0f", getY() * 100., getX() * 100.);
}

} // namespace korvel::gui
