#include "editor/BreakpointEditors.h"

#include "editor/ADSR_BreakpointsListener.h"
#include "editor/AD_BreakpointsListener.h"
#include "gui/BreakpointConstraints.h"
#include "gui/BreakpointsFactory.h"
#include "gui/LayoutMetrics.h"
#include "synth/SynthParamIds.h"

namespace korvel::veldro {

namespace {

constexpr std::size_t ADSR_POINTS = 5;
constexpr std::size_t AD_POINTS = 4;

} // namespace

gui::CBreakpoints* makeAdsrBreakpoints(SynthParams& params, int firstId, const VSTGUI::CRect& rect,
                                       const gui::Palette& palette)
{
    auto listener = std::make_unique<gui::ADSR_BreakpointsListener>(params, firstId);
    auto constraint = listener->constraint();
    gui::CBreakpoints* view = gui::makeBreakpoints(ADSR_POINTS, rect, firstId, std::move(listener), palette);
    view->setConstraint(std::move(constraint));
    view->setHandleSize(gui::s(2));
    return view;
}

gui::CBreakpoints* makeAttackDecayBreakpoints(SynthParams& params, const VSTGUI::CRect& rect,
                                              const gui::Palette& palette)
{
    gui::CBreakpoints* view = gui::makeBreakpoints(AD_POINTS, rect, param_id::GRAIN_ATTACK,
                                                   std::make_unique<gui::AD_BreakpointsListener>(params), palette);
    view->setConstraint(gui::adPointConstraint);
    view->setHandleSize(gui::s(2));
    return view;
}

} // namespace korvel::veldro
