#include "synth/Scaling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <typeinfo>
#include <vector>

using namespace korvel;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Point {
    double in;
    double out;
};

struct KindCase {
    const char* label;
    std::function<std::unique_ptr<Scaling>()> make;
    std::vector<Point> toValue;      // includes 0, 0.25, 0.5, 0.75, 1, out of range and NaN
    std::vector<Point> toNormalized; // likewise, by value
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.label; }

template <class Kind, class... Args>
std::function<std::unique_ptr<Scaling>()> maker(Args... args) {
    return [=] { return std::make_unique<Kind>(args...); };
}

std::vector<KindCase> kindCases() {
    const double third = 1.0 / 3.0;
    return {
        {"Linear", maker<Scaling>(10.0, 2.0),
         {{0, 2}, {0.25, 4}, {0.5, 6}, {0.75, 8}, {1, 10}, {-0.5, 2}, {1.5, 10}, {NaN, 10}},
         {{2, 0}, {4, 0.25}, {6, 0.5}, {8, 0.75}, {10, 1}, {0, 0}, {12, 1}, {NaN, 1}}},
        {"Cubic", maker<CubicScaling>(10.0, 2.0),
         {{0, 2}, {0.25, 2.125}, {0.5, 3}, {0.75, 5.375}, {1, 10}, {-1, 2}, {2, 10}, {NaN, 10}},
         {{2, 0}, {2.125, 0.25}, {3, 0.5}, {5.375, 0.75}, {10, 1}, {1, 0}, {11, 1}, {NaN, 1}}},
        {"Bipolar", maker<BipolarScaling>(4.0, 0.0),
         {{0, -4}, {0.25, -2}, {0.5, 0}, {0.75, 2}, {1, 4}, {-1, -4}, {2, 4}, {NaN, 4}},
         {{-4, 0}, {-2, 0.25}, {0, 0.5}, {2, 0.75}, {4, 1}, {-8, 0}, {8, 1}, {NaN, 1}}},
        {"BiCubic", maker<BiCubicScaling>(8.0, 0.0),
         {{0, -8}, {0.25, -1}, {0.5, 0}, {0.75, 1}, {1, 8}, {-1, -8}, {2, 8}, {NaN, 8}},
         {{-8, 0}, {-1, 0.25}, {0, 0.5}, {1, 0.75}, {8, 1}, {-16, 0}, {16, 1}, {NaN, 1}}},
        {"AsymmetricQuarter", maker<AsymmetricBiCubicScaling>(0.75, 2.0),
         {{0, -2}, {0.25, 0}, {0.5, 2.0 / 27.0}, {0.625, 0.25}, {0.75, 16.0 / 27.0}, {1, 2}, {-1, -2}, {2, 2},
          {NaN, 2}},
         {{-2, 0}, {-0.25, 0.125}, {0, 0.25}, {0.25, 0.625}, {2, 1}, {-3, 0}, {3, 1}, {NaN, 1}}},
        {"AsymmetricRatio", maker<AsymmetricBiCubicScaling>(4.0, 2.0),
         {{0.25, 0}, {0.625, 0.25}},
         {{0.25, 0.625}}},
        {"AsymmetricThird", maker<AsymmetricBiCubicScaling>(2.0 / 3.0, 37.0),
         {{0, -37}, {third / 2, -37.0 / 8}, {third, 0}, {2 * third, 37.0 / 8}, {1, 37}, {NaN, 37}},
         {{-37, 0}, {0, third}, {37.0 / 8, 2 * third}, {37, 1}, {NaN, 1}}},
        {"IntOddSpan", maker<IntScaling>(9.0, 0.0),
         {{0, 0}, {0.25, 2}, {0.5, 5}, {0.75, 7}, {1, 9}, {-1, 0}, {2, 9}, {NaN, 9}},
         {{0, 0}, {2.25, 0.25}, {4.5, 0.5}, {9, 1}, {-1, 0}, {10, 1}, {NaN, 1}}},
        {"IntEvenSpan", maker<IntScaling>(8.0, 0.0), {{0.5, 4}, {0.25, 2}}, {}},
        {"IntNegativeHalvesAwayFromZero", maker<IntScaling>(0.0, -9.0), {{0.5, -5}, {0.25, -7}}, {}},
        {"Inverted", maker<InvScaling>(1.0, 0.0),
         {{0, 1}, {0.25, 0.75}, {0.5, 0.5}, {0.75, 0.25}, {1, 0}, {-1, 1}, {2, 0}, {NaN, 1}},
         {{1, 0}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.75}, {0, 1}, {2, 0}, {-1, 1}, {NaN, 0}}},
        {"Absolute", maker<AbsoluteScaling>(4.0, 0.0),
         {{0, 0}, {0.25, 1}, {0.5, 2}, {0.75, 3}, {1, 4}, {-0.5, 2}, {2, 4}, {NaN, 4}},
         {{0, 0}, {1, 0.25}, {-2, 0.5}, {3, 0.75}, {4, 1}, {-8, 1}, {NaN, 1}}},
        {"DegenerateRange", maker<Scaling>(3.0, 3.0),
         {{0, 3}, {1, 3}, {NaN, 3}},
         {{3, 1}, {5, 1}, {2, 0}}},
    };
}

class ScalingKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(ScalingKinds, MapsBothWaysAndClamps) {
    const KindCase& c = GetParam();
    const auto scaling = c.make();
    for (const Point& p : c.toValue)
        EXPECT_NEAR(scaling->toValue(p.in), p.out, 1e-12) << "toValue(" << p.in << ")";
    for (const Point& p : c.toNormalized)
        EXPECT_NEAR(scaling->toNormalized(p.in), p.out, 1e-12) << "toNormalized(" << p.in << ")";
}

TEST_P(ScalingKinds, ResultsStayInsideTheirRanges) {
    const auto scaling = GetParam().make();
    const auto [low, high] = scaling->getRange();
    for (double x : {-1e300, -3.0, -0.1, 0.0, 0.3, 0.9, 1.0, 1.1, 7.0, 1e300, NaN,
                     std::numeric_limits<double>::infinity()}) {
        const double v = scaling->toValue(x);
        EXPECT_TRUE(low <= v && v <= high) << x << " -> " << v;
        const double t = scaling->toNormalized(x * high);
        EXPECT_TRUE(0.0 <= t && t <= 1.0) << x << " -> " << t;
    }
}

INSTANTIATE_TEST_SUITE_P(Scaling, ScalingKinds, ::testing::ValuesIn(kindCases()),
                         [](const auto& info) { return std::string(info.param.label); });

// Continuous kinds: every position comes back from its value.
TEST(Scaling, ContinuousKindsRoundTrip) {
    for (const KindCase& c : kindCases()) {
        const auto scaling = c.make();
        if (dynamic_cast<IntScaling*>(scaling.get()) || scaling->getRange().first == scaling->getRange().second)
            continue;
        for (int i = 0; i <= 64; ++i) {
            const double x = i / 64.0;
            EXPECT_NEAR(scaling->toNormalized(scaling->toValue(x)), x, 1e-12) << c.label << " at " << x;
        }
    }
}

// The cube is taken first and then scaled: max * u^3, bit for bit.
TEST(Scaling, BipolarCubicKindsScaleTheCube) {
    const BiCubicScaling bicubic(30.0, 0.0);
    const AsymmetricBiCubicScaling asymmetric(0.75, 25.0);
    for (int i = 0; i <= 1000; ++i) {
        const double x = i / 1000.0;
        const double u = 2.0 * (x - 0.5);
        EXPECT_EQ(bicubic.toValue(x), 30.0 * (u * u * u)) << x;
        const double w = x < 0.25 ? (x - 0.25) / 0.25 : (x - 0.25) / 0.75;
        EXPECT_EQ(asymmetric.toValue(x), 25.0 * (w * w * w)) << x;
    }
}

TEST(Scaling, SetRangeKeepsMinWhenGivenZero) {
    Scaling scaling(1.0, 2.0);
    scaling.setRange(5.0, 0.0);
    EXPECT_EQ(scaling.getRange(), std::make_pair(2.0, 5.0));
    scaling.setRange(5.0, 1.0);
    EXPECT_EQ(scaling.getRange(), std::make_pair(1.0, 5.0));
    scaling.setMin(0.0);
    EXPECT_EQ(scaling.getRange(), std::make_pair(0.0, 5.0));
}

struct FactoryCase {
    ParamRange range;
    const std::type_info* type; // null: no Scaling
    double low;
    double high;
    double zeroAt; // position of value 0 where the range holds 0, else NaN
};

TEST(Scaling, MakeScalingChoosesKindByRange) {
    const std::vector<FactoryCase> cases = {
        {{0, -1, 1, 1}, &typeid(BipolarScaling), -1, 1, 0.5},
        {{0, -3000, 3000, 1}, &typeid(BipolarScaling), -3000, 3000, 0.5},
        {{0.5, 0, 1, 1}, &typeid(Scaling), 0, 1, 0.0},
        {{0, -30, 30, 3}, &typeid(BiCubicScaling), -30, 30, 0.5},
        {{20, 1.0 / 60, 2000, 3}, &typeid(CubicScaling), 1.0 / 60, 2000, NaN},
        {{0, 0, 8, 10}, &typeid(IntScaling), 0, 8, 0.0},
        {{0, 0, 1, 20}, &typeid(IntScaling), 0, 1, 0.0},
        {{14, 0, 14, -1}, &typeid(InvScaling), 0, 14, 1.0},
        {{0.5, 0.3, 1, 113}, &typeid(AbsoluteScaling), 0, 1, 0.0},
        {{1, -25, 25, 1002}, &typeid(AsymmetricBiCubicScaling), -25, 25, 0.25},
        {{1, -37, 37, 1007}, &typeid(AsymmetricBiCubicScaling), -37, 37, 1.0 / 3},
        {{0, 0, 1, 0}, nullptr, 0, 0, NaN},
        {{0, 0, 1, 100}, nullptr, 0, 0, NaN},
        {{0, 0, 1, 2}, nullptr, 0, 0, NaN},
    };
    for (const FactoryCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.range.kind << " range " << c.range.min << ".." << c.range.max);
        const auto scaling = makeScaling(c.range);
        if (!c.type) {
            EXPECT_EQ(scaling, nullptr);
            continue;
        }
        ASSERT_NE(scaling, nullptr);
        EXPECT_EQ(typeid(*scaling), *c.type);
        EXPECT_EQ(scaling->getRange(), std::make_pair(c.low, c.high));
        if (!std::isnan(c.zeroAt)) {
            EXPECT_NEAR(scaling->toValue(c.zeroAt), 0.0, 1e-12);
        }
    }
}

} // namespace
