#pragma once

// The toolkit's cursor types as X font cursors, made on first use. GUI thread only.

#include "vstgui/lib/ccursortype.h"

#include <X11/Xlib.h>

#include <array>

namespace VSTGUI::X11 {

class CursorSet {
public:
    explicit CursorSet(Display* display) : display(display) {}
    ~CursorSet();
    CursorSet(const CursorSet&) = delete;
    CursorSet& operator=(const CursorSet&) = delete;

    Cursor get(CCursorType type);

private:
    Display* display;
    std::array<Cursor, kCursorHand + 1> cursors{};
};

} // namespace VSTGUI::X11
