#include "editor/KnobFactory.h"

#include <numbers>

namespace korvel::veldro {

using namespace VSTGUI;

gui::CKBKnob* makeKnob(const CRect& rect, GuiSynthParamDisplay* bridge, int32 tag, gui::ITextReceiver* receiver,
                       const gui::Palette& palette)
{
    auto* knob = new gui::CKBKnob(rect, bridge, tag);
    if (bridge) {
        bridge->setControl(knob);
        knob->setKeyHandler(bridge);
        if (receiver)
            bridge->setTextReceiver(receiver);
    }
    knob->setDrawStyle(CKnob::kCoronaDrawing | CKnob::kCoronaOutline | CKnob::kCoronaLineCapButt |
                       CKnob::kSkipHandleDrawing);
    knob->setCoronaColor(palette.accent);
    knob->setColorShadowHandle(palette.frame);
    knob->setStartAngle(static_cast<float>(2 * std::numbers::pi / 3));
    knob->setRangeAngle(static_cast<float>(5 * std::numbers::pi / 3));
    knob->setWantsFocus(true);
    knob->setHandleLineWidth(0.2 * rect.getWidth());
    knob->setCoronaInset(knob->getCoronaOutlineWidthAdd() + 0.5 * knob->getHandleLineWidth());
    knob->setZoomFactor(10);
    return knob;
}

} // namespace korvel::veldro
