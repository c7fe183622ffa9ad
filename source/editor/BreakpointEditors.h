#pragma once

#include "gui/CBreakpoints.h"
#include "gui/Palette.h"

namespace korvel::veldro {

class SynthParams;

// The editor's three breakpoint editors, each with its listener on `params` (not yet registered) and the
// editor's handle size. Each returns a new view holding one reference. GUI thread only.

// Five points over the keyboard envelope whose parameters start at `firstId` (25 or 40); tag `firstId`.
gui::CBreakpoints* makeAdsrBreakpoints(SynthParams& params, int firstId, const VSTGUI::CRect& rect,
                                       const gui::Palette& palette);
// Four points over "grain.attack" and "grain.decay"; tag 9.
gui::CBreakpoints* makeAttackDecayBreakpoints(SynthParams& params, const VSTGUI::CRect& rect,
                                              const gui::Palette& palette);

} // namespace korvel::veldro
