#pragma once

#include "vstgui/lib/vstguibase.h"

#include <vector>

namespace VSTGUI {

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };

enum CDrawModeFlags : uint32 {
    kAliasing = 0,
    kAntiAliasing = 1,
    kNonIntegralMode = 0xF000000,
};

class CDrawMode {
public:
    constexpr CDrawMode(uint32 mode = kAliasing) : mode(mode) {}
    constexpr uint32 modeIgnoringIntegralMode() const { return mode & ~static_cast<uint32>(kNonIntegralMode); }
    constexpr bool integralMode() const { return (mode & kNonIntegralMode) == 0; }
    constexpr bool isAntiAliased() const { return modeIgnoringIntegralMode() == kAntiAliasing; }
    constexpr uint32 getMode() const { return mode; }
    constexpr bool operator==(const CDrawMode&) const = default;

private:
    uint32 mode;
};

class CLineStyle {
public:
    enum LineCap { kLineCapButt = 0, kLineCapRound, kLineCapSquare };
    enum LineJoin { kLineJoinMiter = 0, kLineJoinRound, kLineJoinBevel };

    CLineStyle(LineCap cap = kLineCapButt, LineJoin join = kLineJoinMiter, CCoord dashPhase = 0.,
               std::vector<CCoord> dashLengths = {})
        : cap(cap), join(join), dashPhase(dashPhase), dashLengths(std::move(dashLengths))
    {
    }

    LineCap getLineCap() const { return cap; }
    LineJoin getLineJoin() const { return join; }
    CCoord getDashPhase() const { return dashPhase; }
    const std::vector<CCoord>& getDashLengths() const { return dashLengths; }
    void setLineCap(LineCap newCap) { cap = newCap; }
    void setLineJoin(LineJoin newJoin) { join = newJoin; }
    bool operator==(const CLineStyle&) const = default;

private:
    LineCap cap;
    LineJoin join;
    CCoord dashPhase;
    std::vector<CCoord> dashLengths;
};

inline const CLineStyle kLineSolid{};
inline const CLineStyle kLineOnOffDash{CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, 0., {1., 1.}};

} // namespace VSTGUI
