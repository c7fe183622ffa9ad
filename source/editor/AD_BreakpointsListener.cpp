#include "editor/AD_BreakpointsListener.h"

#include "gui/CBreakpoints.h"
#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"

#include <cstdio>

namespace korvel::gui {

using veldro::param_id::GRAIN_ATTACK;
using veldro::param_id::GRAIN_DECAY;

namespace {

constexpr std::size_t POINTS = 4;
// Grain and effects parameters, and their controllers.
constexpr std::uint32_t MASK = 2 | 4 | 8;

std::unique_ptr<Scaling> orUnit(std::unique_ptr<Scaling> scaling)
{
    return scaling ? std::move(scaling) : std::make_unique<Scaling>(1.0, 0.0);
}

} // namespace

AD_BreakpointsListener::AD_BreakpointsListener(veldro::SynthParams& params, std::unique_ptr<Scaling> xScaling,
                                               std::unique_ptr<Scaling> yScaling)
    : CBreakpointsListener(orUnit(std::move(xScaling)), orUnit(std::move(yScaling)), 1, MASK), params(params)
{
}

int AD_BreakpointsListener::getId() const { return GRAIN_ATTACK; }

double AD_BreakpointsListener::attack() const { return params.getParam(GRAIN_ATTACK).second; }
double AD_BreakpointsListener::decay() const { return params.getParam(GRAIN_DECAY).second; }

void AD_BreakpointsListener::showParams()
{
    auto& points = view->getPoints();
    if (points.size() != POINTS)
        return;
    points[0] = {0.0, 0.0};
    points[1] = {xScaling->toNormalized(attack()), 1.0};
    points[2] = {xScaling->toNormalized(1.0 - decay()), 1.0};
    points[3] = {1.0, 0.0};
    view->sendText(pointText(0), VSTGUI::kTransparentCColor);
    view->invalid();
}

void AD_BreakpointsListener::valueChanged(CBreakpoints* changed, int index)
{
    const auto& points = changed->getPoints();
    if (points.size() != POINTS)
        return;
    if (index == 1)
        write(*changed, GRAIN_ATTACK, xScaling->toValue(points[1].x - points[0].x));
    else if (index == 2)
        write(*changed, GRAIN_DECAY, xScaling->toValue(points[3].x - points[2].x));
}

void AD_BreakpointsListener::write(CBreakpoints& changed, int id, double v)
{
    changed.editParam(id);
    params.setParam(id, v, params.getChangeTime());
}

double AD_BreakpointsListener::pointX(int index) const
{
    return xScaling->toNormalized(index == 1 ? attack() : decay());
}

double AD_BreakpointsListener::pointY(int index) const { return index > 0 ? 1.0 : 0.0; }

std::string AD_BreakpointsListener::pointText(int) const
{
    char text[64];
    std::snprintf(text, sizeof text, "att %.0f dec %.0f", xScaling->toNormalized(attack()) * 100,
                  xScaling->toNormalized(decay()) * 100);
    return text;
}

} // namespace korvel::gui
