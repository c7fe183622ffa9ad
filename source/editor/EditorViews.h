#pragma once

#include "editor/EditorContext.h"
#include "vstgui/lib/crect.h"

#include <cstdint>

namespace VSTGUI {
class CViewContainer;
}

namespace korvel::gui {
class CBreakpoints;
class CGrainDisplay;
class CGroupbox;
class SoundfileView;
} // namespace korvel::gui

namespace korvel::veldro {
class PatchManager;
}

// The places where the editor window puts its larger views. Each builder adds its views to the given
// container and wires them to the parameters; texts go to `box`'s status display unless a receiver is
// given. GUI thread only.
namespace korvel::views {

// The keyboard envelope editor of the parameter block that starts at `firstId` (25 or 40).
gui::CBreakpoints* makeAdsrEditor(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect,
                                  int firstId);
// The grain's attack/decay editor (parameters 9 and 10).
gui::CBreakpoints* makeAttackDecayEditor(const EditorContext& context, gui::CGroupbox& box,
                                         const VSTGUI::CRect& rect);

// The waveform with the selection (parameters 0 and 1) and the play cursor.
gui::SoundfileView* makeSoundfileView(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect);
// Each idle, with a play position above zero.
void showPlayPosition(gui::SoundfileView& view, std::uint64_t frame);

// The patch file button (tag 174).
void makeDropButton(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect);
// The patch grid of 18 x 7 cells; returns its new manager, owned by the caller.
veldro::PatchManager* makePatchGrid(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect);
void deletePatchManager(veldro::PatchManager* manager);

// One pad per control of `paramId`, the first at `rect`, each next one `spacing` right of the previous.
// Returns the rectangle the pads cover (`rect` for a parameter without controls).
VSTGUI::CRect makeControllerViewFor(const EditorContext& context, VSTGUI::CViewContainer& container, int paramId,
                                    const VSTGUI::CRect& rect, VSTGUI::CCoord spacing,
                                    gui::ITextReceiver* receiver);

// The grain stream sketch; its density text goes to `label`.
gui::CGrainDisplay* makeGrainDisplay(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect,
                                     gui::ITextReceiver* label);
// Each idle that took under 5 ms, with the tick count in milliseconds.
void tickGrainDisplay(gui::CGrainDisplay& display, std::uint32_t now);

// The filter view (tag 16) with its "low", "mid" and "hi" mix sliders; its texts go to `filterLabel`.
void makeFilterSection(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& viewRect,
                       const VSTGUI::CRect (&sliderRects)[3], gui::ITextReceiver* filterLabel);

} // namespace korvel::views
