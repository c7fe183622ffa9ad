#include "vstgui/lib/cviewcontainer.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/ifocusdrawing.h"

#include <algorithm>

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::CViewContainer(const CViewContainer& other)
    : CView(other), backgroundColor(other.backgroundColor)
{
    for (CView* child : other.children)
        if (CView* copy = child->newCopy())
            addView(copy);
}

CViewContainer::~CViewContainer()
{
    removeAll();
}

bool CViewContainer::addView(CView* view)
{
    if (!view || std::find(children.begin(), children.end(), view) != children.end())
        return false;
    children.push_back(view);
    view->attached(this);
    view->invalid();
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto found = std::find(children.begin(), children.end(), view);
    if (found == children.end())
        return false;
    view->invalid();
    if (mouseDownView == view)
        mouseDownView = nullptr;
    children.erase(found);
    view->removed(this);
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    while (!children.empty())
        removeView(children.back(), withForget);
    return true;
}

CView* CViewContainer::getView(uint32 index) const
{
    return index < children.size() ? children[index] : nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where) const
{
    CPoint local = where;
    local.offset(-size.left, -size.top);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->isVisible() && (*it)->getViewSize().pointInside(local))
            return *it;
    return nullptr;
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    if (backgroundColor == color)
        return;
    backgroundColor = color;
    invalid();
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    if (backgroundColor.alpha == 0)
        return;
    context->setFillColor(backgroundColor);
    context->drawRect(rect, kDrawFilled);
}

void CViewContainer::drawFocusOf(CDrawContext* context, CView* child)
{
    auto* focusDrawing = dynamic_cast<IFocusDrawing*>(child);
    CFrame* frame = getFrame();
    if (!focusDrawing || !frame)
        return;
    SharedPointer<CGraphicsPath> path = owned(context->createGraphicsPath());
    if (!focusDrawing->getFocusPath(*path))
        return;
    context->saveGlobalState();
    context->setFillColor(frame->getFocusColor());
    context->setDrawMode(kAntiAliasing);
    context->drawGraphicsPath(path, CDrawContext::kPathFilledEvenOdd);
    context->restoreGlobalState();
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect local = updateRect;
    local.bound(size);
    local.offset(-size.left, -size.top);
    CDrawContext::Transform transform(*context, CGraphicsTransform().translate(size.left, size.top));

    CRect clip = context->getClipRect();
    clip.bound(local);
    context->saveGlobalState();
    context->setClipRect(clip);
    drawBackgroundRect(context, clip);
    context->restoreGlobalState();

    CFrame* frame = getFrame();
    CView* focus = frame && frame->focusDrawingEnabled() ? frame->getFocusView() : nullptr;
    CView* focusOnTop = nullptr;
    const float alpha = context->getGlobalAlpha();
    for (CView* child : children) {
        if (!child->isVisible())
            continue;
        const bool focused = child == focus && child->wantsFocus();
        auto* focusDrawing = focused ? dynamic_cast<IFocusDrawing*>(child) : nullptr;
        if (focusDrawing && focusDrawing->drawFocusOnTop())
            focusOnTop = child;
        else if (focusDrawing) {
            context->saveGlobalState();
            context->setClipRect(clip);
            drawFocusOf(context, child);
            context->restoreGlobalState();
        }
        CRect childClip = child->getViewSize();
        if (!childClip.rectOverlap(clip))
            continue;
        childClip.bound(clip);
        if (childClip.isEmpty())
            continue;
        context->saveGlobalState();
        context->setClipRect(childClip);
        context->setGlobalAlpha(alpha * child->getAlphaValue());
        child->drawRect(context, childClip);
        context->restoreGlobalState();
    }
    if (focusOnTop) {
        context->saveGlobalState();
        context->setClipRect(clip);
        drawFocusOf(context, focusOnTop);
        context->restoreGlobalState();
    }
    setDirty(false);
}

void CViewContainer::invalidRect(const CRect& rect)
{
    CFrame* frame = getFrame();
    if (frame && !frame->isGuiThread()) {
        setDirty(true);
        return;
    }
    if (!getParentView())
        return;
    CRect inParent = rect;
    inParent.offset(size.left, size.top);
    inParent.bound(size);
    getParentView()->invalidRect(inParent);
}

void CViewContainer::invalid()
{
    CFrame* frame = getFrame();
    if (frame && !frame->isGuiThread()) {
        setDirty(true);
        return;
    }
    setDirty(false);
    invalidRect(CRect(0., 0., getWidth(), getHeight()));
}

CView* CViewContainer::tryMouseDown(CView* child, CPoint& where, const CButtonState& buttons,
                                    CMouseEventResult& result)
{
    auto* control = dynamic_cast<CControl*>(child);
    const bool modified = (buttons & (kShift | kControl | kAlt | kApple | kRButton)) != 0;
    if (control && control->getListener() && modified &&
        control->getListener()->controlModifierClicked(control, buttons) != 0) {
        result = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        return nullptr;
    }
    result = child->onMouseDown(where, buttons);
    return child;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local = where;
    local.offset(-size.left, -size.top);
    // Copy: a handler may add or remove views.
    const std::vector<CView*> candidates(children.rbegin(), children.rend());
    for (CView* child : candidates) {
        if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        CPoint childPoint = local;
        CMouseEventResult result;
        CView* target = tryMouseDown(child, childPoint, buttons, result);
        if (!target)
            return result;
        if (result != kMouseEventNotImplemented && result != kMouseEventNotHandled) {
            CFrame* frame = getFrame();
            if (frame && child->wantsFocus() && child->isAttached())
                frame->setFocusView(child);
            if (result == kMouseEventHandled)
                mouseDownView = child;
            return result;
        }
        if (!child->getTransparency())
            return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    CView* view = std::exchange(mouseDownView, nullptr);
    if (!view)
        return kMouseEventNotHandled;
    CPoint local = where;
    local.offset(-size.left, -size.top);
    SharedPointer<CView> keepAlive(view);
    return view->onMouseUp(local, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    CPoint local = where;
    local.offset(-size.left, -size.top);
    SharedPointer<CView> keepAlive(mouseDownView);
    const CMouseEventResult result = mouseDownView->onMouseMoved(local, buttons);
    if (result != kMouseEventNotImplemented && result != kMouseEventHandled)
        mouseDownView = nullptr;
    return result;
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    CView* view = std::exchange(mouseDownView, nullptr);
    if (!view)
        return kMouseEventNotHandled;
    SharedPointer<CView> keepAlive(view);
    return view->onMouseCancel();
}

bool CViewContainer::attached(CView* parentView)
{
    CView::attached(parentView);
    for (CView* child : children)
        child->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parentView)
{
    for (CView* child : children)
        child->removed(this);
    mouseDownView = nullptr;
    return CView::removed(parentView);
}

} // namespace VSTGUI
