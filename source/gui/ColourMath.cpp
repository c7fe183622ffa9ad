#include "gui/ColourMath.h"

#include <algorithm>

namespace korvel::gui {
namespace {

using VSTGUI::uint8;

uint8 toChannel(double value)
{
    return static_cast<uint8>(std::clamp(value, 0.0, 255.0));
}

} // namespace

VSTGUI::CColor lightenColour(const VSTGUI::CColor& colour, double factor)
{
    if (!(factor > 0.0))
        factor = 0.0;
    else if (factor < 1.0)
        factor = 1.0 / factor;
    const double floor = factor > 1.0 ? 20.0 : 0.0;
    auto lighten = [&](uint8 channel) { return toChannel(std::max(floor, channel + 5.0) * factor + 0.5); };
    return {lighten(colour.red), lighten(colour.green), lighten(colour.blue), colour.alpha};
}

VSTGUI::CColor mixColours(const VSTGUI::CColor& a, const VSTGUI::CColor& b, double t)
{
    if (!(t >= 0.0 && t <= 1.0))
        t = t < 0.0 ? 0.0 : 1.0;
    auto mix = [t](uint8 from, uint8 to) { return toChannel(from * (1.0 - t) + to * t + 0.5); };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue), mix(a.alpha, b.alpha)};
}

} // namespace korvel::gui
