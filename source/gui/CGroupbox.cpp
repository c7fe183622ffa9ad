#include "gui/CGroupbox.h"

#include "gui/ColourMath.h"
#include "gui/LayoutMetrics.h"
#include "vstgui/lib/cdrawcontext.h"

#include <utility>

namespace korvel::gui {

using namespace VSTGUI;

CGroupbox::CGroupbox(const CRect& size, std::string title, CFontDesc* font)
    : CViewContainer(size), frameWidth(s(2)), cornerRadius(s(4)), title(std::move(title)),
      font(font ? font : kNormalFontBig.get())
{
    setBackgroundColor({0, 0, 0, 0});
}

CGroupbox::CGroupbox(const CGroupbox& other) = default;
CGroupbox::~CGroupbox() = default;

CGraphicsPath* CGroupbox::framePathFor(CDrawContext& context)
{
    if (framePath)
        return framePath;
    const CCoord f = frameWidth;
    const CCoord r = cornerRadius;
    CRect box(f, u(3) + f, getWidth() - f, getHeight() - f);
    box.normalize();
    const CCoord d = 2 * r;
    framePath = owned(context.createGraphicsPath());
    framePath->beginSubpath({box.right - r, box.top});
    framePath->addArc({box.right - d, box.top, box.right, box.top + d}, 270, 360, true);
    framePath->addArc({box.right - d, box.bottom - d, box.right, box.bottom}, 0, 90, true);
    framePath->addArc({box.left, box.bottom - d, box.left + d, box.bottom}, 90, 180, true);
    framePath->addArc({box.left, box.top, box.left + d, box.top + d}, 180, 270, true);
    framePath->closeSubpath();
    return framePath;
}

void CGroupbox::drawBackgroundRect(CDrawContext* context, const CRect&)
{
    CGraphicsPath* path = framePathFor(*context);
    context->setFillColor(getBackgroundColor());
    context->setFrameColor(frameColor);
    context->setLineWidth(frameWidth);
    context->setLineStyle(kLineSolid);
    context->setDrawMode(kAntiAliasing);
    context->drawGraphicsPath(path, CDrawContext::kPathStroked);
    context->drawGraphicsPath(path, CDrawContext::kPathFilled);
    if (title.empty())
        return;
    context->setFont(font);
    // A theme may pair a frame colour with a background it barely stands out from (orange on light grey).
    context->setFontColor(readableOn(frameColor, getBackgroundColor()));
    const CCoord tabLeft = s(4) + cornerRadius;
    const CCoord width = context->getStringWidth(title);
    context->drawRect({tabLeft, 0, tabLeft + width + s(2), u(10)}, kDrawFilled);
    context->drawString(title, CPoint(tabLeft + s(1), u(8)), true);
}

CRect CGroupbox::getContentRect() const
{
    const CCoord inset = 2 * frameWidth + cornerRadius;
    return {inset, inset + font->getSize(), getWidth() - inset, getHeight() - inset};
}

void CGroupbox::setFrameColor(const CColor& colour)
{
    if (colour == frameColor)
        return;
    frameColor = colour;
    setDirty(true);
}

} // namespace korvel::gui
