#include "vstgui/lib/platform/x11/x11cursors.h"

#include <X11/cursorfont.h>

namespace VSTGUI::X11 {

namespace {

// Indexed by CCursorType; the core font cursors need no cursor theme library.
constexpr std::array<unsigned int, kCursorHand + 1> fontCursorShapes{
    XC_left_ptr,            // kCursorDefault
    XC_watch,               // kCursorWait
    XC_sb_h_double_arrow,   // kCursorHSize
    XC_sb_v_double_arrow,   // kCursorVSize
    XC_fleur,               // kCursorSizeAll
    XC_bottom_left_corner,  // kCursorNESWSize
    XC_bottom_right_corner, // kCursorNWSESize
    XC_plus,                // kCursorCopy
    XC_X_cursor,            // kCursorNotAllowed
    XC_hand2,               // kCursorHand
};

} // namespace

CursorSet::~CursorSet()
{
    for (Cursor cursor : cursors)
        if (cursor != None)
            XFreeCursor(display, cursor);
}

Cursor CursorSet::get(CCursorType type)
{
    auto index = static_cast<size_t>(type) < cursors.size() ? static_cast<size_t>(type) : 0;
    if (cursors[index] == None)
        cursors[index] = XCreateFontCursor(display, fontCursorShapes[index]);
    return cursors[index];
}

} // namespace VSTGUI::X11
