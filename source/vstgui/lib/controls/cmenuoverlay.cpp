#include "vstgui/lib/controls/cmenuoverlay.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/vstkeycode.h"

#include "utility/Win32Compat.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr CCoord kItemHeight = 18.;
constexpr CCoord kSeparatorHeight = 7.;
constexpr CCoord kCheckColumn = 18.;
constexpr CCoord kRightPadding = 10.;
constexpr CCoord kBorder = 1.;

// Win32 system colour roles, so the menu follows the fixed "system" theme.
enum SystemColour { kMenu = 4, kMenuText = 7, kHighlight = 13, kHighlightText = 14, kGrayText = 17, kShadow = 16 };

CColor systemColour(SystemColour role)
{
    const auto colorref = korvel::win32::GetSysColor(role);
    return CColor(korvel::win32::redOf(colorref), korvel::win32::greenOf(colorref), korvel::win32::blueOf(colorref));
}

} // namespace

MenuOverlay::MenuOverlay(COptionMenu& menu, CFrame& frame, const CPoint& at, COptionMenu::Callback callback)
    : menu(&menu), frame(frame), callback(std::move(callback))
{
    CCoord width = 0.;
    CCoord height = 2. * kBorder;
    for (int32 i = 0; i < menu.getNbEntries(); ++i) {
        const CMenuItem& item = *menu.getEntry(i);
        width = std::max(width, measureStringWidth(*kNormalFont, item.getTitle()));
        height += rowHeight(item);
    }
    width = std::ceil(width) + kCheckColumn + kRightPadding + 2. * kBorder;
    bounds = CRect(at, CPoint(width, height));
    const CRect& area = frame.getViewSize();
    bounds.offset(std::min(0., area.right - bounds.right), std::min(0., area.bottom - bounds.bottom));
    bounds.offset(std::max(0., area.left - bounds.left), std::max(0., area.top - bounds.top));
}

CCoord MenuOverlay::rowHeight(const CMenuItem& item) const
{
    return item.isSeparator() ? kSeparatorHeight : kItemHeight;
}

CRect MenuOverlay::getEntryRect(int32 index) const
{
    CCoord top = bounds.top + kBorder;
    for (int32 i = 0; i < menu->getNbEntries(); ++i) {
        const CCoord height = rowHeight(*menu->getEntry(i));
        if (i == index)
            return CRect(bounds.left + kBorder, top, bounds.right - kBorder, top + height);
        top += height;
    }
    return CRect();
}

int32 MenuOverlay::entryAt(const CPoint& where) const
{
    for (int32 i = 0; i < menu->getNbEntries(); ++i)
        if (getEntryRect(i).pointInside(where))
            return i;
    return -1;
}

void MenuOverlay::draw(CDrawContext* context)
{
    context->setDrawMode(kAliasing);
    context->setFillColor(systemColour(kMenu));
    context->setFrameColor(systemColour(kShadow));
    context->setLineWidth(kBorder);
    context->drawRect(bounds, kDrawFilledAndStroked);
    context->setFont(kNormalFont);
    for (int32 i = 0; i < menu->getNbEntries(); ++i) {
        const CMenuItem& item = *menu->getEntry(i);
        const CRect row = getEntryRect(i);
        if (item.isSeparator()) {
            const CCoord y = std::floor(row.getCenter().y);
            context->setFrameColor(systemColour(kShadow));
            context->drawLine(CPoint(row.left + 2., y), CPoint(row.right - 2., y));
            continue;
        }
        const bool lit = i == highlighted && item.isSelectable();
        if (lit) {
            context->setFillColor(systemColour(kHighlight));
            context->drawRect(row, kDrawFilled);
        }
        const CColor text = !item.isEnabled() ? systemColour(kGrayText)
                            : lit             ? systemColour(kHighlightText)
                                              : systemColour(kMenuText);
        if (item.isChecked()) {
            context->setDrawMode(kAntiAliasing);
            context->setFrameColor(text);
            context->setLineWidth(2.);
            const CPoint c(row.left + kCheckColumn / 2., row.getCenter().y);
            context->drawLines({{c + CPoint(-4., 0.), c + CPoint(-1., 3.)}, {c + CPoint(-1., 3.), c + CPoint(4., -4.)}});
            context->setDrawMode(kAliasing);
            context->setLineWidth(kBorder);
        }
        context->setFontColor(text);
        CRect textRect = row;
        textRect.left += kCheckColumn;
        context->drawString(item.getTitle(), textRect, kLeftText);
    }
}

CMouseEventResult MenuOverlay::onMouseDown(const CPoint& where, const CButtonState&)
{
    if (!bounds.pointInside(where)) {
        frame.hideOverlay(this);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    pressedSinceOpen = true;
    return kMouseEventHandled;
}

CMouseEventResult MenuOverlay::onMouseMoved(const CPoint& where, const CButtonState&)
{
    const int32 entry = entryAt(where);
    if (entry != highlighted) {
        highlighted = entry;
        frame.invalidRect(bounds);
    }
    return kMouseEventHandled;
}

CMouseEventResult MenuOverlay::onMouseUp(const CPoint& where, const CButtonState&)
{
    if (!pressedSinceOpen)
        return kMouseEventHandled;
    const int32 entry = entryAt(where);
    CMenuItem* item = menu->getEntry(entry);
    if (!item || !item->isSelectable())
        return kMouseEventHandled;
    SharedPointer<COptionMenu> chosenMenu = menu;
    const COptionMenu::Callback chosenCallback = callback;
    frame.hideOverlay(this);
    chosenMenu->choose(entry, chosenCallback);
    return kMouseEventHandled;
}

int32 MenuOverlay::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt == VKEY_ESCAPE)
        frame.hideOverlay(this);
    return 1;
}

} // namespace VSTGUI
