#pragma once

// Virtual key codes of VstKeyCode::virt, as the plug-in interface numbers them.

#include "vstgui/lib/vstguibase.h"

#include "plugin/VstAbi.h"

namespace VSTGUI {

enum VstVirtualKey : uint8 {
    VKEY_BACK = 1,
    VKEY_TAB = 2,
    VKEY_RETURN = 4,
    VKEY_ESCAPE = 6,
    VKEY_SPACE = 7,
    VKEY_END = 9,
    VKEY_HOME = 10,
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
    VKEY_PAGEUP = 15,
    VKEY_PAGEDOWN = 16,
    VKEY_ENTER = 19,
    VKEY_INSERT = 21,
    VKEY_DELETE = 22,
    VKEY_NUMPAD0 = 24,
    VKEY_NUMPAD9 = 33,
    VKEY_F1 = 40,
    VKEY_F12 = 51,
};

} // namespace VSTGUI
