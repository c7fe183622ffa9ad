#include "support/CommaLocale.h"
#include "support/JsonText.h"

#include <gtest/gtest.h>

#include <cstdio>

using testing_support::oneLine;
using testing_support::readJson;

namespace {

TEST(Locale, NumbersStayClassicUnderADecimalCommaLocale)
{
    testing_support::CommaDecimalLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal-comma locale could be installed or generated";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the locale is in effect";

    EXPECT_EQ(oneLine(readJson("[0.5, -1.25, 100.125, 2e-2, 1e-07, 1234567.5]")),
        "[ 0.5, -1.25, 100.125, 0.02, 1e-07, 1234567.5 ]");
    EXPECT_EQ(readJson("[1, 2, 3]").element(L"1.0").asNumber(), 2.0);
    testing::internal::CaptureStderr();
    readJson("1e99999999999");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Exponent overflow: 1e+11\n");
}

} // namespace
