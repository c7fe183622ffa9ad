#pragma once

#include "gui/controllers/ParamController.h"

namespace korvel::gui {

// Kind 0: no controller. The pad shows its caption only; choosing it fades the live controller out.
class EmptyController : public ParamController {
public:
    EmptyController(const veldro::ParamControlHandle& handle, const Palette& palette);

    void refresh() override {}
    void setAmount(double) override {}
    void setXY(double, double) override {}
};

} // namespace korvel::gui
