#pragma once

#include "synth/Patch.h"

namespace korvel::patch_test {

// A stored slot that uses every member of the slot form: each written
// parameter inside its range, a controller of a varying
// kind (settings in the kind's own units) on every control, both envelopes,
// a store time and a sound file name with characters beyond ASCII and beyond
// U+FFFF. `variant` shifts the values and kinds.
veldro::Patch fullSlot(int variant = 0);

} // namespace korvel::patch_test
