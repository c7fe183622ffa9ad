#include "vstgui/lib/cfont.h"

#include <array>

namespace VSTGUI {

CFontDesc::CFontDesc(const UTF8String& name, CCoord size, int32 style) : name(name), size(size), style(style) {}

CFontDesc* GlobalFont::get() const
{
    static const std::array<CFontDesc*, 7> fonts{
        new CFontDesc("Arial", 12), new CFontDesc("Arial", 18), new CFontDesc("Arial", 14),
        new CFontDesc("Arial", 12), new CFontDesc("Arial", 11), new CFontDesc("Arial", 10),
        new CFontDesc("Arial", 9),
    };
    return fonts[static_cast<std::size_t>(index)];
}

} // namespace VSTGUI
