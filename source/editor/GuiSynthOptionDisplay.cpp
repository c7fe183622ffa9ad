#include "editor/GuiSynthOptionDisplay.h"

#include "synth/SynthParams.h"

namespace korvel::veldro {

void GuiSynthOptionDisplay::valueChanged(VSTGUI::CControl* changed)
{
    if (!params || !changed)
        return;
    params->setParamImmediate(paramId, changed->getValue());
    showValue(targetValue());
}

void GuiSynthOptionDisplay::setFormat(double key, const ValueFormat& format) { formats.insert_or_assign(key, format); }

const ValueFormat* GuiSynthOptionDisplay::formatFor(double value) const
{
    if (formats.size() == 1)
        return &formats.begin()->second;
    auto found = formats.lower_bound(value);
    return found == formats.end() ? nullptr : &found->second;
}

void GuiSynthOptionDisplay::showValue(double value)
{
    if (!getTextReceiver())
        return;
    const ValueFormat* format = formatFor(value);
    if (!format)
        return;
    char text[256];
    format->format(text, value);
    sendText(text, VSTGUI::kTransparentCColor);
    shownValue = value;
}

void GuiSynthOptionDisplay::applyPendingUpdate()
{
    if (control) {
        GuiSynthParamBridge::applyPendingUpdate();
        return;
    }
    if (params && shownValue != targetValue())
        showValue(targetValue());
}

void GuiSynthOptionDisplay::refreshControl()
{
    control->setValue(static_cast<float>(targetValue()));
}

} // namespace korvel::veldro
