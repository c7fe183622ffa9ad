#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cstring.h"

namespace VSTGUI {

// "…" (U+2026), the mark of a shortened text.
inline constexpr UTF8StringPtr kTextEllipsis = "\xE2\x80\xA6";

// The text as it fits into `width` in the context's current font: whole, or its words that fit followed
// by "…". A first word too long on its own is cut between two characters; where not even "…" fits, "…".
UTF8String fitText(CDrawContext& context, const UTF8String& text, CCoord width);

} // namespace VSTGUI
