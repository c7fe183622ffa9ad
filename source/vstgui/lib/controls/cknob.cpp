#include "vstgui/lib/controls/cknob.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/vstkeycode.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr CCoord kLinearRange = 200.;
constexpr double kTwoPi = 2. * std::numbers::pi;

double degrees(double radians)
{
    return radians * 180. / std::numbers::pi;
}

} // namespace

CKnob::CKnob(const CRect& size, IControlListener* listener, int32 tag, CBitmap* background, CBitmap*, const CPoint&,
             int32 drawStyle)
    : CControl(size, listener, tag, background), drawStyle(drawStyle)
{
    setWantsFocus(true);
}

CRect CKnob::coronaRect() const
{
    CRect r = getViewSize();
    r.inset(coronaInset, coronaInset);
    return r;
}

void CKnob::draw(CDrawContext* context)
{
    context->setDrawMode(kAntiAliasing);
    const CRect corona = coronaRect();
    const bool butt = (drawStyle & kCoronaLineCapButt) != 0;
    const double radius = std::min(corona.getWidth(), corona.getHeight()) / 2.;
    const float v = getValueNormalized();
    auto strokeArc = [&](double from, double to, CCoord width, const CColor& color,
                         CLineStyle::LineCap cap) {
        SharedPointer<CGraphicsPath> path = owned(context->createGraphicsPath());
        path->addArc(corona, degrees(std::min(from, to)), degrees(std::max(from, to)), true);
        context->setLineWidth(width);
        context->setFrameColor(color);
        context->setLineStyle(CLineStyle(cap, CLineStyle::kLineJoinRound));
        context->drawGraphicsPath(path, CDrawContext::kPathStroked);
    };
    if (drawStyle & kCoronaOutline) {
        // Butt ends are lengthened so the outline still frames the corona's ends.
        const double extra = butt && radius > 0. ? coronaOutlineWidthAdd / 2. / radius : 0.;
        strokeArc(startAngle - extra, startAngle + rangeAngle + extra, handleLineWidth + coronaOutlineWidthAdd,
                  colorShadowHandle, butt ? CLineStyle::kLineCapButt : CLineStyle::kLineCapRound);
    }
    if (drawStyle & kCoronaDrawing) {
        const auto cap = butt ? CLineStyle::kLineCapButt : CLineStyle::kLineCapRound;
        if (drawStyle & kCoronaFromCenter) {
            const double top = 1.5 * std::numbers::pi;
            strokeArc(top, top + rangeAngle * (v - 0.5), handleLineWidth, coronaColor, cap);
        } else {
            strokeArc(startAngle, startAngle + rangeAngle * v, handleLineWidth, coronaColor, cap);
        }
    }
    if (!(drawStyle & kSkipHandleDrawing)) {
        const double angle = startAngle + rangeAngle * v;
        const CPoint centre = corona.getCenter();
        const CPoint tip(centre.x + std::cos(angle) * radius, centre.y + std::sin(angle) * radius);
        const CPoint base(centre.x + std::cos(angle) * radius / 3., centre.y + std::sin(angle) * radius / 3.);
        context->setLineStyle(CLineStyle(CLineStyle::kLineCapRound));
        context->setLineWidth(handleLineWidth);
        context->setFrameColor(colorHandle);
        context->drawLine(base, tip);
    }
    setDirty(false);
}

float CKnob::valueFromPoint(const CPoint& where) const
{
    const CPoint centre = getViewSize().getCenter();
    double angle = std::atan2(where.y - centre.y, where.x - centre.x) - startAngle;
    angle = std::fmod(std::fmod(angle, kTwoPi) + kTwoPi, kTwoPi);
    if (angle > rangeAngle) // in the gap: the nearer end
        angle = angle - rangeAngle < (kTwoPi - rangeAngle) / 2. ? rangeAngle : 0.;
    return rangeAngle > 0.f ? static_cast<float>(angle / rangeAngle) : 0.f;
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    CFrame* frame = getFrame();
    drag = Drag();
    drag.firstPoint = where;
    drag.entryValue = drag.startValue = getValue();
    drag.linear = frame && frame->getKnobMode() == kLinearMode && !(buttons & kAlt);
    drag.shift = (buttons & kZoomModifier) != 0;
    drag.range = drag.shift ? kLinearRange * zoomFactor : kLinearRange;
    if (drag.linear)
        return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !isEditing())
        return kMouseEventNotHandled;
    if (drag.linear) {
        const bool shift = (buttons & kZoomModifier) != 0;
        if (shift != drag.shift) {
            drag.shift = shift;
            drag.range = shift ? kLinearRange * zoomFactor : kLinearRange;
            drag.entryValue = getValue();
            drag.firstPoint = where;
        }
        const CCoord distance = (drag.firstPoint.y - where.y) + (where.x - drag.firstPoint.x);
        changeValueByUser(static_cast<float>(drag.entryValue + distance * getRange() / drag.range));
    } else {
        changeValueByUser(vmin + valueFromPoint(where) * getRange());
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
    if (isEditing())
        endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseCancel()
{
    cancelMouseEdit(drag.startValue);
    return kMouseEventHandled;
}

int32 CKnob::onKeyDown(VstKeyCode& keyCode)
{
    float step;
    switch (keyCode.virt) {
    case VKEY_UP:
    case VKEY_RIGHT:
        step = wheelInc;
        break;
    case VKEY_DOWN:
    case VKEY_LEFT:
        step = -wheelInc;
        break;
    default:
        return -1;
    }
    if (keyCode.modifier & MODIFIER_SHIFT)
        step *= 0.1f;
    setValueNormalized(getValueNormalized() + step);
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return 1;
}

bool CKnob::drawFocusOnTop()
{
    if ((drawStyle & kCoronaDrawing) && wantsFocus())
        return false;
    return CControl::drawFocusOnTop();
}

bool CKnob::getFocusPath(CGraphicsPath& outPath)
{
    if (!(drawStyle & kCoronaDrawing) || !wantsFocus())
        return CControl::getFocusPath(outPath);
    // A band around the corona's circle, drawn under the knob.
    CRect outer = coronaRect();
    const CCoord reach = handleLineWidth / 2. + focusWidth();
    CRect inner = outer;
    outer.extend(reach, reach);
    inner.inset(handleLineWidth / 2., handleLineWidth / 2.);
    outPath.addEllipse(outer);
    outPath.addEllipse(inner);
    return true;
}

void CKnob::setStartAngle(float angle)
{
    startAngle = angle;
    setDirty();
}

void CKnob::setRangeAngle(float angle)
{
    rangeAngle = angle;
    setDirty();
}

void CKnob::setDrawStyle(int32 style)
{
    drawStyle = style;
    setDirty();
}

void CKnob::setHandleLineWidth(CCoord width)
{
    handleLineWidth = width;
    setDirty();
}

void CKnob::setCoronaInset(CCoord inset)
{
    coronaInset = inset;
    setDirty();
}

void CKnob::setCoronaOutlineWidthAdd(CCoord add)
{
    coronaOutlineWidthAdd = add;
    setDirty();
}

void CKnob::setCoronaColor(const CColor& color)
{
    coronaColor = color;
    setDirty();
}

void CKnob::setColorShadowHandle(const CColor& color)
{
    colorShadowHandle = color;
    setDirty();
}

void CKnob::setColorHandle(const CColor& color)
{
    colorHandle = color;
    setDirty();
}

} // namespace VSTGUI
