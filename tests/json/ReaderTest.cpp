#include "support/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using testing_support::oneLine;
using testing_support::readJson;

namespace {

struct ReadCase {
    std::string text;
    std::string written; // the value read, in the one-line layout
};

class ReadsValidText : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadsValidText, AsExpected)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(oneLine(readJson(GetParam().text)), GetParam().written);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

INSTANTIATE_TEST_SUITE_P(Reader, ReadsValidText,
    testing::Values(ReadCase { "", "null" }, ReadCase { " \t\n\v\f\r", "null" }, ReadCase { "[]", "[]" },
        ReadCase { "[ \n ]", "[]" }, ReadCase { "{}", "{}" }, ReadCase { "{\r\n}", "{}" },
        ReadCase { "[1 2 3]", "[ 1, 2, 3 ]" }, ReadCase { "[1,2,3,]", "[ 1, 2, 3 ]" },
        ReadCase { "{\"a\":1,\"a\":2}", "{ \"a\": 1 }" }, ReadCase { "{\"b\":1 \"a\":[true,false,null]}", "{ \"a\": [ true, false, null ], \"b\": 1 }" },
        ReadCase { "\"\\u00e9\"", "\"\\u00e9\"" }, ReadCase { "\"\\u00C9\"", "\"\\u00c9\"" },
        ReadCase { "\"a\\\"b\"", "\"a\\\"b\"" }, ReadCase { "\"\xE9\"", "\"\\u00e9\"" },
        ReadCase { "-12.5e1", "-125" }, ReadCase { "1.5E+2", "150" }, ReadCase { "2e-2", "0.02" },
        ReadCase { "-", "-0" }, ReadCase { "0.1", "0.1" }, ReadCase { "  42  ", "42" },
        ReadCase { "\xEF\xBB\xBF{\"a\":1}", "{ \"a\": 1 }" }, ReadCase { "\xEF\xBB\xBF", "null" },
        ReadCase { "[{}, [[]], \"\"]", "[ {}, [ [] ], \"\" ]" }));

TEST(Reader, StringEscapes)
{
    EXPECT_EQ(readJson("\"\\b\\f\\n\\r\\t\\/\\\\\\q\\\"\"").asString(), L"\b\f\n\r\t/\\q\"");
}

TEST(Reader, JoinsEscapedSurrogatePairsOnly)
{
    EXPECT_EQ(readJson("\"\\ud83d\\ude00\"").asString(), L"\U0001F600");
    EXPECT_EQ(readJson("\"\\uD83D\\uDE00x\"").asString(), L"\U0001F600x");
    EXPECT_EQ(readJson("\"\\ud83dx\\ude00\"").asString(), std::wstring({ 0xD83D, L'x', 0xDE00 }));
    EXPECT_EQ(readJson("\"\\ude00\\ud83d\"").asString(), std::wstring({ 0xDE00, 0xD83D }));
    EXPECT_EQ(readJson("\"\\ud800\\ud83d\\ude00\"").asString(), std::wstring({ 0xD800, 0x1F600 }));
}

TEST(Reader, ByteOrderMarkOnlyAtTheStart)
{
    testing::internal::CaptureStderr();
    EXPECT_THROW(readJson(" \xEF\xBB\xBF{}"), JSON::ParseError);
    testing::internal::GetCapturedStderr();
}

TEST(Reader, PositionEndsBehindWhatWasRead)
{
    const auto restAfter = [](std::string_view text, bool strict) {
        const char* position = text.data();
        JSON::Value value;
        JSON::parseValue(value, position, text.data() + text.size(), strict);
        return std::string(position, text.data() + text.size());
    };
    EXPECT_EQ(restAfter("nullx", true), "x");
    EXPECT_EQ(restAfter("12abc", true), "abc");
    EXPECT_EQ(restAfter("xyz", false), "xyz");
    EXPECT_EQ(restAfter("\"s\"  ,", true), ",");
    EXPECT_EQ(restAfter("[1] ]", true), "]");
    EXPECT_TRUE(readJson("xyz", false).is(JSON::Value::Kind::Null));
    EXPECT_TRUE(readJson("truex", false).is(JSON::Value::Kind::True));
}

TEST(Reader, MatchLiteralMovesOnlyOnAFullMatch)
{
    const std::string text = "fals";
    const char* position = text.data();
    EXPECT_FALSE(JSON::matchLiteral(position, text.data() + text.size(), L"false"));
    EXPECT_EQ(position, text.data());
    EXPECT_TRUE(JSON::matchLiteral(position, text.data() + text.size(), L"fal"));
    EXPECT_EQ(position, text.data() + 3);
}

TEST(Reader, UnicodeEscapeDigits)
{
    const std::string text = "09afAFg";
    const char* position = text.data();
    const char* end = text.data() + text.size();
    for (const int expected : { 0, 9, 10, 15, 10, 15 })
        EXPECT_EQ(JSON::parseUnicodeEscape(position, end), expected);
    EXPECT_THROW(JSON::parseUnicodeEscape(position, end), JSON::ParseError);
    EXPECT_THROW(JSON::parseUnicodeEscape(position, end), JSON::ParseError);
}

struct ErrorCase {
    std::string text;
    std::string message;
    int timesWritten; // once for each value read that the error leaves
};

class RejectsMalformedText : public testing::TestWithParam<ErrorCase> {};

TEST_P(RejectsMalformedText, WithTheMessageOnStderr)
{
    JSON::Value out(42.0);
    const std::string& text = GetParam().text;
    const char* position = text.data();
    std::string message;
    testing::internal::CaptureStderr();
    try {
        JSON::parseValue(out, position, text.data() + text.size(), true);
    } catch (const JSON::ParseError& error) {
        message = error.what();
    }
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(message, GetParam().message);
    std::string expectedLines;
    for (int i = 0; i < GetParam().timesWritten; ++i)
        expectedLines += GetParam().message + "\n";
    EXPECT_EQ(written, expectedLines);
    EXPECT_EQ(out.asNumber(), 42.0) << "the output is untouched";
}

const std::string tooDeep = std::string(JSON::MAX_NESTING + 1, '[');

INSTANTIATE_TEST_SUITE_P(Reader, RejectsMalformedText,
    testing::Values(ErrorCase { "{a:1}", "JSON expected \"", 1 }, ErrorCase { "{\"a\" 1}", "JSON expected :", 1 },
        ErrorCase { "{\"a\":1", "JSON expected }", 1 }, ErrorCase { "{\"a\":", "JSON expected }", 1 },
        ErrorCase { "[1", "JSON expected ]", 1 }, ErrorCase { "[", "JSON expected ]", 1 },
        ErrorCase { "\"abc", "JSON expected \"", 1 }, ErrorCase { "\"abc\\", "JSON expected \"", 1 },
        ErrorCase { "[1,,2]", "JSON value expected, could not parse ", 2 },
        ErrorCase { "[1, x]", "JSON value expected, could not parse x", 2 },
        ErrorCase { "[[tru]]", "JSON value expected, could not parse tru", 3 },
        ErrorCase { "xyz:1 2", "JSON value expected, could not parse xyz:1", 1 },
        ErrorCase { "+5", "JSON value expected, could not parse +5", 1 },
        ErrorCase { "\"\\u00G0\"", "Invalid char in Unicode escape sequence: G", 1 },
        ErrorCase { "{\"k\": \"\\u00", "Unicode escape sequence clipped at end of input", 2 },
        ErrorCase { tooDeep, "JSON nesting too deep", JSON::MAX_NESTING + 1 }));

TEST(Reader, NestingUpToTheLimitReads)
{
    const std::string deepest = std::string(JSON::MAX_NESTING, '[') + std::string(JSON::MAX_NESTING, ']');
    const JSON::Value value = readJson(deepest);
    EXPECT_EQ(value.asArray().size(), 1u);
    std::string objects;
    for (int i = 0; i < JSON::MAX_NESTING; ++i)
        objects += "{\"a\":";
    objects += "1" + std::string(JSON::MAX_NESTING, '}');
    EXPECT_NO_THROW(readJson(objects));
    testing::internal::CaptureStderr();
    EXPECT_THROW(readJson("[" + objects + "]"), JSON::ParseError);
    testing::internal::GetCapturedStderr();
}

TEST(Reader, EachReaderRequiresItsOpeningCharacter)
{
    const std::string text = " x";
    const char* end = text.data() + text.size();
    const auto messageOf = [&](void (*reader)(JSON::Value&, const char*&, const char*)) {
        const char* position = text.data();
        JSON::Value out;
        try {
            reader(out, position, end);
        } catch (const JSON::ParseError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(messageOf(JSON::parseArray), "JSON expected [");
    EXPECT_EQ(messageOf(JSON::parseObject), "JSON expected {");
    EXPECT_EQ(messageOf(JSON::parseString), "JSON expected \"");
}

double readNumber(std::string_view text)
{
    const char* position = text.data();
    JSON::Value out;
    JSON::parseNumber(out, position, text.data() + text.size());
    return out.asNumber();
}

struct NumberCase {
    std::string text;
    double value;
};

class ReadsNumbers : public testing::TestWithParam<NumberCase> {};

// The compiler's own reading of each literal is the correctly rounded double.
TEST_P(ReadsNumbers, CorrectlyRounded)
{
    testing::internal::CaptureStderr(); // the exponent warnings
    EXPECT_EQ(readNumber(GetParam().text), GetParam().value) << GetParam().text;
    testing::internal::GetCapturedStderr();
}

INSTANTIATE_TEST_SUITE_P(Reader, ReadsNumbers,
    testing::Values(NumberCase { "0", 0.0 }, NumberCase { "42", 42.0 }, NumberCase { "-0.5", -0.5 },
        NumberCase { "+7", 7.0 }, NumberCase { "100.125", 100.125 }, NumberCase { "2.123457", 2.123457 },
        NumberCase { "0.3", 0.3 }, NumberCase { "0.7", 0.7 }, NumberCase { "1.1", 1.1 },
        NumberCase { "1e-07", 1e-7 }, NumberCase { "1.5e-05", 1.5e-5 }, NumberCase { "6.02e23", 6.02e23 },
        NumberCase { "1e23", 1e23 }, NumberCase { "1e308", 1e308 }, NumberCase { "1.5e-300", 1.5e-300 },
        NumberCase { "2.4703282292062328e-324", 0x1p-1074 }, NumberCase { "5619806328.668999", 5619806328.668999 },
        NumberCase { "993887631655.814575", 993887631655.814575 },
        NumberCase { "9007199254740992", 9007199254740992.0 }, NumberCase { "9007199254740993", 9007199254740992.0 },
        NumberCase { "74724810883968528", 74724810883968528.0 },
        NumberCase { "-9223372036854775808", -9223372036854775808.0 },
        NumberCase { "0.1234567890123456789012345", 0.1234567890123456789012345 },
        NumberCase { "000012.50000", 12.5 }, NumberCase { "5.", 5.0 }, NumberCase { ".25", 0.25 },
        NumberCase { ".", 0.0 }, NumberCase { "-e5", 0.0 }, NumberCase { "1e", 1.0 }, NumberCase { "2E+", 2.0 }));

TEST(Reader, SignWithoutDigitsIsZero)
{
    EXPECT_TRUE(std::signbit(readNumber("-")));
    EXPECT_FALSE(std::signbit(readNumber("+")));
}

struct ExponentCase {
    std::string text;
    double value;
    std::string warning;
};

class CapsHugeExponents : public testing::TestWithParam<ExponentCase> {};

TEST_P(CapsHugeExponents, WithOneWarning)
{
    testing::internal::CaptureStderr();
    const double value = readNumber(GetParam().text);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), GetParam().warning);
    EXPECT_FALSE(std::isnan(value));
    EXPECT_EQ(value, GetParam().value);
    EXPECT_EQ(std::signbit(value), std::signbit(GetParam().value));
}

constexpr double infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Reader, CapsHugeExponents,
    testing::Values(ExponentCase { "1e400", infinity, "Exponent overflow: 400\n" },
        ExponentCase { "-1e400", -infinity, "Exponent overflow: 400\n" },
        ExponentCase { "0e400", 0.0, "Exponent overflow: 400\n" },
        ExponentCase { "-0e400", -0.0, "Exponent overflow: 400\n" },
        ExponentCase { "1e-400", 0.0, "Exponent overflow: 400\n" },
        ExponentCase { "1e99999999999", infinity, "Exponent overflow: 1e+11\n" },
        ExponentCase { "1e-99999999999", 0.0, "Exponent overflow: 1e+11\n" },
        ExponentCase { "1" + std::string(400, '0') + "e-400", 1.0, "Exponent overflow: 400\n" },
        ExponentCase { "0." + std::string(400, '0') + "1e400", 0.1, "Exponent overflow: 400\n" },
        ExponentCase { "0." + std::string(400, '0') + "1e-99999999999", 0.0, "Exponent overflow: 1e+11\n" },
        ExponentCase { "1e" + std::string(400, '9'), infinity, "Exponent overflow: inf\n" },
        ExponentCase { "1e308", 1e308, "" }));

TEST(Reader, LargeExponentOnASmallMantissaStaysFinite)
{
    testing::internal::CaptureStderr();
    const double value = readNumber("0." + std::string(299, '0') + "1e600");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(value, 1e300);
}

} // namespace
