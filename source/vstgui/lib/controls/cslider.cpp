#include "vstgui/lib/controls/cslider.h"

#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

namespace VSTGUI {

CSlider::CSlider(const CRect& size, IControlListener* listener, int32 tag, int32 minPos, int32 maxPos, CBitmap*,
                 CBitmap* background, const CPoint&, int32 style)
    : CControl(size, listener, tag, background), style(style), minPos(minPos), maxPos(maxPos)
{
    setWantsFocus(true);
}

void CSlider::draw(CDrawContext* context)
{
    context->setDrawMode(kAliasing);
    CRect box = getViewSize();
    box.inset(frameWidth / 2., frameWidth / 2.);
    if (drawStyle & kDrawBack) {
        context->setFillColor(backColor);
        context->drawRect(box, kDrawFilled);
    }
    if (drawStyle & kDrawValue) {
        context->setFillColor(valueColor);
        context->drawRect(valueBarRect(), kDrawFilled);
    }
    if ((drawStyle & kDrawFrame) && frameWidth > 0.) {
        context->setFrameColor(frameColor);
        context->setLineWidth(frameWidth);
        context->drawRect(getViewSize(), kDrawStroked);
    }
    setDirty(false);
}

CRect CSlider::valueBarRect() const
{
    CRect box = getViewSize();
    box.inset(frameWidth / 2., frameWidth / 2.);
    float v = getValueNormalized();
    bool inverted = (style & (kRight | kBottom)) != 0;
    if (drawStyle & kDrawInverted)
        inverted = !inverted;
    if (inverted)
        v = 1.f - v;
    const float from = (drawStyle & kDrawValueFromCenter) ? 0.5f : (inverted ? 1.f : 0.f);
    const float low = std::min(from, v);
    const float high = std::max(from, v);
    CRect bar = box;
    if (isHorizontal()) {
        bar.left = box.left + low * box.getWidth();
        bar.right = box.left + high * box.getWidth();
    } else {
        bar.top = box.top + low * box.getHeight();
        bar.bottom = box.top + high * box.getHeight();
    }
    return bar;
}

float CSlider::positionOf(const CPoint& where) const
{
    const CCoord coordinate = isHorizontal() ? where.x : where.y;
    const CCoord span = maxPos - minPos;
    float position = span != 0. ? static_cast<float>((coordinate - minPos) / span) : 0.f;
    if (style & (kRight | kBottom))
        position = 1.f - position;
    return position;
}

CMouseEventResult CSlider::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (checkDefaultValue(buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    beginEdit();
    startValue = getValue();
    lastPosition = positionOf(where);
    // A plain press jumps to the pointer; a Shift press only starts a fine drag.
    if (buttons & kZoomModifier)
        return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CSlider::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    const float position = positionOf(where);
    float normalized = position;
    if (buttons & kZoomModifier)
        normalized = getValueNormalized() + (position - lastPosition) / zoomFactor;
    lastPosition = position;
    changeValueByUser(vmin + std::clamp(normalized, 0.f, 1.f) * getRange());
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseUp(CPoint&, const CButtonState&)
{
    if (isEditing())
        endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseCancel()
{
    cancelMouseEdit(startValue);
    return kMouseEventHandled;
}

void CSlider::setDrawStyle(int32 newStyle)
{
    drawStyle = newStyle;
    setDirty();
}

void CSlider::setFrameWidth(CCoord width)
{
    frameWidth = width;
    setDirty();
}

void CSlider::setFrameColor(const CColor& color)
{
    frameColor = color;
    setDirty();
}

void CSlider::setBackColor(const CColor& color)
{
    backColor = color;
    setDirty();
}

void CSlider::setValueColor(const CColor& color)
{
    valueColor = color;
    setDirty();
}

} // namespace VSTGUI
