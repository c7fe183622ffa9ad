#include "synth/loading/DeferredRecalls.h"
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
