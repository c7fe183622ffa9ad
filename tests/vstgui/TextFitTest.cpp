// Texts longer than their place, measured with the installed font as the window draws them.

#include "vstgui/lib/ctextfit.h"
#include "vstgui/testing/recordingdrawcontext.h"
#include "vstgui/vstgui.h"

#include <gtest/gtest.h>

#include <string>

namespace VSTGUI::test {
namespace {

using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

const std::string ELLIPSIS = kTextEllipsis;

class TextFitTest : public ::testing::Test {
protected:
    TextFitTest() { context.setFont(kSystemFont); }

    std::string fit(const std::string& text, CCoord width) { return fitText(context, text, width).getString(); }
    CCoord width(const std::string& text) { return context.getStringWidth(text); }

    RecordingDrawContext context;
};

TEST_F(TextFitTest, ATextThatFitsStaysWhole)
{
    const std::string help = "Right-click to select control. Shift to fine-tune, Ctrl-click to set default";
    EXPECT_EQ(fit(help, width(help)), help);
    EXPECT_EQ(fit("", 0.), "");
}

TEST_F(TextFitTest, ALongTextKeepsTheWordsThatFitAndEndsInAnEllipsis)
{
    const std::string help = "Random: X Walk: offset next val from previous. Y Spread: near or extreme values";
    for (const CCoord place : {120., 250., 380., width(help) - 1.}) {
        const std::string shown = fit(help, place);
        ASSERT_GE(shown.size(), ELLIPSIS.size()) << place;
        EXPECT_TRUE(shown.ends_with(ELLIPSIS)) << shown;
        EXPECT_LE(width(shown), place) << shown;
        const std::string kept = shown.substr(0, shown.size() - ELLIPSIS.size());
        EXPECT_TRUE(help.starts_with(kept)) << shown;
        // Cut at a word's end: the next character is a blank or punctuation before one.
        const char next = help[kept.size()];
        EXPECT_TRUE(next == ' ' || next == '.' || next == ':') << shown;
        // The next word would not have fitted.
        const std::size_t nextBlank = help.find(' ', help.find(' ', kept.size()) + 1);
        if (nextBlank != std::string::npos) {
            EXPECT_GT(width(help.substr(0, nextBlank) + ELLIPSIS), place) << shown;
        }
    }
}

TEST_F(TextFitTest, NumbersAreNeverCutInsideAndPunctuationDoesNotDangle)
{
    const std::string caption = "filter (2) freq 63.2, Q 50";
    const std::string upToFreq = "filter (2) freq 63.2" + ELLIPSIS;
    EXPECT_EQ(fit(caption, width(upToFreq)), upToFreq);
    EXPECT_EQ(fit(caption, width(upToFreq) - 1.), "filter (2) freq" + ELLIPSIS);
    const std::string status = "long_take.wav - Veldro chops it";
    EXPECT_EQ(fit(status, width("long_take.wav - Veldro" + ELLIPSIS)), "long_take.wav - Veldro" + ELLIPSIS);
    EXPECT_EQ(fit(status, width("long_take.wav - V")), "long_take.wav" + ELLIPSIS);
}

TEST_F(TextFitTest, AFirstWordTooLongAloneIsCutBetweenCharacters)
{
    const std::string name = "Aufnahme_\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC_Kl\xC3\xA4nge.wav - Veldro chops it";
    for (CCoord place = 20.; place < 100.; place += 3.) {
        const std::string shown = fit(name, place);
        EXPECT_TRUE(shown.ends_with(ELLIPSIS)) << shown;
        EXPECT_LE(width(shown), place) << shown;
        // No UTF-8 sequence is split: the byte before the ellipsis ends a character.
        const std::string kept = shown.substr(0, shown.size() - ELLIPSIS.size());
        ASSERT_FALSE(kept.empty()) << place;
        const std::size_t cut = kept.size();
        EXPECT_NE(static_cast<unsigned char>(name[cut]) & 0xC0, 0x80) << place;
    }
}

TEST_F(TextFitTest, WithoutRoomForOneCharacterOnlyTheEllipsisIsLeft)
{
    EXPECT_EQ(fit("DELTIME", 1.), ELLIPSIS);
}

TEST(TextButtonFitTest, ATitleLongerThanTheButtonIsDrawnShortenedInsideItsMargins)
{
    CTextButton button(CRect(0., 0., 120., 20.), nullptr, -1, "Do/Don't switch soundfile/selection when changing patch");
    button.setTextAlignment(kLeftText);
    button.setTextMargin(4.);
    RecordingDrawContext context;
    button.draw(&context);
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_TRUE(strings[0].text.ends_with(kTextEllipsis)) << strings[0].text;
    EXPECT_GE(strings[0].points[0].x, 4.);
    EXPECT_LE(strings[0].points[0].x + context.getStringWidth(strings[0].text), 116.);
    EXPECT_EQ(button.getTitle(), "Do/Don't switch soundfile/selection when changing patch") << "the title is kept";
}

} // namespace
} // namespace VSTGUI::test
