#include "SoundfileRig.h"

#include "vstgui/testing/recordingdrawcontext.h"

namespace korvel::test {
namespace {

using VSTGUI::CColor;

class SoundfileCursorTest : public SoundfileViewRig {
protected:
    std::vector<CColor> pixelsOfView()
    {
        std::vector<CColor> pixels;
        for (int y = int(TOP); y < int(TOP + HEIGHT); ++y)
            for (int x = int(LEFT); x < int(LEFT + WIDTH); ++x)
                pixels.push_back(frame->getPixel(x, y));
        return pixels;
    }
    void paint()
    {
        frame->idle();
    }
};

TEST_F(SoundfileCursorTest, PositionMapsToColumnsAndSmallMovesInvalidateNothing)
{
    install(swellingTone(22050)); // 221 peak columns in a 380 pixel view
    paint();
    view->setPlayPosition(0.0);
    EXPECT_EQ(view->getCursorX(), 0.0);
    view->setPlayPosition(11025.0);
    EXPECT_DOUBLE_EQ(view->getCursorX(), 110.5);
    view->setPlayPosition(1e9);
    EXPECT_DOUBLE_EQ(view->getCursorX(), 221.0) << "clamped to the sketch";

    paint();
    ASSERT_TRUE(frame->getInvalidRects().empty());
    view->setPlayPosition(22050.0 * (221.0 - 0.01) / 221.0);
    EXPECT_TRUE(frame->getInvalidRects().empty()) << "a move of 0.01 pixel";
    view->setPlayPosition(22050.0 * 215.0 / 221.0);
    ASSERT_EQ(frame->getInvalidRects().size(), 1u);
    EXPECT_EQ(frame->getInvalidRects()[0], VSTGUI::CRect(LEFT + 215 - 3, TOP, LEFT + 221 + 4, TOP + HEIGHT));
    paint();
    view->setPlayPosition(22050.0 * 10.0 / 221.0);
    EXPECT_EQ(frame->getInvalidRects().size(), 2u) << "a long jump: the old and the new place apart";
}

TEST_F(SoundfileCursorTest, PixelsTheCursorPassedShowTheWaveformAgain)
{
    install(swellingTone(22050));
    paint();
    const auto before = pixelsOfView();

    // Across the first 120 columns in uneven steps, painting after each as the editor's idle does.
    for (double frames = 100; frames < 12000; frames += 377)
    {
        view->setPlayPosition(frames);
        paint();
    }
    ASSERT_NE(pixelsOfView(), before) << "the cursor shows";
    view->setPlayPosition(22050.0 * 200.0 / 221.0);
    paint();

    // Every column the cursor crossed keeps its waveform; cairo's non-antialiased rasteriser may only
    // decide a pixel at a joint of two strokes differently when it draws part of a path.
    const auto after = pixelsOfView();
    const CColor background = gui::soundfileViewColours[gui::SoundfileView::SELECTED_BACKGROUND];
    std::size_t differing = 0;
    for (int x = 0; x < 195; ++x) {
        int shownBefore = 0;
        int shownAfter = 0;
        for (int y = 0; y < int(HEIGHT) - 14; ++y) { // above the caption
            const std::size_t i = std::size_t(y) * std::size_t(WIDTH) + std::size_t(x);
            shownBefore += before[i] != background;
            shownAfter += after[i] != background;
            differing += before[i] != after[i];
        }
        EXPECT_GE(shownAfter, shownBefore - 1) << "column " << x;
    }
    EXPECT_LE(differing, 10u);
}

} // namespace
} // namespace korvel::test
