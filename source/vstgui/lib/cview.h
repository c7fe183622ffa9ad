#pragma once

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/crect.h"
#include "vstgui/lib/cstring.h"
#include "vstgui/lib/dragging.h"

#include "plugin/VstAbi.h"

#include <atomic>
#include <map>
#include <vector>

namespace VSTGUI {

class CDrawContext;
class CFrame;
class CViewContainer;

// Tooltip text attribute: UTF-8 with its terminating zero.
inline constexpr CViewAttributeID kCViewTooltipAttribute = 0x63767474; // 'cvtt'

// A rectangle of the view tree. getViewSize() is in the parent's coordinates.
// GUI thread only, except setDirty(true), invalid() and invalidRect(), which any thread may call
// (off the GUI thread they only raise the dirty flag for the frame's next idle sweep).
class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    CView(const CView& view); // an unattached copy
    ~CView() override;

    virtual CView* newCopy() const { return nullptr; }

    // ---- drawing
    virtual void draw(CDrawContext* context);
    // `updateRect`: the part to paint, in the same coordinates as getViewSize().
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool isDirty() const { return dirty.load(std::memory_order_acquire); }
    virtual void setDirty(bool state = true) { dirty.store(state, std::memory_order_release); }
    virtual void invalidRect(const CRect& rect);
    virtual void invalid();

    // ---- mouse (`where` in the parent's coordinates) and keys (1 handled, -1 not)
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    virtual int32 onKeyDown(VstKeyCode& keyCode);
    virtual int32 onKeyUp(VstKeyCode& keyCode);
    virtual SharedPointer<IDropTarget> getDropTarget();

    // ---- geometry
    const CRect& getViewSize() const { return size; }
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);
    // Between this view's parent coordinates and frame coordinates, in place.
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;

    // ---- tree
    CViewContainer* getParentView() const { return parent; }
    CFrame* getFrame() const { return frame; }
    bool isAttached() const { return frame != nullptr; }
    virtual bool attached(CView* parentView);
    virtual bool removed(CView* parentView);

    // ---- flags
    virtual void setVisible(bool state);
    bool isVisible() const { return visible; }
    virtual void setAlphaValue(float alpha);
    float getAlphaValue() const { return alphaValue; }
    virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    virtual void setTransparency(bool state);
    bool getTransparency() const { return transparent; }
    void setWantsFocus(bool state) { focusable = state; }
    bool wantsFocus() const { return focusable; }

    // ---- attributes (copied in)
    bool setAttribute(CViewAttributeID id, uint32 inSize, const void* data);
    bool getAttributeSize(CViewAttributeID id, uint32& outSize) const;
    bool getAttribute(CViewAttributeID id, uint32 inSize, void* buffer, uint32& outSize) const;
    bool removeAttribute(CViewAttributeID id);
    void setTooltipText(UTF8StringPtr text);

protected:
    CRect size;

private:
    friend class CViewContainer;
    friend class CFrame;
    void setParentAndFrame(CViewContainer* parentView, CFrame* owningFrame);
    void invalidWithFocus();

    CViewContainer* parent{nullptr};
    CFrame* frame{nullptr};
    std::atomic<bool> dirty{false};
    bool visible{true};
    bool mouseEnabled{true};
    bool transparent{false};
    bool focusable{false};
    float alphaValue{1.f};
    std::map<CViewAttributeID, std::vector<char>> attributes;
};

} // namespace VSTGUI
