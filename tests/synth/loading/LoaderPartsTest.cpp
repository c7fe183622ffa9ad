#include "synth/loading/DeferredRecalls.h"
#include "synth/loading/PathOrder.h"
#include "synth/loading/Utf8.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace korvel::veldro {
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

TEST(PathOrderTest, ComparesAsUtf16CodeUnits)
{
    const PathOrder less;
    struct Case {
        std::wstring a, b;
    };
    const Case ordered[] = {
        {L"", L"a"},
        {L"/a", L"/a/b"},
        {L"/A", L"/a"},          // no case folding
        {L"/z", L"/\u00E9"},
        {L"/\U0001F3B5", L"/\uE000"}, // a surrogate pair sorts below U+E000..U+FFFF
        {L"/\uD7FF", L"/\U00010000"},
    };
    for (const Case& c : ordered) {
        EXPECT_TRUE(less(c.a, c.b));
        EXPECT_FALSE(less(c.b, c.a));
    }
    EXPECT_FALSE(less(L"/same", L"/same"));
}

TEST(DeferredRecallsTest, KeepsOrderAndRefusesWhenFull)
{
    DeferredRecalls ring;
    DeferredRecall out;
    EXPECT_FALSE(ring.pop(out));
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < int(DeferredRecalls::CAPACITY); ++i)
            EXPECT_TRUE(ring.push({i, 0.5 * i, std::uint32_t(i)}));
        EXPECT_FALSE(ring.push({99, 0.0, 0}));
        for (int i = 0; i < int(DeferredRecalls::CAPACITY); ++i) {
            ASSERT_TRUE(ring.pop(out));
            EXPECT_EQ(out.slot, i);
            EXPECT_EQ(out.time, 0.5 * i);
        }
        EXPECT_FALSE(ring.pop(out));
    }
}

TEST(DeferredRecallsTest, HandsRecallsFromOneThreadToAnotherInOrder)
{
    constexpr int COUNT = 2000;
    DeferredRecalls ring;
    std::thread producer([&] {
        for (int i = 0; i < COUNT; ++i)
            while (!ring.push({i, double(i), std::uint32_t(i)}))
                std::this_thread::yield();
    });
    DeferredRecall out;
    for (int expected = 0; expected < COUNT;) {
        if (!ring.pop(out)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(out.slot, expected);
        ASSERT_EQ(out.time, double(expected));
        ++expected;
    }
    producer.join();
}

} // namespace
} // namespace korvel::veldro
