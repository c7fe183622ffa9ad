#include "gui/ControlFactories.h"
#include "gui/LayoutMetrics.h"
#include "gui/StaticPalettes.h"
#include "vstgui/testing/recordingdrawcontext.h"

#include <gtest/gtest.h>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using VSTGUI::testing::DrawCall;
using VSTGUI::testing::RecordingDrawContext;
using Element = CGraphicsPath::Element;

const Palette& nightshade() { return staticPalette(0); }
constexpr CColor ORANGE{255, 122, 0, 255};
constexpr CColor DARK{50, 54, 57, 255};

class Groupbox : public ::testing::Test {
protected:
    Groupbox() { updateLayoutMetrics(); }

    // The box's own background and frame: the calls before its first child draws.
    std::vector<DrawCall> drawBox(CGroupbox& box)
    {
        context.beginPaint(box.getViewSize());
        box.drawRect(&context, box.getViewSize());
        std::vector<DrawCall> own;
        for (const DrawCall& call : context.calls()) {
            if (call.kind == DrawCall::Kind::Gradient)
                break; // the status display starts with its gradient
            own.push_back(call);
        }
        return own;
    }

    RecordingDrawContext context;
};

TEST_F(Groupbox, FrameIsARoundedPathStrokedThenFilled)
{
    auto box = owned(makeGroupbox({0, 0, 200, 150}, "Grains", nightshade(), kTransparentCColor, false));
    const auto calls = drawBox(*box);
    ASSERT_GE(calls.size(), 2u);

    const DrawCall& stroke = calls[0];
    EXPECT_EQ(stroke.kind, DrawCall::Kind::Path);
    EXPECT_EQ(stroke.pathMode, CDrawContext::kPathStroked);
    EXPECT_EQ(stroke.frameColor, ORANGE); // transparent white asks for the palette's accent
    EXPECT_EQ(stroke.lineWidth, s(2));
    EXPECT_TRUE(stroke.drawMode.isAntiAliased());

    // frame width 4, corner radius 8, top u(3) + 4 = 8
    const std::vector<Element>& path = stroke.path;
    ASSERT_EQ(path.size(), 6u);
    EXPECT_EQ(path[0].kind, Element::Kind::BeginSubpath);
    EXPECT_EQ(path[0].points[0], CPoint(188, 8));
    struct ArcCase {
        CRect rect;
        double from;
        double to;
    };
    const ArcCase arcs[] = {{{180, 8, 196, 24}, 270, 360},
                            {{180, 130, 196, 146}, 0, 90},
                            {{4, 130, 20, 146}, 90, 180},
                            {{4, 8, 20, 24}, 180, 270}};
    for (int i = 0; i < 4; ++i) {
        const Element& arc = path[1 + i];
        EXPECT_EQ(arc.kind, Element::Kind::Arc) << i;
        EXPECT_EQ(arc.rect, arcs[i].rect) << i;
        EXPECT_EQ(arc.startAngle, arcs[i].from) << i;
        EXPECT_EQ(arc.endAngle, arcs[i].to) << i;
        EXPECT_TRUE(arc.clockwise) << i;
    }
    EXPECT_EQ(path[5].kind, Element::Kind::CloseSubpath);

    const DrawCall& fill = calls[1];
    EXPECT_EQ(fill.kind, DrawCall::Kind::Path);
    EXPECT_EQ(fill.pathMode, CDrawContext::kPathFilled);
    EXPECT_EQ(fill.fillColor, DARK);
    EXPECT_EQ(fill.path.size(), path.size());
}

TEST_F(Groupbox, TitleSitsOnATabInTheBackgroundColour)
{
    auto box = owned(makeGroupbox({0, 0, 200, 150}, "Grains", nightshade(), {0, 220, 255, 255}, false));
    const auto calls = drawBox(*box);
    ASSERT_EQ(calls.size(), 4u);
    const DrawCall& tab = calls[2];
    const DrawCall& title = calls[3];
    EXPECT_EQ(tab.kind, DrawCall::Kind::Rect);
    EXPECT_EQ(tab.style, kDrawFilled);
    EXPECT_EQ(tab.fillColor, DARK);
    const CCoord tabLeft = s(4) + s(4); // plus the corner radius
    context.setFont(box->getFont());
    const CCoord width = context.getStringWidth("Grains");
    EXPECT_EQ(tab.rect, CRect(tabLeft, 0, tabLeft + width + s(2), u(10)));

    EXPECT_EQ(title.kind, DrawCall::Kind::String);
    EXPECT_EQ(title.text, "Grains");
    EXPECT_EQ(title.points.at(0), CPoint(tabLeft + s(1), u(8)));
    EXPECT_EQ(title.fontColor, CColor(0, 220, 255, 255));
    EXPECT_EQ(title.font.getSize(), 14);
    EXPECT_TRUE(title.drawMode.isAntiAliased());
}

TEST_F(Groupbox, WithoutTitleThereIsNoTab)
{
    auto box = owned(makeGroupbox({0, 0, 200, 150}, nullptr, nightshade(), kTransparentCColor, false));
    const auto calls = drawBox(*box);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].path.at(0).points[0].y, u(3) + s(2));
}

TEST_F(Groupbox, FramePathIsMadeOnceAndKept)
{
    auto box = owned(makeGroupbox({0, 0, 200, 150}, "A", nightshade(), kTransparentCColor, false));
    drawBox(*box);
    box->setViewSize({0, 0, 300, 300});
    context.clear();
    const auto calls = drawBox(*box);
    EXPECT_EQ(calls.at(0).path.at(0).points[0], CPoint(188, 8));
}

TEST_F(Groupbox, ContentRectLeavesRoomForFrameAndTitle)
{
    auto box = owned(makeGroupbox({10, 20, 210, 170}, "A", nightshade(), kTransparentCColor, false));
    EXPECT_EQ(box->getContentRect(), CRect(16, 30, 184, 134)); // inset 2 * 4 + 8, title font 14
}

TEST_F(Groupbox, StatusStripShowsTextsInTheFrameColour)
{
    auto box = owned(makeGroupbox({0, 0, 200, 150}, "A", nightshade(), {0, 220, 255, 255}, true));
    ASSERT_EQ(box->getNbViews(), 1u);
    auto* status = dynamic_cast<CTextDisplay*>(box->getView(0));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(box->getStatusReceiver(), status);
    EXPECT_EQ(status->getViewSize(), CRect(16, 134 - u(8), 184, 134));
    EXPECT_EQ(status->getFrameColor(), DARK);
    EXPECT_EQ(status->getRoundRadius(), 0);
    EXPECT_FALSE(status->wantsFocus());

    box->getStatusReceiver()->receiveText("loaded", kTransparentCColor);
    EXPECT_EQ(status->getTitle(), "loaded");
    EXPECT_EQ(status->getTextColor(), CColor(0, 220, 255, 255));
}

} // namespace
} // namespace korvel::gui
