#pragma once

#include "editor/EditorContext.h"
#include "vstgui/lib/crect.h"

#include <initializer_list>

namespace VSTGUI {
class CTextButton;
class CViewContainer;
} // namespace VSTGUI

namespace korvel::gui {
class CGroupbox;
class CKBKnob;
class CTextDisplay;
} // namespace korvel::gui

namespace korvel::veldro {
class GuiSynthOptionDisplay;
class GuiSynthParamDisplay;
class ValueFormat;
} // namespace korvel::veldro

namespace korvel {

// The editor window's building blocks: knobs with their labels and pads, clusters of knobs, option
// buttons. Every control's tag is its parameter id and its tooltip comes from the tooltip table.
// GUI thread only.
class EditorBlocks {
public:
    explicit EditorBlocks(const EditorContext& context) : context(context) {}

    // A display bridge for the live parameter `id`; a format with text becomes the one keyed at the
    // parameter's default value. It listens to the parameter once makeKnobFor has given it its knob;
    // without one it follows the parameter at each idle.
    veldro::GuiSynthParamDisplay* makeGuiSynthParamDisplay(int id, const veldro::ValueFormat& format);
    // A status display with empty text in the editor palette.
    gui::CTextDisplay* makeLabel(VSTGUI::CViewContainer& container, const VSTGUI::CRect& rect);
    // A knob on the bridge, at the parameter's default; centred corona for parameters that go negative.
    // Registers the bridge as the parameter's listener.
    gui::CKBKnob* makeKnobFor(VSTGUI::CViewContainer& container, const VSTGUI::CRect& rect,
                              veldro::GuiSynthParamDisplay* bridge);
    // Knob, its label below and one pad per control to its right. Returns the rectangle they cover.
    VSTGUI::CRect makeParamBlock(gui::CGroupbox& box, const VSTGUI::CRect& knobRect,
                                 veldro::GuiSynthParamDisplay* bridge);

    struct ClusterKnob {
        int id; // -1: an empty place
        veldro::GuiSynthParamDisplay* bridge;
    };
    // Two to four knobs in `rect`, one label below it, then the pads of the knobs' parameters that have
    // controls, each `rect` wide. Returns the rectangle they cover.
    VSTGUI::CRect makeKnobCluster(gui::CGroupbox& box, const VSTGUI::CRect& rect,
                                  std::initializer_list<ClusterKnob> knobs);
    // An on/off button whose value is the parameter's own value; its bridge, whose texts go to the box's
    // status display, is returned for its formats.
    veldro::GuiSynthOptionDisplay* makeOptionButton(gui::CGroupbox& box, int id, const VSTGUI::CRect& rect,
                                          const gui::Palette& palette);
    // The pads of `id` at `rect`, posting to the box's status display. Returns the rectangle they cover.
    VSTGUI::CRect makePads(gui::CGroupbox& box, int id, const VSTGUI::CRect& rect);

private:
    const EditorContext& context;
};

} // namespace korvel
