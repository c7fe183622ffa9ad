#include "utility/Numeric.h"

#include "utility/Check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <vector>

using korvel::is_numeric;

namespace {

constexpr std::uint32_t WHOLE = std::numeric_limits<std::uint32_t>::max();

struct NumericCase {
    const wchar_t* text;
    std::uint32_t n;
    bool numeric;
};

TEST(IsNumeric, DecimalTexts) {
    const std::vector<NumericCase> cases = {
        {L"12.5", WHOLE, true},  {L"-3", WHOLE, true},   {L".5", WHOLE, true},    {L"7", WHOLE, true},
        {L"+4", WHOLE, true},    {L"0", 2, true},        {L"12x", 2, true},       {L"1.2", 3, true},
        {L"", WHOLE, false},     {L"+", WHOLE, false},   {L"1.2.3", WHOLE, false}, {L"12a", WHOLE, false},
        {L"1x", 2, false},       {L"x1", WHOLE, false},  {L".5.", WHOLE, false},  {L"1.2.3", 3, true},
        {L"1 2", WHOLE, false},  {L"1e5", WHOLE, false}, {L"--1", WHOLE, false},  {L"\u0661", WHOLE, false},
    };
    for (const NumericCase& c : cases)
        EXPECT_EQ(is_numeric(c.text, c.n), c.numeric) << "\"" << testing::PrintToString(std::wstring(c.text))
                                                      << "\" n=" << c.n;
}

TEST(IsNumeric, LengthBelowTwoIsAnInvariantFailure) {
    for (std::uint32_t n : {0u, 1u}) {
        try {
            is_numeric(L"12", n);
            ADD_FAILURE() << "no failure for n=" << n;
        } catch (const korvel::InvariantError& error) {
            EXPECT_THAT(error.what(), testing::HasSubstr("check failed: n < 0 || n > 1"));
        }
    }
}

} // namespace
