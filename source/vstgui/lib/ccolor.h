#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

struct CColor {
    uint8 red{0};
    uint8 green{0};
    uint8 blue{0};
    uint8 alpha{255};

    constexpr CColor() = default;
    constexpr CColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255)
        : red(red), green(green), blue(blue), alpha(alpha)
    {
    }

    constexpr double normRed() const { return red / 255.; }
    constexpr double normGreen() const { return green / 255.; }
    constexpr double normBlue() const { return blue / 255.; }
    constexpr double normAlpha() const { return alpha / 255.; }

    constexpr bool operator==(const CColor&) const = default;
};

inline constexpr CColor kTransparentCColor{255, 255, 255, 0};
inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kGreyCColor{127, 127, 127, 255};
inline constexpr CColor kRedCColor{255, 0, 0, 255};

} // namespace VSTGUI
