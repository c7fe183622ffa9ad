#include "gui/controllers/EmptyController.h"

namespace korvel::gui {

EmptyController::EmptyController(const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(0, handle, palette)
{
}

} // namespace korvel::gui
