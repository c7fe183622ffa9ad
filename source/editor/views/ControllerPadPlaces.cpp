#include "editor/EditorViews.h"
#include "gui/CGroupbox.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "synth/ControllerKinds.h"
#include "synth/ISynthParamListener.h"
#include "synth/ParamControlHandle.h"
#include "synth/ParamTable.h"
#include "synth/SynthParams.h"
#include "vstgui/lib/cviewcontainer.h"

#include <memory>

namespace korvel::views {

namespace {

// A single change reaches the listener filed at or below its id only when some listener is filed
// above it; this one, past the last controller setting, lets the last pad hear its settings too.
class SettingsRunEnd : public veldro::ISynthParamListener {
public:
    int getId() const override { return veldro::LAST_CONTROLLER_PARAM + 1; }
    void paramChanged(std::uint32_t) override {}
};

} // namespace

VSTGUI::CRect makeControllerViewFor(const EditorContext& context, VSTGUI::CViewContainer& container, int paramId,
                                    const VSTGUI::CRect& rect, VSTGUI::CCoord spacing, gui::ITextReceiver* receiver)
{
    if (!receiver)
        if (auto* box = dynamic_cast<gui::CGroupbox*>(&container))
            receiver = box->getStatusReceiver();
    VSTGUI::CRect covered = rect;
    VSTGUI::CRect place = rect;
    for (int control = 0; control < veldro::getParamInfo(paramId).nof_controls; ++control) {
        const veldro::ParamControlHandle handle(context.params.getBaseParam(paramId), control);
        gui::ParamControllerView* pad = gui::makeParamControllerView(container, place, handle, gui::controllerPalettes);
        pad->setTextReceiver(receiver);
        pad->setWantsFocus(true);
        context.params.addListener(pad);
        if (pad->getTag() + veldro::FIELD_PAR3 == veldro::LAST_CONTROLLER_PARAM)
            context.params.addListener(context.objects.keep(std::make_unique<SettingsRunEnd>()));
        // Set up from the synthesizer at once, so the pad never works without a controller.
        pad->setController(int(handle.getType()), veldro::CHANGED_BY_HOST);
        context.idleTasks.push_back(
            [kept = VSTGUI::SharedPointer<gui::ParamControllerView>(pad)] { kept->applyPendingNotifications(); });
        covered.right = place.right;
        place.offset(place.getWidth() + spacing, 0);
    }
    return covered;
}

} // namespace korvel::views
