// The editor window as a host meets it: Quillmar.so loaded through its entry, the window opened as the
// child of a host window on a private X server, clicked, dragged and typed at by another X client.

#include "QuillmarTestHost.h"
#include "editor/Controller.h"
#include "gui/CGroupbox.h"

// After the toolkit's headers: X defines None and Bool as macros.
#include "X11HostTest.h"

#include <X11/keysym.h>

#include <functional>
#include <utility>
#include <vector>

namespace korvel::test {
namespace {

int hostSideErrors = 0;
int countError(Display*, XErrorEvent*)
{
    ++hostSideErrors;
    return 0;
}

// The edit gestures the plug-in announced, as (opcode, parameter index); the host's answers are the
// default host's.
std::vector<std::pair<VstInt32, VstInt32>> gestures;
VstIntPtr recordGestures(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit)
        gestures.emplace_back(opcode, index);
    return host::PluginInstance::hostCallback(effect, opcode, index, value, ptr, opt);
}
bool gestureEnded(VstInt32 index)
{
    return !gestures.empty() && gestures.back() == std::pair<VstInt32, VstInt32>(audioMasterEndEdit, index);
}

class EditorInHost : public x11_testing::X11HostTest {
protected:
    void SetUp() override
    {
        hostSideErrors = 0;
        gestures.clear();
        previousHandler = XSetErrorHandler(countError);
        X11HostTest::SetUp();
    }

    void TearDown() override
    {
        host.reset();
        XSetErrorHandler(previousHandler);
    }

    // Idles the editor as a host's timer would, until `done`; false after a generous bound.
    bool idleUntil(host::PluginInstance& plugin, const std::function<bool()>& done, int rounds = 500)
    {
        return host->pumpUntil([&] { plugin.dispatch(effEditIdle); }, done, rounds);
    }

    XErrorHandler previousHandler = nullptr;
};

TEST_F(EditorInHost, OpensInTheHostWindowTakesClicksAndKeysAndCloses)
{
    constexpr int RATE_ID = 4;
    ScratchFolder folder;
    host::PluginInstance plugin(quillmarModule(), RATE, 512, recordGestures);
    ASSERT_TRUE(plugin.effect().flags & effFlagsHasEditor);
    for (int round = 0; round < 2; ++round) {
        ERect* rect = nullptr;
        ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
        ASSERT_NE(rect, nullptr);
        ASSERT_EQ(rect->right - rect->left, 1040);
        ASSERT_EQ(rect->bottom - rect->top, 573);
        const Window parent = host->makeWindow(rect->right, rect->bottom);
        ASSERT_NE(parent, static_cast<Window>(None));
        ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        Window editorWindow = None;
        ASSERT_TRUE(idleUntil(plugin, [&] { return (editorWindow = host->shownChildOf(parent)) != None; }));

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
        // The value is the dragged one only once the release has ended the drag's gesture.
        ASSERT_TRUE(idleUntil(plugin, [] { return gestureEnded(RATE_ID); }));
        const float dragged = plugin.effect().getParameter(&plugin.effect(), RATE_ID);
        EXPECT_GT(dragged, before);
        gestures.clear();
        host->key(editorWindow, XK_Down);
        ASSERT_TRUE(idleUntil(plugin, [] { return gestureEnded(RATE_ID); }));
        EXPECT_LT(plugin.effect().getParameter(&plugin.effect(), RATE_ID), dragged);
        // A second or so of idle with the window up.
        idleUntil(plugin, [] { return false; }, 150);
        plugin.dispatch(effEditClose);
        EXPECT_TRUE(host->waitUntilChildless(parent));
        XDestroyWindow(host->getDisplay(), parent);
    }
    XSync(host->getDisplay(), False);
    EXPECT_EQ(hostSideErrors, 0);
}

} // namespace
} // namespace korvel::test
