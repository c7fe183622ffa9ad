#include "utility/Check.h"

#include <gtest/gtest.h>

TEST(Check, PassingCheckDoesNothing)
{
    EXPECT_NO_THROW(KORVEL_CHECK(1 + 1 == 2));
}

TEST(Check, FailureNamesExpressionFileAndLine)
{
    try {
        int index = 3, nof_controls = 2;
        KORVEL_CHECK(index < nof_controls);
        FAIL() << "no exception";
    } catch (const korvel::InvariantError& error) {
        std::string text = error.what();
        EXPECT_NE(text.find("index < nof_controls"), std::string::npos) << text;
        EXPECT_NE(text.find("CheckTest.cpp:"), std::string::npos) << text;
    }
}
