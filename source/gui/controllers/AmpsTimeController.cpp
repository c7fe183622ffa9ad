#include "gui/controllers/AmpsTimeController.h"

#include "gui/ColourMath.h"
#include "synth/ValueFormat.h"
#include "vstgui/lib/cdrawcontext.h"

#include <cmath>
#include <cstdint>

using namespace VSTGUI;

namespace korvel::gui {

namespace {

// The walk's own generator, values 0..32767: the process-wide rand() is not ours to reseed.
class WalkGenerator {
public:
    int next()
    {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state = 0;
};

double walkStep(double value, WalkGenerator& generator)
{
    value += 0.3f * (static_cast<float>(generator.next()) * 2.f / 32767.f) - 0.3;
    if (value < 0. || value > 1.)
        value = value >= 0. ? 1. : 0.;
    return value;
}

bool offsetShown(double x) { return x < 0.45 || x > 0.55; }

} // namespace

AmpsTimeController::AmpsTimeController(const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(2, handle, palette)
{
}

void AmpsTimeController::growWalk(int count)
{
    WalkGenerator generator;
    double a = 0.;
    double b = 0.;
    for (int i = 0; i < count; ++i) {
        a = walkStep(a, generator);
        b = walkStep(b, generator);
        walkPoints.emplace_back(a, b);
    }
}

void AmpsTimeController::draw(CXYPad* pad, CDrawContext* context, double x, double y)
{
    const CRect inner = innerRect(*pad);
    if (static_cast<double>(walkPoints.size()) < inner.getWidth())
        growWalk(static_cast<int>(std::trunc(inner.getWidth())));

    CDrawContext::LineList curve;
    CPoint previous(inner.left, inner.bottom);
    for (std::size_t i = 1; i < walkPoints.size(); ++i) {
        const auto [a, b] = walkPoints[i];
        const CPoint next(inner.left + static_cast<double>(i), inner.bottom - (y * b + (1. - y) * a) * inner.getHeight());
        curve.emplace_back(previous, next);
        previous = next;
    }
    if (curve.empty())
        return;
    const CColor colour = mixColours(palette.text, palette.accent, 1. - y);
    context->setDrawMode(kAntiAliasing);
    if (offsetShown(x)) {
        const auto segments = static_cast<std::ptrdiff_t>(curve.size());
        auto k = static_cast<std::ptrdiff_t>(std::trunc((0.5 - x) * static_cast<double>(segments)));
        if (k < 0)
            k += segments;
        CDrawContext::LineList shifted = curve;
        for (std::ptrdiff_t m = 0; m < segments; ++m) {
            const auto& source = curve[static_cast<std::size_t>((m + k) % segments)];
            shifted[static_cast<std::size_t>(m)].first.y = source.first.y;
            shifted[static_cast<std::size_t>(m)].second.y = source.second.y;
        }
        CColor light = lightenColour(colour, 1.6);
        light.alpha = 110;
        context->setLineWidth(context->getHairlineSize());
        context->setFrameColor(light);
        context->drawLines(shifted);
    }
    context->setLineWidth(pad->getFrameWidth());
    context->setFrameColor(colour);
    context->drawLines(curve);
}

int AmpsTimeController::describe(char* buffer, std::size_t size)
{
    const double x = getX();
    const double noise = getY() * 100.;
    const double amp = 100. - noise;
    int length = 0;
    if (amp > 90.)
        length = print(buffer, size, "amp %.0f", amp);
    else if (amp < 10.)
        length = print(buffer, size, "noise %.0f", noise);
    else
        length = print(buffer, size, "amp/noise %.0f / %.0f", amp, noise);
    if (!offsetShown(x))
        return length;
    length += print(buffer + length, size - static_cast<std::size_t>(length), " off ");
    const auto rest = size - static_cast<std::size_t>(length);
    if (rest > 1)
        length += clampedLength(veldro::formatTime(buffer + length, rest, handle.getParam(0), 0.0), rest);
    return length;
}

} // namespace korvel::gui
