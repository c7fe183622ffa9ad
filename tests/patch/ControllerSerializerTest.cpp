#include "patch/ControllerSerializer.h"
#include "support/JsonText.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvel::veldro {
namespace {

using testing_support::oneLine;
using testing_support::readJson;

constexpr std::uint32_t RANDOM = 1, AMP_NOISE = 2, LFO = 3, MIDI = 4, ADSR_MIX = 5, INNER = 6, INNER_2 = 7, INNER_3 = 8;

// Equal up to the reader's last bits.
void expectSame(const ControlPatch& actual, const ControlPatch& expected)
{
    EXPECT_EQ(actual.type, expected.type);
    EXPECT_DOUBLE_EQ(actual.amount, expected.amount);
    for (int k = 0; k < 3; ++k)
        EXPECT_DOUBLE_EQ(actual.params[k], expected.params[k]) << k;
}

struct ReadCase {
    const char* text;
    bool read;
    ControlPatch expected;
};

class ControllerRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ControllerRead, FillsAFreshRecord)
{
    ControlPatch out;
    EXPECT_EQ(ControllerSerializer::read(out, readJson(GetParam().text)), GetParam().read);
    expectSame(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControllerRead, testing::Values(
    // settings keep their kind's own units
    ReadCase{R"({"type": "lfo", "amount": 0.5, "skew": -0.5, "clip": 0.25, "freq": 50})", true, {LFO, 0.5, {-0.5, 0.25, 50}}},
    ReadCase{R"({"type": "amp_noise", "amount": -0.3, "offset": -2000, "mix": 0.75})", true, {AMP_NOISE, -0.3, {-2000, 0.75, 0}}},
    ReadCase{R"({"type": "random", "amount": 0.5, "walk": 0.2, "spread": 0.9})", true, {RANDOM, 0.5, {0.2, 0.9, 0}}},
    ReadCase{R"({"type": "midi", "amount": -0.25, "x": 0.1, "y": 0.9})", true, {MIDI, -0.25, {0.1, 0.9, 0}}},
    ReadCase{R"({"type": "adsr_mix", "amount": 1, "mix": 0.4})", true, {ADSR_MIX, 1, {0.4, 0, 0}}},
    // out of range: clamped into the kind's ranges, infinity to the upper end
    ReadCase{R"({"type": "lfo", "amount": 2, "skew": -5, "clip": 0.5, "freq": 1e999})", true, {LFO, 1, {-1, 0.5, 100}}},
    ReadCase{R"({"type": "amp_noise", "amount": -1e999, "offset": 9999, "mix": -1})", true, {AMP_NOISE, -1, {3000, 0, 0}}},
    // missing or non-numeric later settings read as 0
    ReadCase{R"({"type": "random", "amount": 0.5, "walk": 0.3, "spread": "wide"})", true, {RANDOM, 0.5, {0.3, 0, 0}}},
    ReadCase{R"({"type": "lfo", "amount": 0.5, "skew": 0.3})", true, {LFO, 0.5, {0.3, 0, 0}}},
    // inner sources: by name, or a number clamped to 0..23
    ReadCase{R"({"type": "inner", "amount": 0.5, "param": "grain.rate"})", true, {INNER, 0.5, {4, 0, 0}}},
    ReadCase{R"({"type": "inner_2", "amount": 0.5, "param": "apply.changetime"})", true, {INNER_2, 0.5, {56, 0, 0}}},
    ReadCase{R"({"type": "inner_3", "amount": 0.5, "param": 30})", true, {INNER_3, 0.5, {23, 0, 0}}},
    // no kind or no amount: an empty controller without an error
    ReadCase{R"({"amount": 0.5, "walk": 0.2})", true, {}},
    ReadCase{R"({"type": "", "amount": 0.5, "walk": 0.2})", true, {}},
    ReadCase{R"({"type": "sine", "amount": 0.5, "walk": 0.2})", true, {}},
    ReadCase{R"({"type": "random", "amount": "half", "walk": 0.2})", true, {}},
    // damaged: no usable first setting, an unknown source
    ReadCase{R"({"type": "random", "amount": 0.5})", false, {}},
    ReadCase{R"({"type": "random", "amount": 0.5, "walk": [0.2]})", false, {}},
    ReadCase{R"({"type": "inner", "amount": 0.5, "param": "grain.rat"})", false, {}},
    ReadCase{R"({"type": "inner", "amount": 0.5, "param": "grain.rate.contr0.x"})", false, {}}));

TEST(ControllerWrite, EachKindWritesItsNamedSettings)
{
    EXPECT_EQ(oneLine(ControllerSerializer::write({LFO, 0.5, {-0.5, 0.25, 50}})),
              R"({ "amount": 0.5, "clip": 0.25, "freq": 50, "skew": -0.5, "type": "lfo" })");
    EXPECT_EQ(oneLine(ControllerSerializer::write({RANDOM, 0.5, {0.2, 0.9, 7}})),
              R"({ "amount": 0.5, "spread": 0.9, "type": "random", "walk": 0.2 })");
    EXPECT_EQ(oneLine(ControllerSerializer::write({ADSR_MIX, -1, {0.4, 7, 7}})),
              R"({ "amount": -1, "mix": 0.4, "type": "adsr_mix" })");
}

TEST(ControllerWrite, InnerKindsNameTheirSourceAndReadBackAsTheFirst)
{
    const JSON::Value written = ControllerSerializer::write({INNER_2, 0.5, {4.7, 0, 0}});
    EXPECT_EQ(oneLine(written), R"({ "amount": 0.5, "param": "grain.rate", "type": "inner" })");
    ControlPatch out;
    ASSERT_TRUE(ControllerSerializer::read(out, written));
    EXPECT_EQ(out, (ControlPatch{INNER, 0.5, {4, 0, 0}}));
}

TEST(ControllerWrite, InnerWithoutATableSourceIsNull)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (double source : {300.0, -1.0, 1e300, inf, -inf, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_TRUE(ControllerSerializer::write({INNER, 0.5, {source, 0, 0}}).is(JSON::Value::Kind::Null)) << source;
}

TEST(ControllerWrite, EveryKindReadsBackAsWritten)
{
    for (const ControlPatch& controller : {ControlPatch{RANDOM, 0.25, {0.5, 0.125, 0}},
                                           ControlPatch{AMP_NOISE, -0.5, {-2999.5, 1, 0}},
                                           ControlPatch{LFO, 1, {-1, 0.75, 99.5}},
                                           ControlPatch{MIDI, -1, {0, 1, 0}},
                                           ControlPatch{ADSR_MIX, 0.5, {0.5, 0, 0}},
                                           ControlPatch{INNER, 0.5, {23, 0, 0}}}) {
        ControlPatch out;
        ASSERT_TRUE(ControllerSerializer::read(out, ControllerSerializer::write(controller)));
        SCOPED_TRACE(controller.type);
        expectSame(out, controller);
    }
}

} // namespace
} // namespace korvel::veldro
