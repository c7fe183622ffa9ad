#pragma once

#include "vstgui/lib/cstring.h"

namespace VSTGUI {

enum CTxtFace : int32 {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
};

// A font by family name, pixel size and style bits. GUI thread only.
class CFontDesc : public CBaseObject {
public:
    CFontDesc(const UTF8String& name = "", CCoord size = 0., int32 style = 0);
    CFontDesc(const CFontDesc& font) = default;

    const UTF8String& getName() const { return name; }
    CCoord getSize() const { return size; }
    int32 getStyle() const { return style; }
    virtual void setName(const UTF8String& newName) { name = newName; }
    virtual void setSize(CCoord newSize) { size = newSize; }
    virtual void setStyle(int32 newStyle) { style = newStyle; }

    bool operator==(const CFontDesc& other) const
    {
        return name == other.name && size == other.size && style == other.style;
    }

private:
    UTF8String name;
    CCoord size;
    int32 style;
};

using CFontRef = CFontDesc*;

// Advance width of `text` in `font`, as every draw context measures it. GUI thread only.
CCoord measureStringWidth(const CFontDesc& font, const UTF8String& text);

// One of the process-wide "Arial" fonts: made on first use (so it is safe to read from other
// start-up initialisers) and never deleted. Converts to CFontRef.
class GlobalFont {
public:
    constexpr explicit GlobalFont(int index) : index(index) {}
    CFontDesc* get() const;
    operator CFontDesc*() const { return get(); }
    CFontDesc* operator->() const { return get(); }
    CFontDesc& operator*() const { return *get(); }

private:
    int index;
};

inline constexpr GlobalFont kSystemFont{0};          // 12
inline constexpr GlobalFont kNormalFontVeryBig{1};   // 18
inline constexpr GlobalFont kNormalFontBig{2};       // 14
inline constexpr GlobalFont kNormalFont{3};          // 12
inline constexpr GlobalFont kNormalFontSmall{4};     // 11
inline constexpr GlobalFont kNormalFontSmaller{5};   // 10
inline constexpr GlobalFont kNormalFontVerySmall{6}; // 9

} // namespace VSTGUI
