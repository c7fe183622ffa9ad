#pragma once

#include "gui/CBreakpoints.h"
#include "gui/CBreakpointsListener.h"

namespace korvel::veldro {
class SynthParams;
}

namespace korvel::gui {

// A keyboard envelope's five points over the parameter block that starts at `firstId` (25 or 40): point j
// has the delta, level and curve parameters firstId + 3j, + 1 and + 2. x is time on a cubic 0..100000 ms
// axis: the attack ends at delta 1, the decay delta 2 later, the release starts delta 3 before the end;
// the last point is pinned to the end and shares the first one's (leak) level. Writes glide with the change
// time and reach the host inside the drag's gesture on their own ids. GUI thread only, but for the listener
// calls of the base.
class ADSR_BreakpointsListener : public CBreakpointsListener {
public:
    ADSR_BreakpointsListener(veldro::SynthParams& params, int firstId);

    int getId() const override { return firstId; }
    void valueChanged(CBreakpoints* view, int index) override;
    double pointX(int index) const override;
    double pointY(int index) const override;
    std::string pointText(int index) const override;

    // The envelope's point constraint, which also keeps each dragged time within its parameter's range.
    CBreakpoints::Constraint constraint();

protected:
    void showParams() override;

private:
    int deltaId(int point) const { return firstId + 3 * point; }
    int levelId(int point) const { return deltaId(point) + 1; }
    double target(int id) const;
    // The longest delta of `point` as a length on the x axis.
    double longestLength(int point) const;
    void limitToRange(const CBreakpoints& view, VSTGUI::CPoint& point, std::size_t index) const;
    // Glides the parameter to v, clamped into its range, unless it is there already; the host hears of it.
    void glideWithinRange(int id, double v);

    veldro::SynthParams& params;
    const int firstId;
};

} // namespace korvel::gui
