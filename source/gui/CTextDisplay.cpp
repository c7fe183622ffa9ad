#include "gui/CTextDisplay.h"

#include "gui/FittedText.h"

namespace korvel::gui {

using namespace VSTGUI;

namespace {

std::optional<std::string> tooltipOf(const CView& view)
{
    uint32 size = 0;
    if (!view.getAttributeSize(kCViewTooltipAttribute, size) || size == 0)
        return std::nullopt;
    std::string text(size, '\0');
    if (!view.getAttribute(kCViewTooltipAttribute, size, text.data(), size))
        return std::nullopt;
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

} // namespace

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
    // The next draw tells whether the new text needs the tooltip; an empty one is never drawn.
    showWholeTitleInTooltip(false);
    setTitle(label + text);
}

void CTextDisplay::setLabel(const UTF8String& text)
{
    label = text;
    if (!label.empty() && label.getString().back() != ' ')
        label += " ";
    receiveText("", kTransparentCColor);
}

UTF8String CTextDisplay::titleToDraw(CDrawContext& context, CCoord width)
{
    makeFontColourReadableOn(context, isLit() ? getGradientHighlighted() : getGradient());
    UTF8String shown = fitValueText(context, getTitle(), width);
    showWholeTitleInTooltip(!(shown == getTitle()));
    return shown;
}

void CTextDisplay::showWholeTitleInTooltip(bool shortened)
{
    if (shortened) {
        if (!tooltipShowsTitle) {
            ownTooltip = tooltipOf(*this);
            tooltipShowsTitle = true;
        }
        setTooltipText(getTitle());
    } else if (tooltipShowsTitle) {
        tooltipShowsTitle = false;
        setTooltipText(ownTooltip ? ownTooltip->c_str() : nullptr);
        ownTooltip.reset();
    }
}

} // namespace korvel::gui
