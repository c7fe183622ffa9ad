#include "gui/CCustomDrawXYPad.h"

#include "vstgui/FrameFixture.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

TEST(PadValue, PacksThousandthsOfXAndYInOneFloat)
{
    EXPECT_EQ(CCustomDrawXYPad::encode(0., 0.), 0.f);
    const struct {
        double x;
        double y;
        double outX;
        double outY;
    } cases[] = {{0.5, 0.5, 0.5, 0.5}, {1., 1., 1., 1.}, {0.1234, 0.9876, 0.123, 0.988},
                 {0.0005, 0.0004, 0.001, 0.}, {0.999, 0.001, 0.999, 0.001}, {0.25, 0.75, 0.25, 0.75}};
    for (const auto& c : cases) {
        double x = -1.;
        double y = -1.;
        CCustomDrawXYPad::decode(CCustomDrawXYPad::encode(c.x, c.y), x, y);
        EXPECT_NEAR(x, c.outX, 1e-6) << c.x << "," << c.y;
        EXPECT_NEAR(y, c.outY, 1e-6) << c.x << "," << c.y;
    }
    // Every step of a coarse grid survives the trip exactly (to float precision of the step).
    for (int i = 0; i <= 1000; i += 37)
        for (int j = 0; j <= 1000; j += 41) {
            double x = 0.;
            double y = 0.;
            CCustomDrawXYPad::decode(CCustomDrawXYPad::encode(i * 0.001, j * 0.001), x, y);
            ASSERT_EQ(std::lround(x * 1000.), i);
            ASSERT_EQ(std::lround(y * 1000.), j);
        }
}

class CustomDrawXYPad : public VSTGUI::test::FrameFixture {
protected:
    CustomDrawXYPad()
    {
        pad->setRoundRectRadius(10.);
        frame->addView(pad);
        pad->remember();
    }
    ~CustomDrawXYPad() override { pad->forget(); }

    double padX() const
    {
        double x = 0.;
        double y = 0.;
        CCustomDrawXYPad::decode(pad->getValue(), x, y);
        return x;
    }

    CCustomDrawXYPad* pad = new CCustomDrawXYPad(CRect(10., 10., 110., 60.), nullptr, 63);
    RecordingDrawContext context;
};

TEST_F(CustomDrawXYPad, DrawsBackPictureThenHandle)
{
    pad->setValue(CCustomDrawXYPad::encode(0.5, 1.0));
    double seenX = -1.;
    double seenY = -1.;
    pad->setDrawFunction([&](CXYPad* drawn, CDrawContext* into, double x, double y) {
        EXPECT_EQ(drawn, pad);
        seenX = x;
        seenY = y;
        into->drawLine(CPoint(0., 0.), CPoint(1., 1.));
    });
    pad->setHandleColour(CColor(1, 2, 3, 255));
    pad->draw(&context);
    EXPECT_DOUBLE_EQ(seenX, 0.5);
    EXPECT_DOUBLE_EQ(seenY, 1.0);
    const auto& calls = context.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().kind, DrawCall::Kind::Path);
    EXPECT_EQ(calls[calls.size() - 2].kind, DrawCall::Kind::Line);
    const DrawCall& handle = calls.back();
    EXPECT_EQ(handle.kind, DrawCall::Kind::Ellipse);
    EXPECT_EQ(handle.style, kDrawFilled);
    EXPECT_EQ(handle.fillColor, CColor(1, 2, 3, 255));
    // Centre (10 + 5 + 0.5 * 90, 10 + 5 + 1 * 40), diameter 10.
    EXPECT_EQ(handle.rect, CRect(55., 50., 65., 60.));
    EXPECT_FALSE(pad->isDirty());
}

TEST_F(CustomDrawXYPad, TransparentWhiteOrNoRadiusHidesTheHandle)
{
    pad->setHandleColour(CColor(255, 255, 255, 0));
    pad->draw(&context);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Ellipse).empty());
    pad->setHandleColour(CColor(255, 255, 255, 1));
    pad->setRoundRectRadius(0.);
    pad->draw(&context);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Ellipse).empty());
}

TEST_F(CustomDrawXYPad, LeftDragIsOneEditGestureOnTheTag)
{
    press(CPoint(15., 15.));
    move(CPoint(60., 35.));
    release(CPoint(60., 35.));
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 63", "end 63"}));
    double x = 0.;
    double y = 0.;
    CCustomDrawXYPad::decode(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.5, 1e-6);
    EXPECT_NEAR(y, 0.5, 1e-6);
}

TEST_F(CustomDrawXYPad, ModifiersDoNotMatterButOtherButtonsDo)
{
    press(CPoint(60., 35.), kLButton | kControl | kAlt);
    release(CPoint(60., 35.), kLButton);
    EXPECT_NEAR(padX(), 0.5, 1e-6);
    CPoint where(100., 35.);
    EXPECT_EQ(pad->onMouseDown(where, kLButton | kMButton), kMouseEventNotHandled);
    EXPECT_EQ(pad->onMouseDown(where, kRButton), kMouseEventNotHandled);
    EXPECT_NEAR(padX(), 0.5, 1e-6);
}

TEST_F(CustomDrawXYPad, ShiftMovesTheHandleByATenthOfTheMouse)
{
    press(CPoint(60., 35.));
    move(CPoint(69., 35.), kLButton | kShift);
    // 9 px of a 90 px travel, ten times slower.
    EXPECT_NEAR(padX(), 0.51, 1e-6);
    move(CPoint(78., 35.), kLButton | kShift);
    EXPECT_NEAR(padX(), 0.52, 1e-6);
    pad->setFineTuneFactor(1.f);
    EXPECT_EQ(pad->getFineTuneFactor(), 1.f);
    move(CPoint(87., 35.), kLButton | kShift);
    EXPECT_NEAR(padX(), 0.62, 1e-6);
    // Without Shift the handle jumps back under the mouse.
    move(CPoint(24., 35.), kLButton);
    EXPECT_NEAR(padX(), 0.1, 1e-6);
    release(CPoint(24., 35.));
}

} // namespace
} // namespace korvel::gui
