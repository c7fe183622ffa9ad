#pragma once

#include "vstgui/lib/vstkeycode.h"

namespace VSTGUI {
class CControl;
}

namespace korvel::gui {

// Edits a value from the keyboard on behalf of a focused control. GUI thread only.
class IKeyboardHandler {
public:
    // Results of onKeyDown.
    static constexpr VSTGUI::int32 KEY_USED = 1;
    static constexpr VSTGUI::int32 KEY_NOT_USED = 2;

    virtual ~IKeyboardHandler() = default;
    // `control` is the control that has the focus.
    virtual VSTGUI::int32 onKeyDown(VstKeyCode& key, VSTGUI::CControl* control) = 0;
    // -1: not handled.
    virtual VSTGUI::int32 onKeyUp(VstKeyCode& key, VSTGUI::CControl* control) = 0;
};

} // namespace korvel::gui
