#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

#include <cmath>

namespace VSTGUI {

CDrawContext::Transform::Transform(CDrawContext& context, const CGraphicsTransform& transform) : context(context)
{
    context.pushTransform(transform);
}

CDrawContext::Transform::~Transform()
{
    context.popTransform();
}

CDrawContext::CDrawContext(const CRect& surfaceRect) : surfaceRect(surfaceRect), paintRect(surfaceRect)
{
    beginPaint(surfaceRect);
}

void CDrawContext::beginPaint(const CRect& rect)
{
    paintRect = rect;
    paintRect.bound(surfaceRect);
    state = State();
    state.font = *kSystemFont;
    state.clip = paintRect;
    stateStack.clear();
    transform = CGraphicsTransform();
    transformStack.clear();
}

void CDrawContext::setFont(const CFontRef font, const CCoord& size, const int32& style)
{
    if (!font)
        return;
    state.font = *font;
    if (size > 0.)
        state.font.setSize(size);
    if (style >= 0)
        state.font.setStyle(style);
}

void CDrawContext::setClipRect(const CRect& clip)
{
    state.clip = clip;
    state.clipTransform = transform;
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = getClipRect();
    return clip;
}

CRect CDrawContext::getClipRect() const
{
    if (state.clipTransform == transform)
        return state.clip;
    return transform.inverseTransform(state.clipTransform.transform(state.clip));
}

CRect CDrawContext::getDeviceClip() const
{
    CRect device = state.clipTransform.transform(state.clip);
    return device.bound(paintRect);
}

void CDrawContext::saveGlobalState()
{
    stateStack.push_back(state);
}

void CDrawContext::restoreGlobalState()
{
    if (stateStack.empty())
        return;
    state = stateStack.back();
    stateStack.pop_back();
}

void CDrawContext::pushTransform(const CGraphicsTransform& inner)
{
    transformStack.push_back(transform);
    transform = transform * inner;
}

void CDrawContext::popTransform()
{
    if (transformStack.empty())
        return;
    transform = transformStack.back();
    transformStack.pop_back();
}

CCoord CDrawContext::effectiveLineWidth() const
{
    return state.lineWidth > 0. ? state.lineWidth : getHairlineSize();
}

CCoord CDrawContext::strokeAlignment() const
{
    if (state.drawMode.isAntiAliased() || !state.drawMode.integralMode())
        return 0.;
    const auto width = static_cast<long>(std::lround(effectiveLineWidth()));
    return width % 2 == 1 ? 0.5 : 0.;
}

void CDrawContext::drawString(const UTF8String& text, const CRect& rect, const CHoriTxtAlign hAlign, bool antialias)
{
    if (text.empty())
        return;
    // Centred on the capitals, but never so low that descenders leave the rectangle.
    const CCoord baseline = std::min(rect.top + rect.getHeight() / 2. + getCapHeight(state.font) / 2.,
                                     rect.bottom - getDescent(state.font));
    CCoord x = rect.left;
    if (hAlign != kLeftText) {
        const CCoord width = getStringWidth(text);
        x = hAlign == kCenterText ? rect.left + (rect.getWidth() - width) / 2. : rect.right - width;
    }
    drawString(text, CPoint(x, baseline), antialias);
}

CGraphicsPath* CDrawContext::createRoundRectGraphicsPath(const CRect& rect, CCoord radius)
{
    auto* path = createGraphicsPath();
    path->addRoundRect(rect, radius);
    return path;
}

} // namespace VSTGUI
