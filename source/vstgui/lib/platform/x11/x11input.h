#pragma once

// Translation of X11 input to the toolkit's button, modifier and virtual-key codes.
// Pure functions on plain Xlib values: no X connection, any thread.

#include "vstgui/lib/vstguibase.h"

#include <X11/X.h>

namespace VSTGUI::X11 {

struct MappedKey {
    int32 character{0};
    uint8 virt{0};
    uint8 modifier{0};
};

// The CButtonState bit of an X button number; 0 for the wheel and unknown buttons.
int32 buttonFromXButton(unsigned int xButton);

// The CButtonState bits of the buttons held and modifiers pressed in an X state mask.
int32 buttonStateFromXState(unsigned int xState);

// A key as the plug-in interface describes it: a VKEY code for the named keys (keypad digits
// also carry their character), only the character for other printable keys, and MODIFIER bits.
MappedKey keyFromKeySym(KeySym keySym, unsigned int xState);

// Marks a press as a double click when the same button is pressed again within 400 ms and
// 4 px of the previous press. Times are X server milliseconds, which wrap at 2^32.
class DoubleClickDetector {
public:
    bool isDoubleClick(int32 button, Time time, int x, int y);

private:
    int32 lastButton{0};
    Time lastTime{0};
    int lastX{0};
    int lastY{0};
};

} // namespace VSTGUI::X11
