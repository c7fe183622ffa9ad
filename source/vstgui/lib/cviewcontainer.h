#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"

#include <vector>

namespace VSTGUI {

class CGraphicsPath;

// A view that owns child views; children's rects are in this container's coordinates
// (offset by its left/top). GUI thread only.
class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size);
    CViewContainer(const CViewContainer& other); // copies the children through newCopy()
    ~CViewContainer() override;

    CView* newCopy() const override { return new CViewContainer(*this); }

    // Takes over the caller's reference.
    virtual bool addView(CView* view);
    // Without `withForget` the caller receives the container's reference.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    uint32 getNbViews() const { return static_cast<uint32>(children.size()); }
    CView* getView(uint32 index) const;
    // The topmost visible child under `where` (this container's parent coordinates).
    CView* getViewAt(const CPoint& where) const;
    const std::vector<CView*>& getChildren() const { return children; }

    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return backgroundColor; }
    // `rect` in local coordinates.
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);

    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    // `rect` in this container's own coordinates.
    void invalidRect(const CRect& rect) override;
    void invalid() override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;

    bool attached(CView* parentView) override;
    bool removed(CView* parentView) override;

    // The child that captured the mouse through this container, if any.
    CView* getMouseDownView() const { return mouseDownView; }

private:
    void drawFocusOf(CDrawContext* context, CView* child);
    CView* tryMouseDown(CView* child, CPoint& where, const CButtonState& buttons, CMouseEventResult& result);

    std::vector<CView*> children;
    CColor backgroundColor{kTransparentCColor};
    CView* mouseDownView{nullptr};
};

} // namespace VSTGUI
