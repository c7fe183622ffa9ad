#include "gui/controllers/MidiController.h"

#include "gui/ColourMath.h"
#include "gui/FontSet.h"
#include "vstgui/lib/cdrawcontext.h"

#include <array>
#include <cmath>

using namespace VSTGUI;

namespace korvel::gui {

namespace {

// Above the unlit labels' own contrast, so a lit label is the one that stands out.
constexpr double LIT_CONTRAST = 7.0;

// One input at a corner of the pad: whether it takes part at (x, y), whether it takes part alone,
// and its weight in the blend.
struct CornerInput {
    const char* name;
    const char* label;
    bool right;
    bool bottom;

    bool takesPart(double x, double y) const
    {
        return (right ? x > 0.3 : x < 0.7) && (bottom ? y > 0.3 : y < 0.7);
    }
    bool alone(double x, double y) const
    {
        return (right ? x >= 0.7 : x <= 0.3) && (bottom ? y >= 0.7 : y <= 0.3);
    }
    double weight(double x, double y) const
    {
        const double distance = (right ? 1. - x : x) + (bottom ? 1. - y : y);
        return (1.4 - distance) * 0.625 * 100.;
    }
};

constexpr std::array<CornerInput, 4> INPUTS = {{
    {"note value", "note", false, false},
    {"velocity", "vel", true, false},
    {"pitch bend", "PB", false, true},
    {"mod wheel", "mod", true, true},
}};

} // namespace

MidiController::MidiController(const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(4, handle, palette), midiColour(palette.text)
{
    midiColour.alpha = 160;
}

void MidiController::draw(CXYPad* pad, CDrawContext* context, double x, double y)
{
    const CRect inner = innerRect(*pad);
    FontSet& fonts = fontSet();
    const bool small = inner.getWidth() < 40. || inner.getHeight() < 30.;
    context->setFont(small ? fonts.smallerFont(1) : fonts.baseFont());
    const CCoord topLine = inner.top + std::trunc(fonts.smallerFont(1)->getSize());
    // White lights a label on a dark pad; on a light one the lit labels must still stand out most.
    const CColor litLabel = readableOn(CColor(255, 255, 255, 255), palette.background, LIT_CONTRAST);
    for (const CornerInput& input : INPUTS) {
        context->setFontColor(input.takesPart(x, y) ? litLabel : palette.accent);
        const CCoord left = input.right ? inner.right - context->getStringWidth(input.label) : inner.left;
        context->drawString(input.label, CPoint(left, input.bottom ? inner.bottom : topLine), true);
    }
}

int MidiController::describe(char* buffer, std::size_t size)
{
    const double x = getX();
    const double y = getY();
    int length = 0;
    for (const CornerInput& input : INPUTS) {
        if (!input.takesPart(x, y))
            continue;
        const auto rest = size - static_cast<std::size_t>(length);
        if (length > 0)
            length += print(buffer + length, rest, " ");
        length += print(buffer + length, size - static_cast<std::size_t>(length), "%s", input.name);
        if (!input.alone(x, y))
            length += print(buffer + length, size - static_cast<std::size_t>(length), " %0.f", input.weight(x, y));
    }
    return length;
}

} // namespace korvel::gui
