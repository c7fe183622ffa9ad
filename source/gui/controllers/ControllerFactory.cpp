#include "gui/controllers/ControllerFactory.h"

#include "gui/controllers/ADSRController.h"
#include "gui/controllers/AmpsTimeController.h"
#include "gui/controllers/EmptyController.h"
#include "gui/controllers/InternalController.h"
#include "gui/controllers/LFOController.h"
#include "gui/controllers/MidiController.h"
#include "gui/controllers/RandController.h"
#include "synth/ParamTable.h"

namespace korvel::gui {

std::shared_ptr<ParamControllerView::IController> makeKindController(int kind, const veldro::ParamControlHandle& handle,
                                                                     const Palette& palette)
{
    switch (kind) {
    case 0: {
        auto empty = std::make_shared<EmptyController>(handle, palette);
        empty->setText(veldro::paramShortLabel(int(handle.getControlId())));
        return empty;
    }
    case 1:
        return std::make_shared<RandController>(handle, palette);
    case 2:
        return std::make_shared<AmpsTimeController>(handle, palette);
    case 3:
        return std::make_shared<LFOController>(handle, palette);
    case 4:
        return std::make_shared<MidiController>(handle, palette);
    case 5:
        return std::make_shared<ADSRController>(handle, palette);
    case 6:
    case 7:
    case 8:
        return std::make_shared<InternalController>(kind - 6, handle, palette);
    default:
        return nullptr;
    }
}

} // namespace korvel::gui
