#include "vstgui/lib/platform/x11/x11dnd.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/x11/x11errortrap.h"
#include "vstgui/lib/platform/x11/x11urilist.h"

#include <X11/Xatom.h>

#include <string_view>

namespace VSTGUI::X11 {

namespace {

constexpr long protocolVersion = 5;
constexpr long acceptsDrop = 1;
constexpr long wantsEveryPosition = 2; // views under the pointer differ, so no quiet rectangle
constexpr long moreThanThreeTypes = 1;

} // namespace

XdndReceiver::XdndReceiver(CFrame& frame, Display* display, Window window)
    : frame(frame), display(display), window(window), draggedItems(makeOwned<CDropSource>())
{
    auto intern = [display](const char* name) { return XInternAtom(display, name, False); };
    atoms = {intern("XdndAware"),       intern("XdndEnter"),      intern("XdndPosition"),
             intern("XdndStatus"),      intern("XdndLeave"),      intern("XdndDrop"),
             intern("XdndFinished"),    intern("XdndSelection"),  intern("XdndTypeList"),
             intern("XdndActionCopy"),  intern("XdndActionMove"), intern("text/uri-list"),
             intern("VSTGUI_XDND_DATA")};
    long version = protocolVersion;
    XChangeProperty(display, window, atoms.aware, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&version), 1);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes))
        root = attributes.root;
}

void XdndReceiver::handleClientMessage(const XClientMessageEvent& event)
{
    if (event.format != 32)
        return;
    if (event.message_type == atoms.enter)
        onEnter(event);
    else if (event.message_type == atoms.position)
        onPosition(event);
    else if (event.message_type == atoms.leave) {
        if (static_cast<Window>(event.data.l[0]) == source)
            onLeave();
    } else if (event.message_type == atoms.drop)
        onDrop(event);
}

void XdndReceiver::onEnter(const XClientMessageEvent& event)
{
    leaveFrame(); // a new drag replaces one whose leave never came
    reset();
    source = static_cast<Window>(event.data.l[0]);
    offersUriList = sourceOffersUriList(event);
}

bool XdndReceiver::sourceOffersUriList(const XClientMessageEvent& enter)
{
    if (!(enter.data.l[1] & moreThanThreeTypes)) {
        for (int i = 2; i < 5; ++i)
            if (static_cast<Atom>(enter.data.l[i]) == atoms.uriList)
                return true;
        return false;
    }
    XErrorTrap trap(display); // the source may be gone already
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, source, atoms.typeList, 0, 1024, False, XA_ATOM, &type, &format, &count,
                           &remaining, &data) == Success &&
        !trap.failed() && data && format == 32) {
        auto* types = reinterpret_cast<Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = types[i] == atoms.uriList;
    }
    if (data)
        XFree(data);
    return found;
}

void XdndReceiver::onPosition(const XClientMessageEvent& event)
{
    if (static_cast<Window>(event.data.l[0]) != source || awaitingData)
        return;
    lastPoint = windowPointFromRoot(event.data.l[2]);
    acceptedAction = None;
    if (offersUriList) {
        DragEventData data{draggedItems.get(), lastPoint, {}};
        acceptedAction =
            actionAtom(frameEntered ? frame.platformOnDragMove(data) : frame.platformOnDragEnter(data));
        frameEntered = true;
    }
    long flags = wantsEveryPosition | (acceptedAction == None ? 0 : acceptsDrop);
    sendToSource(atoms.status, flags, static_cast<long>(acceptedAction));
}

CPoint XdndReceiver::windowPointFromRoot(long packedRootPoint) const
{
    // Both halves are signed 16-bit root coordinates.
    auto rootX = static_cast<int16>((packedRootPoint >> 16) & 0xffff);
    auto rootY = static_cast<int16>(packedRootPoint & 0xffff);
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(display, root, window, rootX, rootY, &x, &y, &child);
    return CPoint(x, y);
}

void XdndReceiver::onLeave()
{
    leaveFrame();
    reset();
}

void XdndReceiver::onDrop(const XClientMessageEvent& event)
{
    if (static_cast<Window>(event.data.l[0]) != source || awaitingData)
        return;
    if (acceptedAction == None) {
        leaveFrame();
        sendToSource(atoms.finished, 0, None);
        reset();
        return;
    }
    // The items arrive as a SelectionNotify in a later pump.
    awaitingData = true;
    XConvertSelection(display, atoms.selection, atoms.uriList, atoms.transferProperty, window,
                      static_cast<Time>(event.data.l[2]));
}

void XdndReceiver::handleSelectionNotify(const XSelectionEvent& event)
{
    if (!awaitingData || event.selection != atoms.selection)
        return;
    bool accepted = false;
    if (event.property != None) {
        auto items = readDroppedItems();
        if (items->getCount() > 0) {
            accepted = frame.platformOnDrop(DragEventData{items.get(), lastPoint, {}});
            frameEntered = false; // a drop ends the drag without a leave
        }
    }
    leaveFrame();
    sendToSource(atoms.finished, accepted ? acceptsDrop : 0,
                 static_cast<long>(accepted ? acceptedAction : None));
    reset();
}

SharedPointer<IDataPackage> XdndReceiver::readDroppedItems()
{
    auto items = makeOwned<CDropSource>();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    // Lists too large for one property would come in INCR pieces (format 32); such a drop is refused.
    if (XGetWindowProperty(display, window, atoms.transferProperty, 0, 1 << 24, True, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        data && format == 8) {
        for (const auto& item : parseUriList(std::string_view(reinterpret_cast<char*>(data), count))) {
            if (item.isFilePath)
                items->addFilePath(item.data);
            else
                items->addText(item.data);
        }
    }
    if (data)
        XFree(data);
    return items;
}

void XdndReceiver::leaveFrame()
{
    if (frameEntered)
        frame.platformOnDragLeave(DragEventData{draggedItems.get(), lastPoint, {}});
    frameEntered = false;
}

void XdndReceiver::sendToSource(Atom messageType, long flags, long action)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.display = display;
    message.xclient.window = source;
    message.xclient.message_type = messageType;
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(window);
    message.xclient.data.l[1] = flags;
    message.xclient.data.l[messageType == atoms.finished ? 2 : 4] = action;
    // Sent under the pump's error trap: the source may have gone away since its last message.
    XSendEvent(display, source, False, NoEventMask, &message);
}

Atom XdndReceiver::actionAtom(DragOperation operation) const
{
    if (operation == DragOperation::Copy)
        return atoms.actionCopy;
    if (operation == DragOperation::Move)
        return atoms.actionMove;
    return None;
}

void XdndReceiver::reset()
{
    source = None;
    offersUriList = false;
    awaitingData = false;
    acceptedAction = None;
}

} // namespace VSTGUI::X11
