#include "vstgui/lib/controls/ccontrol.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cgraphicspath.h"

#include <algorithm>

namespace VSTGUI {

CControl::CControl(const CRect& size, IControlListener* listener, int32 tag, CBitmap*)
    : CView(size), listener(listener), tag(tag)
{
}

CControl::CControl(const CControl& control)
    : CView(control),
      listener(control.listener),
      tag(control.tag),
      value(control.value),
      vmin(control.vmin),
      vmax(control.vmax),
      defaultValue(control.defaultValue),
      oldValue(control.oldValue),
      wheelInc(control.wheelInc)
{
}

void CControl::setValue(float newValue)
{
    value = newValue;
    bounceValue();
}

void CControl::bounceValue()
{
    value = vmin <= vmax ? std::clamp(value, vmin, vmax) : std::clamp(value, vmax, vmin);
}

void CControl::setValueNormalized(float normalized)
{
    setValue(vmin + std::clamp(normalized, 0.f, 1.f) * getRange());
}

float CControl::getValueNormalized() const
{
    return getRange() == 0.f ? 0.f : (value - vmin) / getRange();
}

void CControl::setTag(int32 newTag)
{
    if (listener)
        listener->controlTagWillChange(this);
    tag = newTag;
    if (listener)
        listener->controlTagDidChange(this);
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
}

void CControl::beginEdit()
{
    if (++editing != 1)
        return;
    if (listener)
        listener->controlBeginEdit(this);
    if (CFrame* frame = getFrame())
        frame->beginEdit(tag);
}

void CControl::endEdit()
{
    if (editing == 0 || --editing != 0)
        return;
    if (CFrame* frame = getFrame())
        frame->endEdit(tag);
    if (listener)
        listener->controlEndEdit(this);
}

bool CControl::checkDefaultValue(CButtonState button)
{
    if (!button.isLeftButton() || button.getModifierState() != kControl)
        return false;
    if (getDefaultValue() != getValue()) {
        beginEdit();
        setValue(getDefaultValue());
        valueChanged();
        endEdit();
    }
    return true;
}

bool CControl::isDirty() const
{
    return value != oldValue || CView::isDirty();
}

void CControl::setDirty(bool state)
{
    if (!state)
        oldValue = value;
    CView::setDirty(state);
}

void CControl::changeValueByUser(float newValue)
{
    setValue(newValue);
    if (isDirty()) {
        valueChanged();
        invalid();
    }
}

void CControl::cancelMouseEdit(float startValue)
{
    if (!isEditing())
        return;
    changeValueByUser(startValue);
    endEdit();
}

CCoord CControl::focusWidth() const
{
    CFrame* frame = getFrame();
    return frame ? frame->getFocusWidth() : 0.;
}

bool CControl::getFocusPath(CGraphicsPath& outPath)
{
    CRect outer = getViewSize();
    outPath.addRect(outer);
    outer.extend(focusWidth(), focusWidth());
    outPath.addRect(outer);
    return true;
}

} // namespace VSTGUI
