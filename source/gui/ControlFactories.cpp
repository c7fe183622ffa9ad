#include "gui/ControlFactories.h"

#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"

#include <cmath>

namespace korvel::gui {

using namespace VSTGUI;

CGroupbox* makeGroupbox(const CRect& rect, const char* title, const Palette& palette, const CColor& colour,
                        bool withStatus)
{
    auto* box = new CGroupbox(rect, title ? title : "", fontSet().largerFont());
    box->setBackgroundColor(palette.background);
    box->setFrameColor(colour == kTransparentCColor ? palette.accent : colour);
    if (!withStatus)
        return box;
    const CRect content = box->getContentRect();
    auto* status = makeTextDisplay({content.left, content.bottom - u(8), content.right, content.bottom}, "", "",
                                   palette);
    status->setFrameColor(palette.background);
    status->setRoundRadius(0);
    status->setTextColor(box->getFrameColor());
    box->setStatusReceiver(status);
    box->addView(status);
    return box;
}

CTextDisplay* makeTextDisplay(const CRect& rect, const UTF8String& text, const UTF8String& label,
                              const Palette& palette)
{
    auto* display = new CTextDisplay(rect, "");
    display->setFrameColor(palette.frame);
    display->setTextColor(palette.text);
    auto flat = owned(CGradient::create(0, 1, palette.background, palette.background));
    display->setGradient(flat);
    display->setGradientHighlighted(flat);
    display->setRoundRadius(0);
    display->setFont(fontSet().baseFont());
    display->setTextAlignment(rect.getWidth() > 50 ? kLeftText : kCenterText);
    display->setWantsFocus(false);
    // A click would only send an empty edit gesture for the display's tag.
    display->setMouseEnabled(false);
    display->setTextMargin(s(2));
    if (!label.empty())
        display->setLabel(label);
    if (!text.empty())
        display->receiveText(text, kTransparentCColor);
    return display;
}

CTextSlider* makeTextSlider(const CRect& rect, IControlListener* listener, int32 tag, const std::string& format,
                            const Palette& palette)
{
    const bool horizontal = rect.getWidth() > rect.getHeight();
    const auto minPos = static_cast<int32>(std::trunc(horizontal ? rect.left : rect.top)) - 2;
    const auto maxPos = static_cast<int32>(std::trunc(horizontal ? rect.right : rect.bottom)) + 2;
    auto* slider = new CTextSlider(rect, listener, tag, format, minPos, maxPos);
    slider->setFont(fontSet().smallerFont(1));
    slider->setBackColor(palette.background);
    slider->setFrameColor(palette.frame);
    slider->setTextColor(palette.text);
    slider->setValueColor(palette.accent);
    slider->setWantsFocus(true);
    slider->setDrawStyle(CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue);
    slider->setZoomFactor(10);
    return slider;
}

CPoint rectBottomLeftOffset(const CRect& rect, CCoord d) { return {rect.left, rect.bottom + d}; }
CPoint rectTopRightOffset(const CRect& rect, CCoord d) { return {rect.right + d, rect.top}; }

} // namespace korvel::gui
