#include "editor/EditorViews.h"
#include "gui/CGroupbox.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "synth/ParamControlHandle.h"
#include "synth/ParamTable.h"
#include "synth/SynthParams.h"
#include "vstgui/lib/cviewcontainer.h"

namespace korvel::views {

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
