#pragma once

// Test hook: an offscreen frame holding one of each control, for snapshots and tests.

#include "vstgui/lib/cframe.h"

namespace VSTGUI::testing {

inline constexpr CColor kDemoBackground{50, 54, 57};
inline constexpr CColor kDemoAccent{255, 122, 0};

// Open, painted once; the caller closes it. Null when the frame cannot be opened.
SharedPointer<CFrame> makeDemoFrame();

} // namespace VSTGUI::testing
