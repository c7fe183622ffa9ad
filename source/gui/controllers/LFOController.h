#pragma once

#include "gui/controllers/ParamController.h"

namespace korvel::gui {

// Kind 3, the shaped LFO: x is the skew (0.5 none), y the clip, the rate slider the frequency. The
// picture is one cycle of the wave.
class LFOController : public ParamController {
public:
    LFOController(const veldro::ParamControlHandle& handle, const Palette& palette);

    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    int describe(char* buffer, std::size_t size) override;
};

} // namespace korvel::gui
