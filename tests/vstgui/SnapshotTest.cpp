#include "vstgui/testing/demoframe.h"
#include "vstgui/vstgui.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace VSTGUI::test {
namespace {

TEST(SnapshotTest, DemoFrameRendersEveryControlAndWritesAPng)
{
    auto frame = testing::makeDemoFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->getInvalidRects().empty());
    EXPECT_EQ(frame->getPixel(5, 5), testing::kDemoBackground);
    EXPECT_EQ(frame->getPixel(275, 17), testing::kDemoAccent) << "slider value bar";
    EXPECT_EQ(frame->getPixel(180, 50), CColor(20, 90, 110)) << "XY pad back";
    const auto focusRing = frame->getPixel(215, 109);
    EXPECT_EQ(focusRing, CColor(0, 240, 255)) << "focus ring of the on/off button";

    testing_support::TempDir dir;
    const auto path = dir.path() / "demo.png";
    ASSERT_TRUE(frame->writePNG(path.string()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    frame->close();
}

} // namespace
} // namespace VSTGUI::test
