// Every text the editor's own views draw reads whole or ends in "…", stays inside its place and stands out
// from what it is drawn on; measured with the installed font.

#include "PadRig.h"
#include "SoundfileRig.h"
#include "gui/CCustomDrawXYPad.h"
#include "gui/CDropButton.h"
#include "gui/CGroupbox.h"
#include "gui/CTextDisplay.h"
#include "gui/ColourMath.h"
#include "gui/ControlFactories.h"
#include "gui/FittedText.h"
#include "gui/FontSet.h"
#include "gui/StaticPalettes.h"
#include "gui/controllers/ControllerFactory.h"
#include "utility/Win32Compat.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/ctextfit.h"
#include "vstgui/testing/fakehost.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

std::string tooltipOf(const CView& view)
{
    uint32 size = 0;
    if (!view.getAttributeSize(kCViewTooltipAttribute, size) || size == 0)
        return {};
    std::string text(size, '\0');
    view.getAttribute(kCViewTooltipAttribute, size, text.data(), size);
    return text.c_str();
}

CCoord widthIn(const DrawCall& call)
{
    RecordingDrawContext measure;
    const auto font = makeOwned<CFontDesc>(call.font);
    measure.setFont(font.get());
    return measure.getStringWidth(call.text);
}

// ---- colours

TEST(ReadableColour, AColourThatStandsOutIsKept)
{
    const CColor orange(255, 122, 0, 255);
    const CColor dark(50, 54, 57, 255);
    EXPECT_EQ(readableOn(orange, dark), orange);
    EXPECT_DOUBLE_EQ(contrastRatio(CColor(0, 0, 0, 255), CColor(255, 255, 255, 255)), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(dark, dark), 1.0);
}

TEST(ReadableColour, PaleTextMovesAwayFromItsBackgroundJustFarEnough)
{
    const struct {
        CColor text;
        CColor background;
    } cases[] = {{{255, 245, 166, 255}, {250, 190, 0, 255}},  // pale yellow on the LFO pad
                 {{255, 230, 255, 255}, {255, 51, 222, 255}},  // pale pink on the random pad
                 {{80, 80, 80, 255}, {50, 54, 57, 255}},       // the empty pad's grey caption
                 {{255, 255, 255, 90}, {106, 206, 218, 255}}}; // white on the MIDI pad, alpha kept
    for (const auto& c : cases) {
        const CColor readable = readableOn(c.text, c.background);
        EXPECT_GE(contrastRatio(readable, c.background), 3.0);
        EXPECT_LT(contrastRatio(readable, c.background), 4.5) << "no further than needed";
        EXPECT_EQ(readable.alpha, c.text.alpha);
    }
    // Dark backgrounds push towards white, light ones towards black.
    EXPECT_GT(readableOn({80, 80, 80, 255}, {50, 54, 57, 255}).red, 80);
    EXPECT_LT(readableOn({255, 245, 166, 255}, {250, 190, 0, 255}).green, 245);
}

// ---- fonts and fitting

TEST(FittedText, TakesTheFirstFontInWhichTheTextFitsWhole)
{
    RecordingDrawContext context;
    FontSet& fonts = fontSet();
    const std::string text = "DELTIME";
    context.setFont(fonts.smallerFont(1));
    const CCoord inSmaller = context.getStringWidth(text);
    EXPECT_EQ(fitTextInFonts(context, text, inSmaller, {fonts.baseFont(), fonts.smallerFont(1)}).getString(), text);
    EXPECT_EQ(context.getFont().getSize(), fonts.smallerFont(1)->getSize());
}

TEST(FittedText, ShrinksNoFurtherThanAllowedThenShortens)
{
    RecordingDrawContext context;
    FontSet& fonts = fontSet();
    context.setFont(fonts.smallerFont(2));
    const CCoord inSmallest = context.getStringWidth("108");

    const UTF8String shrunk = fitTextInFonts(context, "108", inSmallest * 0.85, {fonts.smallerFont(2)}, 8.);
    EXPECT_EQ(shrunk.getString(), "108");
    EXPECT_LT(context.getFont().getSize(), fonts.smallerFont(2)->getSize());
    EXPECT_GE(context.getFont().getSize(), 8.);
    EXPECT_LE(context.getStringWidth("108"), inSmallest * 0.85);

    const UTF8String cut = fitTextInFonts(context, "Veldro chops it", inSmallest, {fonts.smallerFont(2)}, 9.5);
    EXPECT_TRUE(cut.getString().ends_with(kTextEllipsis)) << cut.getString();
    EXPECT_EQ(context.getFont().getSize(), fonts.smallerFont(2)->getSize());
}

// ---- status displays

TEST(StatusDisplay, ALongStatusEndsInAnEllipsisAndReadsWholeInTheTooltip)
{
    auto display = owned(makeTextDisplay({0, 0, 180, 12}, "", "", staticPalette(0)));
    display->setTooltipText("own tooltip");
    const std::string help = "Right-click to select control. Shift to fine-tune, Ctrl-click to set default";
    display->receiveText(help, kTransparentCColor);
    RecordingDrawContext context;
    display->draw(&context);
    auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_TRUE(strings[0].text.ends_with(kTextEllipsis)) << strings[0].text;
    EXPECT_LE(strings[0].points[0].x + widthIn(strings[0]), 180. - display->getTextMargin());
    EXPECT_EQ(tooltipOf(*display), help);

    display->receiveText("short", kTransparentCColor);
    context.clear();
    display->draw(&context);
    strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_EQ(strings[0].text, "short");
    EXPECT_EQ(tooltipOf(*display), "own tooltip");
}

TEST(StatusDisplay, HoveringAShortenedStatusShowsItWholeInTheWindow)
{
    VSTGUI::uint32 now = 100000;
    win32::setTickSourceForTesting([&now] { return now; });
    VSTGUI::testing::RecordingEditor editor;
    auto frame = owned(new CFrame(CRect(0, 0, 200, 40), &editor));
    editor.setFrame(frame);
    frame->open(nullptr);
    frame->enableTooltips(true, 1000);
    const std::string help = "Random: X Walk: offset next val from previous. Y Spread: near or extreme values";
    auto* display = makeTextDisplay({0, 20, 180, 32}, "", "", staticPalette(0));
    frame->addView(display);
    display->receiveText(help, kTransparentCColor);
    frame->idle();
    frame->platformOnMouseMoved(CPoint(90, 26), 0);
    now += 1000;
    frame->idle();
    EXPECT_EQ(frame->getShownTooltip(), help);
    frame->close();
    win32::setTickSourceForTesting({});
}

TEST(StatusDisplay, ADisplayWithoutATooltipLosesTheWholeTextOnceItFits)
{
    auto display = owned(makeTextDisplay({0, 0, 60, 12}, "filter", "", staticPalette(0)));
    display->receiveText("filter (2) freq 63.2, Q 50", kTransparentCColor);
    RecordingDrawContext context;
    display->draw(&context);
    EXPECT_EQ(tooltipOf(*display), "filter (2) freq 63.2, Q 50");
    display->receiveText("", kTransparentCColor);
    display->draw(&context);
    EXPECT_EQ(tooltipOf(*display), "");
}

TEST(StatusDisplay, AShortenedValueTextLosesWordsNeverANumberOrItsUnit)
{
    const struct {
        std::string text;
        std::vector<std::string> kept;
    } cases[] = {{"filter (2) freq 148.9, Q 50", {"(2)", "148.9,", "Q 50"}},
                 {"grain glissando 12.5 semi", {"12.5 semi"}}};
    for (const auto& c : cases) {
        auto display = owned(makeTextDisplay({0, 0, 100, 12}, "", "", staticPalette(0)));
        RecordingDrawContext measure;
        measure.setFont(display->getFont());
        const CCoord width = 0.7 * measure.getStringWidth(c.text);
        display->setViewSize({0, 0, width + 2 * display->getTextMargin(), 12});
        display->receiveText(c.text, kTransparentCColor);
        RecordingDrawContext context;
        display->draw(&context);
        const auto strings = context.callsOf(DrawCall::Kind::String);
        ASSERT_EQ(strings.size(), 1u);
        EXPECT_NE(strings[0].text, c.text);
        for (const std::string& piece : c.kept)
            EXPECT_NE(strings[0].text.find(piece), std::string::npos) << strings[0].text;
        EXPECT_LE(widthIn(strings[0]), width);
        EXPECT_EQ(tooltipOf(*display), c.text);
    }
}

TEST(StatusDisplay, AStatusColourCloseToTheBackgroundIsDrawnReadable)
{
    // The light theme's background with the dark theme's orange, as a status strip gets them.
    const Palette light({232, 232, 232, 255}, {69, 143, 238, 255}, {255, 122, 0, 255}, {255, 122, 0, 255});
    auto display = owned(makeTextDisplay({0, 0, 180, 12}, "", "", light));
    const struct {
        CColor sent;
        bool kept;
    } cases[] = {{kTransparentCColor, false}, {{255, 0, 0, 255}, true}, {{0, 0, 0, 255}, true}};
    for (const auto& c : cases) {
        display->receiveText("Patches: Click to use", c.sent);
        RecordingDrawContext context;
        display->draw(&context);
        const auto strings = context.callsOf(DrawCall::Kind::String);
        ASSERT_EQ(strings.size(), 1u);
        EXPECT_GE(contrastRatio(strings[0].fontColor, light.background), 3.0);
        if (c.kept) {
            EXPECT_EQ(strings[0].fontColor, c.sent) << "a colour that reads is drawn as sent";
        }
    }
    EXPECT_EQ(display->getDefaultColor(), light.text) << "the display keeps its own colour";
}

TEST(GroupboxTitle, ATitleCloseToTheBackgroundIsDrawnReadable)
{
    const Palette light({232, 232, 232, 255}, {69, 143, 238, 255}, {255, 122, 0, 255}, {255, 122, 0, 255});
    auto box = owned(makeGroupbox({0, 0, 200, 100}, "Patches", light, kTransparentCColor, false));
    RecordingDrawContext context;
    box->drawBackgroundRect(&context, box->getViewSize());
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_GE(contrastRatio(strings[0].fontColor, light.background), 3.0);
    EXPECT_EQ(box->getFrameColor(), light.accent) << "the frame keeps the theme's colour";
}

TEST(DropButtonTitle, AnAccentCloseToTheFillIsDrawnReadable)
{
    const CColor lightGrey(232, 232, 232, 255);
    const CColor orange(255, 122, 0, 255);
    auto button = owned(new CDropButton(CRect(0, 0, 84, 24), 174));
    button->setTitle("patch drop");
    button->setTextColor(orange);
    button->setGradient(owned(CGradient::create(0, 1, lightGrey, lightGrey)));
    RecordingDrawContext context;
    button->draw(&context);
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_EQ(strings[0].text, "patch drop");
    EXPECT_GE(contrastRatio(strings[0].fontColor, lightGrey), 3.0);
    EXPECT_EQ(button->getTextColor(), orange);
}

// ---- pad sliders and captions

class PadText : public ::testing::Test {
protected:
    test::PadRig rig;
    RecordingDrawContext context;
};

TEST_F(PadText, SliderTextReadsOnTheBackAndOnTheBarOfEveryPadColour)
{
    for (std::size_t kind = 1; kind < controllerPalettes.size(); ++kind) {
        const Palette& palette = controllerPalettes[kind];
        auto slider = owned(makeTextSlider({10, 100, 66, 112}, nullptr, 84, "lfo %.1f", controllerPalettes[0]));
        slider->setValueColor(palette.background);
        slider->setTextColor(palette.text);
        slider->setValue(0.5f);
        context.clear();
        context.beginPaint({0, 0, 500, 500});
        slider->draw(&context);
        const auto strings = context.callsOf(DrawCall::Kind::String);
        ASSERT_EQ(strings.size(), 2u) << "once beside the bar, once over it";
        EXPECT_GE(contrastRatio(strings[0].fontColor, slider->getBackColor()), 3.0) << kind;
        EXPECT_GE(contrastRatio(strings[1].fontColor, palette.background), 3.0) << kind;
    }
}

TEST_F(PadText, ALongSliderValueTakesASmallerFontBeforeItIsShortened)
{
    auto slider = owned(makeTextSlider({10, 100, 66, 112}, nullptr, 84, "amp/nz %.1f", controllerPalettes[0]));
    slider->setValue(0.0f);
    context.beginPaint({0, 0, 500, 500});
    slider->draw(&context);
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_FALSE(strings.empty());
    EXPECT_EQ(strings[0].text, "amp/nz 0.0");
    EXPECT_LE(widthIn(strings[0]), 56. - 2.);
}

TEST_F(PadText, AnEmptyPadsCaptionStaysInsideItsBorder)
{
    // A 54-wide pad, as the processing box's delay cluster has them.
    auto pad = owned(new CCustomDrawXYPad(CRect(10., 20., 64., 70.), nullptr, 123));
    pad->setFrameWidth(1.);
    for (const char* caption : {"DELTIME", "FEEDBK", "ATTACK", "A VERY LONG CAPTION"}) {
        auto empty = makeKindController(0, rig.handle(23), controllerPalettes[0]);
        empty->setText(caption);
        context.clear();
        empty->draw(pad.get(), &context, 0., 0.);
        const auto strings = context.callsOf(DrawCall::Kind::String);
        ASSERT_EQ(strings.size(), 1u);
        const DrawCall& drawn = strings[0];
        EXPECT_GT(drawn.points[0].x, 11.) << caption;
        EXPECT_LT(drawn.points[0].x + widthIn(drawn), 63. - 2.) << caption;
        EXPECT_GE(contrastRatio(drawn.fontColor, controllerPalettes[0].background), 3.0);
    }
}

// ---- the sound's caption

using SoundCaption = test::SoundfileViewRig;

TEST_F(SoundCaption, TheCaptionHasABackingUnderItAndAboveTheWaveform)
{
    install(test::monoSound(22050, [](std::size_t i) { return i % 2 ? -0.9f : 0.9f; }));
    RecordingDrawContext context;
    view->drawRect(&context, view->getViewSize());
    const auto& calls = context.calls();
    std::size_t text = calls.size();
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i].kind == DrawCall::Kind::String)
            text = i;
    ASSERT_LT(text, calls.size());
    ASSERT_GT(text, 0u);
    const DrawCall& backing = calls[text - 1];
    ASSERT_EQ(backing.kind, DrawCall::Kind::Rect);
    EXPECT_EQ(backing.style, kDrawFilled);
    const DrawCall& caption = calls[text];
    EXPECT_LE(backing.rect.left, caption.points[0].x);
    EXPECT_GE(backing.rect.right, caption.points[0].x + widthIn(caption));
    EXPECT_LE(backing.rect.top, caption.points[0].y - caption.font.getSize() * 0.7);
    EXPECT_GE(backing.rect.bottom, caption.points[0].y);
    EXPECT_GE(backing.fillColor.alpha, 200);
    EXPECT_GE(contrastRatio(caption.fontColor, backing.fillColor), 4.5);
    for (std::size_t i = 0; i < text; ++i)
        EXPECT_NE(calls[i].kind, DrawCall::Kind::String);
}

TEST_F(SoundCaption, ANarrowViewShortensTheCaptionAtAWord)
{
    install(test::monoSound(22050, [](std::size_t i) { return i % 2 ? -0.5f : 0.5f; }));
    view->setViewSize(CRect(10, 10, 130, 175));
    RecordingDrawContext context;
    view->drawRect(&context, view->getViewSize());
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    EXPECT_TRUE(strings[0].text.ends_with(kTextEllipsis)) << strings[0].text;
    EXPECT_LE(strings[0].points[0].x + widthIn(strings[0]), 130. - 4.);
}

} // namespace
} // namespace korvel::gui
