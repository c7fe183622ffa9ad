#include "gui/KeyStepping.h"

#include <cmath>
#include <optional>

namespace korvel::gui {
namespace {

std::optional<double> arrowStep(const VstKeyCode& key)
{
    switch (key.virt) {
    case VSTGUI::VKEY_LEFT:
    case VSTGUI::VKEY_DOWN:
        return -0.1;
    case VSTGUI::VKEY_UP:
    case VSTGUI::VKEY_RIGHT:
        return 0.1;
    case VSTGUI::VKEY_PAGEUP:
        return 0.5;
    case VSTGUI::VKEY_PAGEDOWN:
        return -0.5;
    default:
        return std::nullopt;
    }
}

std::optional<int> digitOf(const VstKeyCode& key)
{
    if (key.virt >= VSTGUI::VKEY_NUMPAD0 && key.virt <= VSTGUI::VKEY_NUMPAD9)
        return key.virt - VSTGUI::VKEY_NUMPAD0;
    if (key.character >= '0' && key.character <= '9')
        return key.character - '0';
    return std::nullopt;
}

double stepByArrow(double step, unsigned modifiers, double v)
{
    const double magnitude = std::fabs(v);
    if (magnitude > 20)
        step *= 2;
    if (magnitude > 200)
        step *= 5;
    if (magnitude > 2000)
        step *= 10;
    if (modifiers & MODIFIER_SHIFT)
        return v + 0.01 * step;
    if (modifiers & (MODIFIER_COMMAND | MODIFIER_CONTROL))
        return v + 0.1 * step;
    return v + step;
}

// The largest power of ten, at least 0.001, not above |v| (with a little tolerance).
double decadeOf(double magnitude)
{
    double m = 0.001;
    for (double p = 0.01; magnitude + 0.0001 > p; p *= 10)
        m = p;
    return m;
}

double setLeadingDigit(int digit, double v)
{
    const double magnitude = std::fabs(v);
    const double m = decadeOf(magnitude);
    double result;
    if (digit > 0) {
        result = digit * m;
    } else {
        const double r = magnitude / m;
        if (std::fabs(r - 1) <= 0.0001)
            result = m < 10 ? 0 : m / 10;
        else if (r > 6.9999)
            result = 10 * m;
        else
            result = m > 1 ? m : 0;
    }
    return v < 0 ? -result : result;
}

} // namespace

double stepValueByKey(const VstKeyCode& key, double v)
{
    if (auto step = arrowStep(key))
        return stepByArrow(*step, key.modifier, v);
    if (auto digit = digitOf(key))
        return setLeadingDigit(*digit, v);
    return v;
}

} // namespace korvel::gui
