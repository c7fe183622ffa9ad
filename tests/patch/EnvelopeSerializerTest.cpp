#include "patch/EnvelopeSerializer.h"
#include "support/JsonText.h"
#include "synth/ParamTable.h"
#include "synth/SynthParamIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel::veldro {
namespace {

using testing_support::readJson;

constexpr int FIRST = param_id::ADSR1_FIRST;

double defaultOf(int id)
{
    return getParamInfo(id).range.default_value;
}

struct Point {
    std::string delta, level, curve;
};

// A slot object whose "adsr1.points" holds the points; "-" leaves a field out.
JSON::Value slotWith(const std::vector<Point>& points)
{
    std::string text = R"({"adsr1.points": [)";
    for (std::size_t k = 0; k < points.size(); ++k) {
        std::string fields;
        for (auto [name, value] : {std::pair{"delta", points[k].delta}, {"level", points[k].level}, {"curve", points[k].curve}})
            if (value != "-")
                fields += (fields.empty() ? "\"" : ", \"") + std::string(name) + "\": " + value;
        text += (k ? ", {" : "{") + fields + "}";
    }
    return readJson(text + "]}");
}

// The first envelope's table defaults, with a sustain level of 0.8 on points 2 and 3.
std::vector<Point> goodPoints()
{
    return {{"0", "0", "0"}, {"12.5", "1", "0"}, {"100", "0.8", "0"}, {"2700", "0.8", "0"}, {"100000", "0", "0"}};
}

void expectDefaults(const Patch& out)
{
    for (int id = FIRST; id < FIRST + 15; ++id)
        EXPECT_EQ(out.params[id].value, defaultOf(id)) << id;
}

TEST(EnvelopeSerializer, GoodPointsReadWithoutErrors)
{
    std::vector<Point> points = goodPoints();
    points[1] = {"50", "0.9", "0"};
    Patch out;
    EXPECT_EQ(EnvelopeSerializer(FIRST).read(out, slotWith(points)), 0);
    EXPECT_EQ(out.params[FIRST + 3].value, 50);
    EXPECT_DOUBLE_EQ(out.params[FIRST + 4].value, 0.9);
}

TEST(EnvelopeSerializer, AnArrayOfOtherThanFivePointsGivesDefaultsWithoutErrors)
{
    for (int n : {0, 4, 6}) {
        std::vector<Point> points = goodPoints();
        points.resize(static_cast<std::size_t>(n), {"50", "0.5", "0"});
        Patch out;
        out.params[FIRST + 4].value = 0.123;
        EXPECT_EQ(EnvelopeSerializer(FIRST).read(out, slotWith(points)), 0) << n;
        expectDefaults(out);
    }
    Patch out;
    EXPECT_EQ(EnvelopeSerializer(FIRST).read(out, readJson(R"({"adsr1.points": {"0": 1}})")), 0);
    expectDefaults(out);
}

TEST(EnvelopeSerializer, DifferingSustainLevelsBothTakeTheDefault)
{
    std::vector<Point> points = goodPoints();
    points[2].level = "0.5";
    points[3].level = "0.7";
    Patch out;
    EXPECT_EQ(EnvelopeSerializer(FIRST).read(out, slotWith(points)), 0) << "one suspect point rounds down";
    EXPECT_EQ(out.params[FIRST + 7].value, defaultOf(FIRST + 10));
    EXPECT_EQ(out.params[FIRST + 10].value, defaultOf(FIRST + 10));
}

TEST(EnvelopeSerializer, FiveCurvesCountTwoErrorsAndAreKept)
{
    std::vector<Point> points = goodPoints();
    for (Point& point : points)
        point.curve = "0.5";
    Patch out;
    EXPECT_EQ(EnvelopeSerializer(FIRST).read(out, slotWith(points)), 2);
    EXPECT_EQ(out.params[FIRST + 2].value, 0.5);
}

TEST(EnvelopeSerializer, SuspectFieldsCountAndTooManyDropTheEnvelope)
{
    std::vector<Point> points = goodPoints();
    points[1] = {"0.1", "0.001", "-"};  // tiny delta, tiny level, missing curve
    points[2] = {"-", "1e999", "0"};     // missing delta, infinite level
    Patch out;
    EXPECT_EQ(EnvelopeSerializer(FIRST).read(out, slotWith(points)), 2) << "3 + 2 suspect fields, halved";
    EXPECT_DOUBLE_EQ(out.params[FIRST + 3].value, 0.1) << "suspect but in range: kept";
    EXPECT_EQ(out.params[FIRST + 6].value, defaultOf(FIRST + 6));

    points[3] = {"-", "-", "-"};
    Patch dropped;
    dropped.params[FIRST + 3].value = 7;
    EXPECT_EQ(EnvelopeSerializer(FIRST).read(dropped, slotWith(points)), 4);
    expectDefaults(dropped);
}

} // namespace
} // namespace korvel::veldro
