#pragma once

#include "editor/GuiSynthParamDisplay.h"
#include "gui/CKBKnob.h"
#include "gui/Palette.h"

namespace korvel::veldro {

// A knob in the editor's style bound to its bridge: the bridge hears the knob, handles its keys and
// moves it; the bridge's texts go to `receiver` when one is given. A corona from 120° over 300° in the
// palette's accent on an outline in the palette's frame colour. Returns a new view holding one
// reference. GUI thread only.
gui::CKBKnob* makeKnob(const VSTGUI::CRect& rect, GuiSynthParamDisplay* bridge, VSTGUI::int32 tag,
                       gui::ITextReceiver* receiver, const gui::Palette& palette);

} // namespace korvel::veldro
