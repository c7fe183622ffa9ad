// The grain envelope in a real X window of a private Xvfb, dragged with X events as a user would, inside a
// plug-in editor whose host records the edit gestures.

// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "../BridgeRig.h"
#include "editor/BreakpointEditors.h"
#include "synth/SynthParamIds.h"
#include "vstgui/plugin-bindings/aeffguieditor.h"
#include "vstgui/testing/fakehost.h"
#include "vstgui/x11/XvfbServer.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace korvel::veldro {
namespace {

using namespace VSTGUI;

class EnvelopeEditor : public AEffGUIEditor {
public:
    using AEffGUIEditor::AEffGUIEditor;
    bool open(void* parentWindow) override
    {
        AEffGUIEditor::open(parentWindow);
        frame = new CFrame({0, 0, 120, 120}, this);
        return frame->open(parentWindow);
    }
    void close() override
    {
        frame->close();
        frame->forget();
        frame = nullptr;
        AEffGUIEditor::close();
    }
};

class BreakpointDragX11 : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new x11_testing::XvfbServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        if (server->binaryMissing())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(server->running()) << "Xvfb did not start";
        if (const char* display = std::getenv("DISPLAY"))
            savedDisplay = display;
        setenv("DISPLAY", server->name().c_str(), 1); // the frame opens the default display
        host = XOpenDisplay(server->name().c_str());
        ASSERT_NE(host, nullptr);
        hostWindow = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 120, 120, 0, 0, 0);
        XMapWindow(host, hostWindow);
        XSync(host, False);
        ASSERT_TRUE(editor.open(reinterpret_cast<void*>(hostWindow)));
        opened = true;
        ASSERT_TRUE(pumpUntil([this] { return (frameWindow = findFrameWindow()) != None; }));
    }

    void TearDown() override
    {
        rig.params.clearListeners();
        if (opened)
            editor.close();
        if (host)
            XCloseDisplay(host);
        if (savedDisplay.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", savedDisplay.c_str(), 1);
    }

    Window findFrameWindow()
    {
        Window root = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(host, hostWindow, &root, &parent, &children, &count);
        Window child = count == 1 ? children[0] : None;
        if (children)
            XFree(children);
        return child;
    }

    // Runs the editor's idle until `done`; false after a generous bound.
    bool pumpUntil(const std::function<bool()>& done)
    {
        for (int round = 0; round < 500; ++round) {
            editor.idle();
            if (done())
                return true;
            pollfd wait{ConnectionNumber(host), POLLIN, 0};
            poll(&wait, 1, 10);
        }
        return false;
    }

    void sendButton(int type, int x, int y, unsigned int state)
    {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.root = DefaultRootWindow(host);
        event.xbutton.time = CurrentTime;
        event.xbutton.x = event.xbutton.x_root = x;
        event.xbutton.y = event.xbutton.y_root = y;
        event.xbutton.state = state;
        event.xbutton.button = Button1;
        event.xbutton.same_screen = True;
        send(event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
    }

    void sendMotion(int x, int y)
    {
        XEvent event{};
        event.xmotion.type = MotionNotify;
        event.xmotion.root = DefaultRootWindow(host);
        event.xmotion.x = event.xmotion.x_root = x;
        event.xmotion.y = event.xmotion.y_root = y;
        event.xmotion.state = Button1Mask;
        event.xmotion.same_screen = True;
        send(event, PointerMotionMask);
    }

    void send(XEvent event, long mask)
    {
        event.xany.display = host;
        event.xany.window = frameWindow;
        XSendEvent(host, frameWindow, False, mask, &event);
        XFlush(host);
    }

    static x11_testing::XvfbServer* server;
    std::string savedDisplay;
    Display* host = nullptr;
    Window hostWindow = None;
    Window frameWindow = None;
    test::BridgeRig rig;
    VSTGUI::testing::FakeHostEffect effect{180};
    EnvelopeEditor editor{&effect};
    bool opened = false;
};

x11_testing::XvfbServer* BreakpointDragX11::server = nullptr;

TEST_F(BreakpointDragX11, DraggingTheAttackPointSetsTheAttackInOneHostGesture)
{
    // The point area (frame width 2) is 100 x 100 at (2, 2): the default attack point is drawn at (52, 2).
    gui::CBreakpoints* view = makeAttackDecayBreakpoints(rig.params, {0, 0, 104, 104}, {{0, 0, 0}, {90, 90, 90},
                                                                                         {255, 255, 255}, {255, 140, 0}});
    editor.getFrame()->addView(view);
    rig.params.addListener(view->getListener());
    view->getListener()->paramChanged(view->getListener()->mask);
    ASSERT_EQ(view->getPoints()[1].x, 0.5);

    sendButton(ButtonPress, 52, 2, 0);
    for (int x : {45, 35, 27})
        sendMotion(x, 40);
    sendButton(ButtonRelease, 27, 40, Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return effect.log.size() == 2; })) << effect.log.size();

    EXPECT_EQ(effect.log, (VSTGUI::testing::GestureLog{"begin 9", "end 9"}));
    EXPECT_EQ(rig.target(param_id::GRAIN_ATTACK), 0.25);
    EXPECT_EQ(rig.target(param_id::GRAIN_DECAY), 0.5);
    ASSERT_FALSE(rig.hostReports.empty());
    EXPECT_EQ(rig.hostReports.back().first, param_id::GRAIN_ATTACK);
    EXPECT_FALSE(view->isDragging());
}

} // namespace
} // namespace korvel::veldro
