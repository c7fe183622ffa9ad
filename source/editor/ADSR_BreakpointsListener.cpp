#include "editor/ADSR_BreakpointsListener.h"

#include "gui/BreakpointConstraints.h"
#include "synth/ParamTable.h"
#include "synth/SynthParams.h"
#include "synth/ValueFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvel::gui {

namespace {

constexpr std::size_t POINTS = 5;
constexpr std::uint32_t ENVELOPE_MASK = 16;
constexpr double LONGEST_AXIS_TIME = 100000.0; // ms
// Points whose levels move together: the leak (first and last) and the sustain (2 and 3).
constexpr int LEVEL_PARTNER[POINTS] = {4, -1, 3, 2, 0};
constexpr const char* POINT_NAMES[POINTS] = {"leak ", "attack ", "decay ", "release ", "leak "};

} // namespace

ADSR_BreakpointsListener::ADSR_BreakpointsListener(veldro::SynthParams& params, int firstId)
    : CBreakpointsListener(std::make_unique<CubicScaling>(LONGEST_AXIS_TIME, 0.0), std::make_unique<Scaling>(1.0, 0.0),
                           0, ENVELOPE_MASK),
      params(params), firstId(firstId)
{
}

double ADSR_BreakpointsListener::target(int id) const { return params.getParam(id).second; }

void ADSR_BreakpointsListener::showParams()
{
    auto& points = view->getPoints();
    if (points.size() != POINTS)
        return;
    for (std::size_t j = 0; j < POINTS; ++j) {
        const int point = static_cast<int>(j);
        points[j] = {xScaling->toNormalized(target(deltaId(point))), yScaling->toNormalized(target(levelId(point)))};
    }
    points[2].x += points[1].x;
    points[3].x = 1.0 - points[3].x;
    points[4] = {1.0, points[0].y};
    view->invalid();
}

void ADSR_BreakpointsListener::valueChanged(CBreakpoints* changed, int index)
{
    const auto& points = changed->getPoints();
    if (points.size() != POINTS || index < 0 || index >= static_cast<int>(POINTS))
        return;
    glideWithinRange(levelId(index), yScaling->toValue(points[index].y));
    if (const int partner = LEVEL_PARTNER[index]; partner >= 0)
        glideWithinRange(levelId(partner), yScaling->toValue(points[partner].y));
    // Every drawn length, not only the dragged one: a move shortens or lengthens its neighbour's segment,
    // and a push moves the neighbour. The last point's delta stays: the end is pinned.
    const double lengths[] = {points[1].x - points[0].x, points[2].x - points[1].x, points[4].x - points[3].x};
    for (int point = 1; point <= 3; ++point)
        glideWithinRange(deltaId(point), xScaling->toValue(std::max(0.0, lengths[point - 1])));
    // What a clamp changed shows at once.
    if (view)
        showParams();
}

void ADSR_BreakpointsListener::glideWithinRange(int id, double v)
{
    const ParamRange& range = veldro::getParamInfo(id).range;
    v = std::clamp(v, range.min, range.max);
    const double old = target(id);
    // Lengths read back from the drawing differ from the stored ones by rounding only.
    if (std::abs(v - old) <= 1e-9 * std::max(1.0, std::abs(old)))
        return;
    if (view)
        view->editParam(id);
    params.setParam(id, v, params.getChangeTime());
}

double ADSR_BreakpointsListener::longestLength(int point) const
{
    return xScaling->toNormalized(veldro::getParamInfo(deltaId(point)).range.max);
}

void ADSR_BreakpointsListener::limitToRange(const CBreakpoints& limited, VSTGUI::CPoint& point,
                                            std::size_t index) const
{
    const auto& points = limited.getPoints();
    if (points.size() != POINTS)
        return;
    if (index == 1)
        point.x = std::min(point.x, points[0].x + longestLength(1));
    else if (index == 2)
        point.x = std::min(point.x, points[1].x + longestLength(2));
    else if (index == 3)
        point.x = std::max(point.x, points[4].x - longestLength(3));
}

CBreakpoints::Constraint ADSR_BreakpointsListener::constraint()
{
    return [this](CBreakpoints* limited, VSTGUI::CPoint& point, std::size_t index) {
        adsrPointConstraint(limited, point, index);
        limitToRange(*limited, point, index);
        return true;
    };
}

double ADSR_BreakpointsListener::pointX(int index) const { return target(deltaId(index)); }
double ADSR_BreakpointsListener::pointY(int index) const { return target(levelId(index)); }

std::string ADSR_BreakpointsListener::pointText(int index) const
{
    if (index < 0 || index >= static_cast<int>(POINTS))
        return {};
    std::string text = POINT_NAMES[index];
    const double percent = pointY(index) * 100;
    char level[32];
    std::snprintf(level, sizeof level, " %.0f", percent);
    if (index == 0 || index == 4)
        return text + level;
    char time[64];
    veldro::formatTime(time, pointX(index), 0.0);
    text += time;
    if (index >= 2)
        text += " sus";
    if (!((index == 1 || index == 3) && percent == 100))
        text += level;
    return text;
}

} // namespace korvel::gui
