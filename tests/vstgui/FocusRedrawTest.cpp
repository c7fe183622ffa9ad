#include "FrameFixture.h"

namespace VSTGUI::test {
namespace {

// A focused control that shrinks or grows must leave no part of its old focus ring behind.
class FocusRedrawTest : public FrameFixture {
protected:
    FocusRedrawTest()
    {
        frame->setBackgroundColor(kBlackCColor);
        frame->setFocusDrawingEnabled(true);
        frame->setFocusColor(kRedCColor);
        frame->setFocusWidth(2.);
        button = add(new CTextButton(CRect(20., 20., 60., 80.), nullptr, -1));
        button->setFrameWidth(0.);
        frame->setFocusView(button);
        frame->idle();
    }

    CRect invalidArea() const
    {
        const std::vector<CRect>& rects = frame->getInvalidRects();
        CRect area = rects.empty() ? CRect() : rects.front();
        for (const CRect& rect : rects)
            area.unite(rect);
        return area;
    }

    CTextButton* button = nullptr;
};

TEST_F(FocusRedrawTest, ShrinkingRepaintsTheOldRingAndDrawsTheNewOne)
{
    ASSERT_EQ(frame->getPixel(40, 81), kRedCColor);
    button->setViewSize(CRect(20., 20., 60., 50.));
    frame->idle();
    EXPECT_EQ(frame->getPixel(40, 81), kBlackCColor);  // the old ring's bottom edge
    EXPECT_EQ(frame->getPixel(18, 70), kBlackCColor);  // its left edge below the new rect
    EXPECT_EQ(frame->getPixel(40, 51), kRedCColor);
}

TEST_F(FocusRedrawTest, GrowingRepaintsTheOldRingInsideTheNewRect)
{
    button->setViewSize(CRect(20., 20., 60., 50.));
    frame->idle();
    ASSERT_EQ(frame->getPixel(40, 51), kRedCColor);
    button->setViewSize(CRect(20., 20., 60., 80.));
    frame->idle();
    EXPECT_EQ(frame->getPixel(40, 81), kRedCColor);
    EXPECT_NE(frame->getPixel(40, 51), kRedCColor); // now the button's face
}

TEST_F(FocusRedrawTest, ResizeInvalidatesTheRingAroundOldAndNewRects)
{
    button->setViewSize(CRect(20., 20., 60., 50.));
    const CRect covered = invalidArea();
    EXPECT_LE(covered.left, 18.);
    EXPECT_LE(covered.top, 18.);
    EXPECT_GE(covered.right, 62.);
    EXPECT_GE(covered.bottom, 82.);
}

TEST_F(FocusRedrawTest, AnUnfocusedViewInvalidatesOnlyItsRects)
{
    frame->setFocusView(nullptr);
    frame->idle();
    button->setViewSize(CRect(20., 20., 60., 50.));
    const CRect covered = invalidArea();
    EXPECT_EQ(covered, CRect(20., 20., 60., 80.));
}

} // namespace
} // namespace VSTGUI::test
