// Mudlet files that cannot be read: one clear line each, and the document
// left as a new map.
#include <gtest/gtest.h>

#include "mapper/formats/tests/mudlet_test_support.h"

namespace {
std::string ValidMap()
{
    return MudletMap({MudletArea(1, "A", {MudletRoom(1, 0, 0, 0, {{"north", 2}}, "Hall"),
                                          MudletRoom(2, 0, 1, 0, {{"south", 1}}, "Yard")})})
        .dump(4);
}

std::string WithRoomField(const char* key, const json& value)
{
    json map = json::parse(ValidMap());
    map["areas"][0]["rooms"][1][key] = value;
    return map.dump();
}

std::string WithTopField(const char* key, const json& value)
{
    json map = json::parse(ValidMap());
    map[key] = value;
    return map.dump();
}

void ExpectRefused(const std::string& text, const std::string& reason)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    doc.Move(DIR_E);  // something for a failed read to throw away
    const CMudletRead r = ReadMudletText(doc, text);
    EXPECT_FALSE(r.ok) << reason;
    EXPECT_NE(r.error.find(reason), std::string::npos) << r.error;
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    EXPECT_EQ(doc.GetRooms().size(), 1u) << reason;  // as after New
    EXPECT_TRUE(doc.GetLinks().empty()) << reason;
}
}  // namespace

TEST(MudletBadInput, TruncatedOrMalformedText)
{
    const std::string valid = ValidMap();
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, valid.size() / 3, valid.size() / 2, valid.size() - 2})
        ExpectRefused(valid.substr(0, cut), "line ");
    ExpectRefused(valid.substr(0, valid.size() / 2), "the text ends");
    ExpectRefused("{\"formatVersion\": 1, \"areas\": [}", "unexpected character '}'");
    ExpectRefused("[1, 2]", "a Mudlet map must be an object");
    ExpectRefused("{\"formatVersion\": 1, \"areas\": [{\"name\": \"\xFF\"}]}", "text that is not UTF-8");
    ExpectRefused(WithRoomField("name", "A").substr(1), "a Mudlet map must be an object");
}

TEST(MudletBadInput, WrongTypes)
{
    ExpectRefused(WithTopField("areas", json::object()), "areas must be an array");
    ExpectRefused(WithRoomField("id", "2"), "the id of a room must be a number");
    ExpectRefused(WithRoomField("coordinates", "0,0,0"), "the coordinates of a room must be an array");
    ExpectRefused(WithRoomField("exits", json::object()), "the exits of a room must be an array");
    ExpectRefused(WithRoomField("name", 5), "the name of a room must be a string");
    ExpectRefused(WithRoomField("userData", json::array()), "userData must be an object");
    ExpectRefused(WithTopField("customEnvColors", {{{"id", 300}, {"color24RGB", {1, 2}}}}), "must have 3 components");
    ExpectRefused(WithTopField("customEnvColors", {{{"id", 300}, {"color24RGB", {1, 2, 300}}}}), "from 0 to 255");
}

TEST(MudletBadInput, AnotherFormatVersionOrNone)
{
    ExpectRefused(WithTopField("formatVersion", 2), "formatVersion 2 is not 1");
    ExpectRefused(WithTopField("formatVersion", 1.5), "is not 1");
    ExpectRefused(WithTopField("formatVersion", "1"), "formatVersion must be a number");
    json map = json::parse(ValidMap());
    map.erase("formatVersion");
    ExpectRefused(map.dump(), "no formatVersion");
    ExpectRefused("{\"formatVersion\": 1}", "no areas");
}

TEST(MudletBadInput, HugeOrNegativeCounts)
{
    ExpectRefused(WithTopField("roomCount", -5), "roomCount must be a whole number from 0 to 2147483647");
    ExpectRefused(WithTopField("roomCount", 1e300), "roomCount must be a whole number");
    ExpectRefused(WithTopField("areaCount", 18446744073709551615ull), "areaCount must be a whole number");
    ExpectRefused(WithRoomField("id", 4294967297ll), "the id of a room must be a whole number from 1");
    ExpectRefused(WithRoomField("id", 0), "the id of a room must be a whole number from 1");
}

TEST(MudletBadInput, NestingAMillionLevelsDeep)
{
    const std::string deep = std::string(1000000, '[') + std::string(1000000, ']');
    json map = json::parse(ValidMap());
    std::string text = map.dump();
    text.insert(1, "\"deep\": " + deep + ", ");
    ExpectRefused(text, "nested deeper than 256 levels");
    ExpectRefused(deep, "a Mudlet map must be an object");
}

TEST(MudletBadInput, CoordinatesThatAreNotWholeNumbers)
{
    ExpectRefused(WithRoomField("coordinates", {1.5, 0, 0}), "the coordinates of a room must be a whole number");
    ExpectRefused(WithRoomField("coordinates", {0, 0}), "must be three whole numbers");
    ExpectRefused(WithRoomField("coordinates", {4294967296ll, 0, 0}), "the coordinates of a room must be a whole number");
    std::string text = WithRoomField("coordinates", {7, 0, 0});
    text.replace(text.find("[7,"), 3, "[NaN,");
    ExpectRefused(text, "unexpected character 'N'");
    // Whole numbers written with a fraction are whole.
    CVorMapperDoc doc;
    EXPECT_TRUE(ReadMudletText(doc, WithRoomField("coordinates", {2.0, -1e1, 0})).ok);
    EXPECT_EQ(doc.GetRooms().Find(2)->m_nY, 10);
}

TEST(MudletBadInput, DuplicateRoomIdsAndRoomsWithoutIds)
{
    json map = json::parse(ValidMap());
    map["areas"].push_back(MudletArea(2, "B", {MudletRoom(2, 5, 5, 0)}));
    ExpectRefused(map.dump(), "room id 2 appears twice");
    map = json::parse(ValidMap());
    map["areas"][0]["rooms"][0].erase("id");
    ExpectRefused(map.dump(), "a room without an id");
    ExpectRefused(MudletMap({MudletArea(1, "A", json::array())}).dump(), "the map has no rooms");
}
