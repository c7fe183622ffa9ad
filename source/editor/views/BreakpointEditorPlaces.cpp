#include "editor/ADSR_BreakpointsListener.h"
#include "editor/AD_BreakpointsListener.h"
#include "editor/EditorViews.h"
#include "gui/BreakpointConstraints.h"
#include "gui/BreakpointsFactory.h"
#include "gui/CGroupbox.h"
#include "gui/LayoutMetrics.h"
#include "gui/Tooltips.h"
#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"

namespace korvel::views {

namespace {

// Puts the editor into the box, posting to its status display, and ties its listener to the parameters.
gui::CBreakpoints* place(const EditorContext& context, gui::CGroupbox& box, gui::CBreakpoints* view)
{
    view->setHandleSize(gui::s(2));
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
    auto listener = std::make_unique<gui::ADSR_BreakpointsListener>(context.params, firstId);
    auto constraint = listener->constraint();
    gui::CBreakpoints* view = gui::makeBreakpoints(5, rect, firstId, std::move(listener), context.palette);
    view->setConstraint(std::move(constraint));
    return place(context, box, view);
}

gui::CBreakpoints* makeAttackDecayEditor(const EditorContext& context, gui::CGroupbox& box,
                                         const VSTGUI::CRect& rect)
{
    auto listener = std::make_unique<gui::AD_BreakpointsListener>(context.params);
    gui::CBreakpoints* view =
        gui::makeBreakpoints(4, rect, veldro::param_id::GRAIN_ATTACK, std::move(listener), context.palette);
    view->setConstraint(gui::adPointConstraint);
    return place(context, box, view);
}

} // namespace korvel::views
