#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

enum CButton : int32 {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
};

inline constexpr int32 kButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
inline constexpr int32 kModifierMask = kShift | kControl | kAlt | kApple;

class CButtonState {
public:
    constexpr CButtonState(int32 state = 0) : state(state) {}

    constexpr int32 getButtonState() const { return state & kButtonMask; }
    constexpr int32 getModifierState() const { return state & kModifierMask; }
    constexpr bool isLeftButton() const { return getButtonState() == kLButton; }
    constexpr bool isRightButton() const { return getButtonState() == kRButton; }
    constexpr bool isDoubleClick() const { return (state & kDoubleClick) != 0; }

    constexpr operator int32() const { return state; }
    constexpr int32 operator&(int32 mask) const { return state & mask; }
    CButtonState& operator|=(int32 bits)
    {
        state |= bits;
        return *this;
    }

private:
    int32 state;
};

enum CMouseEventResult : int32 {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
    kMouseMoveEventHandledButDontNeedMoreEvents = 4,
};

} // namespace VSTGUI
