#include "gui/CFilterView.h"
#include "gui/ControlFactories.h"
#include "gui/HostEditCheck.h"
#include "gui/StaticPalettes.h"
#include "synth/Synth.h"
#include "vstgui/FrameFixture.h"
#include "vstgui/lib/vstkeycode.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using Kind = CGraphicsPath::Element::Kind;

struct TextLog : ITextReceiver {
    void receiveText(const UTF8String& text, CColor colour) override
    {
        texts.push_back(text.getString());
        colours.push_back(colour);
    }
    std::vector<std::string> texts;
    std::vector<CColor> colours;
};

CMultiPointXYPad::Point filterPoint(unsigned cutoffId, unsigned widthId)
{
    CMultiPointXYPad::Point point;
    point.xParamId = cutoffId;
    point.yParamId = widthId;
    point.x = point.y = 0.5;
    point.width = point.height = 6;
    point.color = CColor(0, 220, 255, 255);
    return point;
}

// The view over (10, 10)-(110, 60): handle centres travel 94 x 44 pixels from (13, 13); the sketch spans
// 97 x 47 pixels from (11, 12).
class FilterView : public VSTGUI::test::FrameFixture {
protected:
    FilterView()
    {
        params.setHostNotify([this](int id, float) {
            reported.insert(id);
            editor.log.push_back("automate " + std::to_string(id));
        });
        view = add(new CFilterView(CRect(10, 10, 110, 60), 16, filterViewColours));
        view->setParams(&params);
        view->setPoints({filterPoint(16, 17), filterPoint(21, 22)});
        view->setTextReceiver(&texts);
        for (int i = 0; i < 3; ++i) {
            sliders[i] = add(makeTextSlider(CRect(10, 70 + 8 * i, 110, 76 + 8 * i), view->getMixListener(), 18 + i,
                                            "", staticPalette(0)));
            view->getMixListener()->addControl(sliders[i]);
        }
        params.addListener(view);
    }

    static CPoint at(double x, double y) { return CPoint(13 + x * 94, 13 + y * 44); }
    double target(int id) const { return params.getParam(id).second; }
    void setTargets(std::initializer_list<std::pair<int, double>> values)
    {
        for (auto [id, v] : values)
            params.setParam(id, v, 0.0);
    }
    std::vector<DrawCall> sketch()
    {
        VSTGUI::testing::RecordingDrawContext context;
        EXPECT_EQ(view->drawCurve(view, &context), 1);
        return context.callsOf(DrawCall::Kind::Path);
    }

    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    std::set<int> reported;
    TextLog texts;
    CFilterView* view;
    CTextSlider* sliders[3];
};

TEST_F(FilterView, DraggingEachPointWritesItsCutoffAndWidthInsideTheHostGesturesOfThoseTwo)
{
    press(at(0.4, 0.4)); // the first point wins the tie at the centre
    move(at(0.25, 0.75));
    release(at(0.25, 0.75));
    EXPECT_DOUBLE_EQ(target(16), 50 + 0.25 * 0.25 * 0.25 * (8000 - 50));
    EXPECT_DOUBLE_EQ(target(17), 0.75);
    EXPECT_EQ(texts.texts.back(), "filter (1) freq 174.2, Q 25");
    EXPECT_EQ(texts.colours.back(), kTransparentCColor);

    press(at(0.6, 0.5));
    move(at(2, 0.1));
    release(at(2, 0.1));
    EXPECT_DOUBLE_EQ(target(21), 10000);
    EXPECT_DOUBLE_EQ(target(22), 0.1);
    EXPECT_EQ(texts.texts.back(), "filter (2) freq 10000.0, Q 90");
    EXPECT_EQ(reported, (std::set<int>{16, 17, 21, 22}));
    EXPECT_EQ(test::gesturesOf(editor.log), (test::HostLog{"begin 16", "begin 17", "end 17", "end 16", "begin 21",
                                                           "begin 22", "end 22", "end 21"}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
}

TEST_F(FilterView, EscapeDuringADragRestoresBothParametersAndLeavesTheSoundStartAlone)
{
    setTargets({{21, 3000}, {22, 0.3}, {0, 0}});
    view->paramChanged(512);
    reported.clear();
    editor.log.clear();
    const CPoint start = view->getPointPosition(1);

    press(at(start.x, start.y));
    move(at(0.1, 0.9));
    EXPECT_NE(target(21), 3000);
    EXPECT_EQ(key(VKEY_ESCAPE), 1);
    EXPECT_DOUBLE_EQ(target(21), 3000);
    EXPECT_DOUBLE_EQ(target(22), 0.3);
    EXPECT_EQ(view->getPointPosition(1), start);
    EXPECT_EQ(reported.count(0), 0u);
    EXPECT_DOUBLE_EQ(target(0), 0);
    EXPECT_EQ(test::gesturesOf(editor.log), (test::HostLog{"begin 21", "begin 22", "end 22", "end 21"}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
}

TEST_F(FilterView, ReportsOfIndicesOutsideThePointsAreIgnored)
{
    view->valueChanged(view, -1);
    view->valueChanged(view, 2);
    EXPECT_TRUE(reported.empty());
    EXPECT_TRUE(texts.texts.empty());
}

TEST_F(FilterView, MixSlidersWriteTheLevelAndReadTheSameLevelBack)
{
    sliders[0]->setValue(0.3f);
    sliders[0]->valueChanged();
    EXPECT_DOUBLE_EQ(target(18), 0.3f);
    EXPECT_EQ(texts.texts.back(), "filter low 30");
    sliders[2]->setValue(0.05f);
    sliders[2]->valueChanged();
    EXPECT_EQ(texts.texts.back(), "filter high 5");

    params.setParamNormalized(19, 0.5); // the host's cubic position: a level of 0.125
    view->paramChanged(512);
    EXPECT_FLOAT_EQ(sliders[0]->getValue(), 0.3f);
    EXPECT_FLOAT_EQ(sliders[1]->getValue(), 0.125f);
    EXPECT_FLOAT_EQ(sliders[2]->getValue(), 0.05f);
}

TEST_F(FilterView, AFourthSliderIsNotTrackedAndAnUnknownTagSendsOnlyTheNumber)
{
    auto other = owned(makeTextSlider(CRect(0, 0, 50, 8), view->getMixListener(), 23, "", staticPalette(0)));
    view->getMixListener()->addControl(other);
    EXPECT_EQ(view->getMixListener()->getControls()[2], sliders[2]);
    other->setValue(0.42f);
    other->valueChanged();
    EXPECT_EQ(texts.texts.back(), "42");
}

TEST_F(FilterView, ChangesHeardOnAnotherThreadWaitForTheIdle)
{
    setTargets({{16, 8000}, {17, 0.2}, {18, 0.7}});
    std::thread host([this] { view->paramChanged(512); });
    host.join();
    EXPECT_EQ(view->getPointPosition(0), CPoint(0.5, 0.5));
    view->applyPendingRefresh();
    EXPECT_EQ(view->getPointPosition(0), CPoint(1, 0.2));
    EXPECT_FLOAT_EQ(sliders[0]->getValue(), 0.7f);
}

TEST_F(FilterView, EachPointsCaptionFollowsTheHostsWritesOfItsValues)
{
    for (int index : {1, 0}) {
        view->setPointPosition(index, CPoint(0.1, 0.5));
        view->valueChanged(view, index);
        const int cutoffId = index == 0 ? 16 : 21;
        const std::string edited = texts.texts.back();
        // The host writes on a thread of its own, where the editor's listeners pass the change to the view
        // (here the only listener, so by hand); the caption changes at the view's idle.
        std::thread host([&] {
            params.setParamNormalized(cutoffId, 1.0);
            view->paramChanged(512);
        });
        host.join();
        EXPECT_EQ(texts.texts.back(), edited);
        view->applyPendingRefresh();
        const std::string expected = "filter (" + std::to_string(index + 1) + ") freq " +
                                     (index == 0 ? "8000.0" : "10000.0") + ", Q 50";
        EXPECT_EQ(texts.texts.back(), expected);
    }
}

TEST_F(FilterView, NoMixLevelsDrawNoSketch)
{
    EXPECT_TRUE(sketch().empty());
}

TEST_F(FilterView, LowPassEndsAtTheSecondCutoffAndThenFallsTwiceAsSteeply)
{
    setTargets({{18, 1.0}});
    view->setPointPosition(0, CPoint(0.5, 0.5));
    view->setPointPosition(1, CPoint(0.2, 0.5)); // the second point is the left one
    const auto paths = sketch();
    ASSERT_EQ(paths.size(), 2u);
    const double slope = 47 / 0.7;
    const std::vector<CPoint> edge{{11, 12},
                                   {11 + 0.2 * 97, 12},
                                   {11 + 0.5 * 97, 12 + 0.3 * slope},
                                   {11 + 1.2 * 97, 12 + 0.3 * slope + 1.4 * slope}};
    const DrawCall& stroke = paths[0];
    EXPECT_EQ(stroke.pathMode, CDrawContext::kPathStroked);
    EXPECT_EQ(stroke.frameColor, filterViewColours[3]);
    EXPECT_EQ(stroke.lineWidth, 2.0);
    ASSERT_EQ(stroke.path.size(), edge.size());
    for (size_t i = 0; i < edge.size(); ++i) {
        EXPECT_NEAR(stroke.path[i].points[0].x, edge[i].x, 1e-9) << i;
        EXPECT_NEAR(stroke.path[i].points[0].y, edge[i].y, 1e-9) << i;
    }
    const DrawCall& fill = paths[1];
    EXPECT_EQ(fill.pathMode, CDrawContext::kPathFilledEvenOdd);
    EXPECT_EQ(fill.fillColor.alpha, 110);
    ASSERT_EQ(fill.path.size(), edge.size() + 2);
    EXPECT_EQ(fill.path[edge.size()].points[0], CPoint(11, 59));
    EXPECT_EQ(fill.path.back().kind, Kind::CloseSubpath);

    // A second cutoff beyond 0.95 leaves the first edge falling by the full height.
    view->setPointPosition(1, CPoint(0.97, 0.5));
    const auto far = sketch();
    ASSERT_EQ(far[0].path.size(), 3u);
    EXPECT_NEAR(far[0].path[2].points[0].x, 11 + 1.2 * 97, 1e-9);
    EXPECT_NEAR(far[0].path[2].points[0].y, 12 + 47, 1e-9);
}

TEST_F(FilterView, HighPassMirrorsTheLowPassAtItsLevel)
{
    setTargets({{20, 0.5}});
    view->setPointPosition(0, CPoint(0.03, 0.5));
    view->setPointPosition(1, CPoint(0.6, 0.5));
    const auto paths = sketch();
    ASSERT_EQ(paths.size(), 2u);
    const double yH = 0.5 * 47 + 12;
    // The left cutoff sits within 0.05 of the edge: the edge falls the full height.
    ASSERT_EQ(paths[0].path.size(), 3u);
    EXPECT_EQ(paths[0].path[0].points[0], CPoint(108, yH));
    EXPECT_NEAR(paths[0].path[1].points[0].x, 11 + 0.6 * 97, 1e-9);
    EXPECT_NEAR(paths[0].path[2].points[0].x, 11 - 0.1 * 97, 1e-9);
    EXPECT_NEAR(paths[0].path[2].points[0].y, yH + 47, 1e-9);
    EXPECT_EQ(paths[0].frameColor, filterViewColours[5]);
    EXPECT_EQ(paths[1].fillColor.alpha, 120);
    EXPECT_EQ(paths[1].path[3].points[0], CPoint(108, 59));

    // Further in, the edge ends at the left cutoff and falls on twice as steeply.
    view->setPointPosition(0, CPoint(0.3, 0.5));
    const auto inner = sketch();
    ASSERT_EQ(inner[0].path.size(), 4u);
    const double slope = 47 / 0.7;
    EXPECT_NEAR(inner[0].path[2].points[0].x, 11 + 0.3 * 97, 1e-9);
    EXPECT_NEAR(inner[0].path[2].points[0].y, yH + 0.3 * slope, 1e-9);
    EXPECT_NEAR(inner[0].path[3].points[0].x, 11 - 0.4 * 97, 1e-9);
    EXPECT_NEAR(inner[0].path[3].points[0].y, yH + 1.7 * slope, 1e-9);
}

TEST_F(FilterView, BandLevelDrawsOneBellPerSectionFromTheLeftOne)
{
    setTargets({{19, 0.4}});
    view->setPointPosition(0, CPoint(0.5, 0.2));
    view->setPointPosition(1, CPoint(0.5, 0.6)); // equal cutoffs: the second point is the left one
    const auto paths = sketch();
    ASSERT_EQ(paths.size(), 2u);
    const auto& bells = paths[0].path;
    ASSERT_EQ(bells.size(), 4u);
    EXPECT_EQ(bells[0].kind, Kind::BeginSubpath);
    EXPECT_NEAR(bells[0].points[0].x, 11 + (0.5 - 0.6 - 0.05) * 97, 1e-9);
    EXPECT_EQ(bells[1].kind, Kind::BezierCurve);
    EXPECT_EQ(bells[1].points[0], bells[0].points[0]);
    EXPECT_NEAR(bells[1].points[1].y, 59 - 0.4 * 2.5 * 0.4 * 47, 1e-9);
    EXPECT_NEAR(bells[1].points[2].x, 11 + (0.5 + 0.6 + 0.05) * 97, 1e-9);
    EXPECT_NEAR(bells[3].points[1].y, 59 - 0.8 * 2.5 * 0.4 * 47, 1e-9);
    EXPECT_EQ(paths[0].lineWidth, 1.0);
    EXPECT_EQ(paths[0].frameColor, filterViewColours[4]);
    EXPECT_EQ(paths[1].fillColor.alpha, 80);
    EXPECT_EQ(paths[1].path.size(), 6u);
}

TEST_F(FilterView, LevelsOutsideTheUnitRangeAreDrawnAtItsEnds)
{
    setTargets({{18, 1.7}, {20, -0.5}});
    const auto paths = sketch();
    ASSERT_EQ(paths.size(), 2u); // no high-pass
    EXPECT_EQ(paths[0].path[0].points[0], CPoint(11, 12));
}

} // namespace
} // namespace korvel::gui
