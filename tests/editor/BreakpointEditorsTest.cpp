#include "BridgeRig.h"

#include "editor/ADSR_BreakpointsListener.h"
#include "editor/BreakpointEditors.h"
#include "gui/HostEditCheck.h"
#include "patch/StateText.h"
#include "synth/SynthParamIds.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/testing/fakehost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <thread>

namespace korvel::veldro {
namespace {

using namespace VSTGUI;
using GestureLog = VSTGUI::testing::GestureLog;

constexpr int ATTACK = param_id::GRAIN_ATTACK;
constexpr int DECAY = param_id::GRAIN_DECAY;
constexpr int ENV = param_id::ADSR1_FIRST;
constexpr int delta(int point) { return ENV + 3 * point; }
constexpr int level(int point) { return ENV + 3 * point + 1; }
// The longest delta of points 1 to 3 as a length on the cubic 0..100000 ms axis.
const double LONGEST = std::cbrt(0.1);

const gui::Palette PALETTE{{20, 20, 20}, {90, 90, 90}, {220, 220, 220}, {255, 140, 0}};

// A breakpoint editor on an offscreen frame over a real parameter model. The point area (frame width 2) is
// 100 x 100 at (2, 2), so at(x, y) is where the point (x, y) is drawn.
class BreakpointEditors : public ::testing::Test {
protected:
    BreakpointEditors()
    {
        rig.params.setPatchCount(4);
        rig.params.setHostNotify([this](int id, float value) {
            rig.hostReports.emplace_back(id, value);
            editor.log.push_back("automate " + std::to_string(id));
        });
        frame = owned(new CFrame({0, 0, 200, 200}, &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
    }
    ~BreakpointEditors() override
    {
        rig.params.clearListeners();
        frame->close();
    }

    void open(gui::CBreakpoints* made)
    {
        view = made;
        view->setTextReceiver(&status);
        frame->addView(view);
        gui::CBreakpointsListener* listener = view->getListener();
        rig.params.addListener(listener);
        listener->paramChanged(listener->mask);
        // From here on the log holds what the view tells the host.
        editor.log.clear();
    }
    void openEnvelope() { open(makeAdsrBreakpoints(rig.params, ENV, {0, 0, 104, 104}, PALETTE)); }
    void openAttackDecay() { open(makeAttackDecayBreakpoints(rig.params, {0, 0, 104, 104}, PALETTE)); }

    // Points (0, 0.25), (0.25, 1), (0.5, 0.5), (0.75, 0.5), (1, 0.25): every delta 1562.5 ms.
    void setRoundEnvelope()
    {
        for (int point = 1; point <= 3; ++point)
            set(delta(point), 1562.5);
        const double levels[] = {0.25, 1.0, 0.5, 0.5, 0.25};
        for (int point = 0; point < 5; ++point)
            set(level(point), levels[point]);
    }

    void set(int id, double v) { rig.params.setParam(id, v, 0.0); }
    double target(int id) const { return rig.target(id); }
    static CPoint at(double x, double y) { return {2 + 100 * x, 102 - 100 * y}; }
    CMouseEventResult press(double x, double y) { return frame->platformOnMouseDown(at(x, y), kLButton); }
    void move(double x, double y) { frame->platformOnMouseMoved(at(x, y), kLButton); }
    void release(double x, double y) { frame->platformOnMouseUp(at(x, y), kLButton); }
    void drag(CPoint from, CPoint to)
    {
        press(from.x, from.y);
        move(to.x, to.y);
        release(to.x, to.y);
    }
    CPoint point(std::size_t i) const { return view->getPoints()[i]; }
    // What the listener draws from the parameters alone.
    std::vector<CPoint> redrawn()
    {
        view->getListener()->paramChanged(16);
        return view->getPoints();
    }

    test::BridgeRig rig;
    VSTGUI::testing::RecordingEditor editor;
    SharedPointer<CFrame> frame;
    test::TextLog status;
    gui::CBreakpoints* view = nullptr;
};

void expectPoints(const std::vector<CPoint>& actual, const std::vector<CPoint>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-12) << "point " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-12) << "point " << i;
    }
}

// ---- the grain envelope

TEST_F(BreakpointEditors, GrainEnvelopeStartsFromTheDefaultAttackAndDecay)
{
    openAttackDecay();
    EXPECT_EQ(view->getTag(), ATTACK);
    EXPECT_EQ(view->getListener()->getId(), ATTACK);
    EXPECT_EQ(view->getListener()->mask, 14u);
    expectPoints(view->getPoints(), {{0, 0}, {0.5, 1}, {0.5, 1}, {1, 0}});
    EXPECT_EQ(status.last(), "att 50 dec 50");
}

TEST_F(BreakpointEditors, DraggingTheAttackPointSetsTheAttackAndTellsTheHost)
{
    openAttackDecay();
    drag({0.5, 1}, {0.25, 0.5}); // the inner points stay at the top
    EXPECT_EQ(target(ATTACK), 0.25);
    EXPECT_EQ(target(DECAY), 0.5);
    EXPECT_EQ(point(1), CPoint(0.25, 1));
    ASSERT_FALSE(rig.hostReports.empty());
    EXPECT_EQ(rig.hostReports.back(), (std::pair<int, float>{ATTACK, 0.25f}));
    EXPECT_EQ(status.last(), "att 25 dec 50");
    EXPECT_EQ(test::gesturesOf(editor.log), (GestureLog{"begin 9", "end 9"}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
}

TEST_F(BreakpointEditors, DraggingTheDecayPointSetsTheDecay)
{
    set(ATTACK, 0.25);
    openAttackDecay();
    drag({0.5, 1}, {0.75, 0.25});
    EXPECT_EQ(target(DECAY), 0.25);
    EXPECT_EQ(target(ATTACK), 0.25);
    EXPECT_EQ(status.last(), "att 25 dec 25");
}

TEST_F(BreakpointEditors, AttackPushedPastTheDecayPointSetsBoth)
{
    set(ATTACK, 0.25);
    openAttackDecay();
    drag({0.25, 1}, {0.625, 1});
    EXPECT_EQ(target(ATTACK), 0.625);
    EXPECT_EQ(target(DECAY), 0.3125); // the decay point moved half the way past it
    EXPECT_EQ(redrawn(), (std::vector<CPoint>{{0, 0}, {0.625, 1}, {0.6875, 1}, {1, 0}}));
    EXPECT_EQ(test::gesturesOf(editor.log), (GestureLog{"begin 9", "begin 10", "end 10", "end 9"}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
}

TEST_F(BreakpointEditors, FastAttackDragPastTheDecayPointMovesBothPoints)
{
    set(ATTACK, 0.25);
    openAttackDecay();
    drag({0.25, 1}, {0.875, 1});
    EXPECT_EQ(target(ATTACK), 0.8125);
    EXPECT_EQ(target(DECAY), 0.1875);
}

TEST_F(BreakpointEditors, GrainEnvelopeEndsCannotBeDragged)
{
    openAttackDecay();
    EXPECT_EQ(press(0, 0), kMouseEventNotHandled);
    release(0, 0);
    EXPECT_EQ(press(1, 0), kMouseEventNotHandled);
    release(1, 0);
    EXPECT_TRUE(editor.log.empty());
    EXPECT_TRUE(rig.hostReports.empty());
    EXPECT_EQ(target(ATTACK), 0.5);
}

TEST_F(BreakpointEditors, AutomationFromAnotherThreadIsDrawnAtTheNextIdle)
{
    openAttackDecay();
    std::thread([this] { rig.params.setParamNormalized(ATTACK, 0.25); }).join();
    EXPECT_EQ(point(1).x, 0.5);
    view->getListener()->applyPendingUpdate();
    EXPECT_EQ(point(1).x, 0.25);
}

// ---- the keyboard envelopes

TEST_F(BreakpointEditors, KeyboardEnvelopesStartFromTheirDefaults)
{
    openEnvelope();
    EXPECT_EQ(view->getListener()->mask, 16u);
    // Attack 12.5 ms, decay 100 ms after it, release 2700 ms before the end, sustain 0.8.
    expectPoints(view->getPoints(), {{0, 0}, {0.05, 1}, {0.15, 0.8}, {0.7, 0.8}, {1, 0}});

    rig.params.clearListeners(); // before the view deletes its listener
    frame->removeView(view);
    open(makeAdsrBreakpoints(rig.params, param_id::ADSR2_FIRST, {0, 0, 104, 104}, PALETTE));
    EXPECT_EQ(view->getTag(), 40);
    expectPoints(view->getPoints(), {{0, 0}, {0.2, 1}, {0.5, 0.4}, {0.8, 0.4}, {1, 0}});
}

TEST_F(BreakpointEditors, LeakPointStaysAtTheStartAndGivesTheEndItsLevel)
{
    setRoundEnvelope();
    openEnvelope();
    drag({0, 0.25}, {0.5, 0.375});
    EXPECT_EQ(point(0), CPoint(0, 0.375));
    EXPECT_EQ(target(level(0)), 0.375);
    EXPECT_EQ(target(level(4)), 0.375);
    EXPECT_EQ(target(delta(0)), 0.0);
    EXPECT_EQ(target(delta(1)), 1562.5);
    // The two leak levels moved; the host hears both, each inside its own gesture.
    EXPECT_EQ(test::gesturesOf(editor.log), (GestureLog{"begin 26", "begin 38", "end 38", "end 26"}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});

    drag({0, 0.375}, {0, 0}); // level 0 links too
    EXPECT_EQ(target(level(0)), 0.0);
    EXPECT_EQ(target(level(4)), 0.0);
    EXPECT_EQ(point(4), CPoint(1, 0));
}

TEST_F(BreakpointEditors, AttackPointSetsAttackAndLevelAndKeepsTheDecayPointInPlace)
{
    setRoundEnvelope();
    openEnvelope();
    drag({0.25, 1}, {0.125, 0.75});
    EXPECT_EQ(target(delta(1)), 195.3125);
    EXPECT_EQ(target(level(1)), 0.75);
    EXPECT_DOUBLE_EQ(target(delta(2)), 5273.4375); // the decay still ends where it is drawn
    EXPECT_EQ(target(delta(3)), 1562.5);
    expectPoints(redrawn(), {{0, 0.25}, {0.125, 0.75}, {0.5, 0.5}, {0.75, 0.5}, {1, 0.25}});
}

TEST_F(BreakpointEditors, DecayPointSetsDecayAndTheSharedSustainLevel)
{
    setRoundEnvelope();
    openEnvelope();
    drag({0.5, 0.5}, {0.625, 0.25});
    EXPECT_DOUBLE_EQ(target(delta(2)), 5273.4375);
    EXPECT_EQ(target(level(2)), 0.25);
    EXPECT_EQ(target(level(3)), 0.25);
    EXPECT_EQ(target(delta(1)), 1562.5);
    EXPECT_EQ(target(delta(3)), 1562.5);
}

TEST_F(BreakpointEditors, ReleasePointSetsReleaseAndTheSharedSustainLevel)
{
    setRoundEnvelope();
    openEnvelope();
    drag({0.75, 0.5}, {0.875, 0.75});
    EXPECT_EQ(target(delta(3)), 195.3125);
    EXPECT_EQ(target(level(3)), 0.75);
    EXPECT_EQ(target(level(2)), 0.75);
    EXPECT_EQ(target(delta(2)), 1562.5);
}

TEST_F(BreakpointEditors, EndPointStaysAtTheEndAndGivesTheLeakItsLevel)
{
    setRoundEnvelope();
    openEnvelope();
    drag({1, 0.25}, {0.875, 0.5});
    EXPECT_EQ(point(4), CPoint(1, 0.5));
    EXPECT_EQ(target(level(4)), 0.5);
    EXPECT_EQ(target(level(0)), 0.5);
    EXPECT_EQ(target(delta(4)), 100000.0); // the end is pinned: its delta is never written
    EXPECT_EQ(target(delta(3)), 1562.5);
}

TEST_F(BreakpointEditors, PushedDecayPointIsWrittenSoTheDrawingIsWhatPlays)
{
    setRoundEnvelope();
    set(delta(2), 195.3125); // decay point at 0.375
    openEnvelope();
    drag({0.25, 1}, {0.4375, 1});
    EXPECT_DOUBLE_EQ(point(2).x, 0.46875); // pushed by half the 0.1875 the attack point moved
    EXPECT_DOUBLE_EQ(target(delta(1)), 8374.0234375);
    EXPECT_NEAR(target(delta(2)), 3.0517578125, 1e-9);
    const std::vector<CPoint> drawn = view->getPoints();
    expectPoints(redrawn(), drawn);
}

TEST_F(BreakpointEditors, DraggedTimesStopAtTheLongestTheirParametersHold)
{
    setRoundEnvelope();
    openEnvelope();
    drag({0.25, 1}, {0.9, 1});
    EXPECT_NEAR(point(1).x, LONGEST, 1e-12);
    EXPECT_DOUBLE_EQ(target(delta(1)), 10000.0);
    drag({0.75, 0.5}, {0.1, 0.5});
    EXPECT_NEAR(point(3).x, 1 - LONGEST, 1e-12);
    EXPECT_DOUBLE_EQ(target(delta(3)), 10000.0);
}

TEST_F(BreakpointEditors, TimesLengthenedPastTheirRangeAreClampedAndReloadAsDrawn)
{
    setRoundEnvelope();
    set(delta(2), 8374.0234375); // decay point at 0.6875
    openEnvelope();
    drag({0.25, 1}, {0, 1}); // the decay would span 0.6875 of the axis: 32495 ms
    EXPECT_EQ(target(delta(1)), 0.0);
    EXPECT_EQ(target(delta(2)), 10000.0);
    EXPECT_NEAR(point(2).x, LONGEST, 1e-12); // drawn as it plays

    rig.params.storePatch(2, false, 127);
    test::BridgeRig reloaded;
    reloaded.params.setPatchCount(4);
    ASSERT_TRUE(deserialize(reloaded.params, serialize(rig.params)));
    const Patch& patch = reloaded.params.getPatch(2);
    EXPECT_EQ(patch.params[delta(1)].value, 0.0);
    EXPECT_EQ(patch.params[delta(2)].value, 10000.0);
    EXPECT_EQ(patch.params[level(1)].value, 1.0);
}

TEST_F(BreakpointEditors, EnvelopeWritesGlideAndReachTheHostInsideTheirGestures)
{
    rig.running = true;
    set(param_id::CHANGE_TIME, 2.0);
    setRoundEnvelope();
    rig.hostReports.clear();
    openEnvelope();
    drag({0.25, 1}, {0.125, 1});
    EXPECT_EQ(target(delta(1)), 195.3125);
    EXPECT_EQ(rig.current(delta(1)), 1562.5);
    // The attack shortened and the decay, drawn from the attack's end, lengthened.
    EXPECT_EQ(test::automatedIds(editor.log), (std::set<int>{delta(1), delta(2)}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
    ASSERT_FALSE(rig.hostReports.empty());
    const auto [id, value] = rig.hostReports.back();
    EXPECT_FLOAT_EQ(value, float(rig.params.getParamNormalized(id)));
}

TEST_F(BreakpointEditors, PointTextsNameThePointItsTimeAndLevel)
{
    openEnvelope();
    const gui::CBreakpointsListener& listener = *view->getListener();
    EXPECT_EQ(listener.pointText(0), "leak  0");
    EXPECT_EQ(listener.pointText(1), "attack 12.50 ms"); // a full level goes without saying
    EXPECT_EQ(listener.pointText(2), "decay 100.0 ms sus 80");
    EXPECT_EQ(listener.pointText(3), "release 2.70 s sus 80");
    EXPECT_EQ(listener.pointText(4), "leak  0");
    set(level(3), 1.0);
    EXPECT_EQ(listener.pointText(3), "release 2.70 s sus");
    set(level(1), 0.5);
    EXPECT_EQ(listener.pointText(1), "attack 12.50 ms 50");

    drag({0.7, 0.8}, {0.7, 0.5});
    EXPECT_EQ(status.last(), "release 2.70 s sus 50");
    EXPECT_EQ(status.colours.back(), kTransparentCColor);
}

} // namespace
} // namespace korvel::veldro
