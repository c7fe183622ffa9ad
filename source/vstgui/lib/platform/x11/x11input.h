#pragma once

// Translation of X11 input to the toolkit's button, modifier and virtual-key codes.
// Pure functions on plain Xlib values: no X connection, any thread.

#include "vstgui/lib/vstguibase.h"

#include "plugin/VstAbi.h"

#include <X11/X.h>

namespace VSTGUI::X11 {

// The CButtonState bit of an X button number; 0 for the wheel and unknown buttons.
int32 buttonFromXButton(unsigned int xButton);

// The CButtonState bits of the buttons held and modifiers pressed in an X state mask.
int32 buttonStateFromXState(unsigned int xState);

// A key as the plug-in interface describes it: a VKEY code for the named keys (keypad digits
// also carry their character), only the character for other printable keys, and MODIFIER bits.
VstKeyCode keyFromKeySym(KeySym keySym, unsigned int xState);

} // namespace VSTGUI::X11
