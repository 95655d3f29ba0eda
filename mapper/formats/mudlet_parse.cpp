// Mudlet maps: the top level, areas, rooms and exits, user data.
#include "mapper/formats/mudlet_parse.h"

#include <charconv>

#include "mapper/formats/mudlet_parser.h"

namespace mudlet_parse {

void CMudletParser::Map()
{
    Expect(EKind::Object, "a Mudlet map");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        if (key == "formatVersion") {
            Expect(EKind::Number, "formatVersion");
            const double v = m_json.Number().dValue;
            if (v != 1.0) {
                char text[32];
                const auto end = std::to_chars(text, text + sizeof text, v).ptr;
                m_json.Fail("formatVersion " + std::string(text, end) + " is not 1: a map of another version");
            }
            m_bVersion = true;
        } else if (key == "areas") {
            Areas();
            m_bAreas = true;
        } else if (key == "areaCount" || key == "roomCount" || key == "labelCount") {
            Count(key);
        } else if (key == "customEnvColors") {
            EnvColors();
        } else if (key == "envToColorMapping") {
            EnvMapping();
        } else if (key == "playersRoomId") {
            PlayersRoom();
        } else if (key == "userData") {
            UserData(&m_map.vormapper);
        } else if (key == "defaultAreaName" || key == "anonymousAreaName" || key == "mapSymbolFontDetails" ||
                   key == "mapSymbolFontFudgeFactor" || key == "onlyMapSymbolFontToBeUsed" ||
                   key == "playerRoomStyle" || key == "playerRoomOuterDiameterPercentage" ||
                   key == "playerRoomInnerDiameterPercentage" || key == "playerRoomColors") {
            m_json.Skip();  // how Mudlet draws its map: nothing of the map itself
        } else {
            Unknown(key);
        }
    }
    m_json.End();
    if (!m_bVersion)
        m_json.Fail("no formatVersion: not a Mudlet map");
    if (!m_bAreas)
        m_json.Fail("no areas: not a Mudlet map");
}

void CMudletParser::Areas()
{
    Expect(EKind::Array, "areas");
    m_json.BeginArray();
    while (m_json.NextElement()) {
        const auto index = static_cast<std::uint32_t>(m_map.areas.size());
        m_map.areas.emplace_back();
        Area(index);
    }
}

void CMudletParser::Area(std::uint32_t index)
{
    Expect(EKind::Object, "an area");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        if (key == "id")
            m_map.areas[index].id = Whole("the id of an area", kInt32Min, kInt32Max);
        else if (key == "name")
            m_map.areas[index].name = Text("the name of an area");
        else if (key == "roomCount")
            Count("the roomCount of an area");
        else if (key == "rooms") {
            Expect(EKind::Array, "the rooms of an area");
            m_json.BeginArray();
            while (m_json.NextElement())
                Room(index);
        } else if (key == "labels")
            Labels(index);
        else if (key == "userData")
            UserData(nullptr);
        else if (key == "gridMode")
            m_json.Skip();  // a way of drawing the area
        else
            Unknown(key);
    }
}

void CMudletParser::Room(std::uint32_t area)
{
    Expect(EKind::Object, "a room");
    const std::size_t start = m_json.Offset();
    m_json.BeginObject();
    const auto index = static_cast<std::uint32_t>(m_map.rooms.size());
    m_map.rooms.emplace_back();
    CMudletRoom* room = &m_map.rooms.back();
    room->area = area;
    room->firstExit = static_cast<std::uint32_t>(m_map.exits.size());
    bool hasId = false, hasCoordinates = false;
    std::string key;
    while (m_json.NextMember(key)) {
        if (key == "id") {
            room->id = Whole("the id of a room", 1, kInt32Max);
            hasId = true;
        } else if (key == "name") {
            room->name = Text("the name of a room");
        } else if (key == "coordinates") {
            Coordinates(*room);
            hasCoordinates = true;
        } else if (key == "environment") {
            room->environment = Whole("the environment of a room", kInt32Min, kInt32Max);
        } else if (key == "exits") {
            Exits(*room, index);
        } else if (key == "userData") {
            UserData(&room->vormapper);
        } else if (key == "stubExits") {
            Expect(EKind::Array, "stubExits");
            m_json.BeginArray();
            while (m_json.NextElement()) {
                m_json.Skip();
                m_report.NotCarried("stubs");
            }
        } else if (!DroppedKey(key, {{"locked", "locks"}, {"weight", "weights"}, {"symbol", "symbols"},
                                     {"hash", "room hashes"}})) {
            Unknown(key);
        }
    }
    if (!hasId || !hasCoordinates) {
        m_json.Fail(std::string("a room without ") + (hasId ? "coordinates" : "an id") + " (the room starting at " +
                    m_json.Where(start) + ")");
    }
    if (!m_map.roomIndex.emplace(room->id, index).second)
        m_json.Fail("room id " + std::to_string(room->id) + " appears twice");
}

void CMudletParser::Coordinates(CMudletRoom& room)
{
    const std::string what = "the coordinates of a room";
    Expect(EKind::Array, what);
    m_json.BeginArray();
    std::int64_t xyz[3];
    int n = 0;
    while (m_json.NextElement()) {
        if (n == 3)
            m_json.Fail(what + " must be three whole numbers");
        // y is negated on the way in: its negation must fit as well.
        xyz[n] = Whole(what, n == 1 ? -kInt32Max : kInt32Min, n == 1 ? -kInt32Min : kInt32Max);
        ++n;
    }
    if (n != 3)
        m_json.Fail(what + " must be three whole numbers");
    room.x = xyz[0];
    room.y = xyz[1];
    room.z = xyz[2];
}

void CMudletParser::Exits(CMudletRoom& room, std::uint32_t roomIndex)
{
    Expect(EKind::Array, "the exits of a room");
    m_json.BeginArray();
    while (m_json.NextElement())
        Exit(roomIndex, room.firstExit);
    m_map.rooms[roomIndex].exitCount = static_cast<std::uint32_t>(m_map.exits.size()) - room.firstExit;
}

void CMudletParser::Exit(std::uint32_t roomIndex, std::uint32_t firstExit)
{
    Expect(EKind::Object, "an exit");
    m_json.BeginObject();
    std::string key, name;
    std::int64_t target = 0;
    bool hasName = false, hasTarget = false;
    while (m_json.NextMember(key)) {
        if (key == "name") {
            name = Text("the name of an exit");
            hasName = true;
        } else if (key == "exitId") {
            target = Whole("the exitId of an exit", kInt32Min, kInt32Max);
            hasTarget = true;
        } else if (!DroppedKey(key, {{"door", "doors"}, {"weight", "weights"}, {"locked", "locks"},
                                     {"customLine", "custom lines"}})) {
            Unknown(key);
        }
    }
    if (!hasName || !hasTarget)
        m_json.Fail(std::string("an exit without ") + (hasName ? "an exitId" : "a name"));
    const Direction dir = MudletExitDirection(name);
    if (dir == DIR_NONE) {
        m_report.NotCarried(name == "in" || name == "out" ? "in/out exits" : "special exits", 1,
                            name == "in" || name == "out" ? std::string() : name);
        return;
    }
    for (std::size_t i = firstExit; i < m_map.exits.size(); ++i)
        if (m_map.exits[i].dir == dir) {
            m_report.NotCarried("repeated exits", 1, name);
            return;
        }
    if (target < 1) {
        m_report.NotCarried("exits to rooms not in the file", 1, name);
        return;
    }
    m_map.exits.push_back({roomIndex, dir, target});
}

void CMudletParser::UserData(CMudletUserData* vormapper)
{
    Expect(EKind::Object, "userData");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        if (vormapper && key.rfind(mudlet_keys::kPrefix, 0) == 0 && m_json.Peek() == EKind::String) {
            vormapper->emplace_back(key, m_json.String());
            continue;
        }
        m_json.Skip();
        m_report.NotCarried("user data", 1, key);
    }
}

void CMudletParser::PlayersRoom()
{
    Expect(EKind::Object, "playersRoomId");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        const std::int64_t id = Whole("the player's room", kInt32Min, kInt32Max);
        if (m_map.playerRoom == 0)
            m_map.playerRoom = id;  // of several profiles, the first
    }
}
}  // namespace mudlet_parse

bool ParseMudletJson(const std::uint8_t* data, std::size_t size, CMudletMap& map, CFormatReport& report,
                     std::string& error)
{
    mudlet_parse::CMudletParser parser(data, size, map, report);
    try {
        parser.Map();
    } catch (const CJsonError& e) {
        error = parser.Json().Where(e.m_nOffset) + ": " + e.what();
        return false;
    }
    return true;
}
