#pragma once

#include "gui/ParamControllerView.h"
#include "synth/ParamControlHandle.h"

#include <cstdio>

namespace korvel::gui {

// The common body of the kind editors: every setting goes through the control's handle in normalised
// form; the kind's knobs, frame, handle size and labels come from the kind table. GUI thread only.
class ParamController : public ParamControllerView::IController {
public:
    ParamController(std::uint32_t kind, const veldro::ParamControlHandle& handle, const Palette& palette);

    // The caption (setText), when there is one.
    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    void refresh() override;
    void apply() override;
    double getAmount() override;
    void setAmount(double amount) override;
    double getX() override;
    double getY() override;
    void setXY(double x, double y) override;
    int describe(char* buffer, std::size_t size) override;
    double getParam2() override;
    void setParam2(double value) override;
    const char* valueFormat() const override;
    VSTGUI::CColor colour() const override { return palette.text; }
    const Scaling* getScaling(int field) const override;
    int knobCount() const override { return knobs; }
    const char* knobLabel(int i) const override;

    const veldro::ControlPatch& controlPatch() const { return handle.control_patch; }

protected:
    // The pad's rectangle inset by its frame width.
    static VSTGUI::CRect innerRect(const VSTGUI::CXYPad& pad);
    // snprintf into the caller's buffer; the length actually written.
    template <typename... Args>
    static int print(char* buffer, std::size_t size, const char* format, Args... args);

    veldro::ParamControlHandle handle;
    const int knobs;
};

int clampedLength(int printed, std::size_t size);

template <typename... Args>
int ParamController::print(char* buffer, std::size_t size, const char* format, Args... args)
{
    if (!buffer || size == 0)
        return 0;
    return clampedLength(std::snprintf(buffer, size, format, args...), size);
}

} // namespace korvel::gui
