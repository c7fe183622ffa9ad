#include "audio/SampleConverter.h"

#include "audio/SampleFormat.h"
#include "support/SoundFileBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using audio::SampleLayout;
using testing_support::Bytes;
using testing_support::Endian;

namespace {

constexpr double SCALE_8 = 0.007874015748031496;
constexpr double SCALE_16 = 3.051850947599719e-05;
constexpr double SCALE_32 = 4.656612873077393e-10;
constexpr float FLOAT_BOUND = 0.99999988079071044921875f;
constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

Bytes floats32(std::vector<double> values, Endian order) {
    return testing_support::encodeSamples(values, testing_support::SampleType::FLOAT32, order);
}
Bytes floats64(std::vector<double> values, Endian order) {
    return testing_support::encodeSamples(values, testing_support::SampleType::FLOAT64, order);
}

std::vector<float> convert(const SampleLayout& layout, const Bytes& stored) {
    const audio::SampleConverter converter = audio::findConverter(layout);
    EXPECT_NE(converter, nullptr);
    if (!converter)
        return {};
    const std::size_t count = stored.size() / (layout.bytesPerSample & 15);
    std::vector<float> out(count, -7.0f);
    converter(stored.data(), out.data(), count);
    return out;
}

struct ConverterCase {
    const char* name;
    SampleLayout layout;
    Bytes stored;
    std::vector<float> expected;
};

SampleLayout layout(std::uint32_t type, bool little, bool unsigned8 = false) { return {type, little, unsigned8}; }

const std::vector<ConverterCase>& converterCases() {
    static const std::vector<ConverterCase> cases{
        {"unsigned 8 (WAV)", layout(1, true, true), {0x80, 0xFF, 0x00, 0x81},
         {0.0f, 1.0f, float(-128 * SCALE_8), float(SCALE_8)}},
        {"signed 8 (AIFF)", layout(1, false), {0x80, 0x7F, 0x00, 0x01}, {float(-128 * SCALE_8), 1.0f, 0.0f, float(SCALE_8)}},
        {"16 little", layout(2, true), {0xFF, 0x7F, 0x00, 0x80, 0x01, 0x00},
         {1.0f, float(-32768 * SCALE_16), float(SCALE_16)}},
        {"16 big", layout(2, false), {0x7F, 0xFF, 0x80, 0x00, 0x00, 0x01},
         {1.0f, float(-32768 * SCALE_16), float(SCALE_16)}},
        {"24 little", layout(3, true), {0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x01, 0x00, 0x00},
         {-1.0f, float(0x7FFFFF00 * SCALE_32), float(256 * SCALE_32)}},
        {"24 big", layout(3, false), {0x80, 0x00, 0x00, 0x7F, 0xFF, 0xFF, 0x00, 0x00, 0x01},
         {-1.0f, float(0x7FFFFF00 * SCALE_32), float(256 * SCALE_32)}},
        {"32 integer little", layout(audio::SampleFormat::INT32, true),
         {0x00, 0x00, 0x00, 0x80, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF},
         {-1.0f, float(256 * SCALE_32), float(-SCALE_32)}},
        {"32 integer big", layout(audio::SampleFormat::INT32, false),
         {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF},
         {-1.0f, float(256 * SCALE_32), float(-SCALE_32)}},
        {"float native is clamped", layout(4, true), floats32({1.5, -2.0, 0.25, -1.0}, Endian::LITTLE),
         {FLOAT_BOUND, -FLOAT_BOUND, 0.25f, -FLOAT_BOUND}},
        {"float swapped is not clamped", layout(4, false), floats32({1.5, -2.0, 0.25}, Endian::BIG), {1.5f, -2.0f, 0.25f}},
        {"float native non-finite", layout(4, true), floats32({NOT_A_NUMBER, INF, -INF}, Endian::LITTLE),
         {0.0f, FLOAT_BOUND, -FLOAT_BOUND}},
        {"float swapped non-finite", layout(4, false), floats32({NOT_A_NUMBER, INF, -INF}, Endian::BIG),
         {0.0f, FLOAT_BOUND, -FLOAT_BOUND}},
        {"double native is clamped", layout(8, true), floats64({2.0, -0.5, 1e300}, Endian::LITTLE), {1.0f, -0.5f, 1.0f}},
        {"double swapped is not clamped", layout(8, false), floats64({2.0, -0.5}, Endian::BIG), {2.0f, -0.5f}},
        {"double swapped saturates at float range", layout(8, false), floats64({1e300, -1e300}, Endian::BIG),
         {std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()}},
        {"double non-finite", layout(8, false), floats64({NOT_A_NUMBER, INF, -INF}, Endian::BIG), {0.0f, 1.0f, -1.0f}},
        {"double native non-finite", layout(8, true), floats64({NOT_A_NUMBER, -INF}, Endian::LITTLE), {0.0f, -1.0f}},
    };
    return cases;
}

} // namespace

TEST(SampleConverter, ConvertsEveryTypeInBothByteOrders) {
    for (const ConverterCase& c : converterCases()) {
        SCOPED_TRACE(c.name);
        const std::vector<float> out = convert(c.layout, c.stored);
        ASSERT_EQ(out.size(), c.expected.size());
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_EQ(out[i], c.expected[i]) << "sample " << i;
    }
}

TEST(SampleConverter, HasNoConverterForOtherTypes) {
    for (const std::uint32_t type : {0u, 5u, 6u, 7u, 9u, 16u, 0x18u})
        EXPECT_EQ(audio::findConverter(layout(type, true)), nullptr) << type;
}

// Seeded random codes: both byte orders decode to the same value, and that
// value is the code times the type's scale.
TEST(SampleConverter, IntegerOrdersAgreeWithTheScale) {
    struct IntegerType {
        std::uint32_t type;
        int bytes;
        double scale;
        int shift; // 24-bit codes sit in the upper bits of 32
    };
    std::mt19937 random(1234);
    for (const IntegerType t : {IntegerType{2, 2, SCALE_16, 0}, IntegerType{3, 3, SCALE_32, 8},
                                IntegerType{audio::SampleFormat::INT32, 4, SCALE_32, 0}}) {
        SCOPED_TRACE(t.type);
        const std::int64_t limit = std::int64_t(1) << (8 * t.bytes - 1);
        std::uniform_int_distribution<std::int64_t> codes(-limit, limit - 1);
        std::vector<std::int64_t> values(200);
        for (auto& value : values)
            value = codes(random);
        const auto little = convert(layout(t.type, true), testing_support::encodeIntegers(values, t.bytes, Endian::LITTLE));
        const auto big = convert(layout(t.type, false), testing_support::encodeIntegers(values, t.bytes, Endian::BIG));
        ASSERT_EQ(little.size(), values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(little[i], big[i]);
            EXPECT_EQ(little[i], float(double(values[i] * (std::int64_t(1) << t.shift)) * t.scale));
            EXPECT_GE(little[i], t.type == 2 ? -1.0001f : -1.0f);
            EXPECT_LE(little[i], 1.0f);
        }
    }
}
