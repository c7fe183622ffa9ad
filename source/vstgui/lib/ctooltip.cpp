#include "vstgui/lib/ctooltip.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/frameoverlay.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace VSTGUI {

namespace {

constexpr CColor kTooltipBackground{255, 255, 225, 255};
constexpr CCoord kPadding = 4.;
constexpr CPoint kPointerOffset{8., 18.};

std::string tooltipOf(const CView& view)
{
    uint32 size = 0;
    if (!view.getAttributeSize(kCViewTooltipAttribute, size) || size == 0)
        return {};
    std::vector<char> text(size);
    if (!view.getAttribute(kCViewTooltipAttribute, size, text.data(), size))
        return {};
    return std::string(text.data(), strnlen(text.data(), size));
}

} // namespace

class TooltipOverlay : public FrameOverlay {
public:
    TooltipOverlay(std::string text, const CRect& bounds) : text(std::move(text)), bounds(bounds) {}

    CRect getBounds() const override { return bounds; }
    void draw(CDrawContext* context) override
    {
        context->setDrawMode(kAliasing);
        context->setFillColor(kTooltipBackground);
        context->setFrameColor(kBlackCColor);
        context->setLineWidth(1.);
        context->drawRect(bounds, kDrawFilledAndStroked);
        context->setFont(kNormalFontSmall);
        context->setFontColor(kBlackCColor);
        CRect textRect = bounds;
        textRect.inset(kPadding, 0.);
        context->drawString(text, textRect, kLeftText);
    }
    const std::string& getText() const { return text; }

private:
    std::string text;
    CRect bounds;
};

FrameTooltip::FrameTooltip(CFrame& frame) : frame(frame) {}

// The frame hides the tooltip when it closes, before its members go.
FrameTooltip::~FrameTooltip() = default;

void FrameTooltip::enable(bool state, uint32 delayMs)
{
    enabled = state;
    delay = delayMs;
    if (!enabled)
        hide();
}

void FrameTooltip::pointerMoved(const CPoint& where, uint32 now)
{
    CView* view = viewWithTooltipAt(where);
    if (overlay && view == hoveredView)
        return;
    hide();
    waitingForMove = false;
    pointerInside = true;
    pointer = where;
    restingSince = now;
    hoveredView = view;
}

void FrameTooltip::pointerLeft()
{
    hide();
    pointerInside = false;
}

void FrameTooltip::hide()
{
    // A press or key dismisses the tooltip until the pointer moves again.
    waitingForMove = true;
    if (!overlay)
        return;
    SharedPointer<TooltipOverlay> shown = std::exchange(overlay, nullptr);
    frame.hideOverlay(shown);
}

void FrameTooltip::poll(uint32 now)
{
    if (!enabled || overlay || waitingForMove || !pointerInside || now - restingSince < delay)
        return;
    CView* view = viewWithTooltipAt(pointer);
    if (!view || view != hoveredView)
        return;
    const std::string text = tooltipOf(*view);
    const CFontDesc& font = *kNormalFontSmall;
    const CPoint size(std::ceil(measureStringWidth(font, text)) + 2. * kPadding, font.getSize() + 2. * kPadding);
    CRect bounds(pointer + kPointerOffset, size);
    const CRect& area = frame.getViewSize();
    bounds.offset(std::min(0., area.right - bounds.right), std::min(0., area.bottom - bounds.bottom));
    bounds.offset(std::max(0., area.left - bounds.left), std::max(0., area.top - bounds.top));
    overlay = makeOwned<TooltipOverlay>(text, bounds);
    frame.showOverlay(overlay);
}

std::string FrameTooltip::shownText() const
{
    return overlay ? overlay->getText() : std::string();
}

CView* FrameTooltip::viewWithTooltipAt(const CPoint& where) const
{
    CView* found = nullptr;
    CPoint local = where;
    const CViewContainer* container = &frame;
    while (container) {
        CView* child = nullptr;
        for (auto it = container->getChildren().rbegin(); it != container->getChildren().rend(); ++it) {
            if ((*it)->isVisible() && (*it)->getViewSize().pointInside(local)) {
                child = *it;
                break;
            }
        }
        if (!child)
            break;
        if (!tooltipOf(*child).empty())
            found = child;
        local.offset(-child->getViewSize().left, -child->getViewSize().top);
        container = dynamic_cast<const CViewContainer*>(child);
    }
    return found;
}

} // namespace VSTGUI
