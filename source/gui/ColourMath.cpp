#include "gui/ColourMath.h"

#include <algorithm>
#include <cmath>

namespace korvel::gui {
namespace {

using VSTGUI::uint8;

uint8 toChannel(double value)
{
    return static_cast<uint8>(std::clamp(value, 0.0, 255.0));
}

double linearChannel(uint8 channel)
{
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(const VSTGUI::CColor& c)
{
    return 0.2126 * linearChannel(c.red) + 0.7152 * linearChannel(c.green) + 0.0722 * linearChannel(c.blue);
}

} // namespace

double contrastRatio(const VSTGUI::CColor& a, const VSTGUI::CColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

VSTGUI::CColor readableOn(const VSTGUI::CColor& text, const VSTGUI::CColor& background, double minimumRatio)
{
    if (contrastRatio(text, background) >= minimumRatio)
        return text;
    const VSTGUI::CColor black(0, 0, 0, text.alpha);
    const VSTGUI::CColor white(255, 255, 255, text.alpha);
    const VSTGUI::CColor& end = contrastRatio(black, background) > contrastRatio(white, background) ? black : white;
    for (int step = 1; step < 20; ++step) {
        const VSTGUI::CColor mixed = mixColours(text, end, step / 20.0);
        if (contrastRatio(mixed, background) >= minimumRatio)
            return mixed;
    }
    return end;
}

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
