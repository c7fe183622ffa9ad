#include "synth/ControllerKinds.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

using namespace korvel;
using namespace korvel::veldro;

namespace {

TEST(ControllerKinds, NamesMapToTypesAndFieldNames) {
    const auto& kinds = controllerKinds();
    EXPECT_EQ(kinds.size(), 8u);
    EXPECT_EQ(kinds.count(L"empty"), 0u);

    const ControllerKind& lfo = kinds.at(L"lfo");
    EXPECT_EQ(lfo.type, 3);
    EXPECT_STREQ(lfo.params[0], L"skew");
    EXPECT_STREQ(lfo.params[1], L"clip");
    EXPECT_STREQ(lfo.params[2], L"freq");

    const ControllerKind& random = kinds.at(L"random");
    EXPECT_EQ(random.type, 1);
    EXPECT_STREQ(random.params[1], L"spread");
    EXPECT_EQ(random.params[2], nullptr);

    const ControllerKind& mix = kinds.at(L"adsr_mix");
    EXPECT_EQ(mix.type, 5);
    EXPECT_EQ(mix.params[1], nullptr);

    EXPECT_EQ(kinds.at(L"inner").type, 6);
    EXPECT_EQ(kinds.at(L"inner_3").type, 8);
    EXPECT_STREQ(kinds.at(L"inner_2").params[0], L"param");
}

struct RangeCase {
    int type;
    int field;
    ParamRange range;
    const std::type_info* scaling; // null: none
};

TEST(ControllerKinds, PerKindSettingRanges) {
    const ParamRange E{0, 0, 1, 3};
    const std::vector<RangeCase> cases = {
        {0, 1, E, &typeid(CubicScaling)},
        {0, 4, E, &typeid(CubicScaling)},
        {1, 1, {0.5, 0, 1, 113}, &typeid(AbsoluteScaling)},
        {1, 3, {0.5, 0, 1, -1}, &typeid(InvScaling)},
        {2, 1, {0.5, -1, 1, 1}, &typeid(BipolarScaling)},
        {2, 2, {0, -3000, 3000, 3}, &typeid(BiCubicScaling)},
        {3, 2, {0, -1, 1, 1}, &typeid(BipolarScaling)},
        {3, 4, {1, 0, 100, 3}, &typeid(CubicScaling)},
        {4, 2, E, &typeid(CubicScaling)},
        {5, 2, {0.5, 0, 1, 1}, &typeid(Scaling)},
        {6, 2, {0, 0, 0, 0}, nullptr},
        {8, 2, {0, 0, 0, 0}, nullptr},
        {8, 1, {0.5, -1, 1, 1}, &typeid(BipolarScaling)},
        // outside the table: the empty type's range
        {9, 1, E, &typeid(CubicScaling)},
        {-1, 1, E, &typeid(CubicScaling)},
        {1, 0, E, &typeid(CubicScaling)},
        {1, 5, E, &typeid(CubicScaling)},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " field " << c.field);
        const ScaledRange& r = getControllerParamRange(c.type, c.field);
        EXPECT_EQ(r.default_value, c.range.default_value);
        EXPECT_EQ(r.min, c.range.min);
        EXPECT_EQ(r.max, c.range.max);
        EXPECT_EQ(r.kind, c.range.kind);
        if (!c.scaling) {
            EXPECT_EQ(r.scaling, nullptr);
            continue;
        }
        ASSERT_NE(r.scaling, nullptr);
        EXPECT_EQ(typeid(*r.scaling), *c.scaling);
    }
}

TEST(ControllerKinds, GenericFieldRangesAndLabels) {
    const char* labels[] = {"type", "%", "x", "y", "rate"};
    const char* keys[] = {"type", "amount", "x", "y", "par3"};
    for (int field = 0; field < NOF_CONTROLLER_FIELDS; ++field) {
        EXPECT_STREQ(controllerFieldLabel(field), labels[field]);
        EXPECT_STREQ(controllerFieldKey(field), keys[field]);
    }
    EXPECT_STREQ(controllerFieldLabel(5), "");
    EXPECT_EQ(getControllerFieldRange(FIELD_TYPE).scaling->toValue(1.0), 8.0);
    EXPECT_EQ(getControllerFieldRange(FIELD_AMOUNT).scaling->toValue(0.0), -1.0);
    EXPECT_EQ(getControllerFieldRange(FIELD_X).scaling, nullptr);
    EXPECT_EQ(getControllerFieldRange(FIELD_Y).scaling->toValue(0.0), 1.0);
    EXPECT_EQ(getControllerFieldRange(FIELD_PAR3).scaling, nullptr);
}

TEST(ControllerKinds, ScaledRangeCopiesShareTheScaling) {
    const ScaledRange copy = getControllerParamRange(3, 4);
    EXPECT_EQ(copy.scaling, getControllerParamRange(3, 4).scaling);
    EXPECT_EQ(ScaledRange(ParamRange{0, 0, 0, 3}).scaling, nullptr);
    EXPECT_NE(ScaledRange().scaling, nullptr);
}

} // namespace
