#include "editor/BreakpointEditors.h"
#include "editor/EditorViews.h"
#include "gui/CGroupbox.h"
#include "gui/Tooltips.h"
#include "synth/SynthParams.h"

namespace korvel::views {

namespace {

// Puts the editor into the box, posting to its status display, and ties its listener to the parameters.
gui::CBreakpoints* place(const EditorContext& context, gui::CGroupbox& box, gui::CBreakpoints* view)
{
    view->setTextReceiver(box.getStatusReceiver());
    gui::setTooltipForTag(view, view->getTag());
    box.addView(view);
    gui::CBreakpointsListener* listener = view->getListener();
    context.params.addListener(listener);
    // Changes from the host or the audio thread are drawn at the next idle; the task keeps the view.
    context.idleTasks.push_back([keep = VSTGUI::SharedPointer<gui::CBreakpoints>(view)] {
        keep->getListener()->applyPendingUpdate();
    });
    listener->paramChanged(listener->mask);
    return view;
}

} // namespace

gui::CBreakpoints* makeAdsrEditor(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect,
                                  int firstId)
{
    return place(context, box, veldro::makeAdsrBreakpoints(context.params, firstId, rect, context.palette));
}

gui::CBreakpoints* makeAttackDecayEditor(const EditorContext& context, gui::CGroupbox& box,
                                         const VSTGUI::CRect& rect)
{
    return place(context, box, veldro::makeAttackDecayBreakpoints(context.params, rect, context.palette));
}

} // namespace korvel::views
