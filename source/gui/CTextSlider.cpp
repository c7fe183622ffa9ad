#include "gui/CTextSlider.h"

#include "gui/ColourMath.h"
#include "gui/FittedText.h"
#include "gui/FontSet.h"
#include "gui/KeyStepping.h"
#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

namespace korvel::gui {

using namespace VSTGUI;

namespace {

// Keeps a shortened value text off the slider's ends.
constexpr CCoord TEXT_MARGIN = 1.;

} // namespace

CTextSlider::CTextSlider(const CRect& size, IControlListener* listener, int32 tag, const std::string& formatText,
                         int32 minPos, int32 maxPos)
    : CSlider(size, listener, tag, minPos, maxPos, nullptr, nullptr), format(formatText.c_str(), 2),
      font(kSystemFont.get())
{
}

CTextSlider::~CTextSlider() = default;

double CTextSlider::displayedValue() const
{
    return scaling ? scaling->toValue(getValue()) : getValue();
}

void CTextSlider::draw(CDrawContext* context)
{
    CSlider::draw(context);
    if (format.format_text.empty())
        return;
    char formatted[256];
    format.format(formatted, displayedValue());
    // A value text that needs it takes the smallest font before it loses its number.
    const UTF8String text = fitTextInFonts(*context, formatted, getWidth() - 2. * TEXT_MARGIN,
                                           {font, fontSet().smallerFont(FontSet::SMALLER_LEVELS)});
    context->setFontColor(readableOn(textColor, getBackColor()));
    context->drawString(text, getViewSize(), kCenterText, true);
    if (!(getDrawStyle() & kDrawValue))
        return;
    // Where the bar lies under the title, the title takes the background's colour: text and bar may
    // share one colour (the dark theme's).
    const CRect clip = context->getClipRect();
    CRect covered = valueBarRect();
    covered.bound(clip);
    if (covered.isEmpty())
        return;
    context->setClipRect(covered);
    context->setFontColor(readableOn(getBackColor(), getValueColor()));
    context->drawString(text, getViewSize(), kCenterText, true);
    context->setClipRect(clip);
}

int32 CTextSlider::onKeyDown(VstKeyCode& keyCode)
{
    const double v = displayedValue();
    double next = stepValueByKey(keyCode, v);
    if (next == v)
        return 2;
    if (scaling) {
        const auto [low, high] = scaling->getRange();
        next = std::min(std::max(next, low), high);
        setValue(static_cast<float>(scaling->toNormalized(next)));
    } else {
        setValue(static_cast<float>(next));
    }
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return 1;
}

void CTextSlider::setFormat(const char* text)
{
    format.set(text ? text : "", 2);
    setDirty(true);
}

void CTextSlider::setFont(CFontDesc* newFont)
{
    font = newFont;
    setDirty(true);
}

void CTextSlider::setTextColor(CColor colour)
{
    textColor = colour;
    setDirty(true);
}

void CTextSlider::setScaling(const Scaling* newScaling)
{
    scaling = newScaling;
    const bool fromCentre = scaling && scaling->getRange().first < 0;
    const int32 style = getDrawStyle();
    setDrawStyle(fromCentre ? style | kDrawValueFromCenter : style & ~kDrawValueFromCenter);
}

} // namespace korvel::gui
