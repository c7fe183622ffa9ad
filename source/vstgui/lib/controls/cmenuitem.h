#pragma once

#include "vstgui/lib/cstring.h"

namespace VSTGUI {

// One entry of an option menu. GUI thread only.
class CMenuItem : public CBaseObject {
public:
    enum Flags : int32 {
        kNoFlags = 0,
        kDisabled = 1 << 0,
        kTitle = 1 << 1,
        kChecked = 1 << 2,
        kSeparator = 1 << 3,
    };

    explicit CMenuItem(const UTF8String& title, int32 flags = kNoFlags) : title(title), flags(flags) {}

    void setTitle(const UTF8String& newTitle) { title = newTitle; }
    const UTF8String& getTitle() const { return title; }
    void setEnabled(bool state) { setFlag(kDisabled, !state); }
    bool isEnabled() const { return !(flags & kDisabled); }
    void setChecked(bool state) { setFlag(kChecked, state); }
    bool isChecked() const { return (flags & kChecked) != 0; }
    void setIsTitle(bool state) { setFlag(kTitle, state); }
    bool isTitle() const { return (flags & kTitle) != 0; }
    void setIsSeparator(bool state) { setFlag(kSeparator, state); }
    bool isSeparator() const { return (flags & kSeparator) != 0; }
    int32 getFlags() const { return flags; }
    // What a click on it can choose.
    bool isSelectable() const { return isEnabled() && !isTitle() && !isSeparator(); }

private:
    void setFlag(int32 flag, bool state) { flags = state ? (flags | flag) : (flags & ~flag); }

    UTF8String title;
    int32 flags;
};

} // namespace VSTGUI
