#pragma once

#include "vstgui/lib/controls/cmenuitem.h"
#include "vstgui/lib/controls/cparamdisplay.h"

#include <functional>
#include <vector>

namespace VSTGUI {

class CFrame;

// A list of entries popped up at a point; the value is the chosen index. A choice sets the value and
// tells the listener (even when the index was already current), without an edit gesture.
// GUI thread only.
class COptionMenu : public CParamDisplay {
public:
    using Callback = std::function<void(COptionMenu* menu)>;
    // Test hook: answers a popup instead of the user (index, or -1 for none).
    using PopupHandler = std::function<int32(COptionMenu& menu, const CPoint& framePoint)>;

    COptionMenu(const CRect& size, IControlListener* listener, int32 tag, CBitmap* background = nullptr,
                CBitmap* backgroundWhenClicked = nullptr, int32 style = 0);
    COptionMenu(const COptionMenu& other);

    // Appends when index < 0 or past the end, else inserts there.
    virtual CMenuItem* addEntry(CMenuItem* item, int32 index = -1);
    virtual CMenuItem* addEntry(const UTF8String& title, int32 index = -1, int32 itemFlags = CMenuItem::kNoFlags);
    virtual CMenuItem* addSeparator(int32 index = -1);
    virtual bool removeEntry(int32 index);
    virtual bool removeAllEntry();
    int32 getNbEntries() const { return static_cast<int32>(entries.size()); }
    // Null out of range.
    CMenuItem* getEntry(int32 index) const;
    virtual bool setCurrent(int32 index, bool countSeparator = true);
    int32 getCurrentIndex(bool countSeparator = true) const;
    CMenuItem* getCurrent() const { return getEntry(currentIndex); }
    virtual bool checkEntry(int32 index, bool state);
    // Checks `index` and unchecks every other entry.
    virtual bool checkEntryAlone(int32 index);
    bool isCheckEntry(int32 index) const;
    void setValue(float value) override;

    // Shows the menu at `framePoint` (frame coordinates), also for a menu outside any view tree;
    // the menu keeps itself alive while open. `callback` runs after a choice.
    bool popup(CFrame* frame, const CPoint& framePoint, const Callback& callback = {});
    // What a choice does: value, listener, callback. Ignored for entries that cannot be chosen.
    void choose(int32 index, const Callback& callback = {});

    static void setPopupHandler(PopupHandler handler);

    // The box with the current entry's title.
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

private:
    std::vector<SharedPointer<CMenuItem>> entries;
    int32 currentIndex{-1};
};

} // namespace VSTGUI
