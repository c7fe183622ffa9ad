#include "gui/Tooltips.h"

#include "vstgui/lib/controls/ctextbutton.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

std::string tooltipOf(const CView& view)
{
    uint32 size = 0;
    if (!view.getAttributeSize(kCViewTooltipAttribute, size))
        return "<none>";
    std::string text(size, '?');
    uint32 read = 0;
    view.getAttribute(kCViewTooltipAttribute, size, text.data(), read);
    EXPECT_EQ(text.back(), '\0'); // stored with its terminating zero
    text.pop_back();
    return text;
}

TEST(Tooltips, TableHoldsThirtyTextsByParameter)
{
    int count = 0;
    for (int tag = -5; tag < 400; ++tag)
        count += tooltipFor(tag) != nullptr;
    EXPECT_EQ(count, 30);
    EXPECT_STREQ(tooltipFor(0), "Right-click to open new soundfile, Shift+drag to move selection...");
    EXPECT_STREQ(tooltipFor(9), "Grain Attack/Decay. (TIP: With gliss, Changing Att-Dec makes a difference.");
    EXPECT_STREQ(tooltipFor(17), "filter.width");
    EXPECT_STREQ(tooltipFor(174), "Click for save dialog. Drop patch.json file to load");
    EXPECT_EQ(tooltipFor(1), nullptr);
    EXPECT_EQ(tooltipFor(10), nullptr);
}

TEST(Tooltips, ControlGetsTheTooltipOfItsTag)
{
    CTextButton withTip({0, 0, 10, 10}, nullptr, 56);
    setTooltipForControl(&withTip);
    EXPECT_EQ(tooltipOf(withTip), "Glide time for all patch / knob / controller changes");

    CTextButton withoutTip({0, 0, 10, 10}, nullptr, 21);
    setTooltipForControl(&withoutTip);
    EXPECT_EQ(tooltipOf(withoutTip), "<none>");
    setTooltipForControl(nullptr);
}

TEST(Tooltips, GivenTextWinsAndNullFallsBackToTheTag)
{
    CTextButton button({0, 0, 10, 10}, nullptr, 4);
    setTooltipText(&button, "my own");
    EXPECT_EQ(tooltipOf(button), "my own");
    setTooltipText(&button, nullptr);
    EXPECT_EQ(tooltipOf(button), "Grains per second");
}

TEST(Tooltips, AnyViewTakesTheTooltipOfAnExplicitTag)
{
    CView view({0, 0, 10, 10});
    setTooltipForTag(&view, 6);
    EXPECT_EQ(tooltipOf(view), "Rough sketch of grain stream");
    CView other({0, 0, 10, 10});
    setTooltipForTag(&other, 7000);
    EXPECT_EQ(tooltipOf(other), "<none>");
}

} // namespace
} // namespace korvel::gui
