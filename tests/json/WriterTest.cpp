#include "json/NumberText.h"
#include "json/TextConversion.h"
#include "support/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using testing_support::oneLine;
using testing_support::readJson;
using Kind = JSON::Value::Kind;

namespace {

struct NumberCase {
    double value;
    std::string text;
};

class WritesNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(WritesNumbers, InTheFixedForm)
{
    EXPECT_EQ(JSON::formatNumber(GetParam().value), GetParam().text);
}

constexpr double infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Writer, WritesNumbers,
    testing::Values(NumberCase { 0.0, "0" }, NumberCase { 42.0, "42" }, NumberCase { -0.5, "-0.5" },
        NumberCase { 1.0 + 1e-10, "1" }, NumberCase { 0.1, "0.1" }, NumberCase { 100.125, "100.125" },
        NumberCase { 1.25, "1.25" }, NumberCase { -1.5, "-1.5" }, NumberCase { 3.0 + 1e-10, "3" },
        NumberCase { 2.1234567, "2.123457" }, NumberCase { 2.0 - 1e-8, "2" }, NumberCase { 1e-7, "1e-07" },
        NumberCase { -0.25, "-0.25" }, NumberCase { 0.5, "0.5" }, NumberCase { 3.0 + 1e-7, "3" },
        NumberCase { -2.9999999, "-3" }, NumberCase { 0.9999999, "1" }, NumberCase { 123456.5, "123456.5" },
        NumberCase { 1234567.0, "1234567" }, NumberCase { 0.00012345678, "0.000123457" },
        NumberCase { 9007199254740993.0, "9007199254740992" }, NumberCase { 1e20, "1e+20" },
        NumberCase { -1e20, "-1e+20" }, NumberCase { 0x1p63, "9.22337e+18" }, NumberCase { -0x1p63, "-9223372036854775808" },
        NumberCase { infinity, "1e999" }, NumberCase { -infinity, "-1e999" },
        NumberCase { std::numeric_limits<double>::quiet_NaN(), "1e999" }));

TEST(Writer, NonFiniteNumbersReadBackAsInfinite)
{
    for (const double value : { infinity, -infinity, std::nan("") }) {
        testing::internal::CaptureStderr();
        const double read = readJson(oneLine(JSON::Value(value))).asNumber();
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(std::isinf(read)) << value;
        EXPECT_EQ(read < 0, value < 0) << value;
    }
}

struct EscapeCase {
    std::wstring text;
    std::wstring escaped;
};

class EscapesStrings : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapesStrings, IntoPlainAscii)
{
    std::wstring out = L"x";
    JSON::escapeString(GetParam().text, out);
    EXPECT_EQ(out, L"x" + GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Writer, EscapesStrings,
    testing::Values(EscapeCase { L"\b\t\n\f\r/\\\"", L"\\b\\t\\n\\f\\r\\/\\\\\\\"" },
        EscapeCase { L"plain text 123", L"plain text 123" }, EscapeCase { L"\u00e9", L"\\u00e9" },
        EscapeCase { L"\u0416", L"\\u0416" }, EscapeCase { L"\x01\x1f\x7f", L"\\u0001\\u001f\x7f" },
        EscapeCase { L"\x80\xff", L"\\u0080\\u00ff" }, EscapeCase { L"\U0001F600", L"\\ud83d\\ude00" },
        EscapeCase { L"\U0010FFFF", L"\\udbff\\udfff" }, EscapeCase { std::wstring(1, 0xD800), L"\\ud800" },
        EscapeCase { std::wstring(1, 0x110000), L"\\ufffd" }, EscapeCase { std::wstring(1, -1), L"\\ufffd" }));

JSON::Value object(std::initializer_list<std::pair<const std::wstring, JSON::Value>> members)
{
    return JSON::Value(JSON::Value::Object(members));
}

TEST(Writer, StateLayoutByteForByte)
{
    const JSON::Value point = object({ { L"delta", 1.0 }, { L"level", 0.5 }, { L"curve", 0.0 } });
    const JSON::Value slot = object({ { L"adsr1.points", JSON::Value(JSON::Value::Array { point, point }) },
        { L"sound.controller.0", object({ { L"type", std::wstring(L"lfo") }, { L"amount", 0.5 } }) },
        { L"soundfile", std::wstring(L"d\u00e9j\u00e0/vu.wav") }, { L"empty", JSON::Value(Kind::Object) } });
    const JSON::Value state = object({ { L"patch.0", slot }, { L"apply.changetime", 0.0 } });
    EXPECT_EQ(JSON::toText(state, 2, 4),
        "{\n"
        "  \"apply.changetime\": 0,\n"
        "  \"patch.0\": {\n"
        "    \"adsr1.points\": [\n"
        "      { \"curve\": 0, \"delta\": 1, \"level\": 0.5 },\n"
        "      { \"curve\": 0, \"delta\": 1, \"level\": 0.5 }\n"
        "    ],\n"
        "    \"empty\": {},\n"
        "    \"sound.controller.0\": {\n"
        "      \"amount\": 0.5,\n"
        "      \"type\": \"lfo\"\n"
        "    },\n"
        "    \"soundfile\": \"d\\u00e9j\\u00e0\\/vu.wav\"\n"
        "  }\n"
        "}");
}

TEST(Writer, LayoutChoices)
{
    const JSON::Value nested = object({ { L"a", JSON::Value(JSON::Value::Array { 1.0, 2.0 }) } });
    EXPECT_EQ(JSON::write(nested, 1, 0, 10), L"{\n\"a\": [\n1,\n2\n]\n}") << "width 1: breaks without indent";
    EXPECT_EQ(JSON::write(nested, 0, 0, 10), L"{ \"a\": [ 1, 2 ] }") << "width 0: one line";
    EXPECT_EQ(JSON::write(nested, 3, 0, 1), L"{ \"a\": [ 1, 2 ] }") << "depth limit reached";
    EXPECT_EQ(JSON::write(nested, 3, 1, 3), L"{\n      \"a\": [ 1, 2 ]\n   }") << "written at depth 1";
    EXPECT_EQ(JSON::write(nested, 2, -2, 10), L"{ \"a\": [\n1,\n2\n] }") << "depth -1 compares as huge";
    EXPECT_EQ(JSON::write(JSON::Value(JSON::Value::Array { JSON::Value(Kind::Array), 1.0 }), 2, 0, 0), L"[ [], 1 ]");
    EXPECT_EQ(JSON::write(JSON::Value(Kind::Array), 2, 0, 4), L"[]");
    EXPECT_EQ(JSON::write(JSON::Value(Kind::Object), 2, 0, 4), L"{}");
}

TEST(Writer, Scalars)
{
    EXPECT_EQ(oneLine(JSON::Value(Kind::True)), "true");
    EXPECT_EQ(oneLine(JSON::Value(Kind::False)), "false");
    EXPECT_EQ(oneLine(JSON::Value()), "null");
    EXPECT_EQ(oneLine(JSON::Value(std::wstring(L"a\"b"))), "\"a\\\"b\"");
    EXPECT_EQ(oneLine(JSON::Value(Kind::String)), "\"\"");
}

TEST(TextConversion, NarrowsAsciiAndWidensBytes)
{
    EXPECT_EQ(JSON::toMultiByte(L""), "");
    EXPECT_EQ(JSON::toMultiByte(L"{ \"a\": 1 }\n"), "{ \"a\": 1 }\n");
    EXPECT_EQ(JSON::toMultiByte(L"\u00e9!\U0001F600"), "?!?");
    EXPECT_EQ(JSON::widen(""), L"");
    EXPECT_EQ(JSON::widen("a\xE9\x7F"), L"a\u00e9\x7f");
}

} // namespace
