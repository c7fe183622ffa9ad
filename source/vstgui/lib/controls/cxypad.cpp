#include "vstgui/lib/controls/cxypad.h"

#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CXYPad::CXYPad(const CRect& size) : CParamDisplay(size)
{
    setMax(2.f);
}

float CXYPad::calculateValue(float x, float y)
{
    x = std::floor(x * 1000.f + 0.5f) * 0.001f;
    y = std::floor(y * 1000.f + 0.5f) * 0.0000001f;
    return x + y;
}

void CXYPad::calculateXY(float value, float& x, float& y)
{
    const float xi = std::floor(value * 1000.f + 0.5f);
    x = xi * 0.001f;
    y = std::floor((value - x) * 10000000.f + 0.5f) * 0.001f;
}

void CXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    float x, y;
    calculateXY(getValue(), x, y);
    const CCoord r = getRoundRectRadius();
    const CRect& box = getViewSize();
    const CPoint centre(box.left + r / 2. + x * (box.getWidth() - r), box.top + r / 2. + y * (box.getHeight() - r));
    CRect handle(centre, CPoint(0., 0.));
    handle.extend(r / 2., r / 2.);
    context->setDrawMode(kAntiAliasing);
    context->setFillColor(getFontColor());
    context->drawEllipse(handle, kDrawFilled);
    setDirty(false);
}

CMouseEventResult CXYPad::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    mouseStartValue = getValue();
    const CCoord r = getRoundRectRadius();
    mouseChangeStartPoint = where - CPoint(getViewSize().left + r / 2., getViewSize().top + r / 2.);
    lastMouseChangePoint = mouseChangeStartPoint;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (stopTrackingOnMouseExit && !hitTest(where, buttons)) {
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    const CCoord r = getRoundRectRadius();
    const CRect& box = getViewSize();
    const CPoint p = where - CPoint(box.left + r / 2., box.top + r / 2.);
    const auto x = static_cast<float>(std::clamp(p.x / (box.getWidth() - r), 0., 1.));
    const auto y = static_cast<float>(std::clamp(p.y / (box.getHeight() - r), 0., 1.));
    changeValueByUser(calculateValue(x, y));
    lastMouseChangePoint = p;
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseUp(CPoint&, const CButtonState&)
{
    if (isEditing())
        endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseCancel()
{
    cancelMouseEdit(mouseStartValue);
    return kMouseEventHandled;
}

} // namespace VSTGUI
