// A controller pad in a real X window of a private Xvfb, driven by clicks from another client as a
// user's would come: the kind menu, then a drag, with what the host hears recorded.

#include "../HostEditCheck.h"
#include "../PadRig.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cmenuoverlay.h"
#include "vstgui/plugin-bindings/aeffguieditor.h"
#include "vstgui/testing/fakehost.h"

#include "X11HostTest.h"

#include <functional>
#include <memory>
#include <set>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

constexpr int WIDTH = 300;
constexpr int HEIGHT = 200;

// The plug-in's side: an editor whose frame lives in the host's window.
class PadEditor : public AEffGUIEditor {
public:
    explicit PadEditor(AudioEffect* effect) : AEffGUIEditor(effect) {}
    bool open(void* parent) override
    {
        AEffGUIEditor::open(parent);
        frame = new CFrame(CRect(0., 0., WIDTH, HEIGHT), this);
        rect = ERect{0, 0, HEIGHT, WIDTH};
        return frame->open(parent);
    }
    void close() override
    {
        frame->close();
        frame->forget();
        frame = nullptr;
        AEffGUIEditor::close();
    }
};

class ControllerPadX11 : public x11_testing::X11HostTest {
protected:
    void SetUp() override
    {
        X11HostTest::SetUp();
        if (!hostReady())
            return;
        hostWindow = host->makeWindow(WIDTH, HEIGHT);
        ASSERT_NE(hostWindow, static_cast<Window>(None));

        effect = std::make_unique<VSTGUI::testing::FakeHostEffect>(180);
        rig.params.setHostNotify([this](int id, float) { effect->log.push_back("automate " + std::to_string(id)); });
        editor = std::make_unique<PadEditor>(effect.get());
        ASSERT_TRUE(editor->open(reinterpret_cast<void*>(hostWindow)));
        pad = makeParamControllerView(*editor->getFrame(), CRect(20., 20., 120., 90.), rig.handle(4),
                                      controllerPalettes);
        pad->setController(0, 512);
        ASSERT_TRUE(pumpUntil([&] { return (frameWindow = host->shownChildOf(hostWindow)) != None; }));
    }

    void TearDown() override
    {
        if (editor && editor->getFrame())
            editor->close();
        tearDownHost(hostWindow);
        editor.reset();
        effect.reset();
    }

    // Runs the editor's idle and drains the host's events until `done`; false after a generous bound.
    bool pumpUntil(const std::function<bool()>& done)
    {
        return host->pumpUntil([this] { editor->idle(); }, done);
    }

    void sendButton(int type, unsigned int button, int x, int y, unsigned int state)
    {
        host->button(frameWindow, type, x, y, state, button);
    }
    void sendMotion(int x, int y, unsigned int state) { host->motion(frameWindow, x, y, state); }

    MenuOverlay* openMenu() const { return dynamic_cast<MenuOverlay*>(editor->getFrame()->getTopOverlay()); }

    Window hostWindow = None;
    Window frameWindow = None;
    test::PadRig rig;
    std::unique_ptr<VSTGUI::testing::FakeHostEffect> effect;
    std::unique_ptr<PadEditor> editor;
    ParamControllerView* pad = nullptr;
};

TEST_F(ControllerPadX11, RightClickChooseLfoThenDragTheShape)
{
    sendButton(ButtonPress, Button3, 50, 50, 0);
    sendButton(ButtonRelease, Button3, 50, 50, Button3Mask);
    ASSERT_TRUE(pumpUntil([this] { return openMenu() != nullptr; }));
    const CPoint entry = openMenu()->getEntryRect(3).getCenter();
    const int ex = static_cast<int>(entry.x);
    const int ey = static_cast<int>(entry.y);
    sendMotion(ex, ey, 0);
    sendButton(ButtonPress, Button1, ex, ey, 0);
    sendButton(ButtonRelease, Button1, ex, ey, Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return pad->currentKind() == 3; }));
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_EQ(rig.live(4).type, 3u);
    // Each setting the choice changed reaches the host in a gesture of its own.
    EXPECT_EQ(test::hostEditFaults(effect->log), test::HostLog{});
    EXPECT_TRUE(test::automatedIds(effect->log).count(83));
    effect->log.clear();
    const double skewBefore = rig.live(4).params[0].target;
    const double clipBefore = rig.live(4).params[1].target;

    sendButton(ButtonPress, Button1, 40, 40, 0);
    for (int step = 1; step <= 5; ++step)
        sendMotion(40 + 10 * step, 40 + 5 * step, Button1Mask);
    sendButton(ButtonRelease, Button1, 90, 65, Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return !effect->log.empty() && effect->log.back() == "end 85"; }));
    EXPECT_EQ(test::gesturesOf(effect->log), (test::HostLog{"begin 85", "begin 86", "end 86", "end 85"}));
    EXPECT_EQ(test::hostEditFaults(effect->log), test::HostLog{});
    EXPECT_EQ(test::automatedIds(effect->log), (std::set<int>{85, 86}));
    EXPECT_EQ(rig.live(4).type, 3u);
    EXPECT_NE(rig.live(4).params[0].target, skewBefore);
    EXPECT_NE(rig.live(4).params[1].target, clipBefore);
    double x = 0.;
    double y = 0.;
    CCustomDrawXYPad::decode(pad->getValue(), x, y);
    // The LFO pad is shortened for its rate slider (100 x 59); its handle is 6 wide.
    EXPECT_NEAR(x, (90. - 23.) / (100. - 6.), 1e-3);
    EXPECT_NEAR(y, (65. - 23.) / (59. - 6.), 1e-3);
}

} // namespace
} // namespace korvel::gui
