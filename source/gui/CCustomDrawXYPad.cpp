#include "gui/CCustomDrawXYPad.h"

#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

using namespace VSTGUI;

namespace korvel::gui {

namespace {
constexpr CColor HIDDEN_HANDLE{255, 255, 255, 0};
} // namespace

CCustomDrawXYPad::CCustomDrawXYPad(const CRect& rect, IControlListener* listener, int32 newTag) : CXYPad(rect)
{
    if (listener)
        setListener(listener);
    setTag(newTag);
}

CCustomDrawXYPad::~CCustomDrawXYPad() = default;

CView* CCustomDrawXYPad::newCopy() const { return new CCustomDrawXYPad(*this); }

float CCustomDrawXYPad::encode(double x, double y)
{
    return calculateValue(static_cast<float>(x), static_cast<float>(y));
}

void CCustomDrawXYPad::decode(float value, double& x, double& y)
{
    float fx = 0.f;
    float fy = 0.f;
    calculateXY(value, fx, fy);
    x = fx;
    y = fy;
}

void CCustomDrawXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    double x = 0.;
    double y = 0.;
    decode(getValue(), x, y);
    if (drawFunction)
        drawFunction(this, context, x, y);
    const CCoord r = getRoundRectRadius();
    if (getHandleColour() != HIDDEN_HANDLE && r > 0.) {
        const CRect& box = getViewSize();
        const CPoint centre(box.left + r / 2. + x * (box.getWidth() - r), box.top + r / 2. + y * (box.getHeight() - r));
        CRect handle(centre, CPoint(0., 0.));
        handle.extend(r / 2., r / 2.);
        context->setDrawMode(kAntiAliasing);
        context->setFillColor(getHandleColour());
        context->drawEllipse(handle, kDrawFilled);
    }
    setDirty(false);
}

CMouseEventResult CCustomDrawXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (getStopTrackingOnMouseExit() && !hitTest(where, buttons)) {
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    const CCoord r = getRoundRectRadius();
    const CRect& box = getViewSize();
    const CCoord w = box.getWidth() - r;
    const CCoord h = box.getHeight() - r;
    const CPoint p = where - CPoint(box.left + r / 2., box.top + r / 2.);
    double x = p.x / w;
    double y = p.y / h;
    if (buttons & kShift) {
        decode(getValue(), x, y);
        x += (p.x - lastMouseChangePoint.x) / (fineTuneFactor * w);
        y += (p.y - lastMouseChangePoint.y) / (fineTuneFactor * h);
    }
    changeValueByUser(encode(std::clamp(x, 0., 1.), std::clamp(y, 0., 1.)));
    lastMouseChangePoint = p;
    return kMouseEventHandled;
}

void CCustomDrawXYPad::setHandleColour(CColor colour)
{
    if (colour == handleColour)
        return;
    handleColour = colour;
    setDirty();
}

CColor CCustomDrawXYPad::getHandleColour() const { return handleColour; }

void CCustomDrawXYPad::setFineTuneFactor(float factor) { fineTuneFactor = factor; }

float CCustomDrawXYPad::getFineTuneFactor() const { return fineTuneFactor; }

} // namespace korvel::gui
