#include "vstgui/lib/controls/cparamdisplay.h"

#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32 style)
    : CControl(size, nullptr, -1, background), font(kNormalFont.get()), style(style)
{
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (!(style & kNoDrawStyle))
        drawBack(context);
    setDirty(false);
}

bool CParamDisplay::drawsFrame() const
{
    return !(style & (kNoFrame | k3DIn | k3DOut)) && frameWidth > 0.;
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap*)
{
    context->setDrawMode(kAntiAliasing);
    CRect box = getViewSize();
    const bool stroked = drawsFrame();
    if (stroked)
        box.inset(frameWidth / 2., frameWidth / 2.);
    SharedPointer<CGraphicsPath> path = owned(context->createGraphicsPath());
    if (style & kRoundRectStyle)
        path->addRoundRect(box, roundRectRadius);
    else
        path->addRect(box);
    context->setFillColor(backColor);
    context->drawGraphicsPath(path, CDrawContext::kPathFilled);
    if (!stroked)
        return;
    context->setFrameColor(frameColor);
    context->setLineWidth(frameWidth);
    context->drawGraphicsPath(path, CDrawContext::kPathStroked);
}

void CParamDisplay::setFont(CFontRef newFont)
{
    if (!newFont)
        return;
    font = newFont;
    setDirty();
}

void CParamDisplay::setFontColor(const CColor& color)
{
    fontColor = color;
    setDirty();
}

void CParamDisplay::setBackColor(const CColor& color)
{
    backColor = color;
    setDirty();
}

void CParamDisplay::setFrameColor(const CColor& color)
{
    frameColor = color;
    setDirty();
}

void CParamDisplay::setShadowColor(const CColor& color)
{
    shadowColor = color;
    setDirty();
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
    horiAlign = align;
    setDirty();
}

void CParamDisplay::setStyle(int32 newStyle)
{
    style = newStyle;
    setDirty();
}

void CParamDisplay::setRoundRectRadius(CCoord radius)
{
    roundRectRadius = radius;
    setDirty();
}

void CParamDisplay::setFrameWidth(CCoord width)
{
    frameWidth = width;
    setDirty();
}

} // namespace VSTGUI
