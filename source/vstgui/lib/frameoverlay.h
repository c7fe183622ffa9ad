#pragma once

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/crect.h"

#include "plugin/VstAbi.h"

namespace VSTGUI {

class CDrawContext;

// Something the frame draws above its views (a tooltip, a pop-up menu). A modal overlay takes all
// mouse and key input while shown. Frame coordinates; GUI thread only.
class FrameOverlay : public CBaseObject {
public:
    virtual CRect getBounds() const = 0;
    virtual void draw(CDrawContext* context) = 0;
    virtual bool isModal() const { return false; }
    virtual CMouseEventResult onMouseDown(const CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
    virtual CMouseEventResult onMouseMoved(const CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
    virtual CMouseEventResult onMouseUp(const CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
    virtual int32 onKeyDown(VstKeyCode&) { return -1; }
    // Taken off the frame (by a choice, hideOverlay or the frame closing).
    virtual void dismissed() {}
};

} // namespace VSTGUI
