#include "support/JsonText.h"

#include <gtest/gtest.h>

using testing_support::oneLine;
using testing_support::readJson;
using Kind = JSON::Value::Kind;

namespace {

TEST(Value, KindsCarryTheirTags)
{
    const std::pair<JSON::Value, std::uint32_t> cases[] = { { JSON::Value(std::wstring(L"s")), 0 },
        { JSON::Value(1.5), 1 }, { JSON::Value(Kind::Array), 2 }, { JSON::Value(Kind::Object), 3 },
        { JSON::Value(Kind::True), 4 }, { JSON::Value(Kind::False), 5 }, { JSON::Value(), 6 } };
    for (const auto& [value, tag] : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(value.kind()), tag);
    static_assert(!std::is_constructible_v<JSON::Value, bool>, "a bool is no number");
    EXPECT_EQ(JSON::Value(1).asNumber(), 1.0);
    EXPECT_EQ(JSON::Value(L"s").asString(), L"s");
    EXPECT_EQ(JSON::Value(Kind::String).asString(), L"");
    EXPECT_EQ(JSON::Value(Kind::Number).asNumber(), 0.0);
}

TEST(Value, ScalarAccessorsGiveEmptyForOtherKinds)
{
    EXPECT_EQ(JSON::Value(std::wstring(L"text")).asString(), L"text");
    EXPECT_EQ(JSON::Value(2.5).asNumber(), 2.5);
    EXPECT_EQ(JSON::Value(2.5).asString(), L"");
    EXPECT_EQ(JSON::Value(std::wstring(L"3")).asNumber(), 0.0);
    EXPECT_EQ(JSON::Value(Kind::True).asNumber(), 0.0);
}

TEST(Value, CopiesAreDeep)
{
    JSON::Value original = readJson("{\"a\": [1, {\"b\": \"x\"}]}");
    JSON::Value copy = original;
    copy[L"a"].asArray().push_back(2.0);
    copy[L"a"].asArray()[1][L"b"] = std::wstring(L"changed");
    EXPECT_EQ(oneLine(original), "{ \"a\": [ 1, { \"b\": \"x\" } ] }");
    EXPECT_EQ(oneLine(copy), "{ \"a\": [ 1, { \"b\": \"changed\" }, 2 ] }");
}

TEST(Value, AssignmentFromItsOwnMember)
{
    JSON::Value value = readJson("{\"a\": {\"b\": [1, 2]}}");
    value = value[L"a"];
    EXPECT_EQ(oneLine(value), "{ \"b\": [ 1, 2 ] }");
    const JSON::Value& same = value;
    value = same;
    EXPECT_EQ(oneLine(value), "{ \"b\": [ 1, 2 ] }");
    value = value.asObject().at(L"b").asArray()[1];
    EXPECT_EQ(value.asNumber(), 2.0);
}

TEST(Value, NullBecomesTheContainerAskedFor)
{
    JSON::Value array;
    array.asArray().push_back(1.0);
    EXPECT_EQ(oneLine(array), "[ 1 ]");
    JSON::Value object;
    object.asObject().emplace(L"k", 1.0);
    EXPECT_EQ(oneLine(object), "{ \"k\": 1 }");
}

TEST(Value, OtherKindsGiveAStandInThatForgets)
{
    JSON::Value number(3.0);
    number.asArray().push_back(1.0);
    EXPECT_TRUE(number.asArray().empty());
    number.asObject()[L"k"] = 1.0;
    EXPECT_TRUE(number.asObject().empty());
    EXPECT_EQ(number.asNumber(), 3.0);
    JSON::Value array(Kind::Array);
    EXPECT_TRUE(array.asObject().empty());
    EXPECT_TRUE(array.is(Kind::Array));
}

TEST(Value, ConstViewsNeverChangeAnything)
{
    const JSON::Value null;
    EXPECT_TRUE(null.asArray().empty());
    EXPECT_TRUE(null.asObject().empty());
    EXPECT_TRUE(null.is(Kind::Null));
    const JSON::Value array = readJson("[1, 2]");
    EXPECT_EQ(array.asArray().size(), 2u);
    EXPECT_TRUE(array.asObject().empty());
}

TEST(Value, MutableLookupOnObjectsInserts)
{
    JSON::Value object(Kind::Object);
    EXPECT_TRUE(object[L"missing"].is(Kind::Null));
    object[L"set"] = 5.0;
    EXPECT_EQ(oneLine(object), "{ \"missing\": null, \"set\": 5 }");
}

struct IndexCase {
    std::wstring key;
    std::string element; // the element found, or "absent"
};

class LooksUpArrayElements : public testing::TestWithParam<IndexCase> {};

TEST_P(LooksUpArrayElements, ByNumericKey)
{
    const JSON::Value constant = readJson("[\"a\", \"b\", \"c\"]");
    const JSON::Value& found = constant.element(GetParam().key);
    EXPECT_EQ(found.is(Kind::Null) ? "absent" : oneLine(found), GetParam().element);

    JSON::Value mutableArray = constant;
    JSON::Value& target = mutableArray[GetParam().key];
    EXPECT_EQ(target.is(Kind::Null) ? "absent" : oneLine(target), GetParam().element);
    target = std::wstring(L"new");
    EXPECT_EQ(mutableArray.asArray().size(), 3u) << "a lookup never grows the array";
    if (GetParam().element == "absent") {
        EXPECT_EQ(oneLine(mutableArray), oneLine(constant));
    }
}

INSTANTIATE_TEST_SUITE_P(Value, LooksUpArrayElements,
    testing::Values(IndexCase { L"0", "\"a\"" }, IndexCase { L"2", "\"c\"" }, IndexCase { L"+1", "\"b\"" },
        IndexCase { L"1.0005", "\"b\"" }, IndexCase { L"2.", "\"c\"" }, IndexCase { L"-0", "\"a\"" },
        IndexCase { L"1.5", "absent" }, IndexCase { L"3", "absent" }, IndexCase { L"-1", "absent" },
        IndexCase { L"99999999999999999999999", "absent" }, IndexCase { L"1e1", "absent" },
        IndexCase { L"a", "absent" }, IndexCase { L"", "absent" }, IndexCase { L"1.2.3", "absent" }));

TEST(Value, MutableLookupOnOtherKindsGivesAScratchValue)
{
    JSON::Value number(1.0);
    number[L"k"] = 7.0;
    EXPECT_TRUE(number[L"k"].is(Kind::Null)) << "the scratch value is reset on each lookup";
    EXPECT_EQ(number.asNumber(), 1.0);

    JSON::Value null;
    null[L"name"] = 1.0;
    EXPECT_TRUE(null.is(Kind::Null)) << "a non-numeric key leaves null alone";
    null[L"0"] = 1.0;
    EXPECT_EQ(oneLine(null), "[]") << "a numeric key turns null into an array";
}

TEST(Value, ReadOnlyLookupInsertsNothing)
{
    const JSON::Value object = readJson("{\"a\": 1}");
    EXPECT_EQ(object.element(L"a").asNumber(), 1.0);
    EXPECT_EQ(&object.element(L"b"), &JSON::Value::null());
    EXPECT_EQ(oneLine(object), "{ \"a\": 1 }");
    EXPECT_EQ(&JSON::Value(2.0).element(L"0"), &JSON::Value::null());
    EXPECT_EQ(&JSON::Value().element(L"0"), &JSON::Value::null());
    EXPECT_TRUE(JSON::Value::null().is(Kind::Null));
}

} // namespace
