#pragma once

#include "gui/controllers/InnerSources.h"
#include "gui/controllers/ParamController.h"

#include <optional>

namespace korvel::gui {

// Kinds 6 to 8, the inner controllers: the pad is a grid of six cells, each a parameter of the
// synthesizer to follow; x holds the chosen parameter's id.
class InternalController : public ParamController {
public:
    // group 0, 1 or 2 for kinds 6, 7 and 8.
    InternalController(int group, const veldro::ParamControlHandle& handle, const Palette& palette);

    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    void refresh() override;
    // The chosen cell; (-2, -1) when none is chosen.
    double getX() override;
    double getY() override;
    // A point on a cell boundary chooses nothing and leaves the synthesizer's source as it is.
    void setXY(double x, double y) override;
    int describe(char* buffer, std::size_t size) override;
    // The accent; hidden without a choice, so no handle sits over a cell that is not chosen.
    VSTGUI::CColor colour() const override;

    const InnerSourceEntries& getSourceEntries() const { return sourceEntries; }
    std::optional<int> getSelection() const { return selection; }

private:
    InnerSourceEntries sourceEntries;
    std::optional<int> selection;
};

} // namespace korvel::gui
