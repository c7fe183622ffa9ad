#include "gui/CTextDisplay.h"

namespace korvel::gui {

using namespace VSTGUI;

CTextDisplay::CTextDisplay(const CRect& size, const UTF8String& label) : CTextButton(size, nullptr, 0), label(label) {}

CTextDisplay::CTextDisplay(const CTextDisplay& other) = default;
CTextDisplay::~CTextDisplay() = default;

void CTextDisplay::setTextColor(const CColor& colour)
{
    defaultColor = colour;
    CTextButton::setTextColor(colour);
}

void CTextDisplay::receiveText(const UTF8String& text, CColor colour)
{
    if (colour == kTransparentCColor)
        colour = defaultColor;
    if (colour != getTextColor())
        CTextButton::setTextColor(colour);
    setTitle(label + text);
}

void CTextDisplay::setLabel(const UTF8String& text)
{
    label = text;
    if (!label.empty() && label.getString().back() != ' ')
        label += " ";
    receiveText("", kTransparentCColor);
}

} // namespace korvel::gui
