#pragma once

#include "gui/controllers/ParamController.h"

namespace korvel::gui {

// Kind 4, the MIDI inputs: x and y blend note, velocity, pitch bend and mod wheel, which sit at the
// pad's corners; the picture names them, lit when they take part.
class MidiController : public ParamController {
public:
    MidiController(const veldro::ParamControlHandle& handle, const Palette& palette);

    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    int describe(char* buffer, std::size_t size) override;
    VSTGUI::CColor colour() const override { return midiColour; }

private:
    VSTGUI::CColor midiColour;
};

} // namespace korvel::gui
