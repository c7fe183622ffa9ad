#include "vstgui/lib/cframe.h"

#include "vstgui/lib/cframe_internal.h"
#include "vstgui/lib/ctooltip.h"
#include "vstgui/lib/frameoverlay.h"
#include "vstgui/lib/vstkeycode.h"

#include <cmath>

namespace VSTGUI {

namespace {

constexpr uint32 kDoubleClickTimeMs = 400;
constexpr CCoord kDoubleClickDistance = 4.;

// Window-system input must never unwind into the host.
template <typename Result, typename Handler>
Result guarded(Result fallback, Handler&& handler)
{
    try {
        return handler();
    } catch (...) {
        return fallback;
    }
}

} // namespace

// ---- mouse

CButtonState CFrame::markDoubleClick(const CPoint& where, CButtonState buttons, uint32 timeMs)
{
    const int32 button = buttons.getButtonState();
    const bool isDouble = mouse->haveLastPress && button == mouse->lastPressButton &&
                          timeMs - mouse->lastPressTime <= kDoubleClickTimeMs &&
                          std::abs(where.x - mouse->lastPressPoint.x) <= kDoubleClickDistance &&
                          std::abs(where.y - mouse->lastPressPoint.y) <= kDoubleClickDistance;
    // A third press starts over instead of making another double click.
    mouse->haveLastPress = !isDouble;
    mouse->lastPressPoint = where;
    mouse->lastPressButton = button;
    mouse->lastPressTime = timeMs;
    if (isDouble)
        buttons |= kDoubleClick;
    return buttons;
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint where, CButtonState buttons)
{
    return platformOnMouseDown(where, buttons, getTicks());
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint where, CButtonState buttons, uint32 eventTimeMs)
{
    return guarded(kMouseEventNotHandled, [&] { return routeMouseDown(where, buttons, eventTimeMs); });
}

CMouseEventResult CFrame::routeMouseDown(CPoint where, CButtonState buttons, uint32 timeMs)
{
    if (modalDialogRunning)
        return kMouseEventNotHandled;
    tooltip->hide();
    buttons = markDoubleClick(where, buttons, timeMs);
    const bool alreadyHeld = mouse->heldButtons != 0;
    mouse->heldButtons |= buttons.getButtonState();
    if (FrameOverlay* overlay = modalOverlay()) {
        SharedPointer<FrameOverlay> keepAlive(overlay);
        return overlay->onMouseDown(where, buttons);
    }
    // Presses of further buttons during a drag are not new clicks.
    if (getMouseDownView() || alreadyHeld)
        return kMouseEventNotHandled;
    SharedPointer<CFrame> keepAlive(this);
    const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    mouse->captureButtons = buttons.getButtonState();
    // A press that ran a modal dialog may have seen its release go by already.
    if (mouse->captureButtons != 0)
        endCaptureIfReleased(where, buttons);
    return result;
}

bool CFrame::captureButtonsReleased() const
{
    return (mouse->heldButtons & mouse->captureButtons) == 0;
}

void CFrame::endCaptureIfReleased(CPoint where, CButtonState buttons)
{
    if (!captureButtonsReleased() || !getMouseDownView())
        return;
    SharedPointer<CFrame> keepAlive(this);
    CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint where, CButtonState buttons)
{
    return guarded(kMouseEventNotHandled, [&] {
        if (modalDialogRunning)
            return kMouseEventNotHandled;
        if (FrameOverlay* overlay = modalOverlay()) {
            SharedPointer<FrameOverlay> keepAlive(overlay);
            return overlay->onMouseMoved(where, buttons);
        }
        if (getMouseDownView()) {
            SharedPointer<CFrame> keepAlive(this);
            // A button pressed during the drag is ignored, so the capturing view keeps seeing its own.
            const int32 ignored = kButtonMask & ~mouse->captureButtons;
            CButtonState captured(buttons & ~ignored);
            return CViewContainer::onMouseMoved(where, captured);
        }
        tooltip->pointerMoved(where, getTicks());
        return kMouseEventNotHandled;
    });
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint where, CButtonState buttons)
{
    return guarded(kMouseEventNotHandled, [&] {
        const int32 released = buttons.getButtonState();
        mouse->heldButtons = released ? (mouse->heldButtons & ~released) : 0;
        if (modalDialogRunning)
            return kMouseEventNotHandled;
        if (FrameOverlay* overlay = modalOverlay()) {
            SharedPointer<FrameOverlay> keepAlive(overlay);
            // The press that opened the overlay keeps its capture until this last release.
            endCaptureIfReleased(where, buttons);
            return overlay->onMouseUp(where, buttons);
        }
        // The capture ends when the buttons that started it are up, so the view's edit ends with it.
        if (!captureButtonsReleased() || !getMouseDownView())
            return kMouseEventNotHandled;
        SharedPointer<CFrame> keepAlive(this);
        return CViewContainer::onMouseUp(where, buttons);
    });
}

void CFrame::platformOnMouseCancel()
{
    guarded(0, [&] {
        mouse->heldButtons = 0;
        cancelMouseCapture();
        return 0;
    });
}

void CFrame::cancelMouseCapture()
{
    if (!getMouseDownView())
        return;
    SharedPointer<CFrame> keepAlive(this);
    CViewContainer::onMouseCancel();
}

void CFrame::platformOnMouseExited()
{
    tooltip->pointerLeft();
}

// ---- keys

bool CFrame::keyToFocusPath(VstKeyCode& keyCode, int32 (CView::*handler)(VstKeyCode&))
{
    if (!focusView || !focusView->getMouseEnabled())
        return false;
    SharedPointer<CView> keepAlive(focusView);
    // Only 1 counts: -1 (not handled) and 2 (seen but not used) pass the key on.
    for (CView* view = focusView; view && view != this; view = view->getParentView())
        if ((view->*handler)(keyCode) == 1)
            return true;
    return false;
}

int32 CFrame::onKeyDown(VstKeyCode& keyCode)
{
    tooltip->hide();
    if (FrameOverlay* overlay = modalOverlay()) {
        SharedPointer<FrameOverlay> keepAlive(overlay);
        overlay->onKeyDown(keyCode);
        return 1;
    }
    if (keyToFocusPath(keyCode, &CView::onKeyDown))
        return 1;
    const bool plainOrShift = (keyCode.modifier & ~MODIFIER_SHIFT) == 0;
    if (keyCode.virt == VKEY_TAB && plainOrShift) {
        advanceNextFocusView(focusView, (keyCode.modifier & MODIFIER_SHIFT) != 0);
        return 1;
    }
    if (keyCode.virt == VKEY_ESCAPE && getMouseDownView()) {
        cancelMouseCapture();
        return 1;
    }
    return -1;
}

int32 CFrame::onKeyUp(VstKeyCode& keyCode)
{
    if (modalOverlay())
        return 1;
    return keyToFocusPath(keyCode, &CView::onKeyUp) ? 1 : -1;
}

int32 CFrame::platformOnKeyDown(VstKeyCode& keyCode)
{
    return guarded(-1, [&] { return modalDialogRunning ? -1 : onKeyDown(keyCode); });
}

int32 CFrame::platformOnKeyUp(VstKeyCode& keyCode)
{
    return guarded(-1, [&] { return modalDialogRunning ? -1 : onKeyUp(keyCode); });
}

// ---- drag and drop

CView* CFrame::dropTargetViewAt(const CPoint& where, SharedPointer<IDropTarget>& target) const
{
    CView* found = nullptr;
    CPoint local = where;
    const CViewContainer* container = this;
    while (container) {
        CView* hit = nullptr;
        const auto& children = container->getChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            CView* child = *it;
            if (child->isVisible() && child->getMouseEnabled() && child->getViewSize().pointInside(local)) {
                hit = child;
                break;
            }
        }
        if (!hit)
            break;
        if (auto candidate = hit->getDropTarget()) {
            found = hit;
            target = candidate;
        }
        local.offset(-hit->getViewSize().left, -hit->getViewSize().top);
        container = dynamic_cast<const CViewContainer*>(hit);
    }
    return found;
}

DragEventData CFrame::dragDataFor(const DragEventData& data) const
{
    DragEventData local = data;
    if (drag->view)
        drag->view->frameToLocal(local.pos);
    return local;
}

DragOperation CFrame::platformOnDragEnter(DragEventData data)
{
    platformOnDragLeave(data);
    return platformOnDragMove(data);
}

DragOperation CFrame::platformOnDragMove(DragEventData data)
{
    return guarded(DragOperation::None, [&] {
        SharedPointer<IDropTarget> target;
        CView* view = dropTargetViewAt(data.pos, target);
        if (view == drag->view.get())
            return drag->target ? drag->target->onDragMove(dragDataFor(data)) : DragOperation::None;
        if (drag->target)
            drag->target->onDragLeave(dragDataFor(data));
        drag->view = view;
        drag->target = target;
        return target ? target->onDragEnter(dragDataFor(data)) : DragOperation::None;
    });
}

void CFrame::platformOnDragLeave(DragEventData data)
{
    guarded(0, [&] {
        if (drag->target)
            drag->target->onDragLeave(dragDataFor(data));
        drag->view = nullptr;
        drag->target = nullptr;
        return 0;
    });
}

bool CFrame::platformOnDrop(DragEventData data)
{
    return guarded(false, [&] {
        SharedPointer<IDropTarget> target;
        CView* view = dropTargetViewAt(data.pos, target);
        if (view != drag->view.get() && drag->target)
            drag->target->onDragLeave(dragDataFor(data));
        drag->view = view;
        drag->target = target;
        const bool accepted = target && target->onDrop(dragDataFor(data));
        drag->view = nullptr;
        drag->target = nullptr;
        return accepted;
    });
}

} // namespace VSTGUI
