#include "vstgui/testing/recordingdrawcontext.h"
#include "vstgui/vstgui.h"

#include <gtest/gtest.h>

#include <numbers>

namespace VSTGUI::test {
namespace {

using testing::DrawCall;
using testing::RecordingDrawContext;
using Kind = CGraphicsPath::Element::Kind;

const CGraphicsPath::Element& onlyArc(const DrawCall& call)
{
    for (const auto& element : call.path)
        if (element.kind == Kind::Arc)
            return element;
    throw std::runtime_error("no arc");
}

TEST(RecordingTest, FreshContextState)
{
    RecordingDrawContext context;
    context.drawLine(CPoint(0., 0.), CPoint(1., 1.));
    const DrawCall& call = context.calls().at(0);
    EXPECT_EQ(call.frameColor, kWhiteCColor);
    EXPECT_EQ(call.fillColor, kBlackCColor);
    EXPECT_EQ(call.fontColor, kWhiteCColor);
    EXPECT_EQ(call.font, *kSystemFont);
    EXPECT_EQ(call.lineWidth, 1.);
    EXPECT_EQ(call.drawMode, CDrawMode(kAliasing));
    EXPECT_EQ(call.globalAlpha, 1.f);
    EXPECT_EQ(context.getHairlineSize(), 1.);
}

TEST(RecordingTest, KnobOfTheEditorDrawsOutlineAndCoronaButNoHandle)
{
    CKnob knob(CRect(0., 0., 60., 60.), nullptr, 1, nullptr, nullptr, CPoint(), 226);
    knob.setHandleLineWidth(12.);
    knob.setCoronaInset(8.);
    knob.setCoronaColor(CColor(255, 122, 0));
    knob.setColorShadowHandle(CColor(80, 80, 80));
    knob.setStartAngle(static_cast<float>(2. * std::numbers::pi / 3.));
    knob.setRangeAngle(static_cast<float>(5. * std::numbers::pi / 3.));
    knob.setValue(0.5f);
    RecordingDrawContext context;
    knob.draw(&context);
    ASSERT_EQ(context.calls().size(), 2u);
    const DrawCall& outline = context.calls()[0];
    EXPECT_EQ(outline.pathMode, CDrawContext::kPathStroked);
    EXPECT_EQ(outline.frameColor, CColor(80, 80, 80));
    EXPECT_EQ(outline.lineWidth, 14.);
    EXPECT_EQ(outline.lineCap, CLineStyle::kLineCapButt);
    EXPECT_EQ(outline.drawMode, CDrawMode(kAntiAliasing));
    EXPECT_EQ(onlyArc(outline).rect, CRect(8., 8., 52., 52.));
    // Butt ends stretched by add/2 over the radius (22), in degrees.
    const double stretch = 1. / 22. * 180. / std::numbers::pi;
    EXPECT_NEAR(onlyArc(outline).startAngle, 120. - stretch, 1e-4);
    EXPECT_NEAR(onlyArc(outline).endAngle, 420. + stretch, 1e-4);

    const DrawCall& corona = context.calls()[1];
    EXPECT_EQ(corona.frameColor, CColor(255, 122, 0));
    EXPECT_EQ(corona.lineWidth, 12.);
    EXPECT_NEAR(onlyArc(corona).startAngle, 120., 1e-4);
    EXPECT_NEAR(onlyArc(corona).endAngle, 270., 1e-4);
}

TEST(RecordingTest, BipolarKnobCoronaStartsAtTheTop)
{
    CKnob knob(CRect(0., 0., 60., 60.), nullptr, 1, nullptr, nullptr, CPoint(), 226 | 4);
    knob.setValue(0.25f);
    RecordingDrawContext context;
    knob.draw(&context);
    const auto& arc = onlyArc(context.calls().at(1));
    EXPECT_NEAR(arc.startAngle, 270. - 0.25 * 270., 1e-4);
    EXPECT_NEAR(arc.endAngle, 270., 1e-4);
}

TEST(RecordingTest, TextButtonFillsGradientStrokesAndCentresTitle)
{
    CTextButton button(CRect(10., 10., 110., 30.), nullptr, -1, "patch drop");
    button.setFrameWidth(1.5);
    button.setFrameColor(CColor(1, 2, 3));
    button.setTextColor(CColor(4, 5, 6));
    RecordingDrawContext context;
    button.draw(&context);
    ASSERT_EQ(context.calls().size(), 3u);
    const DrawCall& fill = context.calls()[0];
    EXPECT_EQ(fill.kind, DrawCall::Kind::Gradient);
    EXPECT_EQ(fill.points, (std::vector<CPoint>{CPoint(10.75, 10.75), CPoint(10.75, 29.25)}));
    const DrawCall& stroke = context.calls()[1];
    EXPECT_EQ(stroke.frameColor, CColor(1, 2, 3));
    EXPECT_EQ(stroke.lineWidth, 1.5);
    const DrawCall& title = context.calls()[2];
    EXPECT_EQ(title.text, "patch drop");
    EXPECT_EQ(title.fontColor, CColor(4, 5, 6));
    EXPECT_DOUBLE_EQ(title.points[0].y, 20. + 12. * 0.7 / 2.) << "baseline at the middle plus half the cap height";

    button.setValue(1.f);
    context.clear();
    button.draw(&context);
    EXPECT_EQ(context.calls()[2].fontColor, kWhiteCColor) << "lit";
}

TEST(RecordingTest, ZeroFrameWidthSkipsTheStroke)
{
    CTextButton button(CRect(0., 0., 50., 20.));
    button.setFrameWidth(0.);
    RecordingDrawContext context;
    button.draw(&context);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Path).empty());
}

TEST(RecordingTest, ParamDisplayBoxInsetWhenStroked)
{
    CParamDisplay display(CRect(0., 0., 40., 20.), nullptr, kRoundRectStyle);
    display.setFrameWidth(2.);
    RecordingDrawContext context;
    display.draw(&context);
    ASSERT_EQ(context.calls().size(), 2u);
    EXPECT_EQ(context.calls()[0].pathMode, CDrawContext::kPathFilled);
    EXPECT_EQ(context.calls()[0].fillColor, kBlackCColor);
    EXPECT_EQ(context.calls()[0].path.front().points[0], CPoint(7., 1.)) << "round rect from its top-left arc";
    EXPECT_EQ(context.calls()[1].pathMode, CDrawContext::kPathStroked);

    display.setStyle(kNoFrame);
    context.clear();
    display.draw(&context);
    ASSERT_EQ(context.calls().size(), 1u);
    EXPECT_EQ(context.calls()[0].path.front().rect, CRect(0., 0., 40., 20.));
}

TEST(RecordingTest, SliderDrawsBackValueAndFrameAliased)
{
    CSlider slider(CRect(0., 0., 100., 10.), nullptr, 1, 0, 100, nullptr, nullptr);
    slider.setValue(0.25f);
    RecordingDrawContext context;
    slider.draw(&context);
    const auto rects = context.callsOf(DrawCall::Kind::Rect);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[1].rect, CRect(0.5, 0.5, 25.25, 9.5));
    EXPECT_EQ(rects[2].style, kDrawStroked);
    EXPECT_EQ(rects[2].drawMode, CDrawMode(kAliasing));
}

TEST(RecordingTest, ContainerTranslatesClipsAndResetsStatePerChild)
{
    class Painter : public CView {
    public:
        using CView::CView;
        void draw(CDrawContext* context) override
        {
            context->drawRect(getViewSize(), kDrawFilled);
            context->setFillColor(kRedCColor); // must not leak into the next sibling
        }
    };
    CViewContainer box(CRect(100., 50., 200., 150.));
    box.setBackgroundColor(CColor(9, 9, 9));
    box.addView(new Painter(CRect(10., 10., 30., 30.)));
    auto* second = new Painter(CRect(20., 20., 40., 40.));
    second->setAlphaValue(0.5f);
    box.addView(second);
    RecordingDrawContext context;
    box.drawRect(&context, CRect(110., 60., 125., 200.));
    const auto rects = context.callsOf(DrawCall::Kind::Rect);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].fillColor, CColor(9, 9, 9));
    EXPECT_EQ(rects[0].rect, CRect(10., 10., 25., 100.));
    EXPECT_EQ(rects[1].offset, CPoint(100., 50.));
    EXPECT_EQ(rects[1].clip, CRect(10., 10., 25., 30.));
    EXPECT_EQ(rects[2].fillColor, kBlackCColor);
    EXPECT_EQ(rects[2].globalAlpha, 0.5f);
}

} // namespace
} // namespace VSTGUI::test
