#pragma once

#include "gui/KeyboardHandler.h"
#include "vstgui/lib/controls/cknob.h"

namespace korvel::gui {

// A knob whose keys go to a keyboard handler (its parameter bridge) and whose focus is a rounded
// highlight behind it. GUI thread only.
class CKBKnob : public VSTGUI::CKnob {
public:
    CKBKnob(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, VSTGUI::int32 tag);
    ~CKBKnob() override;

    // Not owned; null gives the plain knob's keys.
    void setKeyHandler(IKeyboardHandler* handler) { keyHandler = handler; }
    IKeyboardHandler* getKeyHandler() const { return keyHandler; }

    // Handled (1) only when the handler used the key, so Tab and the host's shortcuts still work.
    VSTGUI::int32 onKeyDown(VstKeyCode& keyCode) override;
    bool getFocusPath(VSTGUI::CGraphicsPath& outPath) override;

private:
    IKeyboardHandler* keyHandler = nullptr;
};

} // namespace korvel::gui
