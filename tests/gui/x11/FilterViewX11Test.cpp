// The filter view in a frame embedded in a real X window of a private Xvfb, dragged with pointer and key
// events that another client sends, as a host's window would pass them on.

// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "gui/CFilterView.h"
#include "gui/StaticPalettes.h"
#include "synth/Synth.h"
#include "vstgui/lib/cframe.h"

#include "XvfbServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

constexpr unsigned long HANDLE_PIXEL = 0x00dcff; // the points' colour (0, 220, 255)

CMultiPointXYPad::Point filterPoint(unsigned cutoffId, unsigned widthId)
{
    CMultiPointXYPad::Point point;
    point.xParamId = cutoffId;
    point.yParamId = widthId;
    point.width = point.height = 6;
    point.color = CColor(0, 220, 255, 255);
    return point;
}

class FilterViewX11 : public ::testing::Test {
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
        hostWindow = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 220, 120, 0, 0, 0);
        XMapWindow(host, hostWindow);
        XSync(host, False);

        params.setHostNotify([this](int id, float) { reported.insert(id); });
        params.setParam(16, 200.0, 0.0);
        params.setParam(17, 0.8, 0.0);
        params.setParam(21, 3000.0, 0.0);
        params.setParam(22, 0.3, 0.0);
        frame = new CFrame(CRect(0, 0, 220, 120), nullptr);
        view = new CFilterView(CRect(10, 10, 210, 110), 16, filterViewColours);
        view->setParams(&params);
        view->setPoints({filterPoint(16, 17), filterPoint(21, 22)});
        params.addListener(view);
        params.notifyListeners(0x27F);
        frame->addView(view);
        ASSERT_TRUE(frame->open(reinterpret_cast<void*>(hostWindow)));
        ASSERT_TRUE(pumpUntil([this] { return (frameWindow = findFrameWindow()) != None; }));
        reported.clear();
    }

    void TearDown() override
    {
        params.clearListeners();
        if (frame) {
            frame->close();
            frame->forget();
        }
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

    // Runs the frame's idle and drains the host's events until `done`; false after a generous bound.
    bool pumpUntil(const std::function<bool()>& done)
    {
        for (int round = 0; round < 500; ++round) {
            frame->idle();
            while (XPending(host)) {
                XEvent event;
                XNextEvent(host, &event);
            }
            if (done())
                return true;
            pollfd wait{ConnectionNumber(host), POLLIN, 0};
            poll(&wait, 1, 10);
        }
        return false;
    }

    unsigned long pixelAt(CPoint where)
    {
        XImage* image = XGetImage(host, frameWindow, static_cast<int>(where.x), static_cast<int>(where.y), 1, 1,
                                  AllPlanes, ZPixmap);
        if (!image)
            return ~0ul;
        unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
        XDestroyImage(image);
        return pixel;
    }

    void sendEvent(XEvent event, long mask)
    {
        event.xany.display = host;
        event.xany.window = frameWindow;
        XSendEvent(host, frameWindow, False, mask, &event);
        XFlush(host);
    }

    void sendButton(int type, CPoint where, unsigned int state)
    {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.root = DefaultRootWindow(host);
        event.xbutton.time = CurrentTime;
        event.xbutton.x = event.xbutton.x_root = static_cast<int>(where.x);
        event.xbutton.y = event.xbutton.y_root = static_cast<int>(where.y);
        event.xbutton.state = state;
        event.xbutton.button = Button1;
        event.xbutton.same_screen = True;
        sendEvent(event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
    }

    void sendMotion(CPoint where)
    {
        XEvent event{};
        event.xmotion.type = MotionNotify;
        event.xmotion.root = DefaultRootWindow(host);
        event.xmotion.x = event.xmotion.x_root = static_cast<int>(where.x);
        event.xmotion.y = event.xmotion.y_root = static_cast<int>(where.y);
        event.xmotion.state = Button1Mask;
        event.xmotion.same_screen = True;
        sendEvent(event, PointerMotionMask);
    }

    void sendEscape()
    {
        XEvent event{};
        event.xkey.type = KeyPress;
        event.xkey.root = DefaultRootWindow(host);
        event.xkey.state = Button1Mask;
        event.xkey.keycode = XKeysymToKeycode(host, XK_Escape);
        event.xkey.same_screen = True;
        sendEvent(event, KeyPressMask);
    }

    // The window pixel under the centre of point `index`'s handle (194 x 94 pixels of travel from (13, 13)).
    CPoint handleCentre(int index) const
    {
        const CPoint position = view->getPointPosition(index);
        return CPoint(std::round(13 + position.x * 194), std::round(13 + position.y * 94));
    }
    double target(int id) const { return params.getParam(id).second; }

    static x11_testing::XvfbServer* server;
    std::string savedDisplay;
    Display* host{nullptr};
    Window hostWindow{None};
    Window frameWindow{None};
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    std::set<int> reported;
    CFrame* frame{nullptr};
    CFilterView* view{nullptr};
};

x11_testing::XvfbServer* FilterViewX11::server = nullptr;

TEST_F(FilterViewX11, DraggingTheSecondPointSetsTheSecondSection)
{
    const CPoint start = handleCentre(1);
    ASSERT_TRUE(pumpUntil([&] { return pixelAt(start) == HANDLE_PIXEL; })) << std::hex << pixelAt(start);

    const CPoint end(188, 22); // x = 175 / 194, y = 9 / 94
    sendButton(ButtonPress, start, 0);
    sendMotion(CPoint(150, 40));
    sendMotion(end);
    sendButton(ButtonRelease, end, Button1Mask);
    ASSERT_TRUE(pumpUntil([&] { return view->getSelectedIndex() == -1 && target(22) < 0.2; }));
    const double x = 175. / 194.;
    EXPECT_DOUBLE_EQ(target(21), 50 + x * x * x * (10000 - 50));
    EXPECT_DOUBLE_EQ(target(22), 9. / 94.);
    EXPECT_EQ(reported, (std::set<int>{21, 22}));
    EXPECT_NEAR(target(16), 200.0, 1e-9);

    // The window shows the handle where it was left.
    EXPECT_TRUE(pumpUntil([&] { return pixelAt(end) == HANDLE_PIXEL; })) << std::hex << pixelAt(end);
}

TEST_F(FilterViewX11, EscapeDuringADragRestoresTheSecondSectionAndLeavesTheSoundStartAlone)
{
    const double startValue = target(0);
    sendButton(ButtonPress, handleCentre(1), 0);
    sendMotion(CPoint(50, 100));
    ASSERT_TRUE(pumpUntil([&] { return target(22) > 0.8; }));
    EXPECT_LT(target(21), 3000.0);

    sendEscape();
    ASSERT_TRUE(pumpUntil([&] { return view->getSelectedIndex() == -1; }));
    EXPECT_NEAR(target(21), 3000.0, 1e-6);
    EXPECT_NEAR(target(22), 0.3, 1e-12);
    EXPECT_EQ(target(0), startValue);
    EXPECT_EQ(reported.count(0), 0u);

    // The release that follows changes nothing more.
    sendButton(ButtonRelease, CPoint(50, 100), Button1Mask);
    sendMotion(CPoint(110, 60));
    ASSERT_TRUE(pumpUntil([] { return true; }));
    EXPECT_NEAR(target(21), 3000.0, 1e-6);
}

} // namespace
} // namespace korvel::gui
