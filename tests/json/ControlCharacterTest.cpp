// Control characters in strings, such as a NUL in a sound file's name: strict
// JSON readers refuse them raw, so the writer escapes them and the reader
// takes the escapes back.
#include "support/JsonText.h"

#include <gtest/gtest.h>

using testing_support::oneLine;
using testing_support::readJson;

namespace {

std::wstring everyControlCharacter()
{
    std::wstring text;
    for (wchar_t c = 0; c < 0x20; ++c)
        text.push_back(c);
    return text;
}

TEST(ControlCharacters, AreWrittenAsEscapes)
{
    EXPECT_EQ(oneLine(JSON::Value(std::wstring(L"a\0b", 3))), "\"a\\u0000b\"");
    EXPECT_EQ(oneLine(JSON::Value(std::wstring(L"\x01\x07\x0b\x0e\x1b\x1f"))),
              "\"\\u0001\\u0007\\u000b\\u000e\\u001b\\u001f\"");
    EXPECT_EQ(oneLine(JSON::Value(std::wstring(L"\b\t\n\f\r"))), "\"\\b\\t\\n\\f\\r\"") << "their short escapes";
    EXPECT_EQ(oneLine(JSON::Value(std::wstring(L" ~\x7f"))), "\" ~\x7f\"") << "the rest of ASCII stands as it is";
}

TEST(ControlCharacters, EveryOneInAKeyOrAStringReadsBackAsItself)
{
    const std::wstring name = L"sound" + everyControlCharacter() + L".wav";
    const JSON::Value value(JSON::Value::Object{{name, JSON::Value(name)}, {L"x", JSON::Value(1.0)}});
    for (const unsigned indent : {0u, 2u}) {
        const std::string text = JSON::toText(value, indent, 4);
        for (const char c : text)
            ASSERT_TRUE(c >= 0x20 || c == '\n') << "raw control character " << int(c) << " in " << text;
        const JSON::Value read = readJson(text);
        EXPECT_EQ(read.element(name).asString(), name);
        EXPECT_EQ(JSON::toText(read, indent, 4), text);
    }
}

} // namespace
