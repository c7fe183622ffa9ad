#include "editor/GuiSynthParamDisplay.h"

#include "gui/KeyStepping.h"
#include "synth/SynthParams.h"

#include <algorithm>

namespace korvel::veldro {

void GuiSynthParamDisplay::valueChanged(VSTGUI::CControl* changed)
{
    if (!changed)
        return;
    if (auto v = setParamFromControl(*changed))
        showValue(*v);
}

VSTGUI::int32 GuiSynthParamDisplay::onKeyDown(VstKeyCode& key, VSTGUI::CControl* focused)
{
    if (!params)
        return KEY_NOT_USED;
    const double current = targetValue();
    double next = gui::stepValueByKey(key, current);
    if (next == current)
        return KEY_NOT_USED;
    if (scaling) {
        const auto [low, high] = scaling->getRange();
        next = std::min(std::max(next, low), high);
    }
    // One write inside one gesture, so the host records a single automation edit.
    if (focused)
        focused->beginEdit();
    params->setParam(paramId, next, params->getChangeTime());
    if (focused)
        focused->endEdit();
    if (control)
        refreshControl();
    else
        showValue(next);
    return KEY_USED;
}

VSTGUI::int32 GuiSynthParamDisplay::onKeyUp(VstKeyCode&, VSTGUI::CControl*) { return -1; }

void GuiSynthParamDisplay::refreshControl()
{
    GuiSynthParamBridge::refreshControl();
    showValue(targetValue());
}

} // namespace korvel::veldro
