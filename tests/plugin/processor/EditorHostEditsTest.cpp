// What a host hears while a user edits in the editor window: Quillmar.so loaded through its entry, the
// window opened in a host window on a private X server, and every kind of view driven by X events from
// another client. The host callback keeps the edit gestures and the automated values in call order.

#include "QuillmarTestHost.h"
#include "editor/Controller.h"
#include "gui/CBreakpoints.h"
#include "gui/CFilterView.h"
#include "gui/CGrid.h"
#include "gui/CKBKnob.h"
#include "gui/CTextSlider.h"
#include "gui/HostEditCheck.h"
#include "gui/ParamControllerView.h"
#include "gui/SoundfileView.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cmenuoverlay.h"
#include "vstgui/lib/controls/ctextbutton.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/dragging.h"

// After the toolkit's headers: X defines None and Bool as macros.
#include "X11HostTest.h"

#include <X11/keysym.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace korvel::test {
namespace {

using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::CView;

// The host's record; one instance at a time (the callback has no user pointer).
HostLog heard;
std::map<int, float> lastValues;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float value)
{
    if (opcode == audioMasterAutomate) {
        heard.push_back("automate " + std::to_string(index));
        lastValues[index] = value;
    } else if (opcode == audioMasterBeginEdit) {
        heard.push_back("begin " + std::to_string(index));
    } else if (opcode == audioMasterEndEdit) {
        heard.push_back("end " + std::to_string(index));
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

void collectViews(const VSTGUI::CViewContainer& container, std::vector<CView*>& out)
{
    for (CView* child : container.getChildren()) {
        out.push_back(child);
        if (auto* inner = dynamic_cast<VSTGUI::CViewContainer*>(child))
            collectViews(*inner, out);
    }
}

// The first view of type V that `accept` takes, else null.
template <typename V>
V* findView(const VSTGUI::CFrame& frame, const std::function<bool(const V&)>& accept = {})
{
    std::vector<CView*> views;
    collectViews(frame, views);
    for (CView* view : views)
        if (auto* typed = dynamic_cast<V*>(view); typed && (!accept || accept(*typed)))
            return typed;
    return nullptr;
}

template <typename V>
V* withTag(const VSTGUI::CFrame& frame, int tag)
{
    return findView<V>(frame, [tag](const V& view) { return view.getTag() == tag; });
}

// A point of a view, given in the view's own rectangle, in window coordinates.
CPoint onWindow(const CView& view, CPoint point)
{
    view.localToFrame(point);
    return point;
}

constexpr int RATE_ID = 4;
constexpr int RATE_PAD = 83; // grain.rate's first control: type 83, amount 84, x 85, y 86, rate 87

class EditorEditsInHost : public x11_testing::X11HostTest {
protected:
    void SetUp() override
    {
        heard.clear();
        lastValues.clear();
        X11HostTest::SetUp();
        if (!hostReady())
            return;
        plugin = std::make_unique<host::PluginInstance>(quillmarModule(), RATE, 512, recordingHost);
        ERect* rect = nullptr;
        ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
        parent = host->makeWindow(rect->right, rect->bottom);
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        ASSERT_TRUE(idleUntil([&] { return (window = host->childOf(parent)) != None; }));
        frame = static_cast<Controller&>(*processorOf(*plugin).getEditor()).getFrame();
        // From here on the record holds the user's edits alone.
        heard.clear();
        lastValues.clear();
    }

    void TearDown() override
    {
        if (plugin) {
            plugin->dispatch(effEditClose);
            plugin.reset();
        }
        host.reset();
    }

    // Idles the editor as a host's timer would, until `done` or a generous bound.
    bool idleUntil(const std::function<bool()>& done)
    {
        return host->pumpUntil([this] { plugin->dispatch(effEditIdle); }, done);
    }
    // Idles until every gesture begun since `mark` has ended again, with at least one of them.
    bool idleUntilGesturesEndAfter(std::size_t mark)
    {
        return idleUntil([mark] {
            const HostLog since(heard.begin() + static_cast<std::ptrdiff_t>(std::min(mark, heard.size())), heard.end());
            const auto ends = std::count_if(since.begin(), since.end(), [](const auto& e) { return e.rfind("end", 0) == 0; });
            const auto begins = std::count_if(since.begin(), since.end(), [](const auto& e) { return e.rfind("begin", 0) == 0; });
            return ends > 0 && ends == begins;
        });
    }

    void press(CPoint at, unsigned int button = Button1, unsigned int state = 0)
    {
        host->button(window, ButtonPress, int(at.x), int(at.y), state, button);
    }
    void release(CPoint at, unsigned int button = Button1, unsigned int state = 0)
    {
        const unsigned int held = button == Button3 ? Button3Mask : Button1Mask;
        host->button(window, ButtonRelease, int(at.x), int(at.y), state | held, button);
    }
    // A left-button drag in four steps; true once the host heard its gestures end.
    bool drag(CPoint from, CPoint to, unsigned int state = 0)
    {
        const std::size_t mark = heard.size();
        press(from, Button1, state);
        for (int step = 1; step <= 4; ++step) {
            const CPoint at = from + (to - from) * (step / 4.0);
            host->motion(window, int(at.x), int(at.y), state | Button1Mask);
        }
        release(to, Button1, state);
        return idleUntilGesturesEndAfter(mark);
    }
    bool click(CPoint at, unsigned int state = 0)
    {
        const std::size_t mark = heard.size();
        press(at, Button1, state);
        release(at, Button1, state);
        return idleUntilGesturesEndAfter(mark);
    }

    std::set<int> automatedSince(std::size_t mark) const
    {
        return automatedIds(HostLog(heard.begin() + static_cast<std::ptrdiff_t>(mark), heard.end()));
    }
    float hostValue(int id) { return plugin->effect().getParameter(&plugin->effect(), id); }

    // Every value the host heard lay inside a gesture of its id, and the last one sent for each id is
    // that parameter's value now.
    void expectEveryValueInsideItsGesture()
    {
        EXPECT_EQ(hostEditFaults(heard), HostLog{});
        for (const auto& [id, value] : lastValues)
            EXPECT_FLOAT_EQ(value, hostValue(id)) << "the last value sent for " << id << " is the parameter's";
    }
    // Drags grain.rate's knob up.
    void dragRateKnob()
    {
        auto* knob = withTag<gui::CKBKnob>(*frame, RATE_ID);
        ASSERT_NE(knob, nullptr);
        const CPoint centre = onWindow(*knob, knob->getViewSize().getCenter());
        const std::size_t mark = heard.size();
        ASSERT_TRUE(drag(centre, centre - CPoint(0, 40)));
        EXPECT_EQ(automatedSince(mark), std::set<int>{RATE_ID});
    }

    // Made first and gone last: the instance reads and the editor's close writes "./veldro.json".
    ScratchFolder folder;
    std::unique_ptr<host::PluginInstance> plugin;
    Window parent = None;
    Window window = None;
    VSTGUI::CFrame* frame = nullptr;
};

TEST_F(EditorEditsInHost, KnobDragsAndKeysAndThePadsMenuHandleAndSliders)
{
    dragRateKnob();
    std::size_t mark = heard.size();
    host->key(window, XK_Down);
    ASSERT_TRUE(idleUntilGesturesEndAfter(mark));
    EXPECT_EQ(automatedSince(mark), std::set<int>{RATE_ID});

    // The pad's kind menu, then its handle and its two sliders.
    auto* pad = withTag<gui::ParamControllerView>(*frame, RATE_PAD);
    ASSERT_NE(pad, nullptr);
    const CPoint padCentre = onWindow(*pad, pad->getViewSize().getCenter());
    press(padCentre, Button3);
    release(padCentre, Button3);
    auto openMenu = [this] { return dynamic_cast<VSTGUI::MenuOverlay*>(frame->getTopOverlay()); };
    ASSERT_TRUE(idleUntil([&] { return openMenu() != nullptr; }));
    const CPoint lfo = openMenu()->getEntryRect(3).getCenter();
    host->motion(window, int(lfo.x), int(lfo.y), 0);
    mark = heard.size();
    ASSERT_TRUE(click(lfo));
    EXPECT_EQ(pad->currentKind(), 3);
    EXPECT_TRUE(automatedSince(mark).count(RATE_PAD)) << "the kind reaches the host";
    const CRect padRect = pad->getViewSize();
    mark = heard.size();
    ASSERT_TRUE(drag(onWindow(*pad, padRect.getTopLeft() + CPoint(8, 8)), onWindow(*pad, padRect.getCenter())));
    EXPECT_EQ(automatedSince(mark), (std::set<int>{RATE_PAD + 2, RATE_PAD + 3}));
    for (gui::CTextSlider* slider : {pad->getAmountSlider(), pad->getRateSlider()}) {
        const CPoint middle = onWindow(*slider, slider->getViewSize().getCenter());
        mark = heard.size();
        ASSERT_TRUE(drag(middle, middle + CPoint(15, 0)));
        EXPECT_EQ(automatedSince(mark), std::set<int>{slider->getTag()});
    }
    expectEveryValueInsideItsGesture();
}

TEST_F(EditorEditsInHost, FilterPointsMixSlidersAndEnvelopePoints)
{
    // Each filter point from where it is drawn: the second one first, then the first one over it.
    auto* filter = findView<gui::CFilterView>(*frame);
    ASSERT_NE(filter, nullptr);
    auto handleOf = [filter](int index) {
        const CRect& r = filter->getViewSize();
        const CPoint p = filter->getPointPosition(index);
        const double size = filter->getPoint(index).width;
        return onWindow(*filter, CPoint(r.left + size / 2 + p.x * (r.getWidth() - size),
                                        r.top + size / 2 + p.y * (r.getHeight() - size)));
    };
    ASSERT_NE(handleOf(0), handleOf(1));
    std::size_t mark = heard.size();
    ASSERT_TRUE(drag(handleOf(1), handleOf(1) + CPoint(25, 12)));
    EXPECT_EQ(automatedSince(mark), (std::set<int>{21, 22}));
    mark = heard.size();
    ASSERT_TRUE(drag(handleOf(0), handleOf(1)));
    EXPECT_EQ(automatedSince(mark), (std::set<int>{16, 17}));
    auto* low = withTag<gui::CTextSlider>(*frame, 18);
    ASSERT_NE(low, nullptr);
    const CPoint lowMiddle = onWindow(*low, low->getViewSize().getCenter());
    mark = heard.size();
    ASSERT_TRUE(drag(lowMiddle, lowMiddle + CPoint(10, 0)));
    EXPECT_EQ(automatedSince(mark), std::set<int>{18});

    // The second keyboard envelope's decay point down: the two sustain levels move together (and the
    // decay's length by what the pixel grid rounds).
    auto* envelope = withTag<gui::CBreakpoints>(*frame, 40);
    ASSERT_NE(envelope, nullptr);
    auto pointOf = [](const gui::CBreakpoints& view, CPoint p) {
        const CRect& r = view.getViewSize();
        return onWindow(view, CPoint(r.left + 2 + p.x * (r.getWidth() - 4), r.bottom - 2 - p.y * (r.getHeight() - 4)));
    };
    const CPoint decay = envelope->getPoints()[2];
    mark = heard.size();
    ASSERT_TRUE(drag(pointOf(*envelope, decay), pointOf(*envelope, CPoint(decay.x, 0.2))));
    const std::set<int> envelopeIds = automatedSince(mark);
    EXPECT_TRUE(envelopeIds.count(47) && envelopeIds.count(50));
    EXPECT_TRUE(std::all_of(envelopeIds.begin(), envelopeIds.end(), [](int id) { return id >= 40 && id <= 54; }));

    // The grain's attack point pushed past its decay point sets both.
    auto* grain = withTag<gui::CBreakpoints>(*frame, 9);
    ASSERT_NE(grain, nullptr);
    const CPoint attack = grain->getPoints()[1];
    mark = heard.size();
    ASSERT_TRUE(drag(pointOf(*grain, attack), pointOf(*grain, CPoint(0.9, 1.0))));
    EXPECT_EQ(automatedSince(mark), (std::set<int>{9, 10}));
    expectEveryValueInsideItsGesture();
}

TEST_F(EditorEditsInHost, OptionButtonsAndPatchGridRecallsAndResets)
{
    auto* option = withTag<VSTGUI::CTextButton>(*frame, 59);
    ASSERT_NE(option, nullptr);
    std::size_t mark = heard.size();
    ASSERT_TRUE(click(onWindow(*option, option->getViewSize().getCenter())));
    EXPECT_EQ(automatedSince(mark), std::set<int>{59});

    dragRateKnob();
    // The patch grid: store the sound in cell 20, reset to the defaults, recall cell 20.
    auto* grid = findView<gui::CGrid>(*frame);
    ASSERT_NE(grid, nullptr);
    auto cellCentre = [&](int index) { return onWindow(*grid, grid->cell(index).rect.getCenter()); };
    const float edited = hostValue(RATE_ID);
    press(cellCentre(20), Button1, ShiftMask);
    release(cellCentre(20), Button1, ShiftMask);
    ASSERT_TRUE(idleUntil([&] { return grid->cell(20).value == 3.0; }));
    mark = heard.size();
    ASSERT_TRUE(click(cellCentre(0)));
    EXPECT_NE(hostValue(RATE_ID), edited);
    EXPECT_TRUE(automatedSince(mark).count(RATE_ID)) << "the reset reaches the host";
    mark = heard.size();
    ASSERT_TRUE(click(cellCentre(20)));
    EXPECT_FLOAT_EQ(hostValue(RATE_ID), edited);
    EXPECT_TRUE(automatedSince(mark).count(RATE_ID)) << "the recall reaches the host";

    expectEveryValueInsideItsGesture();
}

TEST_F(EditorEditsInHost, SoundSelectionEdges)
{
    // A file dropped on the sound view: once its sound is installed, the whole of it is the selection the
    // user chose. Then the end edge alone, then both with Shift.
    auto* soundView = findView<gui::SoundfileView>(*frame);
    ASSERT_NE(soundView, nullptr);
    auto dropped = VSTGUI::owned(new VSTGUI::CDropSource());
    dropped->addFilePath(folder.sound("chord.wav", {220.0, 330.0}).string());
    ASSERT_TRUE(soundView->getDropTarget()->onDrop(VSTGUI::DragEventData{dropped, CPoint(), 0}));
    ASSERT_TRUE(idleUntilGesturesEndAfter(0));
    EXPECT_EQ(heard, (HostLog{"begin 0", "automate 0", "begin 1", "automate 1", "end 1", "end 0"}));
    EXPECT_EQ(lastValues[0], 0.0f);
    EXPECT_EQ(lastValues[1], 1.0f);
    ASSERT_TRUE(idleUntil([&] { return soundView->getLines().columns() > 0; }));
    const CRect wave = soundView->getViewSize();
    const double waveRight = wave.left + double(soundView->getLines().columns());
    const double waveMiddle = wave.top + wave.getHeight() / 2;
    std::size_t mark = heard.size();
    ASSERT_TRUE(drag(onWindow(*soundView, CPoint(waveRight - 2, waveMiddle)),
                     onWindow(*soundView, CPoint(wave.left + 0.6 * (waveRight - wave.left), waveMiddle))));
    EXPECT_EQ(automatedSince(mark), std::set<int>{1});
    mark = heard.size();
    ASSERT_TRUE(drag(onWindow(*soundView, CPoint(wave.left + 0.3 * (waveRight - wave.left), waveMiddle)),
                     onWindow(*soundView, CPoint(wave.left + 0.1 * (waveRight - wave.left), waveMiddle)), ShiftMask));
    EXPECT_EQ(automatedSince(mark), (std::set<int>{0, 1}));
    EXPECT_EQ(hostEditFaults(heard), HostLog{});
    expectEveryValueInsideItsGesture();
}

} // namespace
} // namespace korvel::test
