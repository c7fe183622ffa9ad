#include "plugin/AudioEffect.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

std::string floatText(float value, VstInt32 maxLen = 31) {
    char text[32];
    std::fill(std::begin(text), std::end(text), 'x');
    AudioEffect::float2string(value, text, maxLen);
    return text;
}

std::string intText(VstInt32 value, VstInt32 maxLen = 31) {
    char text[32];
    std::fill(std::begin(text), std::end(text), 'x');
    AudioEffect::int2string(value, text, maxLen);
    return text;
}

TEST(Float2String, FillsEightCharactersWithoutRounding) {
    const std::pair<float, const char*> cases[] = {
        {1.5f, "1.500000"},
        {-0.5f, "-0.50000"},
        {123.25f, "123.2500"},
        {0.0f, "0.000000"},
        {-0.0f, "0.000000"},
        {0.7f, "0.699999"},        // 0.69999998... is cut, not rounded up
        {1234.5678f, "1234.567"},  // stored as 1234.56774...
        {0.1f, "0.100000"},
        {-12.75f, "-12.7500"},
        {12345678.0f, "2345678."},  // the point keeps its place; leading digits go
        {-9999999.0f, "-999999."},
        {99999992.0f, "9999992."},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(floatText(value), expected) << value;
}

TEST(Float2String, OutOfRangeValuesAreHuge) {
    for (float value : {1e9f, 100000000.0f, -10000000.0f, -1e9f, std::numeric_limits<float>::infinity(),
                        -std::numeric_limits<float>::infinity()})
        EXPECT_EQ(floatText(value), "Huge!") << value;
}

TEST(Float2String, NaNIsNamed) { EXPECT_EQ(floatText(std::nanf("")), "NaN"); }

TEST(Float2String, CutsToMaxLen) {
    EXPECT_EQ(floatText(123.25f, 4), "123.");
    EXPECT_EQ(floatText(1e9f, 3), "Hug");
    EXPECT_EQ(floatText(1.5f, 0), "");
}

TEST(Int2String, DigitsWithSignAndHugeAboveEightDigits) {
    const std::pair<VstInt32, const char*> cases[] = {
        {0, "0"},  {7, "7"}, {-42, "-42"}, {99999999, "99999999"}, {100000000, "Huge!"}, {INT_MAX, "Huge!"},
        {-100000000, "-100000000"}, {INT_MIN, "-2147483648"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(intText(value), expected) << value;
}

TEST(Int2String, CutsToMaxLen) {
    EXPECT_EQ(intText(12345, 2), "12");
    EXPECT_EQ(intText(INT_MIN, 8), "-2147483");
}

}  // namespace
