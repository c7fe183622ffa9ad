#pragma once

#include "gui/TextSender.h"
#include "synth/ValueFormat.h"
#include "synth/controllers/RandomSource.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"

#include <array>
#include <limits>

namespace korvel::veldro {
class BaseParam;
class SynthParams;
struct ParamControl;
} // namespace korvel::veldro

namespace korvel::gui {

// A sketch of the grain stream the current settings give: one short slanted stroke per grain, spaced by
// "grain.rate", as long as "grain.length" and the density make it, raised and slanted by "grain.freq" and
// "grain.gliss", each with the output of its controllers. The density goes to the text receiver.
// GUI thread only; it reads what the audio thread writes without locks, so a torn value only bends one
// picture.
class CGrainDisplay : public VSTGUI::CView, public ITextSender {
public:
    // Colours: 1 the border; 2, 3 and 4 the strokes, mixed toward 3 and 4 as the density grows.
    CGrainDisplay(const VSTGUI::CRect& size, const std::array<VSTGUI::CColor, 5>& colours);
    ~CGrainDisplay() override;

    // Until bound the view draws nothing and its idle does nothing.
    void attachParams(veldro::SynthParams& params);
    void draw(VSTGUI::CDrawContext* context) override;

    // With the tick count in ms, at most every 100 ms from the last idle or picture: the density text when
    // its rounded value changed, and a new picture.
    virtual void idle(VSTGUI::uint32 ticks);
    virtual void setFrameWidth(double width);

    // The picture's random controllers draw from this source of the view's own.
    void seedRandom(std::uint32_t seed) { pictureRandom.reseed(seed); }

private:
    struct BoundParam {
        veldro::ParamControl* control1 = nullptr;
        veldro::ParamControl* control2 = nullptr;
        veldro::BaseParam* param = nullptr;
        // The LFOs' phases along the picture.
        double phase1 = 0.0;
        double phase2 = 0.0;
    };
    enum Bound { RATE, LENGTH, FREQ, GLISS, NOF_BOUND };

    // The summed output of a parameter's controllers for the next stroke.
    double modValue(BoundParam& bound);
    double controllerValue(const veldro::ParamControl& control, double& phase);
    double currentValue(Bound which) const;
    double density() const;

    std::array<VSTGUI::CColor, 5> colours;
    double frameWidth = 1.0;
    VSTGUI::uint32 lastTick = 0;
    // No density rounds to this, so the first idle sends the text.
    VSTGUI::int32 lastShown = std::numeric_limits<VSTGUI::int32>::min();
    float interval = 100.f;
    veldro::SynthParams* params = nullptr;
    std::array<BoundParam, NOF_BOUND> bound{};
    veldro::ValueFormat densityFormat{"density %.*f", 1};
    // The engine's own source belongs to the audio thread.
    veldro::RandomSource pictureRandom{1};
};

} // namespace korvel::gui
