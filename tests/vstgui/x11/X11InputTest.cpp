// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/platform/x11/x11input.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace VSTGUI::X11 {
namespace {

TEST(X11Input, ButtonsMapToToolkitBitsAndWheelIsIgnored)
{
    const struct {
        unsigned int xButton;
        int32 expected;
    } cases[] = {{1, kLButton}, {2, kMButton}, {3, kRButton}, {4, 0},        {5, 0},
                 {6, 0},        {7, 0},        {8, kButton4}, {9, kButton5}, {10, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(buttonFromXButton(c.xButton), c.expected) << "X button " << c.xButton;
}

TEST(X11Input, StateMaskGivesHeldButtonsAndModifiers)
{
    EXPECT_EQ(buttonStateFromXState(0), 0);
    EXPECT_EQ(buttonStateFromXState(Button1Mask), kLButton);
    EXPECT_EQ(buttonStateFromXState(Button2Mask | Button3Mask), kMButton | kRButton);
    EXPECT_EQ(buttonStateFromXState(ShiftMask | ControlMask | Mod1Mask | Mod4Mask),
              kShift | kControl | kAlt | kApple);
    // Caps Lock, Num Lock (Mod2) and the wheel's masks mean nothing to the toolkit.
    EXPECT_EQ(buttonStateFromXState(LockMask | Mod2Mask | Button4Mask | Button5Mask), 0);
    EXPECT_TRUE(CButtonState(buttonStateFromXState(Button1Mask | Mod2Mask)).isLeftButton());
}

TEST(X11Input, NamedKeysGiveVirtualCodesWithoutCharacter)
{
    const struct {
        KeySym keySym;
        int virt;
    } cases[] = {{XK_BackSpace, 1}, {XK_Tab, 2},     {XK_ISO_Left_Tab, 2}, {XK_Return, 4}, {XK_Escape, 6},
                 {XK_space, 7},     {XK_End, 9},     {XK_Home, 10},        {XK_Left, 11},  {XK_Up, 12},
                 {XK_Right, 13},    {XK_Down, 14},   {XK_Prior, 15},       {XK_Next, 16},  {XK_KP_Enter, 19},
                 {XK_Insert, 21},   {XK_Delete, 22}, {XK_F1, 40},          {XK_F7, 46},    {XK_F12, 51}};
    for (const auto& c : cases) {
        VstKeyCode key = keyFromKeySym(c.keySym, 0);
        EXPECT_EQ(key.virt, c.virt) << XKeysymToString(c.keySym);
        EXPECT_EQ(key.character, 0) << XKeysymToString(c.keySym);
    }
}

TEST(X11Input, KeypadDigitsGiveVirtualCodeAndCharacter)
{
    for (int digit = 0; digit <= 9; ++digit) {
        VstKeyCode key = keyFromKeySym(XK_KP_0 + digit, Mod2Mask);
        EXPECT_EQ(key.virt, 24 + digit);
        EXPECT_EQ(key.character, '0' + digit);
    }
}

TEST(X11Input, PrintableKeysGiveOnlyTheCharacter)
{
    const struct {
        KeySym keySym;
        int32 character;
    } cases[] = {{XK_a, 'a'},
                 {XK_A, 'A'},
                 {XK_7, '7'},
                 {XK_plus, '+'},
                 {XK_asciitilde, '~'},
                 {XK_eacute, 0xe9},
                 {0x010020ac, 0x20ac} /* euro sign */,
                 {XK_Shift_L, 0},
                 {XK_F13, 0}};
    for (const auto& c : cases) {
        VstKeyCode key = keyFromKeySym(c.keySym, 0);
        EXPECT_EQ(key.character, c.character) << std::hex << c.keySym;
        EXPECT_EQ(key.virt, 0) << std::hex << c.keySym;
    }
}

TEST(X11Input, KeyModifiersUsePluginInterfaceBits)
{
    const struct {
        unsigned int xState;
        int modifier;
    } cases[] = {{ShiftMask, MODIFIER_SHIFT},
                 {Mod1Mask, MODIFIER_ALTERNATE},
                 {Mod4Mask, MODIFIER_COMMAND},
                 {ControlMask, MODIFIER_CONTROL},
                 {ShiftMask | ControlMask, MODIFIER_SHIFT | MODIFIER_CONTROL},
                 {LockMask | Mod2Mask, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(keyFromKeySym(XK_a, c.xState).modifier, c.modifier) << "state " << c.xState;
    // Control does not turn the character into a control code.
    EXPECT_EQ(keyFromKeySym(XK_a, ControlMask).character, 'a');
}

} // namespace
} // namespace VSTGUI::X11
