// The typed accessors' rules for every JSON type, the guards against the
// conversions jsoncpp throws on, and the version number rule.
#include "gui/CCSGUIReader.h"
#include "gui/JsonFieldReader.h"

#include <json/reader.h>

#include <gtest/gtest.h>

#include <memory>

namespace cc {
namespace {

Json::Value parse(const std::string& text)
{
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value v;
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &v, nullptr)) << text;
    return v;
}

TEST(JsonFieldReader, IntegersTakeNumbersAndBooleansAndNothingElse)
{
    const Json::Value o = parse(R"({"i": -7, "u": 4000000000, "r": 12.7, "n": -12.7, "t": true, "f": false,
        "s": "5", "big": 9000000000, "huge": 1e300, "a": [1], "o": {"x": 1}, "z": null})");
    JsonFieldReader* f = JsonFieldReader::shareReader();
    EXPECT_EQ(-7, f->getIntValue(&o, "i"));
    EXPECT_EQ(12, f->getIntValue(&o, "r"));
    EXPECT_EQ(-12, f->getIntValue(&o, "n")); // toward zero
    EXPECT_EQ(1, f->getIntValue(&o, "t"));
    EXPECT_EQ(0, f->getIntValue(&o, "f", 9));
    // Outside 32 bits, strings, containers and null all give the default.
    for (const char* key : {"u", "big", "huge", "s", "a", "o", "z", "missing"}) EXPECT_EQ(42, f->getIntValue(&o, key, 42)) << key;
    EXPECT_FALSE(f->findInt(&o, "s").has_value());
    EXPECT_EQ(12, f->findInt(&o, "r").value_or(0));
}

TEST(JsonFieldReader, NumbersBooleansAndStrings)
{
    const Json::Value o = parse(R"({"i": 3, "r": 0.25, "big": 9000000000, "t": true, "one": 1, "s": "text",
        "e": "", "n": null})");
    JsonFieldReader* f = JsonFieldReader::shareReader();
    EXPECT_DOUBLE_EQ(3.0, f->getFloatValue(&o, "i"));
    EXPECT_DOUBLE_EQ(0.25, f->getFloatValue(&o, "r"));
    EXPECT_DOUBLE_EQ(9e9, f->getFloatValue(&o, "big"));
    EXPECT_DOUBLE_EQ(1.0, f->getFloatValue(&o, "t"));
    EXPECT_DOUBLE_EQ(0.5, f->getFloatValue(&o, "s", 0.5));
    // A boolean is only a boolean: 1 counts as absent.
    EXPECT_TRUE(f->getBoolValue(&o, "t"));
    EXPECT_FALSE(f->getBoolValue(&o, "one"));
    EXPECT_TRUE(f->getBoolValue(&o, "one", true));
    EXPECT_FALSE(f->findBool(&o, "one").has_value());
    EXPECT_STREQ("text", f->getStringValue(&o, "s"));
    EXPECT_STREQ("", f->getStringValue(&o, "e"));
    EXPECT_EQ(nullptr, f->getStringValue(&o, "i"));
    EXPECT_EQ(nullptr, f->getStringValue(&o, "n"));
}

TEST(JsonFieldReader, ObjectsArraysAndLookupsOnTheWrongType)
{
    const Json::Value o = parse(R"({"obj": {"a": 1, "b": 2}, "arr": [10, 20, 30], "nul": null, "num": 4})");
    JsonFieldReader* f = JsonFieldReader::shareReader();
    ASSERT_NE(nullptr, f->getSubObject(&o, "obj"));
    EXPECT_NE(nullptr, f->getSubObject(&o, "nul"));
    EXPECT_NE(nullptr, f->getSubObject(&o, "arr"));
    EXPECT_EQ(nullptr, f->getSubObject(&o, "num"));
    std::unique_ptr<Json::Value> copy = f->copySubObject(&o, "obj");
    ASSERT_TRUE(copy);
    EXPECT_EQ(2, f->getIntValue(copy.get(), "b"));
    EXPECT_EQ(3, f->getArrayCount(&o, "arr"));
    EXPECT_EQ(2, f->getArrayCount(&o, "obj")); // an object gives its member count
    EXPECT_EQ(0, f->getArrayCount(&o, "num"));
    ASSERT_NE(nullptr, f->getArrayElement(&o, "arr", 2));
    EXPECT_EQ(30, f->getArrayElement(&o, "arr", 2)->asInt());
    EXPECT_EQ(nullptr, f->getArrayElement(&o, "arr", 3));
    EXPECT_EQ(nullptr, f->getArrayElement(&o, "arr", -1));
    EXPECT_EQ(nullptr, f->getArrayElement(&o, "obj", 0));
    // Member lookups on an array, a number or nothing: defaults, no exception.
    const Json::Value* arr = f->getSubObject(&o, "arr");
    EXPECT_EQ(5, f->getIntValue(arr, "a", 5));
    EXPECT_EQ(nullptr, f->getStringValue(arr, "a"));
    EXPECT_EQ(0, f->getArrayCount(arr, "a"));
    const Json::Value number(4);
    EXPECT_EQ(5, f->getIntValue(&number, "a", 5));
    EXPECT_EQ(5, f->getIntValue(nullptr, "a", 5));
    EXPECT_EQ(nullptr, f->getSubObject(nullptr, "a"));
}

TEST(LayoutVersion, FourPartsWeightedAndShortStringsZero)
{
    EXPECT_EQ(249, CCSGUIReader::versionNumber("0.2.4.9"));
    EXPECT_EQ(250, CCSGUIReader::versionNumber("0.2.5.0"));
    EXPECT_EQ(1200, CCSGUIReader::versionNumber("1.2.0.0"));
    EXPECT_EQ(0, CCSGUIReader::versionNumber("1.0"));
    EXPECT_EQ(1234, CCSGUIReader::versionNumber("1.2.3.4")); // exactly 7 characters is long enough
    EXPECT_EQ(0, CCSGUIReader::versionNumber("0.2.5."));        // 6 characters: too short
    EXPECT_EQ(0, CCSGUIReader::versionNumber(nullptr));
    // Long enough but fewer parts: the missing parts count 0.
    EXPECT_EQ(10 * 1000 + 20 * 100 + 3 * 10, CCSGUIReader::versionNumber("10.20.3"));
    EXPECT_EQ(2000, CCSGUIReader::versionNumber("2.......")); // empty parts are 0
    // Parts that are not numbers count 0; a leading number counts.
    EXPECT_EQ(1000 + 30 + 4, CCSGUIReader::versionNumber("1.x.3b.4"));
    // Endless digits neither overflow nor wrap negative.
    EXPECT_GT(CCSGUIReader::versionNumber("99999999999999999999.9.9.9"), 249);
}

} // namespace
} // namespace cc
