// The grain envelope in a real X window of a private Xvfb, dragged with X events as a user would, inside a
// plug-in editor whose host records the edit gestures.

#include "../BridgeRig.h"
#include "editor/BreakpointEditors.h"
#include "synth/SynthParamIds.h"
#include "vstgui/plugin-bindings/aeffguieditor.h"
#include "vstgui/testing/fakehost.h"

#include "X11HostTest.h"

#include <functional>
#include <memory>

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

class BreakpointDragX11 : public x11_testing::X11HostTest {
protected:
    void SetUp() override
    {
        X11HostTest::SetUp();
        if (!hostReady())
            return;
        hostWindow = host->makeWindow(120, 120);
        ASSERT_NE(hostWindow, static_cast<Window>(None));
        ASSERT_TRUE(editor.open(reinterpret_cast<void*>(hostWindow)));
        opened = true;
        ASSERT_TRUE(pumpUntil([&] { return (frameWindow = host->shownChildOf(hostWindow)) != None; }));
    }

    void TearDown() override
    {
        rig.params.clearListeners();
        if (opened)
            editor.close();
        tearDownHost(hostWindow);
    }

    // Runs the editor's idle until `done`; false after a generous bound.
    bool pumpUntil(const std::function<bool()>& done)
    {
        return host->pumpUntil([this] { editor.idle(); }, done);
    }

    Window hostWindow = None;
    Window frameWindow = None;
    test::BridgeRig rig;
    VSTGUI::testing::FakeHostEffect effect{180};
    EnvelopeEditor editor{&effect};
    bool opened = false;
};

TEST_F(BreakpointDragX11, DraggingTheAttackPointSetsTheAttackInOneHostGesture)
{
    // The point area (frame width 2) is 100 x 100 at (2, 2): the default attack point is drawn at (52, 2).
    gui::CBreakpoints* view = makeAttackDecayBreakpoints(rig.params, {0, 0, 104, 104}, {{0, 0, 0}, {90, 90, 90},
                                                                                         {255, 255, 255}, {255, 140, 0}});
    editor.getFrame()->addView(view);
    rig.params.addListener(view->getListener());
    view->getListener()->paramChanged(view->getListener()->mask);
    ASSERT_EQ(view->getPoints()[1].x, 0.5);

    host->button(frameWindow, ButtonPress, 52, 2, 0);
    for (int x : {45, 35, 27})
        host->motion(frameWindow, x, 40);
    host->button(frameWindow, ButtonRelease, 27, 40, Button1Mask);
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
