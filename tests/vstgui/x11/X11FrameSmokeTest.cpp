// A frame embedded in a real X window of a private Xvfb: clicks and file drops sent by another
// client, as a host and a file manager would send them.

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"

#include "X11FrameTest.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI {
namespace {

constexpr CColor kIdleColor{0, 0, 255};
constexpr CColor kClickedColor{255, 0, 0};

class ClickView : public CView {
public:
    explicit ClickView(const CRect& size) : CView(size) { setWantsFocus(true); }
    void draw(CDrawContext* context) override
    {
        context->setFillColor(clicks > 0 ? kClickedColor : kIdleColor);
        context->drawRect(getViewSize(), kDrawFilled);
    }
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override
    {
        lastButtons = buttons;
        ++clicks;
        invalid();
        log.push_back("down");
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override
    {
        log.push_back("move " + std::to_string(static_cast<int>(where.x)));
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override
    {
        log.push_back("up");
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseCancel() override
    {
        ++cancels;
        return kMouseEventHandled;
    }
    int32 onKeyDown(VstKeyCode& key) override
    {
        keys.push_back(key);
        return 1;
    }
    int clicks{0};
    int cancels{0};
    CButtonState lastButtons;
    std::vector<VstKeyCode> keys;
    std::vector<std::string> log;
};

class DropView : public CView, public IDropTarget {
public:
    using CView::CView;
    SharedPointer<IDropTarget> getDropTarget() override { return shared<IDropTarget>(this); }
    DragOperation onDragEnter(DragEventData) override { return DragOperation::Copy; }
    DragOperation onDragMove(DragEventData) override { return DragOperation::Copy; }
    void onDragLeave(DragEventData) override {}
    bool onDrop(DragEventData data) override
    {
        for (uint32 i = 0; i < data.drag->getCount(); ++i) {
            const void* buffer = nullptr;
            IDataPackage::Type type = IDataPackage::kError;
            data.drag->getData(i, buffer, type);
            dropped.emplace_back(type, static_cast<const char*>(buffer));
        }
        return true;
    }
    std::vector<std::pair<IDataPackage::Type, std::string>> dropped;
};

// The host's side: its own connection, a top-level window the frame is embedded in.
class X11FrameSmoke : public x11_testing::X11FrameTest {
protected:
    void SetUp() override
    {
        makeFrame(200, 100);
        if (!hostReady())
            return;
        display = host->getDisplay();
        dragSource = hostWindow;

        clickView = new ClickView(CRect(0, 0, 100, 100));
        dropView = new DropView(CRect(100, 0, 200, 100));
        frame->addView(clickView);
        frame->addView(dropView);
        showFrame();
    }

    unsigned long pixelAt(int x, int y) { return host->pixelAt(frameWindow, x, y); }
    void sendEvent(XEvent event, long mask) { host->send(frameWindow, event, mask); }
    void sendButton(int type, unsigned int button, int x, int y, unsigned int state)
    {
        host->button(frameWindow, type, x, y, state, button);
    }
    void sendMotion(int x, int y, unsigned int state) { host->motion(frameWindow, x, y, state); }
    void sendKey(KeySym keySym, unsigned int state) { host->key(frameWindow, keySym, state); }

    void sendXdnd(const char* messageType, long l1, long l2, long l3, long l4)
    {
        host->sendXdnd(dragSource, frameWindow, messageType, l1, l2, l3, l4);
    }
    Atom atom(const char* name) { return host->atom(name); }
    bool answered(const char* messageType) { return host->answer(messageType) != nullptr; }
    const XClientMessageEvent& lastAnswer(const char* messageType) { return *host->answer(messageType); }

    Display* display{nullptr};
    Window dragSource{None};
    ClickView* clickView{nullptr};
    DropView* dropView{nullptr};
};

TEST_F(X11FrameSmoke, SyntheticClickReachesTheViewAndTheWindowIsRedrawn)
{
    ASSERT_TRUE(pumpUntil([this] { return pixelAt(50, 50) == 0x0000ff; })) << std::hex << pixelAt(50, 50);

    sendButton(ButtonPress, Button1, 20, 30, ShiftMask);
    sendButton(ButtonRelease, Button1, 20, 30, ShiftMask | Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return clickView->clicks == 1 && pixelAt(50, 50) == 0xff0000; }))
        << "clicks " << clickView->clicks << ", pixel " << std::hex << pixelAt(50, 50);
    EXPECT_EQ(clickView->lastButtons, CButtonState(kLButton | kShift));
}

TEST_F(X11FrameSmoke, DragMovesReachTheCapturingViewInOrder)
{
    sendButton(ButtonPress, Button1, 20, 30, 0);
    for (int x : {25, 30, 150}) // the capture holds outside the view
        sendMotion(x, 30, Button1Mask);
    sendButton(ButtonRelease, Button1, 150, 30, Button1Mask);
    sendMotion(60, 30, 0);
    sendButton(ButtonPress, Button1, 20, 30, 0); // marks the events before it as handled
    ASSERT_TRUE(pumpUntil([this] { return clickView->clicks == 2; }));
    // Queued moves may be merged into the latest one, but never moved past the release.
    ASSERT_GE(clickView->log.size(), 4u);
    EXPECT_EQ(clickView->log.front(), "down");
    EXPECT_EQ(clickView->log[clickView->log.size() - 3], "move 150");
    EXPECT_EQ(clickView->log[clickView->log.size() - 2], "up");
    EXPECT_EQ(clickView->log.back(), "down");
}

TEST_F(X11FrameSmoke, OneIdleHandlesEveryEventSentBeforeIt)
{
    // What a test may check after handleSentEvents(): nothing sent is still on its way.
    sendButton(ButtonPress, Button1, 20, 30, 0);
    for (int x = 21; x <= 80; ++x)
        sendMotion(x, 30, Button1Mask);
    sendButton(ButtonRelease, Button1, 80, 30, Button1Mask);
    handleSentEvents();
    ASSERT_GE(clickView->log.size(), 3u);
    EXPECT_EQ(clickView->log.front(), "down");
    EXPECT_EQ(clickView->log[clickView->log.size() - 2], "move 80");
    EXPECT_EQ(clickView->log.back(), "up");
}

TEST_F(X11FrameSmoke, KeysReachTheClickedViewAndALostGrabCancelsItsDrag)
{
    sendButton(ButtonPress, Button1, 20, 30, 0);
    sendButton(ButtonRelease, Button1, 20, 30, Button1Mask);
    sendKey(XK_Right, ControlMask);
    sendKey(XK_a, 0);
    ASSERT_TRUE(pumpUntil([this] { return clickView->keys.size() == 2; }));
    EXPECT_EQ(clickView->keys[0].virt, 13);
    EXPECT_EQ(clickView->keys[0].modifier, MODIFIER_CONTROL);
    EXPECT_EQ(clickView->keys[1].character, 'a');

    sendButton(ButtonPress, Button1, 20, 30, 0);
    XEvent leave{};
    leave.xcrossing.type = LeaveNotify;
    leave.xcrossing.mode = NotifyGrab; // the host grabbed the pointer in the middle of the drag
    leave.xcrossing.detail = NotifyAncestor;
    sendEvent(leave, LeaveWindowMask);
    ASSERT_TRUE(pumpUntil([this] { return clickView->cancels == 1; }));
    EXPECT_EQ(clickView->clicks, 2);
}

TEST_F(X11FrameSmoke, ExposedAreaIsRepaintedFromTheBackBuffer)
{
    ASSERT_TRUE(pumpUntil([this] { return pixelAt(50, 50) == 0x0000ff; }));
    GC gc = XCreateGC(display, frameWindow, 0, nullptr);
    XSetForeground(display, gc, 0x00ff00);
    XFillRectangle(display, frameWindow, gc, 0, 0, 200, 100);
    XFreeGC(display, gc);
    XSync(display, False);
    ASSERT_EQ(pixelAt(50, 50), 0x00ff00u);

    XEvent expose{};
    expose.xexpose.type = Expose;
    expose.xexpose.x = 40;
    expose.xexpose.y = 40;
    expose.xexpose.width = 20;
    expose.xexpose.height = 20;
    sendEvent(expose, ExposureMask);
    ASSERT_TRUE(pumpUntil([this] { return pixelAt(50, 50) == 0x0000ff; }));
    EXPECT_EQ(pixelAt(10, 10), 0x00ff00u); // only the exposed part was copied again
}

TEST_F(X11FrameSmoke, FileDropFromAnotherClient)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, frameWindow, atom("XdndAware"), 0, 1, False, XA_ATOM, &type, &format, &count,
                       &remaining, &data);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(*reinterpret_cast<long*>(data), 5);
    XFree(data);

    host->offerDrag(hostWindow, "file:///tmp/my%20loop.wav\r\nhttps://example.org/x\r\n");
    sendXdnd("XdndEnter", 5l << 24, static_cast<long>(atom("text/uri-list")), 0, 0);

    // Over the click view, which takes no drops: refused.
    sendXdnd("XdndPosition", 0, (20l << 16) | 30, CurrentTime, static_cast<long>(atom("XdndActionCopy")));
    ASSERT_TRUE(pumpUntil([this] { return answered("XdndStatus"); }));
    EXPECT_EQ(lastAnswer("XdndStatus").data.l[0], static_cast<long>(frameWindow));
    EXPECT_EQ(lastAnswer("XdndStatus").data.l[1] & 1, 0);

    // Over the drop view: accepted as a copy.
    host->clearAnswers();
    sendXdnd("XdndPosition", 0, (150l << 16) | 30, CurrentTime, static_cast<long>(atom("XdndActionCopy")));
    ASSERT_TRUE(pumpUntil([this] { return answered("XdndStatus"); }));
    EXPECT_EQ(lastAnswer("XdndStatus").data.l[1] & 1, 1);
    EXPECT_EQ(lastAnswer("XdndStatus").data.l[4], static_cast<long>(atom("XdndActionCopy")));

    host->clearAnswers();
    sendXdnd("XdndDrop", 0, CurrentTime, 0, 0);
    ASSERT_TRUE(pumpUntil([this] { return answered("XdndFinished"); }));
    EXPECT_EQ(lastAnswer("XdndFinished").data.l[1] & 1, 1);
    EXPECT_EQ(lastAnswer("XdndFinished").data.l[2], static_cast<long>(atom("XdndActionCopy")));
    using Item = std::pair<IDataPackage::Type, std::string>;
    EXPECT_EQ(dropView->dropped, (std::vector<Item>{{IDataPackage::kFilePath, "/tmp/my loop.wav"},
                                                    {IDataPackage::kText, "https://example.org/x"}}));
}

TEST_F(X11FrameSmoke, VanishedWindowsDoNotEndTheHostProcess)
{
    // Xlib's default error handler would exit the process on the first error below.
    Window goneSource = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, goneSource);
    XSync(display, False);
    dragSource = goneSource;
    sendXdnd("XdndEnter", (5l << 24) | 1, 0, 0, 0); // its types are in a property of the missing window
    sendXdnd("XdndPosition", 0, (150l << 16) | 30, CurrentTime, static_cast<long>(atom("XdndActionCopy")));
    sendButton(ButtonPress, Button1, 20, 30, 0); // arrives after the drag messages: marks them handled
    ASSERT_TRUE(pumpUntil([this] { return clickView->clicks == 1; }));

    // Some hosts destroy their window, and the frame's with it, before they close the editor.
    XDestroyWindow(display, hostWindow);
    XSync(display, False);
    hostWindow = None;
    clickView->invalid();
    frame->setCursor(kCursorCopy);
    frame->idle();
    frame->close();
    SUCCEED();
}

} // namespace
} // namespace VSTGUI
