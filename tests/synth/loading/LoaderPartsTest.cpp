#include "synth/loading/DeferredRecall.h"
#include "synth/loading/PathOrder.h"

#include <gtest/gtest.h>

#include <thread>

namespace korvel::veldro {
namespace {

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

TEST(DeferredRecallSlotTest, HandsOverOnlyTheLatestRecallAndOnlyOnce)
{
    DeferredRecallSlot latest;
    DeferredRecall out;
    EXPECT_FALSE(latest.take(out));
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i <= 40; ++i)
            latest.put({i, 0.5 * i, std::uint32_t(i), std::uint64_t(100 * round + i)});
        EXPECT_TRUE(latest.holdsRecall());
        ASSERT_TRUE(latest.take(out));
        EXPECT_EQ(out.slot, 40);
        EXPECT_EQ(out.time, 20.0);
        EXPECT_EQ(out.mask, 40u);
        EXPECT_EQ(out.request, std::uint64_t(100 * round + 40));
        EXPECT_FALSE(latest.holdsRecall());
        EXPECT_FALSE(latest.take(out));
    }
}

TEST(DeferredRecallSlotTest, ATakenRecallIsAlwaysOneThatWasPutWhole)
{
    constexpr int COUNT = 20000;
    DeferredRecallSlot latest;
    std::thread audio([&] {
        for (int i = 1; i <= COUNT; ++i)
            latest.put({i, double(i), std::uint32_t(i), std::uint64_t(i)});
    });
    DeferredRecall out;
    std::uint64_t last = 0;
    while (last < COUNT) {
        if (!latest.take(out)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(out.time, double(out.slot));
        ASSERT_EQ(out.mask, std::uint32_t(out.slot));
        ASSERT_EQ(out.request, std::uint64_t(out.slot));
        ASSERT_GT(out.request, last) << "each recall is taken once, newer than the one before";
        last = out.request;
    }
    audio.join();
    EXPECT_FALSE(latest.take(out));
}

} // namespace
} // namespace korvel::veldro
