#pragma once

#include "gui/controllers/ParamController.h"

#include <utility>
#include <vector>

namespace korvel::gui {

// Kind 2, the sound's amplitude and noisiness: x is the time offset (0.5 none), y the mix of the two
// curves (1 noise). The picture is a made-up walk of both curves, mixed by y, with a shifted copy
// while the offset is set.
class AmpsTimeController : public ParamController {
public:
    AmpsTimeController(const veldro::ParamControlHandle& handle, const Palette& palette);

    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    int describe(char* buffer, std::size_t size) override;

    // (amplitude, noise) per pixel column; grows to the pad's width and is the same on every open.
    const std::vector<std::pair<double, double>>& getWalkPoints() const { return walkPoints; }

private:
    void growWalk(int count);

    std::vector<std::pair<double, double>> walkPoints;
};

} // namespace korvel::gui
