#include "gui/Polyline.h"

#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;

TEST(Polyline, DrawsThePairsAsSegmentsInOneStroke)
{
    VSTGUI::testing::RecordingDrawContext context;
    const CDrawContext::LinePair pairs[] = {{{0, 0}, {10, 0}}, {{10, 5}, {10, 9}}};
    drawPolyline(context, pairs, {1, 2, 3, 255});
    ASSERT_EQ(context.calls().size(), 1u);
    const DrawCall& call = context.calls()[0];
    EXPECT_EQ(call.kind, DrawCall::Kind::Lines);
    EXPECT_EQ(call.frameColor, CColor(1, 2, 3, 255));
    EXPECT_EQ(call.points, (std::vector<CPoint>{{0, 0}, {10, 0}, {10, 5}, {10, 9}}));

    drawPolyline(context, std::span(pairs, 1), {4, 5, 6, 255});
    EXPECT_EQ(context.calls().back().points.size(), 2u);
}

TEST(Polyline, EmptyRangeDrawsNothingAndKeepsTheColour)
{
    VSTGUI::testing::RecordingDrawContext context;
    context.setFrameColor({7, 7, 7, 255});
    drawPolyline(context, {}, kRedCColor);
    EXPECT_TRUE(context.calls().empty());
    EXPECT_EQ(context.getFrameColor(), CColor(7, 7, 7, 255));
}

} // namespace
} // namespace korvel::gui
