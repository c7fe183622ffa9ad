#pragma once

#include "gui/controllers/ParamController.h"

namespace korvel::gui {

// Kind 1, random: x is the walk, y the spread. The picture is the spread's distribution (a bell for
// near values, a trough for extreme ones) on a ground that darkens with the walk.
class RandController : public ParamController {
public:
    RandController(const veldro::ParamControlHandle& handle, const Palette& palette);

    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    int describe(char* buffer, std::size_t size) override;
};

} // namespace korvel::gui
