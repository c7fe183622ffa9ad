#pragma once

#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/frameoverlay.h"

namespace VSTGUI {

class CFrame;

// An open option menu drawn over the frame. Modal: a click outside or Escape closes it without a
// choice; the release of the press that opened it is ignored. Frame coordinates; GUI thread only.
class MenuOverlay : public FrameOverlay {
public:
    MenuOverlay(COptionMenu& menu, CFrame& frame, const CPoint& at, COptionMenu::Callback callback);

    CRect getBounds() const override { return bounds; }
    void draw(CDrawContext* context) override;
    bool isModal() const override { return true; }
    CMouseEventResult onMouseDown(const CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(const CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(const CPoint& where, const CButtonState& buttons) override;
    int32 onKeyDown(VstKeyCode& keyCode) override;

    COptionMenu& getMenu() const { return *menu; }
    // The row of entry `index`; empty out of range.
    CRect getEntryRect(int32 index) const;
    int32 getHighlighted() const { return highlighted; }

private:
    int32 entryAt(const CPoint& where) const;
    CCoord rowHeight(const CMenuItem& item) const;

    SharedPointer<COptionMenu> menu; // the menu stays alive while shown
    CFrame& frame;
    COptionMenu::Callback callback;
    CRect bounds;
    int32 highlighted{-1};
    bool pressedSinceOpen{false};
};

} // namespace VSTGUI
