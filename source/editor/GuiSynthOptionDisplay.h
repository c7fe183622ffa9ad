#pragma once

#include "editor/GuiSynthParamBridge.h"
#include "gui/TextSender.h"
#include "synth/ValueFormat.h"

#include <map>
#include <optional>

namespace korvel::veldro {

// A bridge that also posts the parameter's value as a status text, in the format keyed for the value.
// Used directly for on/off option buttons, whose control value is the parameter's value itself.
// A display without a control is filed as no parameter's listener (the parameter's own view holds that
// place, one listener per id): it follows the parameter at each idle instead.
// Threads as GuiSynthParamBridge; the texts go out on the GUI thread only.
class GuiSynthOptionDisplay : public GuiSynthParamBridge, public gui::ITextSender {
public:
    using GuiSynthParamBridge::GuiSynthParamBridge;

    // --- GUI thread

    // Sets the parameter to the control's value at once, unscaled, and shows the new target.
    void valueChanged(VSTGUI::CControl* changed) override;

    // Stores a copy of `format` under `key`, replacing one stored under exactly that key.
    virtual void setFormat(double key, const ValueFormat& format);
    // The format under the smallest key not below `value`, or null above every key; a single format
    // serves every value.
    virtual const ValueFormat* formatFor(double value) const;
    // Sends the value's text in the receiver's own colour, when there are a receiver and a format.
    virtual void showValue(double value);
    // Without a control: shows the parameter's target when it is not the value shown.
    void applyPendingUpdate() override;

protected:
    void refreshControl() override;

private:
    std::map<double, ValueFormat> formats;
    std::optional<double> shownValue;
};

} // namespace korvel::veldro
