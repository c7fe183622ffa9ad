#pragma once

#include "vstgui/lib/cbuttonstate.h"

namespace VSTGUI {

class CControl;

// Hears a control's user changes. GUI thread only.
class IControlListener {
public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    // Non-zero: the modified click was handled here and the control does not see it.
    virtual int32 controlModifierClicked(CControl* control, CButtonState button)
    {
        (void)control;
        (void)button;
        return 0;
    }
    virtual void controlBeginEdit(CControl* control) { (void)control; }
    virtual void controlEndEdit(CControl* control) { (void)control; }
    virtual void controlTagWillChange(CControl* control) { (void)control; }
    virtual void controlTagDidChange(CControl* control) { (void)control; }
};

} // namespace VSTGUI
