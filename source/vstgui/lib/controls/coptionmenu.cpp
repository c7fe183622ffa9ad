#include "vstgui/lib/controls/coptionmenu.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cmenuoverlay.h"

#include <algorithm>

namespace VSTGUI {

namespace {

COptionMenu::PopupHandler& popupHandler()
{
    static COptionMenu::PopupHandler handler;
    return handler;
}

} // namespace

COptionMenu::COptionMenu(const CRect& size, IControlListener* listener, int32 tag, CBitmap* background, CBitmap*,
                         int32 style)
    : CParamDisplay(size, background, style)
{
    setListener(listener);
    this->tag = tag;
    setMin(0.f);
    setMax(0.f);
    setDefaultValue(0.f);
}

COptionMenu::COptionMenu(const COptionMenu& other) : CParamDisplay(other), currentIndex(other.currentIndex)
{
    for (const auto& entry : other.entries)
        entries.push_back(makeOwned<CMenuItem>(*entry));
}

CMenuItem* COptionMenu::addEntry(CMenuItem* item, int32 index)
{
    if (!item)
        return nullptr;
    if (index < 0 || index >= getNbEntries())
        entries.push_back(owned(item));
    else
        entries.insert(entries.begin() + index, owned(item));
    setMax(static_cast<float>(getNbEntries() - 1));
    return item;
}

CMenuItem* COptionMenu::addEntry(const UTF8String& title, int32 index, int32 itemFlags)
{
    return addEntry(new CMenuItem(title, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator(int32 index)
{
    return addEntry(new CMenuItem("", CMenuItem::kSeparator), index);
}

bool COptionMenu::removeEntry(int32 index)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    entries.erase(entries.begin() + index);
    setMax(static_cast<float>(std::max(getNbEntries() - 1, 0)));
    if (currentIndex >= getNbEntries())
        currentIndex = getNbEntries() - 1;
    return true;
}

bool COptionMenu::removeAllEntry()
{
    entries.clear();
    setMax(0.f);
    currentIndex = -1;
    return true;
}

CMenuItem* COptionMenu::getEntry(int32 index) const
{
    return index >= 0 && index < getNbEntries() ? entries[static_cast<std::size_t>(index)].get() : nullptr;
}

bool COptionMenu::setCurrent(int32 index, bool countSeparator)
{
    if (!countSeparator) {
        // Map the index among non-separator entries to the full list.
        int32 seen = -1;
        int32 mapped = -1;
        for (int32 i = 0; i < getNbEntries() && mapped < 0; ++i)
            if (!entries[static_cast<std::size_t>(i)]->isSeparator() && ++seen == index)
                mapped = i;
        index = mapped;
    }
    if (!getEntry(index))
        return false;
    setValue(static_cast<float>(index));
    return true;
}

int32 COptionMenu::getCurrentIndex(bool countSeparator) const
{
    if (countSeparator || currentIndex < 0)
        return currentIndex;
    const auto end = entries.begin() + currentIndex;
    const auto separators = std::count_if(entries.begin(), end, [](const auto& e) { return e->isSeparator(); });
    return currentIndex - static_cast<int32>(separators);
}

bool COptionMenu::checkEntry(int32 index, bool state)
{
    CMenuItem* item = getEntry(index);
    if (!item || item->isSeparator())
        return false;
    item->setChecked(state);
    return true;
}

bool COptionMenu::checkEntryAlone(int32 index)
{
    if (!getEntry(index))
        return false;
    for (int32 i = 0; i < getNbEntries(); ++i)
        entries[static_cast<std::size_t>(i)]->setChecked(i == index);
    return true;
}

bool COptionMenu::isCheckEntry(int32 index) const
{
    const CMenuItem* item = getEntry(index);
    return item && item->isChecked();
}

void COptionMenu::setValue(float newValue)
{
    const auto index = static_cast<int32>(newValue);
    if (!getEntry(index))
        return;
    currentIndex = index;
    if (getStyle() & kCheckStyle)
        checkEntryAlone(index);
    CParamDisplay::setValue(static_cast<float>(index));
}

void COptionMenu::choose(int32 index, const Callback& callback)
{
    CMenuItem* item = getEntry(index);
    if (!item || !item->isSelectable())
        return;
    SharedPointer<COptionMenu> keepAlive(this);
    setValue(static_cast<float>(index));
    valueChanged();
    invalid();
    if (callback)
        callback(this);
}

void COptionMenu::setPopupHandler(PopupHandler handler)
{
    popupHandler() = std::move(handler);
}

bool COptionMenu::popup(CFrame* frame, const CPoint& framePoint, const Callback& callback)
{
    if (!frame || entries.empty())
        return false;
    if (popupHandler()) {
        SharedPointer<COptionMenu> keepAlive(this);
        choose(popupHandler()(*this, framePoint), callback);
        return true;
    }
    frame->showOverlay(owned(new MenuOverlay(*this, *frame, framePoint, callback)));
    return true;
}

void COptionMenu::draw(CDrawContext* context)
{
    CParamDisplay::draw(context);
    const CMenuItem* current = getCurrent();
    if (!current || (getStyle() & (kNoTextStyle | kNoDrawStyle)))
        return;
    context->setFont(getFont());
    context->setFontColor(getFontColor());
    CRect textRect = getViewSize();
    textRect.inset(getRoundRectRadius() / 2. + getFrameWidth(), 0.);
    context->drawString(current->getTitle(), textRect, getHoriAlign());
}

CMouseEventResult COptionMenu::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !getFrame())
        return kMouseEventNotHandled;
    CPoint below(getViewSize().left, getViewSize().bottom);
    localToFrame(below);
    popup(getFrame(), below);
    (void)where;
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
