#include "utility/Utf8.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace korvel {
namespace {

TEST(Utf8Test, RoundTripsEveryEncodedLength)
{
    const std::wstring text = L"a\u00E9\u97F3\U0001F3B5/\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
    const std::string bytes = utf8::narrow(text);
    EXPECT_EQ(bytes.size(), 1u + 2 + 3 + 4 + 1 + 1 + 2 + 2 + 3 + 3 + 4 + 4);
    EXPECT_EQ(utf8::widen(bytes), text);
    EXPECT_EQ(utf8::narrow(L"Caf\u00E9"), "Caf\xC3\xA9");
}

TEST(Utf8Test, RefusesWhatIsNotUnicode)
{
    for (const std::string bad : {"\x80", "\xC3", "\xE9\x9F", "\xC3\x28", "\xC0\xAF", "\xE0\x80\xAF",
                                  "\xF0\x80\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80"})
        EXPECT_THROW(utf8::widen(bad), std::range_error) << bad;
    for (const std::wstring& bad : {std::wstring(1, wchar_t(0xD800)), std::wstring(1, wchar_t(0x110000))})
        EXPECT_THROW(utf8::narrow(bad), std::range_error);
}

TEST(Utf8Test, DisplayFormShowsWhatIsNotUnicodeAsQuestionMarks)
{
    std::wstring text = L"a";
    text += wchar_t(0xD800);
    text += L"\u00E9";
    text += wchar_t(0x110000);
    EXPECT_EQ(utf8::narrowForDisplay(text), "a?\xC3\xA9?");
}

} // namespace
} // namespace korvel
