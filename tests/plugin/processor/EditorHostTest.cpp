// The editor window as a host meets it: Quillmar.so loaded through its entry, the window opened as the
// child of a host window on a private X server, clicked, dragged and typed at by another X client.

// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "QuillmarTestHost.h"
#include "XvfbServer.h"
#include "editor/Controller.h"
#include "gui/CGroupbox.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace korvel::test {
namespace {

int hostSideErrors = 0;
int countError(Display*, XErrorEvent*)
{
    ++hostSideErrors;
    return 0;
}

class EditorInHost : public ::testing::Test {
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
        setenv("DISPLAY", server->name().c_str(), 1);
        hostSideErrors = 0;
        previousHandler = XSetErrorHandler(countError);
        host = XOpenDisplay(server->name().c_str());
        ASSERT_NE(host, nullptr);
    }

    void TearDown() override
    {
        if (host)
            XCloseDisplay(host);
        XSetErrorHandler(previousHandler);
        if (savedDisplay.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", savedDisplay.c_str(), 1);
    }

    Window makeHostWindow(int width, int height)
    {
        Window window = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, width, height, 0, 0, 0);
        XMapWindow(host, window);
        XSync(host, False);
        return window;
    }

    Window childOf(Window parent)
    {
        Window root = None, up = None, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(host, parent, &root, &up, &children, &count);
        Window child = count == 1 ? children[0] : None;
        if (children)
            XFree(children);
        return child;
    }

    // Idles the editor as a host's timer would, until `done` or about a second and a half.
    bool idleUntil(host::PluginInstance& plugin, const std::function<bool()>& done)
    {
        for (int round = 0; round < 150; ++round) {
            plugin.dispatch(effEditIdle);
            if (done())
                return true;
            pollfd wait{ConnectionNumber(host), POLLIN, 0};
            poll(&wait, 1, 10);
        }
        return false;
    }

    void send(Window window, XEvent event, long mask)
    {
        event.xany.display = host;
        event.xany.window = window;
        XSendEvent(host, window, False, mask, &event);
        XFlush(host);
    }

    void button(Window window, int type, int x, int y, unsigned int state)
    {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.root = DefaultRootWindow(host);
        event.xbutton.x = event.xbutton.x_root = x;
        event.xbutton.y = event.xbutton.y_root = y;
        event.xbutton.state = state;
        event.xbutton.button = Button1;
        event.xbutton.same_screen = True;
        send(window, event, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask);
    }

    void motion(Window window, int x, int y)
    {
        XEvent event{};
        event.xmotion.type = MotionNotify;
        event.xmotion.root = DefaultRootWindow(host);
        event.xmotion.x = event.xmotion.x_root = x;
        event.xmotion.y = event.xmotion.y_root = y;
        event.xmotion.state = Button1Mask;
        event.xmotion.same_screen = True;
        send(window, event, PointerMotionMask | ButtonMotionMask);
    }

    void key(Window window, KeySym keySym)
    {
        XEvent event{};
        event.xkey.type = KeyPress;
        event.xkey.root = DefaultRootWindow(host);
        event.xkey.keycode = XKeysymToKeycode(host, keySym);
        event.xkey.same_screen = True;
        send(window, event, KeyPressMask);
    }

    static x11_testing::XvfbServer* server;
    std::string savedDisplay;
    XErrorHandler previousHandler = nullptr;
    Display* host = nullptr;
};

x11_testing::XvfbServer* EditorInHost::server = nullptr;

TEST_F(EditorInHost, OpensInTheHostWindowTakesClicksAndKeysAndCloses)
{
    constexpr int RATE_ID = 4;
    ScratchFolder folder;
    host::PluginInstance plugin(quillmarModule(), RATE, 512);
    ASSERT_TRUE(plugin.effect().flags & effFlagsHasEditor);
    for (int round = 0; round < 2; ++round) {
        ERect* rect = nullptr;
        ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
        ASSERT_NE(rect, nullptr);
        ASSERT_EQ(rect->right - rect->left, 1040);
        ASSERT_EQ(rect->bottom - rect->top, 573);
        const Window parent = makeHostWindow(rect->right, rect->bottom);
        ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        Window editorWindow = None;
        ASSERT_TRUE(idleUntil(plugin, [&] { return (editorWindow = childOf(parent)) != None; }));

        // The grain rate knob: the first knob of the "Grains" box.
        auto& editor = static_cast<Controller&>(*processorOf(plugin).getEditor());
        const gui::CGroupbox& grains = *editor.getBoxes().at(2);
        const VSTGUI::CRect content = grains.getContentRect();
        const int x = static_cast<int>(grains.getViewSize().left + content.left + 30);
        const int y = static_cast<int>(grains.getViewSize().top + content.top + 30);
        const float before = plugin.effect().getParameter(&plugin.effect(), RATE_ID);
        button(editorWindow, ButtonPress, x, y, 0);
        for (int step = 1; step <= 4; ++step)
            motion(editorWindow, x, y - 10 * step);
        button(editorWindow, ButtonRelease, x, y - 40, Button1Mask);
        ASSERT_TRUE(idleUntil(plugin, [&] {
            return plugin.effect().getParameter(&plugin.effect(), RATE_ID) > before;
        }));
        const float dragged = plugin.effect().getParameter(&plugin.effect(), RATE_ID);
        key(editorWindow, XK_Down);
        EXPECT_TRUE(idleUntil(plugin, [&] {
            return plugin.effect().getParameter(&plugin.effect(), RATE_ID) < dragged;
        }));
        // A second or so of idle with the window up.
        idleUntil(plugin, [] { return false; });
        plugin.dispatch(effEditClose);
        XSync(host, False);
        EXPECT_EQ(childOf(parent), static_cast<Window>(None));
        XDestroyWindow(host, parent);
    }
    XSync(host, False);
    EXPECT_EQ(hostSideErrors, 0);
}

} // namespace
} // namespace korvel::test
