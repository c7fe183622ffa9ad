#include "SoundfileRig.h"

#include "vstgui/testing/recordingdrawcontext.h"

namespace korvel::test {
namespace {

using gui::SoundfileView;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

constexpr double MID = 10.0 + 165.0 / 2;

// 3990 frames and the 10 wrap frames fill exactly 200 peak blocks: the last peak pair has no data.
testing_support::SoundRecipe alternatingHalves()
{
    return monoSound(3990, [](std::size_t i) { return i % 2 ? -0.5 : 0.5; });
}

std::size_t linesIn(const std::vector<DrawCall>& calls, const VSTGUI::CColor& colour)
{
    std::size_t n = 0;
    for (const auto& call : calls)
        if (call.kind == DrawCall::Kind::Lines && call.frameColor == colour)
            n += call.points.size() / 2;
    return n;
}

using SoundfileLinesTest = SoundfileViewRig;

TEST_F(SoundfileLinesTest, ShortSoundGivesOneColumnPerPeakPairWithExactPoints)
{
    auto pack = install(alternatingHalves());
    ASSERT_EQ(pack->peaks().values.size(), 201u);
    ASSERT_GT(pack->peaks().values.back().first, pack->peaks().values.back().second) << "the no-data pair";
    const auto lines = gui::buildSoundfileLines(*pack, view->getViewSize());

    ASSERT_EQ(lines.peaks.size(), 201u);
    EXPECT_EQ(lines.amplitude.size(), std::min<std::size_t>(pack->amplitude().values.size(), 380));
    EXPECT_EQ(lines.noisiness.size(), 201u);

    // A bar from -0.5 to 0.5 at column 3.
    EXPECT_DOUBLE_EQ(lines.peaks[3].first.x, 13.0);
    EXPECT_NEAR(lines.peaks[3].first.y, MID + 0.5 * 165 / 2, 0.01);
    EXPECT_NEAR(lines.peaks[3].second.y, MID - 0.5 * 165 / 2, 0.01);
    EXPECT_EQ(lines.peaks[200].first, lines.peaks[200].second) << "no data: no bar";

    // Track values scaled by h / 2.1, one point per column.
    const auto& amplitude = pack->amplitude().values;
    const double amplitudeStep = std::max(double(amplitude.size()) / 380.0, 1.0);
    EXPECT_EQ(lines.amplitude[0].first, lines.amplitude[0].second) << "the polyline starts at its first point";
    EXPECT_EQ(lines.amplitude[5].first, lines.amplitude[4].second);
    EXPECT_DOUBLE_EQ(lines.amplitude[5].second.x, 15.0);
    EXPECT_NEAR(lines.amplitude[5].second.y, MID - amplitude[std::size_t(5 * amplitudeStep)] * 165.0 / double(2.1f),
                1e-9);
    EXPECT_GT(amplitude[std::size_t(5 * amplitudeStep)], 0.1f);

    const auto& noise = pack->noisiness().values;
    const double step = double(noise.size()) / 201.0;
    const auto index = std::size_t(150 * step);
    EXPECT_NEAR(lines.noisiness[150].second.y, MID - (index < noise.size() ? noise[index] : 0.0) * 165.0 / double(2.1f),
                1e-4);
}

TEST_F(SoundfileLinesTest, LongSoundGivesOneColumnPerPixel)
{
    auto pack = install(swellingTone(100000));
    const auto lines = gui::buildSoundfileLines(*pack, view->getViewSize());
    EXPECT_EQ(lines.peaks.size(), 380u);
    EXPECT_EQ(lines.amplitude.size(), 380u);
    EXPECT_EQ(lines.noisiness.size(), 380u);
    EXPECT_DOUBLE_EQ(lines.peaks.back().first.x, 10.0 + 379);
    // The bar of a column spans the peaks of the blocks it covers.
    const auto [lo, hi] = pack->peaks().get(std::uint32_t(190 * (pack->peaks().values.size() / 380.0)),
                                            float(pack->peaks().values.size() / 380.0));
    EXPECT_NEAR(lines.peaks[190].first.y, MID - lo * 165.0 / 2, 1e-9);
    EXPECT_NEAR(lines.peaks[190].second.y, MID - hi * 165.0 / 2, 1e-9);
}

TEST_F(SoundfileLinesTest, FileNameIsAfterTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(gui::fileNameOf(L"C:\\music/drums\\kick.wav"), L"kick.wav");
    EXPECT_EQ(gui::fileNameOf(L"/home/me\\odd/loop.aiff"), L"loop.aiff");
    EXPECT_EQ(gui::fileNameOf(L"plain.wav"), L"plain.wav");
    EXPECT_EQ(gui::fileNameOf(L"folder/"), L"");
}

TEST_F(SoundfileLinesTest, WithoutASoundOnlyTheHintAndTheBorderAreDrawn)
{
    RecordingDrawContext context;
    view->drawRect(&context, view->getViewSize());
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_EQ(strings[0].text, "Drop a soundfile here (wav or aiff)");
    EXPECT_EQ(strings[0].points.at(0), VSTGUI::CPoint(18, 175 - 8));
    EXPECT_EQ(strings[0].fontColor, gui::soundfileViewColours[SoundfileView::PEAKS_SELECTED]);
    const auto rects = context.callsOf(DrawCall::Kind::Rect);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, view->getViewSize());
    EXPECT_EQ(rects[0].frameColor, gui::soundfileViewColours[SoundfileView::BORDER]);
    EXPECT_TRUE(context.callsOf(DrawCall::Kind::Lines).empty());
}

TEST_F(SoundfileLinesTest, SketchShadesTheSelectionAndSkipsBarsWithoutData)
{
    install(alternatingHalves());
    const auto& colours = gui::soundfileViewColours;
    RecordingDrawContext context;
    view->drawRect(&context, view->getViewSize());
    EXPECT_EQ(linesIn(context.calls(), colours[SoundfileView::PEAKS_SELECTED]), 200u);
    EXPECT_EQ(linesIn(context.calls(), colours[SoundfileView::PEAKS]), 0u);

    // Start at a quarter, end at 0 (the end of the sound): columns 50.. are selected.
    setSelection(1000, 0);
    context.clear();
    view->drawRect(&context, view->getViewSize());
    std::vector<DrawCall> fills;
    for (const auto& call : context.callsOf(DrawCall::Kind::Rect))
        if (call.style == VSTGUI::kDrawFilled)
            fills.push_back(call);
    ASSERT_EQ(fills.size(), 4u) << "the three shades and the caption's backing";
    EXPECT_EQ(fills[0].rect, VSTGUI::CRect(10, 10, 10 + 50, 175));
    EXPECT_EQ(fills[0].fillColor, colours[SoundfileView::BACKGROUND]);
    EXPECT_EQ(fills[1].rect, VSTGUI::CRect(10 + 201, 10, 390, 175)) << "right of the short sketch";
    EXPECT_EQ(fills[2].rect, VSTGUI::CRect(10 + 50, 10, 10 + 201, 175));
    EXPECT_EQ(fills[2].fillColor, colours[SoundfileView::SELECTED_BACKGROUND]);
    EXPECT_EQ(linesIn(context.calls(), colours[SoundfileView::PEAKS]), 50u);
    EXPECT_EQ(linesIn(context.calls(), colours[SoundfileView::PEAKS_SELECTED]), 150u);
}

TEST_F(SoundfileLinesTest, CaptionGivesDurationRateAndSelection)
{
    install(swellingTone(22050));
    VSTGUI::testing::RecordingDrawContext context;
    view->drawRect(&context, view->getViewSize());
    EXPECT_EQ(view->captionText(), "0.50 s 44.1 kHz [sel 0.00 - 0.50]");
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_EQ(strings[0].text, view->captionText());
    EXPECT_EQ(strings[0].points.at(0), VSTGUI::CPoint(14, 171));

    setSelection(11025, 16537.5);
    // 221 columns: the start falls in column 110, the end in 165, each shown at its column's time.
    EXPECT_EQ(view->captionText(), "0.50 s 44.1 kHz [sel 0.25 - 0.37]");
}

} // namespace
} // namespace korvel::test
