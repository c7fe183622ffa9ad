// The editor window's texts on an offscreen frame, bound to a real instance.
#include "EditorRig.h"

#include "DemoContent.h"
#include "gui/CFilterView.h"
#include "gui/CTextDisplay.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/ctextfit.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace korvel::test {
namespace {

using namespace VSTGUI;
using ::testing::Contains;
using ::testing::Not;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;

template <typename View>
View* firstViewOf(const CViewContainer& container)
{
    for (CView* view : allViews(container))
        if (auto* found = dynamic_cast<View*>(view))
            return found;
    return nullptr;
}

gui::CTextDisplay* displayStartingWith(const CViewContainer& container, const std::string& start)
{
    for (CView* view : allViews(container))
        if (auto* display = dynamic_cast<gui::CTextDisplay*>(view);
            display && display->getTitle().getString().starts_with(start))
            return display;
    return nullptr;
}

TEST(EditorTexts, ClusterLabelsShowTheirStartValuesWhileTheLiveSlotWaitsForItsSound)
{
    EditorRig rig;
    // The recall of slot 1 waits for a sound that never comes, so no view hears from the synthesizer.
    rig.writeStateFile(demo::makeState({{1, rig.file("missing.wav"), {{"grain.rate", 61.0}}}}));
    rig.editor().open(nullptr);
    rig.editor().idle();
    const auto texts = displayTexts(*rig.editor().getFrame());
    for (const char* expected : {"dist fold 0.0", "delay time 0.0 ms", "out amp 0.93"})
        EXPECT_THAT(texts, Contains(std::string(expected)));
    rig.editor().close();
}

TEST(EditorTexts, TheFilterCaptionNamesTheFilterOnceAndKeepsItsNumbersWhole)
{
    EditorRig rig;
    rig.editor().open(nullptr);
    CFrame& frame = *rig.editor().getFrame();
    EXPECT_THAT(displayTexts(frame), Contains(std::string("filter")));
    auto* filter = firstViewOf<gui::CFilterView>(frame);
    ASSERT_NE(filter, nullptr);
    filter->setPointPosition(1, CPoint(0.1, 0.5));
    filter->valueChanged(static_cast<CControl*>(filter), 1);

    gui::CTextDisplay* caption = displayStartingWith(frame, "filter (2) freq ");
    ASSERT_NE(caption, nullptr) << "the caption carries no label in front";
    EXPECT_THAT(displayTexts(frame), Not(Contains(::testing::StartsWith("filter filter"))));
    RecordingDrawContext context;
    caption->draw(&context);
    const auto strings = context.callsOf(DrawCall::Kind::String);
    ASSERT_EQ(strings.size(), 1u);
    const std::string whole = caption->getTitle().getString();
    const std::string& shown = strings[0].text;
    EXPECT_FALSE(shown.ends_with(kTextEllipsis)) << shown;
    // Every number of the caption, whatever its words became.
    std::istringstream pieces(whole);
    for (std::string piece; pieces >> piece;) {
        if (piece.find_first_of("0123456789") != std::string::npos) {
            EXPECT_NE(shown.find(piece), std::string::npos) << shown << " lost " << piece;
        }
    }
    rig.editor().close();
}

} // namespace
} // namespace korvel::test
