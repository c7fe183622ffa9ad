#pragma once

// Receives XDND (version 5) drops of files on the frame's window and routes them to the frame.
// GUI thread only: fed from the frame's event pump.

// Before any X header: X.h defines None as a macro, which would break DragOperation::None.
#include "vstgui/lib/dragging.h"

#include <X11/Xlib.h>

namespace VSTGUI {
class CFrame;
}

namespace VSTGUI::X11 {

class XdndReceiver {
public:
    // Marks `window` as a drop target.
    XdndReceiver(CFrame& frame, Display* display, Window window);

    // Events of other kinds or protocols are ignored.
    void handleClientMessage(const XClientMessageEvent& event);
    void handleSelectionNotify(const XSelectionEvent& event);

private:
    struct Atoms {
        Atom aware, enter, position, status, leave, drop, finished, selection, typeList, actionCopy,
            actionMove, uriList, transferProperty;
    };

    void onEnter(const XClientMessageEvent& event);
    void onPosition(const XClientMessageEvent& event);
    void onLeave();
    void onDrop(const XClientMessageEvent& event);
    bool sourceOffersUriList(const XClientMessageEvent& enter);
    CPoint windowPointFromRoot(long packedRootPoint) const;
    SharedPointer<IDataPackage> readDroppedItems();
    void leaveFrame();
    void sendToSource(Atom messageType, long flags, long action);
    Atom actionAtom(DragOperation operation) const;
    void reset();

    CFrame& frame;
    Display* display;
    Window window;
    Window root{None};
    Atoms atoms{};

    Window source{None};
    bool offersUriList{false};
    bool frameEntered{false};
    bool awaitingData{false};
    CPoint lastPoint;
    Atom acceptedAction{None};                // None while the view under the pointer refuses the drag
    SharedPointer<IDataPackage> draggedItems; // empty: the items are read only on the drop
};

} // namespace VSTGUI::X11
