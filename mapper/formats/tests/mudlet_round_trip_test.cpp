// .vmm -> Mudlet JSON -> .vmm gives back the same map, and what is written
// is JSON of the shape Mudlet's reader expects.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "mapper/formats/mudlet_json_format.h"
#include "mapper/formats/mudlet_map.h"
#include "mapper/formats/tests/map_compare.h"

namespace {
std::vector<std::uint8_t> WriteMudlet(const CVorMapperDoc& doc, CFormatReport& report)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(MudletJsonMapFormat().Write(doc, bytes, report, error)) << error;
    return bytes;
}

bool ReadMudlet(CVorMapperDoc& doc, const std::vector<std::uint8_t>& bytes, CFormatReport& report, std::string& error)
{
    return MudletJsonMapFormat().Read(doc, bytes.data(), bytes.size(), report, error);
}

// Keys in every object sorted, as Mudlet writes them.
void ExpectSortedKeys(const nlohmann::ordered_json& j, const std::string& path)
{
    if (j.is_object()) {
        std::string previous;
        for (auto it = j.begin(); it != j.end(); ++it) {
            EXPECT_LT(previous, it.key()) << path;
            previous = it.key();
            ExpectSortedKeys(it.value(), path + "." + it.key());
        }
    } else if (j.is_array()) {
        for (const auto& e : j)
            ExpectSortedKeys(e, path + "[]");
    }
}
}  // namespace

TEST(MudletRoundTrip, RandomMapsComeBackTheSame)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        CVorMapperDoc doc;
        MakeRandomMap(doc, rng, 1 + static_cast<int>(rng() % 60));
        CFormatReport written;
        const auto bytes = WriteMudlet(doc, written);
        EXPECT_TRUE(written.Empty()) << seed << ": " << written.Lines().front();
        CVorMapperDoc back;
        CFormatReport read;
        std::string error;
        ASSERT_TRUE(ReadMudlet(back, bytes, read, error)) << seed << ": " << error;
        EXPECT_TRUE(read.Empty()) << seed << ": " << read.Lines().front();
        ASSERT_EQ(CanonicalMap(back), CanonicalMap(doc)) << "seed " << seed;
    }
}

TEST(MudletRoundTrip, WritesWhatMudletsReaderNeedsWithSortedKeys)
{
    std::mt19937 rng(7);
    CVorMapperDoc doc;
    MakeRandomMap(doc, rng, 30);
    CFormatReport report;
    const auto bytes = WriteMudlet(doc, report);
    const auto j = nlohmann::ordered_json::parse(bytes.begin(), bytes.end());
    ExpectSortedKeys(j, "");
    for (const char* key : {"formatVersion", "areas", "areaCount", "roomCount", "labelCount", "defaultAreaName",
                            "anonymousAreaName", "customEnvColors", "mapSymbolFontDetails", "mapSymbolFontFudgeFactor",
                            "onlyMapSymbolFontToBeUsed", "playerRoomStyle", "playerRoomOuterDiameterPercentage",
                            "playerRoomInnerDiameterPercentage", "playerRoomColors", "playersRoomId", "userData"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["formatVersion"], 1);
    EXPECT_EQ(j["mapSymbolFontFudgeFactor"], 1);
    EXPECT_EQ(j["areas"][0]["id"], -1);
    EXPECT_EQ(j["playersRoomId"]["VorMapper"], doc.m_nCurrentRoom);

    // Rooms by id, coordinates [x, -y, plane], every environment a custom one
    // outside Mudlet's own ranges.
    std::set<std::int64_t> environments;
    for (const auto& env : j["customEnvColors"]) {
        const std::int64_t id = env["id"];
        EXPECT_TRUE(id > 272 || (id > 16 && id < 257)) << id;
        environments.insert(id);
    }
    std::int64_t previous = 0;
    for (const auto& room : j["areas"][1]["rooms"]) {
        const std::int64_t id = room["id"];
        EXPECT_LT(previous, id);
        previous = id;
        const CRoom& r = *doc.GetRooms().Find(static_cast<RoomId>(id));
        EXPECT_EQ(room["coordinates"][0], r.m_nX);
        EXPECT_EQ(room["coordinates"][1], -std::int64_t{r.m_nY});
        EXPECT_EQ(room["coordinates"][2], r.m_nPlane);
        const std::int64_t env = room["environment"];
        EXPECT_TRUE(env == -1 ? r.m_crColor == kColorNone : environments.count(env) == 1) << id;
        for (const auto& exit : room["exits"])
            EXPECT_NE(MudletExitDirection(exit["name"]), DIR_NONE);
    }
}

TEST(MudletRoundTrip, LabelsCarryAPngOfTheirText)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CRoom room = doc.GetRoom(1);
    room.m_info.m_strLabel = "Temple";
    room.m_info.m_ptLabel = {63, -37};
    room.m_info.m_crLabelText = 0x0000FF;
    doc.SetRoom(room);
    CFormatReport report;
    const auto bytes = WriteMudlet(doc, report);
    const auto j = nlohmann::json::parse(bytes.begin(), bytes.end());
    const auto& label = j["areas"][1]["labels"][0];
    EXPECT_EQ(label["text"], "Temple");
    EXPECT_EQ(label["id"], 1);
    EXPECT_DOUBLE_EQ(label["coordinates"][0].get<double>(), 50.0 / 26);  // the corner, one cell right...
    EXPECT_DOUBLE_EQ(label["coordinates"][1].get<double>(), 50.0 / 26);  // ...and up, y growing north
    EXPECT_EQ(label["colors"][0]["color32RGBA"], nlohmann::json({255, 0, 0, 255}));
    EXPECT_EQ(label["colors"][1]["color32RGBA"][3], 0);  // no background: transparent
    ASSERT_TRUE(label["image"].is_array());
    for (const auto& line : label["image"])
        EXPECT_LE(line.get<std::string>().size(), 64u);
    // Base64 of a PNG signature.
    EXPECT_EQ(label["image"][0].get<std::string>().substr(0, 8), "iVBORw0K");
}
