#include "gui/CGrainDisplay.h"

#include "gui/ColourMath.h"
#include "synth/SynthParams.h"
#include "synth/controllers/ControllerOutput.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvel::gui {

using namespace VSTGUI;

namespace {

constexpr int BOUND_IDS[] = {4, 5, 7, 8}; // "grain.rate", "grain.length", "grain.freq", "grain.gliss"
constexpr std::uint32_t LFO_TYPE = 3;
// How far an LFO moves along the picture per stroke, per unit of its frequency.
constexpr double LFO_STEP = 0.05;

// Within [low, high]; NaN gives low.
double limit(double v, double low, double high)
{
    if (!(v >= low))
        return low;
    return v > high ? high : v;
}

} // namespace

CGrainDisplay::CGrainDisplay(const CRect& size, const std::array<CColor, 5>& colours) : CView(size), colours(colours)
{
}

CGrainDisplay::~CGrainDisplay() = default;

void CGrainDisplay::attachParams(veldro::SynthParams& newParams)
{
    params = &newParams;
    for (int i = 0; i < NOF_BOUND; ++i) {
        BoundParam& record = bound[i];
        record.param = &newParams.getBaseParam(BOUND_IDS[i]);
        record.control1 = record.param->findControl(0);
        record.control2 = record.param->findControl(1);
        if (!record.control1)
            record.control1 = std::exchange(record.control2, nullptr);
    }
    invalid();
}

void CGrainDisplay::setFrameWidth(double width)
{
    if (width == frameWidth)
        return;
    frameWidth = width;
    invalid();
}

double CGrainDisplay::controllerValue(const veldro::ParamControl& control, double& phase)
{
    const veldro::ControllerContext context{*params, pictureRandom};
    if (control.type == LFO_TYPE) {
        phase += control.params[2].current * LFO_STEP;
        phase -= std::floor(phase);
        return veldro::controllerOutput(control, phase, context) * control.amount.current;
    }
    // Reading leaves the controller as the engine left it.
    double state = control.phase;
    return veldro::controllerOutput(control, state, context) * control.amount.current;
}

double CGrainDisplay::modValue(BoundParam& record)
{
    double sum = 0.0;
    if (record.control1 && record.control1->type != 0)
        sum += controllerValue(*record.control1, record.phase1);
    if (record.control2 && record.control2->type != 0)
        sum += controllerValue(*record.control2, record.phase2);
    return sum;
}

double CGrainDisplay::currentValue(Bound which) const { return bound[which].param->value.current; }

double CGrainDisplay::density() const
{
    const double d = params->getDensity();
    return std::isfinite(d) ? d : 0.0;
}

void CGrainDisplay::draw(CDrawContext* context)
{
    if (!params) {
        setDirty(false);
        return;
    }
    const double d = density();
    const CRect& box = getViewSize();
    const double width = box.getWidth() - 2. * frameWidth - 1.;
    const double height = box.getHeight() - 2. * frameWidth - 1.;
    const double x0 = box.left + frameWidth;
    const double y0 = box.top + frameWidth + 1.;
    const double mid = y0 + height * 0.5;

    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(limit(std::sqrt(std::sqrt(d)), 0.5, 3.0));
    const double pitch = std::abs(currentValue(FREQ));
    const double rise = pitch > 1.0 ? pitch * 0.2 : (1.0 / pitch) * -0.3;
    const double slant = std::cbrt(currentValue(GLISS));
    if (width >= 1. && height >= 1.) {
        const int count = static_cast<int>(std::round(limit(3. * std::sqrt(currentValue(RATE)), 1., width) + 0.5));
        const double step = width / count;
        const double scale = d > 1.0 ? 1.0 / std::cbrt(d) : 1.0;
        const double strokeLength = step * d * scale;
        CColor colour = mixColours(colours[2], colours[3], std::min(d * 0.3, 1.0));
        context->setFrameColor(mixColours(colour, colours[4], std::min(d * 0.03, 1.0)));

        double x = x0 + 1.;
        for (int i = 0; i < count; ++i) {
            const double length = strokeLength * (1. + modValue(bound[LENGTH]));
            const double x2 = x + std::max(length, 0.3);
            const double y1 =
                limit(((-rise - modValue(bound[FREQ]) * height * 0.1) * height) / 12. + mid, y0 + 2., y0 + height - 2.);
            const double y2 = limit(((-slant - modValue(bound[GLISS]) * height * 0.1) * height) / 12. + y1, y0,
                                    y0 + height);
            context->drawLine(CPoint(x, y1), CPoint(x2, y2));
            x += step * (1. + modValue(bound[RATE]));
            if (length * 0.3 + x > x0 + width)
                break;
        }
    }
    context->setLineWidth(1.);
    context->setFrameColor(colours[1]);
    context->drawRect(box, kDrawStroked);
    if (CFrame* frame = getFrame())
        lastTick = frame->getTicks();
    setDirty(false);
}

void CGrainDisplay::idle(uint32 ticks)
{
    if (!params) {
        lastTick = ticks;
        return;
    }
    if (static_cast<uint32>(ticks - lastTick) < interval)
        return;
    lastTick = ticks;
    const double d = density();
    const auto shown = static_cast<float>(d);
    const auto rounded = static_cast<int32>(std::lround(shown * (std::abs(shown) <= 1.f ? 1000.f : 100.f)));
    if (rounded != lastShown) {
        char text[64];
        densityFormat.format(text, d);
        sendText(text, kTransparentCColor);
        lastShown = rounded;
    }
    invalid();
}

} // namespace korvel::gui
