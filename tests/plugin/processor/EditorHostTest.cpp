// The editor window as a host meets it: Quillmar.so loaded through its entry, the window opened as the
// child of a host window on a private X server, clicked, dragged and typed at by another X client.

#include "QuillmarTestHost.h"
#include "editor/Controller.h"
#include "gui/CGroupbox.h"

// After the toolkit's headers: X defines None and Bool as macros.
#include "X11HostTest.h"

#include <X11/keysym.h>

#include <functional>

namespace korvel::test {
namespace {

int hostSideErrors = 0;
int countError(Display*, XErrorEvent*)
{
    ++hostSideErrors;
    return 0;
}

class EditorInHost : public x11_testing::X11HostTest {
protected:
    void SetUp() override
    {
        hostSideErrors = 0;
        previousHandler = XSetErrorHandler(countError);
        X11HostTest::SetUp();
    }

    void TearDown() override
    {
        host.reset();
        XSetErrorHandler(previousHandler);
    }

    // Idles the editor as a host's timer would, until `done` or about a second and a half.
    bool idleUntil(host::PluginInstance& plugin, const std::function<bool()>& done)
    {
        return host->pumpUntil([&] { plugin.dispatch(effEditIdle); }, done, 150);
    }

    XErrorHandler previousHandler = nullptr;
};

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
        const Window parent = host->makeWindow(rect->right, rect->bottom);
        ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        Window editorWindow = None;
        ASSERT_TRUE(idleUntil(plugin, [&] { return (editorWindow = host->childOf(parent)) != None; }));

        // The grain rate knob: the first knob of the "Grains" box.
        auto& editor = static_cast<Controller&>(*processorOf(plugin).getEditor());
        const gui::CGroupbox& grains = *editor.getBoxes().at(2);
        const VSTGUI::CRect content = grains.getContentRect();
        const int x = static_cast<int>(grains.getViewSize().left + content.left + 30);
        const int y = static_cast<int>(grains.getViewSize().top + content.top + 30);
        const float before = plugin.effect().getParameter(&plugin.effect(), RATE_ID);
        host->button(editorWindow, ButtonPress, x, y, 0);
        for (int step = 1; step <= 4; ++step)
            host->motion(editorWindow, x, y - 10 * step);
        host->button(editorWindow, ButtonRelease, x, y - 40, Button1Mask);
        ASSERT_TRUE(idleUntil(plugin, [&] {
            return plugin.effect().getParameter(&plugin.effect(), RATE_ID) > before;
        }));
        const float dragged = plugin.effect().getParameter(&plugin.effect(), RATE_ID);
        host->key(editorWindow, XK_Down);
        EXPECT_TRUE(idleUntil(plugin, [&] {
            return plugin.effect().getParameter(&plugin.effect(), RATE_ID) < dragged;
        }));
        // A second or so of idle with the window up.
        idleUntil(plugin, [] { return false; });
        plugin.dispatch(effEditClose);
        XSync(host->getDisplay(), False);
        EXPECT_EQ(host->childOf(parent), static_cast<Window>(None));
        XDestroyWindow(host->getDisplay(), parent);
    }
    XSync(host->getDisplay(), False);
    EXPECT_EQ(hostSideErrors, 0);
}

} // namespace
} // namespace korvel::test
