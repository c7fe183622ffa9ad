#pragma once

#include "gui/controllers/ParamController.h"
#include "synth/Scaling.h"

#include <array>
#include <utility>

namespace korvel::gui {

// Kind 5, the blend of the two MIDI envelopes: x mixes ADSR 2 (0) and ADSR 1 (1). The picture is the
// blended envelope over the part of the pad that ADSR 1 takes.
class ADSRController : public ParamController {
public:
    using EnvelopePoints = std::array<std::pair<double, double>, 5>;

    ADSRController(const veldro::ParamControlHandle& handle, const Palette& palette);

    void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) override;
    void refresh() override;

    // (time, level) of the five points, normalised for drawing.
    const EnvelopePoints& getAdsr1Points() const { return adsr1Points; }
    const EnvelopePoints& getAdsr2Points() const { return adsr2Points; }

private:
    void readEnvelopes();
    void readEnvelope(int firstId, EnvelopePoints& points) const;

    CubicScaling timeScaling{100000.0, 0.0};
    Scaling levelScaling{1.0, 0.0};
    EnvelopePoints adsr1Points{};
    EnvelopePoints adsr2Points{};
};

} // namespace korvel::gui
