#include "vstgui/lib/cview.h"

#include "vstgui/lib/cframe.h"

#include <cstring>

namespace VSTGUI {

CView::CView(const CRect& size) : size(size) {}

CView::CView(const CView& view)
    : CBaseObject(view),
      size(view.size),
      visible(view.visible),
      mouseEnabled(view.mouseEnabled),
      transparent(view.transparent),
      focusable(view.focusable),
      alphaValue(view.alphaValue),
      attributes(view.attributes)
{
}

CView::~CView() = default;

void CView::draw(CDrawContext*)
{
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
    setDirty(false);
}

void CView::invalidRect(const CRect& rect)
{
    if (!parent)
        return;
    if (frame && !frame->isGuiThread()) {
        setDirty(true);
        return;
    }
    parent->invalidRect(rect);
}

void CView::invalid()
{
    if (frame && !frame->isGuiThread()) {
        setDirty(true);
        return;
    }
    setDirty(false);
    invalidRect(size);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel()
{
    return kMouseEventNotImplemented;
}

int32 CView::onKeyDown(VstKeyCode&)
{
    return -1;
}

int32 CView::onKeyUp(VstKeyCode&)
{
    return -1;
}

SharedPointer<IDropTarget> CView::getDropTarget()
{
    return nullptr;
}

void CView::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == size)
        return;
    if (invalidate)
        invalidWithFocus();
    size = rect;
    if (invalidate)
        invalidWithFocus();
}

void CView::invalidWithFocus()
{
    invalid();
    // The focus ring lies outside the view's rect, so the view's own invalidation misses it.
    if (frame && frame->getFocusView() == this)
        frame->invalidateFocusArea(this);
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
    return size.pointInside(where);
}

CPoint& CView::localToFrame(CPoint& point) const
{
    for (const CView* ancestor = parent; ancestor && ancestor->parent; ancestor = ancestor->parent)
        point.offset(ancestor->size.left, ancestor->size.top);
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    for (const CView* ancestor = parent; ancestor && ancestor->parent; ancestor = ancestor->parent)
        point.offset(-ancestor->size.left, -ancestor->size.top);
    return point;
}

void CView::setParentAndFrame(CViewContainer* parentView, CFrame* owningFrame)
{
    parent = parentView;
    frame = owningFrame;
}

bool CView::attached(CView* parentView)
{
    auto* container = dynamic_cast<CViewContainer*>(parentView);
    setParentAndFrame(container, container ? container->getFrame() : nullptr);
    return true;
}

bool CView::removed(CView*)
{
    if (frame && frame->getFocusView() == this)
        frame->setFocusView(nullptr);
    setParentAndFrame(nullptr, nullptr);
    return true;
}

void CView::setVisible(bool state)
{
    if (visible == state)
        return;
    visible = state;
    invalid();
}

void CView::setAlphaValue(float alpha)
{
    if (alphaValue == alpha)
        return;
    alphaValue = alpha;
    invalid();
}

void CView::setTransparency(bool state)
{
    if (transparent == state)
        return;
    transparent = state;
    invalid();
}

bool CView::setAttribute(CViewAttributeID id, uint32 inSize, const void* data)
{
    if (inSize > 0 && !data)
        return false;
    const auto* bytes = static_cast<const char*>(data);
    attributes[id] = std::vector<char>(bytes, bytes + inSize);
    return true;
}

bool CView::getAttributeSize(CViewAttributeID id, uint32& outSize) const
{
    auto found = attributes.find(id);
    if (found == attributes.end())
        return false;
    outSize = static_cast<uint32>(found->second.size());
    return true;
}

bool CView::getAttribute(CViewAttributeID id, uint32 inSize, void* buffer, uint32& outSize) const
{
    auto found = attributes.find(id);
    if (found == attributes.end() || inSize < found->second.size())
        return false;
    outSize = static_cast<uint32>(found->second.size());
    if (outSize > 0)
        std::memcpy(buffer, found->second.data(), outSize);
    return true;
}

bool CView::removeAttribute(CViewAttributeID id)
{
    return attributes.erase(id) > 0;
}

void CView::setTooltipText(UTF8StringPtr text)
{
    if (!text) {
        removeAttribute(kCViewTooltipAttribute);
        return;
    }
    setAttribute(kCViewTooltipAttribute, static_cast<uint32>(std::strlen(text) + 1), text);
}

} // namespace VSTGUI
