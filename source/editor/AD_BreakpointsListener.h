#pragma once

#include "gui/CBreakpointsListener.h"

namespace korvel::veldro {
class SynthParams;
}

namespace korvel::gui {

// The grain envelope's four points: (0, 0), the end of the attack, the start of the decay, (1, 0). The
// inner points set "grain.attack" and "grain.decay" with the live change time, which reports them to the
// host. GUI thread only, but for the listener calls of the base.
class AD_BreakpointsListener : public CBreakpointsListener {
public:
    // Null scalings are linear 0..1.
    explicit AD_BreakpointsListener(veldro::SynthParams& params, std::unique_ptr<Scaling> xScaling = nullptr,
                                    std::unique_ptr<Scaling> yScaling = nullptr);

    int getId() const override;
    void valueChanged(CBreakpoints* view, int index) override;
    double pointX(int index) const override;
    double pointY(int index) const override;
    std::string pointText(int index) const override;

protected:
    void showParams() override;

private:
    double attack() const;
    double decay() const;
    // Inside the drag's host gesture on id.
    void write(CBreakpoints& changed, int id, double v);

    veldro::SynthParams& params;
};

} // namespace korvel::gui
