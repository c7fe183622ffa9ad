#include "gui/CGrainDisplay.h"
#include "gui/ColourMath.h"
#include "synth/Synth.h"
#include "vstgui/FrameFixture.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <cmath>
#include <string>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

constexpr std::array<CColor, 5> COLOURS = {
    {{1, 1, 1, 255}, {200, 0, 0, 255}, {0, 100, 0, 255}, {0, 0, 100, 255}, {100, 100, 100, 255}}};

struct TextLog : ITextReceiver {
    void receiveText(const UTF8String& text, CColor) override { texts.push_back(text.getString()); }
    std::vector<std::string> texts;
};

// The display over (10, 10)-(110, 40): strokes within 97 x 27 pixels from (11, 12), middle at y = 25.5.
class GrainDisplay : public VSTGUI::test::FrameFixture {
protected:
    GrainDisplay()
    {
        display = add(new CGrainDisplay(CRect(10, 10, 110, 40), COLOURS));
        display->attachParams(params);
        display->setTextReceiver(&texts);
        // No envelope share lost: the density is rate x length / 1000.
        set(9, 0.0);
        set(10, 0.0);
    }

    void set(int id, double v) { params.setParam(id, v, 0.0); }
    void setGrains(double rate, double lengthMs, double freq, double gliss)
    {
        set(4, rate);
        set(5, lengthMs);
        set(7, freq);
        set(8, gliss);
        params.updateDensity();
    }
    // Advances the clock by ms and idles the display; true when it asked to be redrawn.
    bool tick(uint32 ms)
    {
        now += ms;
        display->idle(now);
        const bool asked = !frame->getInvalidRects().empty();
        frame->paintInvalidRects();
        return asked;
    }
    std::vector<DrawCall> strokes()
    {
        context.clear();
        display->draw(&context);
        return context.callsOf(DrawCall::Kind::Line);
    }

    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    TextLog texts;
    CGrainDisplay* display;
    RecordingDrawContext context;
};

TEST_F(GrainDisplay, StrokesFollowRateLengthFreqAndGliss)
{
    setGrains(4, 500, 5, 8); // density 2
    const auto lines = strokes();
    ASSERT_EQ(lines.size(), 7u); // round(3 * sqrt(4) + 0.5)
    const double step = 97. / 7.;
    const double length = step * 2. / std::cbrt(2.);
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto& ends = lines[i].points;
        EXPECT_NEAR(ends[0].x, 12 + i * step, 1e-9) << i;
        EXPECT_NEAR(ends[1].x, 12 + i * step + length, 1e-9) << i;
        EXPECT_DOUBLE_EQ(ends[0].y, 25.5 - 1.0 * 27 / 12); // raised by 0.2 x 5
        EXPECT_DOUBLE_EQ(ends[1].y, ends[0].y - 2.0 * 27 / 12); // slanted by the cube root of 8
    }
    EXPECT_DOUBLE_EQ(lines[0].lineWidth, std::sqrt(std::sqrt(2.)));
    const CColor mixed = mixColours(mixColours(COLOURS[2], COLOURS[3], 0.6), COLOURS[4], 0.06);
    EXPECT_EQ(lines[0].frameColor, mixed);

    const auto border = context.callsOf(DrawCall::Kind::Rect);
    ASSERT_EQ(border.size(), 1u);
    EXPECT_EQ(border[0].rect, CRect(10, 10, 110, 40));
    EXPECT_EQ(border[0].frameColor, COLOURS[1]);
    EXPECT_EQ(border[0].lineWidth, 1.0);

    display->setFrameWidth(3); // a wider frame moves the row in: 93 pixels from (13, 14)
    const auto inset = strokes();
    ASSERT_EQ(inset.size(), 7u);
    EXPECT_NEAR(inset[1].points[0].x, 14 + 93. / 7., 1e-9);
}

TEST_F(GrainDisplay, NoDensityGivesThinShortStrokesInTheFirstStrokeColour)
{
    setGrains(100, 0, 0.05, 0);
    const auto lines = strokes();
    ASSERT_EQ(lines.size(), 31u); // round(30 + 0.5)
    EXPECT_NEAR(lines[0].points[1].x - lines[0].points[0].x, 0.3, 1e-12);
    EXPECT_EQ(lines[0].lineWidth, 0.5);
    EXPECT_EQ(lines[0].frameColor, COLOURS[2]);
    // A pitch below 1 lowers the strokes by 0.3 / |freq|, but not closer than 2 pixels to the bottom.
    EXPECT_DOUBLE_EQ(lines[0].points[0].y, 12 + 27 - 2);
    setGrains(100, 0, 0.5, 0);
    EXPECT_DOUBLE_EQ(strokes()[0].points[0].y, 25.5 + 0.6 * 27 / 12);
}

TEST_F(GrainDisplay, RateZeroDrawsAtMostTwoStrokesAndLongGrainsStopTheRowEarly)
{
    setGrains(0, 100, 1, 0);
    EXPECT_EQ(strokes().size(), 2u);

    setGrains(25, 2000, 1, 0); // 16 places, but each grain is far longer than its place
    const auto lines = strokes();
    EXPECT_LT(lines.size(), 16u);
    EXPECT_GE(lines.size(), 1u);
}

TEST_F(GrainDisplay, RandomControllersDrawFromTheViewsOwnSource)
{
    setGrains(16, 100, 2, 0);
    set(83, 1);   // "random" on the first control of "grain.rate"
    set(84, 0.5); // its amount
    veldro::ParamControl& walk = params.getBaseParam(4).controls[0][0];
    auto engineDraws = [&] {
        params.seedRandom(9);
        walk.phase = 0.0;
        std::vector<double> draws;
        for (int i = 0; i < 5; ++i)
            draws.push_back(params.getModulation(4, -1).second);
        return draws;
    };
    const auto undisturbed = engineDraws();

    params.seedRandom(9);
    walk.phase = 0.0;
    const auto lines = strokes();
    ASSERT_GE(lines.size(), 3u);
    const double gap1 = lines[1].points[0].x - lines[0].points[0].x;
    const double gap2 = lines[2].points[0].x - lines[1].points[0].x;
    EXPECT_NE(gap1, gap2); // the walk moved the strokes
    EXPECT_EQ(walk.phase, 0.0);

    std::vector<double> afterPicture;
    for (int i = 0; i < 5; ++i)
        afterPicture.push_back(params.getModulation(4, -1).second);
    EXPECT_EQ(afterPicture, undisturbed);
}

TEST_F(GrainDisplay, IdleSendsTheDensityWhenItsRoundedValueChangesAndRedrawsAtMostEvery100Ms)
{
    setGrains(4, 500, 1, 0);
    frame->paintInvalidRects(); // the picture's time is the frame's: now
    EXPECT_FALSE(tick(99));
    EXPECT_TRUE(texts.texts.empty());

    EXPECT_TRUE(tick(1));
    EXPECT_EQ(texts.texts, (std::vector<std::string>{"density 2.0"}));

    set(5, 500.4); // 2.0008: the same hundredths
    params.updateDensity();
    EXPECT_TRUE(tick(100));
    EXPECT_EQ(texts.texts.size(), 1u);

    set(5, 125); // 0.5: thousandths from here down
    params.updateDensity();
    tick(100);
    set(5, 125.1); // 0.5004
    params.updateDensity();
    tick(100);
    EXPECT_EQ(texts.texts, (std::vector<std::string>{"density 2.0", "density 0.50"}));
}

TEST_F(GrainDisplay, FirstIdleSendsEvenNoDensityAndTheTickCountMayWrap)
{
    setGrains(4, 0, 1, 0);
    display->idle(0xFFFFFFF0u);
    EXPECT_EQ(texts.texts, (std::vector<std::string>{"density 0.000"}));
    display->idle(0x50u); // 0x60 ms later
    EXPECT_EQ(texts.texts.size(), 1u);
    display->idle(0x60u);
    EXPECT_EQ(texts.texts.size(), 1u);
    set(5, 1000);
    params.updateDensity();
    display->idle(0xD0u);
    EXPECT_EQ(texts.texts.back(), "density 4.0");
}

TEST_F(GrainDisplay, AnUnboundDisplayDrawsAndTicksNothingUntilBound)
{
    auto* unbound = add(new CGrainDisplay(CRect(10, 50, 110, 80), COLOURS));
    unbound->setTextReceiver(&texts);
    RecordingDrawContext drawn;
    unbound->draw(&drawn);
    frame->paintInvalidRects();
    for (uint32 later : {1000u, 5000u})
        unbound->idle(now + later);
    EXPECT_TRUE(drawn.calls().empty());
    EXPECT_TRUE(texts.texts.empty());
    EXPECT_TRUE(frame->getInvalidRects().empty());

    unbound->attachParams(params);
    unbound->draw(&drawn);
    EXPECT_FALSE(drawn.callsOf(DrawCall::Kind::Line).empty());
    frame->paintInvalidRects();
    unbound->idle(now + 5100);
    EXPECT_EQ(texts.texts.size(), 1u);
    EXPECT_FALSE(frame->getInvalidRects().empty());
}

} // namespace
} // namespace korvel::gui
