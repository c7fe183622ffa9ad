#pragma once

#include "gui/ParamControllerView.h"

#include <memory>

namespace korvel::gui {

// The editor object of controller kind 0..8 on `handle`'s control, with the kind's default settings
// (the live control is not touched); null for any other kind.
std::shared_ptr<ParamControllerView::IController> makeKindController(int kind, const veldro::ParamControlHandle& handle,
                                                                     const Palette& palette);

} // namespace korvel::gui
