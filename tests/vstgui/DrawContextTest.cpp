#include "vstgui/lib/platform/backbuffer.h"
#include "vstgui/lib/platform/cairodrawcontext.h"

#include <gtest/gtest.h>

namespace VSTGUI::test {
namespace {

class CairoContextTest : public ::testing::Test {
protected:
    CairoContextTest() : buffer(40, 40), context(buffer.surface()) {}
    CColor at(int x, int y) const { return buffer.getPixel(x, y); }

    BackBuffer buffer;
    CairoDrawContext context;
};

const CColor kNothing(0, 0, 0, 0);

TEST_F(CairoContextTest, AliasedOddLineAtIntegerXFillsThatColumn)
{
    context.setFrameColor(kRedCColor);
    context.drawLine(CPoint(5., 0.), CPoint(5., 20.));
    EXPECT_EQ(at(5, 10), kRedCColor);
    EXPECT_EQ(at(4, 10), kNothing);
    EXPECT_EQ(at(6, 10), kNothing);
}

TEST_F(CairoContextTest, FillIsExactAndStrokeStaysInside)
{
    context.setFillColor(kRedCColor);
    context.drawRect(CRect(2., 2., 10., 10.), kDrawFilled);
    EXPECT_EQ(at(2, 2), kRedCColor);
    EXPECT_EQ(at(9, 9), kRedCColor);
    EXPECT_EQ(at(10, 9), kNothing);

    context.setFrameColor(kWhiteCColor);
    context.setLineWidth(2.);
    context.drawRect(CRect(20., 20., 30., 30.), kDrawStroked);
    EXPECT_EQ(at(20, 25), kWhiteCColor);
    EXPECT_EQ(at(21, 25), kWhiteCColor);
    EXPECT_EQ(at(22, 25), kNothing);
    EXPECT_EQ(at(29, 25), kWhiteCColor);
    EXPECT_EQ(at(30, 25), kNothing);
    EXPECT_EQ(at(19, 25), kNothing);
}

TEST_F(CairoContextTest, ZeroWidthStrokesAHairline)
{
    context.setLineWidth(0.);
    context.drawLine(CPoint(0., 3.), CPoint(20., 3.));
    EXPECT_EQ(at(10, 3), kWhiteCColor);
    EXPECT_EQ(at(10, 4), kNothing);
}

TEST_F(CairoContextTest, ClipLimitsDrawingAndReadsBackExactlyUnderATransform)
{
    CDrawContext::Transform shift(context, CGraphicsTransform().translate(10.25, 10.));
    context.setClipRect(CRect(0.1, 0., 5.3, 5.));
    EXPECT_EQ(context.getClipRect(), CRect(0.1, 0., 5.3, 5.));
    context.setFillColor(kRedCColor);
    context.drawRect(CRect(-10., -10., 30., 30.), kDrawFilled);
    EXPECT_EQ(at(12, 12), kRedCColor);
    EXPECT_EQ(at(16, 12), kNothing);
    EXPECT_EQ(at(12, 16), kNothing);
    EXPECT_EQ(at(9, 12), kNothing);
}

TEST_F(CairoContextTest, RestoreBringsBackColoursAndClip)
{
    context.setClipRect(CRect(0., 0., 10., 10.));
    context.saveGlobalState();
    context.setFillColor(kRedCColor);
    context.setClipRect(CRect(0., 0., 1., 1.));
    context.setGlobalAlpha(0.5f);
    context.restoreGlobalState();
    EXPECT_EQ(context.getFillColor(), kBlackCColor);
    EXPECT_EQ(context.getClipRect(), CRect(0., 0., 10., 10.));
    EXPECT_EQ(context.getGlobalAlpha(), 1.f);
}

TEST_F(CairoContextTest, EvenOddPathLeavesTheHoleEmpty)
{
    auto path = owned(context.createGraphicsPath());
    path->addRect(CRect(0., 0., 30., 30.));
    path->addRect(CRect(10., 10., 20., 20.));
    context.setFillColor(kRedCColor);
    context.drawGraphicsPath(path, CDrawContext::kPathFilledEvenOdd);
    EXPECT_EQ(at(5, 5), kRedCColor);
    EXPECT_EQ(at(15, 15), kNothing);
}

TEST_F(CairoContextTest, ArcsRunClockwiseFromPlusX)
{
    auto path = owned(context.createGraphicsPath());
    path->beginSubpath(CPoint(20., 20.));
    path->addArc(CRect(0., 0., 40., 40.), 0., 90., true); // right to bottom
    path->closeSubpath();
    context.setFillColor(kRedCColor);
    context.setDrawMode(kAntiAliasing);
    context.drawGraphicsPath(path);
    EXPECT_EQ(at(30, 30), kRedCColor);
    EXPECT_EQ(at(30, 10), kNothing);
    EXPECT_EQ(at(10, 30), kNothing);
}

TEST_F(CairoContextTest, ArcJoinsAnOpenSubpathButNotAClosedShape)
{
    context.setFrameColor(kRedCColor);
    auto joined = owned(context.createGraphicsPath());
    joined->beginSubpath(CPoint(0., 20.));
    joined->addArc(CRect(20., 0., 40., 40.), 180., 270., true); // from (20, 20) up to (30, 0)
    context.drawGraphicsPath(joined, CDrawContext::kPathStroked);
    EXPECT_EQ(at(10, 20), kRedCColor) << "a line from the open subpath to the arc";

    auto separate = owned(context.createGraphicsPath());
    separate->addRect(CRect(0., 30., 4., 34.));
    separate->addArc(CRect(20., 0., 40., 40.), 180., 270., true);
    const CColor green(0, 255, 0);
    context.setFrameColor(green);
    context.drawGraphicsPath(separate, CDrawContext::kPathStroked);
    EXPECT_EQ(at(10, 25), kNothing) << "no line from the closed rect to the arc";
    EXPECT_EQ(at(0, 32), green);
}

TEST_F(CairoContextTest, TextIsMeasuredAndDrawnAtTheBaseline)
{
    const CCoord width = context.getStringWidth("Output");
    EXPECT_GT(width, 20.);
    EXPECT_LT(width, 60.);
    EXPECT_EQ(context.getStringWidth(""), 0.);
    context.setFontColor(kWhiteCColor);
    context.drawString("HHHH", CPoint(2., 20.));
    bool inked = false;
    for (int x = 2; x < 30; ++x)
        inked = inked || at(x, 15).alpha > 0;
    EXPECT_TRUE(inked);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(at(x, 22).alpha, 0) << "nothing below the baseline for capitals";
}

TEST_F(CairoContextTest, RoundRectRadiusIsLimitedToHalfTheSmallerSide)
{
    CGraphicsPath path;
    path.addRoundRect(CRect(0., 0., 10., 4.), 100.);
    EXPECT_EQ(path.getElements()[1].rect, CRect(6., 0., 10., 4.));
    CGraphicsPath plain;
    plain.addRoundRect(CRect(0., 0., 10., 4.), 0.);
    ASSERT_EQ(plain.getElements().size(), 1u);
    EXPECT_EQ(plain.getElements()[0].kind, CGraphicsPath::Element::Kind::Rect);
}

} // namespace
} // namespace VSTGUI::test

namespace VSTGUI::test {
namespace {

TEST(CairoText, DescendersStayInsideARectAsHighAsTheFont)
{
    BackBuffer buffer(120, 30);
    CairoDrawContext context(buffer.surface());
    auto font = makeOwned<CFontDesc>("Arial", 12);
    context.setFont(font);
    context.setFontColor(CColor(255, 255, 255));
    const CRect strip(0, 10, 120, 22);
    context.drawString("gjpqy ggg", strip, kLeftText);
    int below = 0;
    int inside = 0;
    for (int x = 0; x < 120; ++x) {
        for (int y = 0; y < 30; ++y) {
            if (buffer.getPixel(x, y).alpha == 0)
                continue;
            (y >= 22 ? below : inside) += 1;
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(below, 0);
}

TEST(CairoText, TextInAnyScriptHasWidth)
{
    BackBuffer buffer(10, 10);
    CairoDrawContext context(buffer.surface());
    context.setFont(makeOwned<CFontDesc>("Arial", 12));
    EXPECT_GT(context.getStringWidth("Ωμέγα Привет.wav"), context.getStringWidth(".wav"));
}

} // namespace
} // namespace VSTGUI::test
