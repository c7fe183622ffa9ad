// The editor window as a host meets it: Quillmar.so loaded through its entry, the window opened as the
// child of a host window on a private X server, clicked, dragged and typed at by another X client.

#include "QuillmarTestHost.h"
#include "editor/Controller.h"
#include "gui/CGroupbox.h"
#include "gui/CTextDisplay.h"

// After the toolkit's headers: X defines None and Bool as macros.
#include "X11HostTest.h"

#include <X11/keysym.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
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

    // Opens the editor in a new host window and idles until the window shows; its controller, or null.
    Controller* openEditor(host::PluginInstance& plugin, Window& parent)
    {
        ERect* rect = nullptr;
        plugin.dispatch(effEditGetRect, 0, 0, &rect);
        parent = host->makeWindow(rect->right, rect->bottom);
        if (plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) != 1 ||
            !idleUntil(plugin, [&] { return host->shownChildOf(parent) != None; }))
            return nullptr;
        return static_cast<Controller*>(processorOf(plugin).getEditor());
    }

    XErrorHandler previousHandler = nullptr;
};

// The display above the filter view: "filter" and the cutoff's value.
gui::CTextDisplay* filterValueDisplay(const Controller& editor)
{
    for (VSTGUI::CView* view : editor.getBoxes().at(4)->getChildren())
        if (auto* display = dynamic_cast<gui::CTextDisplay*>(view)) {
            const std::string title = display->getTitle().getString();
            if (title.starts_with("filter ") && std::isdigit(static_cast<unsigned char>(title[7])))
                return display;
        }
    return nullptr;
}

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

TEST_F(EditorInHost, TheFilterValueShowsTheHostsWriteAfterTheIdleAndAtTheNextOpen)
{
    constexpr int FILTER_FREQ = 16;
    ScratchFolder folder;
    host::PluginInstance plugin(quillmarModule(), RATE, 512);
    Processor& processor = processorOf(plugin);
    processor.getSynth().loadSound(folder.sound("chord.wav", {220.0, 330.0}).string(), {});
    plugin.resume();
    Window parent = None;
    Controller* editor = openEditor(plugin, parent);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(idleUntil(plugin, [&] { return processor.getSynth().isSoundReady(); }));
    gui::CTextDisplay* value = filterValueDisplay(*editor);
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(value->getTitle(), "filter 1200.00");

    // The host automates the cutoff on its audio thread while a note sounds.
    std::atomic<bool> written{false};
    std::atomic<bool> done{false};
    std::thread audio([&] {
        sendMidi(plugin, {{0x90, 60, 100}});
        for (int block = 0; !done.load(); ++block) {
            if (block == 4) {
                plugin.effect().setParameter(&plugin.effect(), FILTER_FREQ, 0.1f);
                written.store(true);
            }
            renderBlocks(plugin, 512, 512);
        }
    });
    ASSERT_TRUE(idleUntil(plugin, [&] { return written.load(); }));
    char text[32];
    std::snprintf(text, sizeof text, "filter %.2f", processor.getSynth().getParams().getParam(FILTER_FREQ).second);
    const std::string live = text;
    ASSERT_NE(live, "filter 1200.00");
    EXPECT_TRUE(idleUntil(plugin, [&] { return value->getTitle().getString() == live; }))
        << value->getTitle().getString();
    done.store(true);
    audio.join();

    plugin.dispatch(effEditClose);
    EXPECT_TRUE(host->waitUntilChildless(parent));
    editor = openEditor(plugin, parent);
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(filterValueDisplay(*editor), nullptr);
    EXPECT_EQ(filterValueDisplay(*editor)->getTitle().getString(), live);
    plugin.dispatch(effEditClose);
    EXPECT_TRUE(host->waitUntilChildless(parent));
}

// Holds every sound load on its pool thread, once its file is read, until released. The hold
// ends by itself after a bound that only a call waiting for the load reaches (a restore once
// waited 20 s): then released() says so.
class LoadHold {
public:
    explicit LoadHold(veldro::Synth& synth) : synth(synth)
    {
        synth.setLoadFinishGate([this](const std::wstring&) {
            std::unique_lock lock(mutex);
            held = true;
            changed.notify_all();
            if (!changed.wait_for(lock, BOUND, [this] { return releasedByTest; }))
                outlasted = true;
        });
    }
    ~LoadHold() { release(); }

    void waitUntilHeld()
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return held; });
    }
    // True when nothing outlasted the hold.
    bool release()
    {
        synth.setLoadFinishGate({});
        const std::lock_guard lock(mutex);
        releasedByTest = true;
        changed.notify_all();
        return !outlasted;
    }

private:
    static constexpr std::chrono::seconds BOUND{10};

    veldro::Synth& synth;
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
    bool releasedByTest = false;
    bool outlasted = false;
};

TEST_F(EditorInHost, NoHostCallWaitsForTheSoundOfARestore)
{
    ScratchFolder folder;
    const std::string state = demo::makeState({{1, folder.sound("a.wav", {220.0}), {{"grain.rate", 30.0}}}});
    host::PluginInstance plugin(quillmarModule(), RATE, 512);
    // After the instance, so that it lets go first.
    LoadHold hold(processorOf(plugin).getSynth());
    plugin.restoreChunk(state);
    hold.waitUntilHeld();
    const std::string restored = chunkOf(plugin);
    EXPECT_NE(restored.find("\"grain.rate\": 30,"), std::string::npos) << "the live slot waits for its sound";
    EXPECT_NE(restored.find("a.wav"), std::string::npos);
    Window parent = None;
    ASSERT_NE(openEditor(plugin, parent), nullptr);
    plugin.dispatch(effEditClose);
    EXPECT_FALSE(chunkOf(plugin).empty());
    EXPECT_TRUE(hold.release()) << "a call waited for the held load";
    EXPECT_TRUE(host->waitUntilChildless(parent));
}

} // namespace
} // namespace korvel::test
