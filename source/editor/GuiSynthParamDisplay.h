#pragma once

#include "editor/GuiSynthOptionDisplay.h"
#include "gui/KeyboardHandler.h"

namespace korvel::veldro {

// The bridge of a knob: a scaled parameter whose value is shown as a status text (usually the label
// under the knob) and can be edited from the keyboard while the knob has the focus. Without a knob, a
// display of the value alone.
// Threads as GuiSynthParamBridge.
class GuiSynthParamDisplay : public GuiSynthOptionDisplay, public gui::IKeyboardHandler {
public:
    using GuiSynthOptionDisplay::GuiSynthOptionDisplay;

    // --- GUI thread

    void valueChanged(VSTGUI::CControl* changed) override;

    // Steps the parameter's target by the key (see stepValueByKey), limited to the Scaling's range, in one
    // edit gesture of `focused` when given. KEY_NOT_USED when the key leaves the value as it is.
    VSTGUI::int32 onKeyDown(VstKeyCode& key, VSTGUI::CControl* focused) override;
    VSTGUI::int32 onKeyUp(VstKeyCode& key, VSTGUI::CControl* focused) override;

protected:
    void refreshControl() override;
};

} // namespace korvel::veldro
