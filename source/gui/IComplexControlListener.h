#pragma once

#include "vstgui/lib/controls/ccontrol.h"

namespace korvel::gui {

// The listener of the editor's multi-element controls (patch grid, multi-point XY pad, breakpoint editors,
// filter view); `index` is the point or cell concerned. GUI thread only.
class IComplexControlListener {
public:
    virtual ~IComplexControlListener() = default;
    virtual void valueChanged(VSTGUI::CControl* control, int index)
    {
        valueChanged(static_cast<VSTGUI::CView*>(control), index);
    }
    virtual void valueChanged(VSTGUI::CView* view, int index)
    {
        (void)view;
        (void)index;
    }
};

} // namespace korvel::gui
