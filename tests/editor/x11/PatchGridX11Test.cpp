// The patch grid in a frame embedded in a real X window of a private Xvfb, driven by button events
// that another client sends, as a host's window would pass them on.

// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "editor/PatchManager.h"
#include "gui/CGrid.h"
#include "gui/StaticPalettes.h"
#include "synth/Synth.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cmenuoverlay.h"

#include "XvfbServer.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace korvel::test {
namespace {

using namespace VSTGUI;

class PatchGridX11 : public ::testing::Test {
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
        hostWindow = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 300, 200, 0, 0, 0);
        XMapWindow(host, hostWindow);
        XSync(host, False);

        frame = new CFrame(CRect(0, 0, 300, 200), nullptr);
        grid = new gui::CGrid(CRect(4, 4, 292, 116), nullptr, 18, 7);
        manager = std::make_unique<veldro::PatchManager>(grid, synth, gui::patchManagerColours);
        grid->setListener(manager.get());
        grid->setSpacing(CPoint(4, 4));
        grid->layoutCells();
        frame->addView(grid);
        ASSERT_TRUE(frame->open(reinterpret_cast<void*>(hostWindow)));
        ASSERT_TRUE(pumpUntil([this] { return (frameWindow = findFrameWindow()) != None; }));
    }

    void TearDown() override
    {
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

    void sendButton(int type, unsigned int button, CPoint where, unsigned int state)
    {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.display = host;
        event.xbutton.window = frameWindow;
        event.xbutton.root = DefaultRootWindow(host);
        event.xbutton.time = CurrentTime;
        event.xbutton.x = event.xbutton.x_root = static_cast<int>(where.x);
        event.xbutton.y = event.xbutton.y_root = static_cast<int>(where.y);
        event.xbutton.state = state;
        event.xbutton.button = button;
        event.xbutton.same_screen = True;
        XSendEvent(host, frameWindow, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
        XFlush(host);
    }
    void click(unsigned int button, CPoint where, unsigned int heldMask)
    {
        sendButton(ButtonPress, button, where, 0);
        sendButton(ButtonRelease, button, where, heldMask);
    }
    CPoint cellCentre(int index) const
    {
        CPoint centre = grid->cell(index).rect.getCenter();
        return grid->localToFrame(centre);
    }
    MenuOverlay* openMenu() const { return dynamic_cast<MenuOverlay*>(frame->getTopOverlay()); }

    static x11_testing::XvfbServer* server;
    std::string savedDisplay;
    Display* host{nullptr};
    Window hostWindow{None};
    Window frameWindow{None};
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    CFrame* frame{nullptr};
    gui::CGrid* grid{nullptr};
    std::unique_ptr<veldro::PatchManager> manager;
};

x11_testing::XvfbServer* PatchGridX11::server = nullptr;

TEST_F(PatchGridX11, CopyChosenFromTheRightButtonMenuPastesIntoTheNextClickedCell)
{
    params.setParam(4, 150.0, -1.0);
    params.storePatch(3, true, 127);

    click(Button3, cellCentre(3), Button3Mask);
    ASSERT_TRUE(pumpUntil([this] { return openMenu() != nullptr; }));
    ASSERT_EQ(openMenu()->getMenu().getEntry(veldro::PatchManager::COPY)->getTitle().getString(), "Copy");
    const CPoint copy = openMenu()->getEntryRect(veldro::PatchManager::COPY).getCenter();
    click(Button1, copy, Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return openMenu() == nullptr; }));
    ASSERT_TRUE(pumpUntil([this] { return manager->getPendingAction() == veldro::PatchManager::COPY; }));

    click(Button1, cellCentre(40), Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return params.hasPatch(40); }));
    EXPECT_EQ(params.getPatch(40), params.getPatch(3));
    EXPECT_EQ(grid->cell(40).color, gui::patchManagerColours[veldro::PatchManager::USED_SLOT]);
}

} // namespace
} // namespace korvel::test
