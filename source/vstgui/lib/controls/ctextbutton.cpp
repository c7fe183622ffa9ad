#include "vstgui/lib/controls/ctextbutton.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/ctextfit.h"

namespace VSTGUI {

CTextButton::CTextButton(const CRect& size, IControlListener* listener, int32 tag, UTF8StringPtr title, Style style)
    : CControl(size, listener, tag),
      title(title),
      font(kSystemFont.get()),
      gradient(owned(CGradient::create(0., 1., CColor(220, 220, 220), CColor(180, 180, 180)))),
      gradientHighlighted(owned(CGradient::create(0., 1., CColor(180, 180, 180), CColor(100, 100, 100)))),
      style(style)
{
    setWantsFocus(true);
}

CRect CTextButton::buttonRect() const
{
    CRect r = getViewSize();
    r.inset(frameWidth / 2., frameWidth / 2.);
    return r;
}

void CTextButton::draw(CDrawContext* context)
{
    const bool lit = isLit();
    context->setDrawMode(kAntiAliasing);
    const CRect box = buttonRect();
    SharedPointer<CGraphicsPath> path = owned(context->createRoundRectGraphicsPath(box, roundRadius));
    if (CGradient* fill = lit ? gradientHighlighted.get() : gradient.get())
        context->fillLinearGradient(path, *fill, CPoint(box.left, box.top), CPoint(box.left, box.bottom));
    if (frameWidth > 0.) {
        context->setLineWidth(frameWidth);
        context->setFrameColor(lit ? frameColorHighlighted : frameColor);
        context->drawGraphicsPath(path, CDrawContext::kPathStroked);
    }
    if (!title.empty()) {
        CRect textRect = box;
        if (textAlignment == kLeftText)
            textRect.left += textMargin;
        else if (textAlignment == kRightText)
            textRect.right -= textMargin;
        context->setFont(font);
        context->setFontColor(lit ? textColorHighlighted : textColor);
        // The margin keeps a shortened title off the far edge too.
        context->drawString(titleToDraw(*context, box.getWidth() - 2. * textMargin), textRect, textAlignment);
    }
    setDirty(false);
}

UTF8String CTextButton::titleToDraw(CDrawContext& context, CCoord width)
{
    return fitText(context, title, width);
}

CMouseEventResult CTextButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    entryValue = getValue();
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CTextButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !isEditing())
        return kMouseEventNotHandled;
    // Show what a release here would do.
    const bool inside = hitTest(where, buttons);
    if (style == kKickStyle)
        setValue(inside ? getMax() : getMin());
    else
        setValue(inside == (entryValue <= 0.5f) ? getMax() : getMin());
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

CMouseEventResult CTextButton::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!isEditing())
        return kMouseEventHandled;
    const bool inside = hitTest(where, buttons);
    if (style == kKickStyle) {
        if (inside) {
            setValue(getMax());
            valueChanged();
        }
        setValue(getMin());
        if (inside)
            valueChanged();
    } else {
        setValue(inside == (entryValue <= 0.5f) ? getMax() : getMin());
        if (inside)
            valueChanged();
    }
    invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CTextButton::onMouseCancel()
{
    if (isEditing()) {
        setValue(entryValue);
        invalid();
        endEdit();
    }
    return kMouseEventHandled;
}

bool CTextButton::getFocusPath(CGraphicsPath& outPath)
{
    const CCoord width = getFrame() ? getFrame()->getFocusWidth() : 0.;
    CRect outer = buttonRect();
    outPath.addRoundRect(outer, roundRadius);
    outer.extend(width, width);
    outPath.addRoundRect(outer, roundRadius + width);
    return true;
}

void CTextButton::setTitle(const UTF8String& newTitle)
{
    title = newTitle;
    invalid();
}

void CTextButton::setFont(CFontRef newFont)
{
    if (!newFont)
        return;
    font = newFont;
    invalid();
}

void CTextButton::setTextColor(const CColor& color)
{
    textColor = color;
    invalid();
}

void CTextButton::setTextColorHighlighted(const CColor& color)
{
    textColorHighlighted = color;
    invalid();
}

void CTextButton::setGradient(CGradient* newGradient)
{
    gradient = newGradient;
    invalid();
}

void CTextButton::setGradientHighlighted(CGradient* newGradient)
{
    gradientHighlighted = newGradient;
    invalid();
}

void CTextButton::setFrameColor(const CColor& color)
{
    frameColor = color;
    invalid();
}

void CTextButton::setFrameColorHighlighted(const CColor& color)
{
    frameColorHighlighted = color;
    invalid();
}

void CTextButton::setFrameWidth(CCoord width)
{
    frameWidth = width;
    invalid();
}

void CTextButton::setRoundRadius(CCoord radius)
{
    roundRadius = radius;
    invalid();
}

void CTextButton::setStyle(Style newStyle)
{
    style = newStyle;
    invalid();
}

void CTextButton::setTextAlignment(CHoriTxtAlign align)
{
    textAlignment = align;
    invalid();
}

void CTextButton::setTextMargin(CCoord margin)
{
    textMargin = margin;
    invalid();
}

} // namespace VSTGUI
