#include "support/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <locale>
#include <random>
#include <sstream>

using testing_support::oneLine;
using testing_support::readJson;

namespace {

// Random values of every kind, with text over the whole code point range
// and numbers from tiny fractions to large integers.
class RandomValues {
public:
    explicit RandomValues(unsigned seed)
        : random(seed)
    {
    }

    JSON::Value make(int depth)
    {
        switch (pick(0, depth > 3 ? 4 : 6)) {
        case 0: return JSON::Value(text());
        case 1: return JSON::Value(number());
        case 2: return JSON::Value(JSON::Value::Kind::True);
        case 3: return JSON::Value(JSON::Value::Kind::False);
        case 4: return JSON::Value();
        case 5: {
            JSON::Value::Array elements;
            for (int i = pick(0, 4); i > 0; --i)
                elements.push_back(make(depth + 1));
            return JSON::Value(std::move(elements));
        }
        default: {
            JSON::Value::Object members;
            for (int i = pick(0, 4); i > 0; --i)
                members.emplace(text(), make(depth + 1));
            return JSON::Value(std::move(members));
        }
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::wstring text()
    {
        std::wstring result;
        for (int i = pick(0, 6); i > 0; --i) {
            const int range = pick(0, 2);
            const int high = range == 0 ? 0x7F : range == 1 ? 0xD7FF : 0x10FFFF;
            wchar_t c = static_cast<wchar_t>(pick(0, high));
            if (c >= 0xD800 && c <= 0xDFFF)
                c = L'?'; // a lone surrogate is no character
            result.push_back(c);
        }
        return result;
    }

    // Whole numbers and fractions up to the largest that the writer keeps whole.
    double number()
    {
        const double unit = std::uniform_real_distribution<double>(-1.0, 1.0)(random);
        if (pick(0, 3) == 0)
            return std::trunc(unit * 9e18);
        return unit * std::pow(10.0, pick(-9, 18));
    }

    std::mt19937 random;
};

TEST(RoundTrip, EveryWrittenTextReadsBackToTheSameText)
{
    RandomValues values(20240601);
    for (int i = 0; i < 300; ++i) {
        const JSON::Value value = values.make(0);
        const std::string text = JSON::toText(value, 2, 4);
        for (const char c : text)
            ASSERT_LT(static_cast<unsigned char>(c), 128) << "plain ASCII: " << text;
        EXPECT_EQ(JSON::toText(readJson(text), 2, 4), text);
    }
}

// The double nearest to a text, as the C library reads it in the classic locale.
double classicReading(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double number = 0.0;
    in >> number;
    return number;
}

TEST(RoundTrip, NumbersReadBackBitExactly)
{
    std::mt19937_64 random(20240602);
    // Every magnitude up to 2^63: the written text reads as its nearest double,
    // which is written as the same text again.
    for (int power = -12; power <= 18; ++power)
        for (int i = 0; i < 1000; ++i) {
            const double value = std::uniform_real_distribution<double>(-9.5, 9.5)(random) * std::pow(10.0, power);
            const std::string text = oneLine(JSON::Value(value));
            const double read = readJson(text).asNumber();
            ASSERT_EQ(read, classicReading(text)) << text;
            ASSERT_EQ(oneLine(JSON::Value(read)), text);
        }
    // A number that its text holds whole (at most six decimals) comes back as itself.
    for (int i = 0; i < 20000; ++i) {
        const auto millionths = std::uniform_int_distribution<std::int64_t>(-1'000'000'000'000, 1'000'000'000'000)(random);
        const double value = static_cast<double>(millionths) / 1e6;
        ASSERT_EQ(readJson(oneLine(JSON::Value(value))).asNumber(), value) << oneLine(JSON::Value(value));
    }
}

TEST(RoundTrip, NumbersReadBackWithinTheWrittenPrecision)
{
    for (const double value : { 0.1, 123.456789, -0.000123456, 98765.4321, 1e-7, 4.5e14, -2.5 }) {
        const double read = readJson(JSON::toText(JSON::Value(value), 0, 0)).asNumber();
        EXPECT_NEAR(read, value, std::max(std::fabs(value) * 5e-6, 5e-7)) << value;
    }
}

} // namespace
