// The editor opened, idled with X input and closed over and over on the host's GUI thread, while an audio
// thread plays notes, program changes and automation at varied block sizes and chunks are saved and restored,
// on the editor's thread or on a thread of their own. Made for ThreadSanitizer, where any race between the
// editor, the host and the audio thread shows; the run's length comes from QUILLMAR_STRESS_SECONDS.

#include "QuillmarTestHost.h"
#include "editor/Controller.h"
#include "gui/CGroupbox.h"

// After the toolkit's headers: X defines None and Bool as macros.
#include "X11HostTest.h"

#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace korvel::test {
namespace {

using Clock = std::chrono::steady_clock;

// Brief in the normal suite; the ThreadSanitizer stage runs each variant for a minute.
Clock::duration stressDuration()
{
    const char* text = std::getenv("QUILLMAR_STRESS_SECONDS");
    const double seconds = text ? std::atof(text) : 0.0;
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds > 0.0 ? seconds : 1.0));
}

constexpr int IDLES_PER_OPEN = 6;
constexpr int BLOCK_SIZES[] = {1, 7, 64, 100, 256, 333, 512, 1024};
constexpr int SOUND_SLOTS = 6;
constexpr int SLOTS = 9;
// Generated controller settings of grain.rate's first control: type, then amount.
constexpr int RATE_CONTROL_TYPE = 83;
constexpr int RATE_CONTROL_AMOUNT = 84;
constexpr int GRAIN_RATE = 4;
constexpr int GRAIN_ATTACK = 9;

// sixSlots, and slots 7..9 without a sound: program changes to those recall at once, so controllers
// change as often as program changes come, under the editor's drawing.
std::string stressState(const ScratchFolder& folder, double rate)
{
    std::vector<demo::StoredSlot> slots = sixSlots(folder, rate);
    for (int slot = SOUND_SLOTS + 1; slot <= SLOTS; ++slot)
        slots.push_back({slot, {}, {{"grain.rate", rate + slot}}});
    return demo::makeState(slots);
}

struct Figures {
    std::atomic<long> opens{0};
    std::atomic<long> blocks{0};
    std::atomic<long> chunks{0};
};

class EditorStress : public x11_testing::X11HostTest {
protected:
    enum class ChunkThread { EDITOR, OWN };

    void run(ChunkThread chunkThread)
    {
        ScratchFolder folder;
        const std::string states[] = {stressState(folder, 20.0), stressState(folder, 40.0)};
        host::PluginInstance plugin(quillmarModule(), RATE, 1024);
        plugin.restoreChunk(states[0]);
        plugin.resume();

        Figures figures;
        std::atomic<bool> done{false};
        std::thread audio([&] { playUntil(plugin, done, figures); });
        std::thread chunks;
        if (chunkThread == ChunkThread::OWN)
            chunks = std::thread([&] {
                for (long round = 0; !done.load(); ++round)
                    swapChunk(plugin, states[round % 2], figures);
            });

        const auto end = Clock::now() + stressDuration();
        while (Clock::now() < end) {
            openIdleAndClose(plugin, figures, [&](int idle) {
                if (chunkThread == ChunkThread::EDITOR)
                    swapChunk(plugin, states[idle % 2], figures);
            });
            if (HasFatalFailure())
                break;
        }
        done.store(true);
        audio.join();
        if (chunks.joinable())
            chunks.join();

        std::printf("editor stress: %ld opens, %ld blocks, %ld chunks\n", figures.opens.load(),
                    figures.blocks.load(), figures.chunks.load());
        RecordProperty("opens", std::to_string(figures.opens.load()));
        RecordProperty("blocks", std::to_string(figures.blocks.load()));
        RecordProperty("chunks", std::to_string(figures.chunks.load()));
        EXPECT_GT(figures.opens.load(), 0);
        EXPECT_GT(figures.blocks.load(), 0);
        EXPECT_GT(figures.chunks.load(), 0);
    }

private:
    // The host's audio thread: a note and a program change now and then, automation of values and
    // controller types between blocks, as many hosts send it.
    static void playUntil(host::PluginInstance& plugin, const std::atomic<bool>& done, Figures& figures)
    {
        AEffect& effect = plugin.effect();
        for (long block = 0; !done.load(); ++block) {
            const auto note = static_cast<unsigned char>(48 + block % 24);
            std::vector<std::array<unsigned char, 3>> messages{{0x90, note, 100}};
            if (block % 3 == 0)
                messages.push_back({0xC0, static_cast<unsigned char>(1 + block % SLOTS), 0});
            if (block % 5 == 0)
                messages.push_back({0x80, static_cast<unsigned char>(note - 1), 0});
            sendMidi(plugin, messages);
            const auto step = static_cast<float>(block % 10) / 10.0f;
            effect.setParameter(&effect, GRAIN_RATE, step);
            effect.setParameter(&effect, GRAIN_ATTACK, 1.0f - step);
            effect.setParameter(&effect, RATE_CONTROL_TYPE, static_cast<float>(block % 9) / 8.0f);
            effect.setParameter(&effect, RATE_CONTROL_AMOUNT, step);
            const int frames = BLOCK_SIZES[block % std::size(BLOCK_SIZES)];
            renderBlocks(plugin, frames, frames);
            figures.blocks.fetch_add(1);
        }
    }

    static void swapChunk(host::PluginInstance& plugin, const std::string& state, Figures& figures)
    {
        EXPECT_FALSE(chunkOf(plugin).empty());
        plugin.restoreChunk(state);
        figures.chunks.fetch_add(2);
    }

    // One session of the window: opened in a fresh host window, idled while the pointer moves over the
    // knobs and drags one, then closed. betweenIdles runs after each idle on this thread.
    template <typename BetweenIdles>
    void openIdleAndClose(host::PluginInstance& plugin, Figures& figures, BetweenIdles betweenIdles)
    {
        const Window parent = host->makeWindow(Controller::WIDTH, Controller::HEIGHT);
        ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        figures.opens.fetch_add(1);
        Window editorWindow = None;
        ASSERT_TRUE(host->pumpUntil([&] { plugin.dispatch(effEditIdle); },
                                    [&] { return (editorWindow = host->childOf(parent)) != None; }, 150));

        auto& editor = static_cast<Controller&>(*processorOf(plugin).getEditor());
        const gui::CGroupbox& grains = *editor.getBoxes().at(2);
        const int x = static_cast<int>(grains.getViewSize().left + grains.getContentRect().left + 30);
        const int y = static_cast<int>(grains.getViewSize().top + grains.getContentRect().top + 30);
        host->button(editorWindow, ButtonPress, x, y, 0);
        for (int idle = 0; idle < IDLES_PER_OPEN; ++idle) {
            host->motion(editorWindow, x, y - 5 * idle);
            XSync(host->getDisplay(), False);
            plugin.dispatch(effEditIdle);
            betweenIdles(idle);
        }
        host->button(editorWindow, ButtonRelease, x, y, Button1Mask);
        host->key(editorWindow, XK_Up);
        XSync(host->getDisplay(), False);
        plugin.dispatch(effEditIdle);
        plugin.dispatch(effEditClose);
        XDestroyWindow(host->getDisplay(), parent);
        XSync(host->getDisplay(), False);
    }
};

TEST_F(EditorStress, ChunksOnTheEditorThread)
{
    run(ChunkThread::EDITOR);
}

TEST_F(EditorStress, ChunksOnAThreadOfTheirOwn)
{
    run(ChunkThread::OWN);
}

} // namespace
} // namespace korvel::test
