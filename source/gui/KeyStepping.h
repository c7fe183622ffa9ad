#pragma once

#include "vstgui/lib/vstkeycode.h"

namespace korvel::gui {

// The value a key makes of v:
// - arrows step by 0.1 (left and down negative) and page keys by 0.5; the step grows 2x above |v| = 20,
//   10x above 200 and 100x above 2000; Command or Control take a tenth of it, Shift a hundredth;
// - a digit d (numeric pad or character) sets the leading digit of v's decade ("7" on 0.3 is 0.7);
//   "0" moves a power of ten down a decade and a value of 7 or more of its decade up one;
//   the sign of v is kept;
// - any other key leaves v as it is.
double stepValueByKey(const VstKeyCode& key, double v);

} // namespace korvel::gui
