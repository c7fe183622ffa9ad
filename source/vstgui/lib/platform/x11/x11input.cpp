#include "vstgui/lib/platform/x11/x11input.h"

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/vstkeycode.h"

#include <X11/keysym.h>

#include <array>
#include <utility>

namespace VSTGUI::X11 {

namespace {

constexpr std::array<std::pair<KeySym, uint8>, 17> namedKeys{{
    {XK_BackSpace, VKEY_BACK},
    {XK_Tab, VKEY_TAB},
    {XK_ISO_Left_Tab, VKEY_TAB}, // what Shift+Tab produces on most layouts
    {XK_Return, VKEY_RETURN},
    {XK_Escape, VKEY_ESCAPE},
    {XK_space, VKEY_SPACE},
    {XK_End, VKEY_END},
    {XK_Home, VKEY_HOME},
    {XK_Left, VKEY_LEFT},
    {XK_Up, VKEY_UP},
    {XK_Right, VKEY_RIGHT},
    {XK_Down, VKEY_DOWN},
    {XK_Prior, VKEY_PAGEUP},
    {XK_Next, VKEY_PAGEDOWN},
    {XK_KP_Enter, VKEY_ENTER},
    {XK_Insert, VKEY_INSERT},
    {XK_Delete, VKEY_DELETE},
}};

constexpr std::array<std::pair<unsigned int, int32>, 7> stateBits{{
    {Button1Mask, kLButton},
    {Button2Mask, kMButton},
    {Button3Mask, kRButton},
    {ShiftMask, kShift},
    {ControlMask, kControl},
    {Mod1Mask, kAlt},
    {Mod4Mask, kApple},
}};

constexpr std::array<std::pair<unsigned int, uint8>, 4> keyModifierBits{{
    {ShiftMask, MODIFIER_SHIFT},
    {Mod1Mask, MODIFIER_ALTERNATE},
    {Mod4Mask, MODIFIER_COMMAND},
    {ControlMask, MODIFIER_CONTROL},
}};

int32 characterOf(KeySym keySym)
{
    // Latin-1 KeySyms equal their code points; others carry Unicode above 0x01000000.
    if ((keySym >= 0x20 && keySym <= 0x7e) || (keySym >= 0xa0 && keySym <= 0xff))
        return static_cast<int32>(keySym);
    if (keySym >= 0x01000100 && keySym <= 0x0110ffff)
        return static_cast<int32>(keySym - 0x01000000);
    return 0;
}

} // namespace

int32 buttonFromXButton(unsigned int xButton)
{
    switch (xButton) {
    case Button1:
        return kLButton;
    case Button2:
        return kMButton;
    case Button3:
        return kRButton;
    case 8:
        return kButton4;
    case 9:
        return kButton5;
    default:
        return 0; // 4 to 7 are the wheel, which the toolkit ignores
    }
}

int32 buttonStateFromXState(unsigned int xState)
{
    int32 state = 0;
    for (auto [mask, bit] : stateBits)
        if (xState & mask)
            state |= bit;
    return state;
}

VstKeyCode keyFromKeySym(KeySym keySym, unsigned int xState)
{
    VstKeyCode key{0, 0, 0};
    for (auto [mask, bit] : keyModifierBits)
        if (xState & mask)
            key.modifier |= bit;
    for (auto [sym, virt] : namedKeys)
        if (sym == keySym) {
            key.virt = virt;
            return key;
        }
    if (keySym >= XK_KP_0 && keySym <= XK_KP_9) {
        key.virt = static_cast<uint8>(VKEY_NUMPAD0 + (keySym - XK_KP_0));
        key.character = static_cast<int32>('0' + (keySym - XK_KP_0));
    } else if (keySym >= XK_F1 && keySym <= XK_F12)
        key.virt = static_cast<uint8>(VKEY_F1 + (keySym - XK_F1));
    else
        key.character = characterOf(keySym);
    return key;
}

} // namespace VSTGUI::X11
