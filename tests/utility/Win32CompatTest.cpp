#include "utility/Win32Compat.h"

#include <gtest/gtest.h>

using namespace korvel::win32;

TEST(Win32Compat, SystemColoursAreFixedAndOutOfRangeIsBlack)
{
    EXPECT_EQ(redOf(GetSysColor(24)), 255);
    EXPECT_EQ(greenOf(GetSysColor(24)), 255);
    EXPECT_EQ(blueOf(GetSysColor(24)), 225);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(SYSTEM_COLOUR_COUNT), 0u);
}

TEST(Win32Compat, TickSourceCanBeReplacedAndRestored)
{
    setTickSourceForTesting([] { return 0xFFFFFFF0u; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    setTickSourceForTesting({});
    std::uint32_t first = GetTickCount();
    EXPECT_LE(GetTickCount() - first, 1000u);
}
