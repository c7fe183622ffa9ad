#include "PadRig.h"

#include "gui/CCustomDrawXYPad.h"
#include "gui/ColourMath.h"
#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"
#include "gui/StaticPalettes.h"
#include "gui/controllers/ADSRController.h"
#include "gui/controllers/AmpsTimeController.h"
#include "gui/controllers/ControllerFactory.h"
#include "gui/controllers/InternalController.h"
#include "gui/controllers/LFOController.h"
#include "gui/controllers/MidiController.h"
#include "gui/controllers/RandController.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;
using Element = CGraphicsPath::Element;

constexpr CColor WHITE{255, 255, 255, 255};

// Each picture on a 100 x 80 pad at (10, 20) with a frame of 2: the inner area is (12, 22)-(108, 98).
class ControllerDrawing : public ::testing::Test {
protected:
    ControllerDrawing() { pad->setFrameWidth(2.); }

    const std::vector<DrawCall>& draw(ParamControllerView::IController& controller, double x, double y)
    {
        context.clear();
        controller.draw(pad.get(), &context, x, y);
        return context.calls();
    }

    test::PadRig rig;
    SharedPointer<CCustomDrawXYPad> pad = owned(new CCustomDrawXYPad(CRect(10., 20., 110., 100.), nullptr, 83));
    RecordingDrawContext context;
};

TEST_F(ControllerDrawing, RandomFillsByWalkAndStrokesTheSpreadCurve)
{
    const Palette& palette = controllerPalettes[1];
    RandController random(rig.handle(4), palette);
    const auto& calls = draw(random, 0.25, 0.0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Rect);
    EXPECT_EQ(calls[0].rect, CRect(12., 22., 108., 98.));
    EXPECT_EQ(calls[0].fillColor, mixColours(palette.background, palette.accent, 0.25));
    const DrawCall& curve = calls[1];
    EXPECT_EQ(curve.kind, DrawCall::Kind::Path);
    EXPECT_EQ(curve.pathMode, CDrawContext::kPathStroked);
    EXPECT_EQ(curve.frameColor, palette.frame);
    EXPECT_EQ(curve.lineWidth, 2.);
    ASSERT_EQ(curve.path.size(), 3u);
    // y = 0: a bell from the bottom corners to the top in the middle.
    EXPECT_EQ(curve.path[0].points[0], CPoint(12., 98.));
    EXPECT_EQ(curve.path[1].kind, Element::Kind::BezierCurve);
    EXPECT_EQ(curve.path[1].points[2], CPoint(60., 22.));
    EXPECT_EQ(curve.path[2].points[2], CPoint(108., 98.));
}

TEST_F(ControllerDrawing, AmpNoiseDrawsTheWalkAndAShiftedCopyWhenOffset)
{
    const Palette& palette = controllerPalettes[2];
    AmpsTimeController amps(rig.handle(4), palette);
    auto lines = [&] {
        std::vector<DrawCall> out;
        for (const DrawCall& call : context.calls())
            if (call.kind == DrawCall::Kind::Lines)
                out.push_back(call);
        return out;
    };
    draw(amps, 0.5, 0.25);
    ASSERT_EQ(amps.getWalkPoints().size(), 96u);
    auto centred = lines();
    ASSERT_EQ(centred.size(), 1u);
    EXPECT_EQ(centred[0].points.size(), 2u * 95u);
    EXPECT_EQ(centred[0].points.front(), CPoint(12., 98.));
    EXPECT_EQ(centred[0].frameColor, mixColours(palette.text, palette.accent, 0.75));
    EXPECT_EQ(centred[0].lineWidth, 2.);
    for (const auto& [a, b] : amps.getWalkPoints()) {
        ASSERT_GE(a, 0.);
        ASSERT_LE(a, 1.);
        ASSERT_GE(b, 0.);
        ASSERT_LE(b, 1.);
    }

    draw(amps, 0.9, 0.25);
    auto offset = lines();
    ASSERT_EQ(offset.size(), 2u);
    EXPECT_EQ(offset[0].frameColor.alpha, 110);
    EXPECT_EQ(offset[0].lineWidth, 1.);
    // Same columns, heights taken from further along the walk.
    EXPECT_EQ(offset[0].points[0].x, offset[1].points[0].x);
    EXPECT_NE(offset[0].points, offset[1].points);
    EXPECT_EQ(offset[1].points, centred[0].points);
}

TEST_F(ControllerDrawing, AmpNoiseWalkIsTheSameEveryTime)
{
    AmpsTimeController first(rig.handle(4), controllerPalettes[2]);
    AmpsTimeController second(rig.handle(4), controllerPalettes[2]);
    std::srand(99); // the process-wide generator has no say
    draw(first, 0.5, 0.5);
    std::srand(5);
    draw(second, 0.5, 0.5);
    EXPECT_EQ(first.getWalkPoints(), second.getWalkPoints());
    // A wider pad grows the walk by a fresh run of its width.
    pad->setViewSize(CRect(10., 20., 210., 100.));
    draw(first, 0.5, 0.5);
    EXPECT_EQ(first.getWalkPoints().size(), 96u + 196u);
    EXPECT_EQ(first.getWalkPoints()[96], first.getWalkPoints()[0]);
}

TEST_F(ControllerDrawing, LfoStrokesOneCycleInTheAccent)
{
    const Palette& palette = controllerPalettes[3];
    LFOController lfo(rig.handle(4), palette);
    const auto& calls = draw(lfo, 0.5, 0.5);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].frameColor, palette.accent);
    EXPECT_EQ(calls[0].pathMode, CDrawContext::kPathStroked);
    const auto& path = calls[0].path;
    ASSERT_EQ(path.size(), 5u);
    EXPECT_EQ(path[1].points[2], CPoint(36., 22.)); // rise 24 of the peak at 48
    EXPECT_EQ(path[2].points[0], CPoint(60., 22.));
    EXPECT_EQ(path[3].points[2], CPoint(84., 98.));
    EXPECT_EQ(path[4].points[0], CPoint(108., 98.));
    // Full clip: no flat parts.
    EXPECT_EQ(draw(lfo, 0.5, 1.0)[0].path.size(), 3u);
}

TEST_F(ControllerDrawing, MidiLightsTheInputsThatTakePart)
{
    const Palette& palette = controllerPalettes[4];
    MidiController midi(rig.handle(4), palette);
    draw(midi, 0.1, 0.1);
    const auto labels = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].text, "note");
    // White would be pale on the pad's light cyan: taking part reads as a dark grey there, standing out
    // more than the labels that do not take part.
    const CColor lit = labels[0].fontColor;
    EXPECT_EQ(lit.red, lit.green);
    EXPECT_EQ(lit.green, lit.blue);
    EXPECT_GT(contrastRatio(lit, palette.background), contrastRatio(palette.accent, palette.background));
    EXPECT_EQ(labels[0].points[0], CPoint(12., 22. + 11.));
    EXPECT_EQ(labels[1].text, "vel");
    EXPECT_EQ(labels[1].fontColor, palette.accent);
    EXPECT_DOUBLE_EQ(labels[1].points[0].x + context.getStringWidth("vel"), 108.);
    EXPECT_EQ(labels[2].text, "PB");
    EXPECT_EQ(labels[2].points[0], CPoint(12., 98.));
    EXPECT_EQ(labels[3].text, "mod");
    EXPECT_EQ(labels[3].fontColor, palette.accent);
    EXPECT_EQ(labels[0].font.getSize(), fontSet().baseFont()->getSize());

    pad->setViewSize(CRect(10., 20., 45., 100.));
    draw(midi, 0.5, 0.5);
    for (const DrawCall& label : context.callsOf(DrawCall::Kind::String)) {
        EXPECT_EQ(label.fontColor, lit);
        EXPECT_EQ(label.font.getSize(), fontSet().smallerFont(1)->getSize());
    }
}

TEST_F(ControllerDrawing, AdsrShowsTheMixLineAndTheBlendedEnvelopeAsHairlines)
{
    const Palette& palette = controllerPalettes[5];
    ADSRController adsr(rig.handle(4), palette);
    const auto& calls = draw(adsr, 0.25, 0.);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Line);
    EXPECT_EQ(calls[0].points, (std::vector<CPoint>{{36., 22.}, {36., 98.}}));
    EXPECT_EQ(calls[0].lineWidth, 2.);
    EXPECT_EQ(calls[1].kind, DrawCall::Kind::Rect);
    EXPECT_EQ(calls[1].rect, CRect(37., 22., 108., 98.));
    EXPECT_EQ(calls[1].fillColor, palette.accent);
    const DrawCall& envelope = calls[2];
    EXPECT_EQ(envelope.kind, DrawCall::Kind::Lines);
    EXPECT_EQ(envelope.lineWidth, 1.);
    EXPECT_EQ(envelope.frameColor, palette.frame);
    ASSERT_EQ(envelope.points.size(), 10u);
    EXPECT_EQ(envelope.points[0], CPoint(12., 98.));
    // Point 1: time 0.75 * 0.2 + 0.25 * 0.05, level 1.
    EXPECT_NEAR(envelope.points[3].x, 12. + 0.1625 * 96., 1e-9);
    EXPECT_NEAR(envelope.points[3].y, 22., 1e-9);
    EXPECT_NEAR(envelope.points[9].x, 108., 1e-9);
    // x = 1: ADSR 1 alone, nothing filled.
    draw(adsr, 1.0, 0.);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Rect).empty());
}

TEST_F(ControllerDrawing, InnerGridWritesTheSixNamesWithTheChosenOneInTheBackground)
{
    const Palette& palette = controllerPalettes[6];
    pad->setFrameWidth(1.);
    InternalController inner(0, rig.handle(9), palette);
    inner.setXY(0.9, 0.1); // entry 2, right top
    const auto& calls = draw(inner, 0., 0.);
    ASSERT_GE(calls.size(), 8u);
    EXPECT_EQ(calls[0].rect, CRect(10., 20., 110., 100.));
    EXPECT_EQ(calls[0].style, kDrawFilled);
    EXPECT_EQ(calls[0].fillColor, palette.frame);
    EXPECT_EQ(calls[1].style, kDrawStroked);
    EXPECT_EQ(calls[1].frameColor, CColor(80, 80, 80, 255));
    const auto names = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(names.size(), 6u);
    const double rowHeight = std::trunc(fontSet().smallerFont(1)->getSize());
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(names[i].text, inner.getSourceEntries()[i].shortName);
        EXPECT_EQ(names[i].fontColor, i == 2 ? palette.background : palette.text) << i;
    }
    EXPECT_EQ(names[0].points[0], CPoint(11., 21. + rowHeight));
    EXPECT_DOUBLE_EQ(names[2].points[0].x + context.getStringWidth(names[2].text), 11. + 97.);
    EXPECT_EQ(names[4].points[0].y, 97.);
    EXPECT_EQ(names[1].points[0].y, 97. - ((97. - 21.) - rowHeight) * 0.5);
}

TEST_F(ControllerDrawing, EmptyPadWritesItsCaptionInThePadsOwnFont)
{
    auto empty = makeKindController(0, rig.handle(9), controllerPalettes[0]);
    auto own = makeOwned<CFontDesc>("Arial", 9.);
    pad->setFont(own);
    const auto& calls = draw(*empty, 0., 0.);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "ATTACK");
    EXPECT_EQ(calls[0].font.getSize(), 9.);
    // The frame's grey, lightened until it reads on the pad.
    EXPECT_EQ(calls[0].fontColor, readableOn(controllerPalettes[0].frame, controllerPalettes[0].background));
    EXPECT_GE(contrastRatio(calls[0].fontColor, controllerPalettes[0].background), 3.0);
    EXPECT_EQ(calls[0].points[0], CPoint(10. + 2. + s(2), 20. + 2. + u(8)));
    empty->setText("");
    EXPECT_TRUE(draw(*empty, 0., 0.).empty());
}

} // namespace
} // namespace korvel::gui
