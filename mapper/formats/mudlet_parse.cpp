#include "mapper/formats/mudlet_parse.h"

#include <charconv>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <utility>

#include "mapper/formats/json_reader.h"

namespace {
using EKind = CJsonReader::EKind;
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Report kinds, as the user reads them after "not carried: 12 ".
constexpr const char* kInOut = "in/out exits";
constexpr const char* kSpecial = "special exits";

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

class CMudletParser {
public:
    CMudletParser(const std::uint8_t* data, std::size_t size, CMudletMap& map, CFormatReport& report)
        : m_json(reinterpret_cast<const char*>(data), size), m_map(map), m_report(report)
    {
    }
    void Map();
    const CJsonReader& Json() const { return m_json; }

private:
    void Expect(EKind kind, const std::string& what)
    {
        if (m_json.Peek() != kind)
            m_json.Fail(what + " must be " + CJsonReader::KindName(kind));
    }
    std::int64_t Whole(const std::string& what, std::int64_t lo, std::int64_t hi)
    {
        Expect(EKind::Number, what);
        std::int64_t v = 0;
        if (!m_json.Number().Whole(lo, hi, v))
            m_json.Fail(what + " must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
        return v;
    }
    double Real(const std::string& what)
    {
        Expect(EKind::Number, what);
        const double v = m_json.Number().dValue;
        if (v != v || v > 1e15 || v < -1e15)
            m_json.Fail(what + " is out of range");
        return v;
    }
    std::string Text(const std::string& what)
    {
        Expect(EKind::String, what);
        return m_json.String();
    }
    void Count(const std::string& what) { Whole(what, 0, kInt32Max); }
    void Unknown(const std::string& key)
    {
        m_report.NotCarried("unknown keys", 1, key);
        m_json.Skip();
    }
    // Skips a value, counting it as `kind` when it is not null or false.
    void Dropped(const char* kind)
    {
        const EKind k = m_json.Peek();
        if (k == EKind::Null) {
            m_json.Null();
            return;
        }
        if (k == EKind::Bool && !m_json.Bool())
            return;
        if (k != EKind::Bool)
            m_json.Skip();
        m_report.NotCarried(kind);
    }

    // Drops the value of a key that names a kind VorMapper has no place for.
    bool DroppedKey(const std::string& key, std::initializer_list<std::pair<const char*, const char*>> kinds)
    {
        for (const auto& [name, kind] : kinds)
            if (key == name) {
                Dropped(kind);
                return true;
            }
        return false;
    }

    void Areas();
    void Area(std::uint32_t index);
    void Room(std::uint32_t area);
    void Coordinates(CMudletRoom& room);
    void Exits(CMudletRoom& room, std::uint32_t roomIndex);
    void Exit(std::uint32_t roomIndex, std::uint32_t firstExit);
    void Labels(std::uint32_t area);
    void Label(std::uint32_t area);
    ColorRef Colour(const std::string& what, bool& transparent);
    // Reads the components of a colour member named `key`; false for another key.
    bool Components(const std::string& key, const std::string& what, unsigned rgba[4]);
    void UserData(CMudletUserData* vormapper);
    void EnvColors();
    void EnvMapping();
    void PlayersRoom();

    CJsonReader m_json;
    CMudletMap& m_map;
    CFormatReport& m_report;
    bool m_bVersion = false;
    bool m_bAreas = false;
};

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
        m_report.NotCarried(name == "in" || name == "out" ? kInOut : kSpecial, 1,
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

void CMudletParser::Labels(std::uint32_t area)
{
    Expect(EKind::Array, "the labels of an area");
    m_json.BeginArray();
    while (m_json.NextElement())
        Label(area);
}

void CMudletParser::Label(std::uint32_t area)
{
    Expect(EKind::Object, "a label");
    m_json.BeginObject();
    CMudletLabel label;
    label.area = area;
    bool hasCoordinates = false;
    std::string key;
    while (m_json.NextMember(key)) {
        if (key == "id") {
            label.id = Whole("the id of a label", kInt32Min, kInt32Max);
        } else if (key == "coordinates") {
            Expect(EKind::Array, "the coordinates of a label");
            m_json.BeginArray();
            int n = 0;
            while (m_json.NextElement()) {
                if (n == 0)
                    label.x = Real("the coordinates of a label");
                else if (n == 1)
                    label.y = Real("the coordinates of a label");
                else if (n == 2)
                    label.z = Whole("the level of a label", kInt32Min, kInt32Max);
                else
                    m_json.Fail("the coordinates of a label must be three numbers");
                ++n;
            }
            if (n != 3)
                m_json.Fail("the coordinates of a label must be three numbers");
            hasCoordinates = true;
        } else if (key == "size") {
            Expect(EKind::Array, "the size of a label");
            m_json.BeginArray();
            int n = 0;
            while (m_json.NextElement()) {
                if (n > 1)
                    m_json.Fail("the size of a label must be two numbers");
                (n++ == 0 ? label.width : label.height) = Real("the size of a label");
            }
        } else if (key == "text") {
            label.text = Text("the text of a label");
        } else if (key == "colors") {
            Expect(EKind::Array, "the colors of a label");
            m_json.BeginArray();
            int n = 0;
            while (m_json.NextElement()) {
                bool transparent = false;
                const ColorRef c = Colour("a label colour", transparent);
                if (n == 0)
                    label.fg = c;
                else if (n == 1)
                    label.bg = transparent ? kColorNone : c;
                ++n;
            }
        } else if (key == "image" || key == "showOnTop" || key == "scaledels") {
            m_json.Skip();  // the picture Mudlet draws, and how: the text is the label here
        } else {
            Unknown(key);
        }
    }
    if (!hasCoordinates)
        m_json.Fail("a label without coordinates");
    if (label.text.empty())
        m_report.NotCarried("image-only labels");
    else
        m_map.labels.push_back(std::move(label));
}

bool CMudletParser::Components(const std::string& key, const std::string& what, unsigned rgba[4])
{
    const int n = key == "color24RGB" ? 3 : key == "color32RGBA" ? 4 : 0;
    if (n == 0)
        return false;
    Expect(EKind::Array, what);
    m_json.BeginArray();
    rgba[3] = 255;
    int i = 0;
    while (m_json.NextElement()) {
        if (i == n)
            m_json.Fail(what + " must have " + std::to_string(n) + " components");
        rgba[i++] = static_cast<unsigned>(Whole(what, 0, 255));
    }
    if (i != n)
        m_json.Fail(what + " must have " + std::to_string(n) + " components");
    return true;
}

ColorRef CMudletParser::Colour(const std::string& what, bool& transparent)
{
    Expect(EKind::Object, what);
    m_json.BeginObject();
    std::string key;
    unsigned rgba[4] = {0, 0, 0, 255};
    bool found = false;
    while (m_json.NextMember(key)) {
        if (Components(key, what, rgba))
            found = true;
        else
            Unknown(key);
    }
    if (!found)
        m_json.Fail(what + " without color24RGB or color32RGBA");
    transparent = rgba[3] == 0;
    return Rgb(rgba[0], rgba[1], rgba[2]);
}

void CMudletParser::UserData(CMudletUserData* vormapper)
{
    Expect(EKind::Object, "userData");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        if (vormapper && StartsWith(key, mudlet_keys::kPrefix) && m_json.Peek() == EKind::String) {
            vormapper->emplace_back(key, m_json.String());
            continue;
        }
        m_json.Skip();
        m_report.NotCarried("user data", 1, key);
    }
}

void CMudletParser::EnvColors()
{
    Expect(EKind::Array, "customEnvColors");
    m_json.BeginArray();
    while (m_json.NextElement()) {
        Expect(EKind::Object, "a custom environment colour");
        m_json.BeginObject();
        std::string key;
        std::int64_t id = 0;
        bool hasId = false, hasColour = false;
        unsigned rgba[4] = {0, 0, 0, 255};
        while (m_json.NextMember(key)) {
            if (key == "id") {
                id = Whole("the id of an environment", kInt32Min, kInt32Max);
                hasId = true;
            } else if (Components(key, "an environment colour", rgba)) {
                hasColour = true;
            } else {
                Unknown(key);
            }
        }
        if (!hasId || !hasColour)
            m_json.Fail("a custom environment colour needs an id and a colour");
        m_map.environments.custom[id] = Rgb(rgba[0], rgba[1], rgba[2]);
    }
}

void CMudletParser::EnvMapping()
{
    Expect(EKind::Object, "envToColorMapping");
    m_json.BeginObject();
    std::string key;
    while (m_json.NextMember(key)) {
        const std::int64_t to = Whole("an environment's colour index", kInt32Min, kInt32Max);
        char* end = nullptr;
        const long long from = std::strtoll(key.c_str(), &end, 10);
        if (key.empty() || *end != '\0')
            m_json.Fail("envToColorMapping has the key \"" + key + "\", which is not an environment number");
        m_map.environments.mapping[from] = to;
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
}  // namespace

bool ParseMudletJson(const std::uint8_t* data, std::size_t size, CMudletMap& map, CFormatReport& report,
                     std::string& error)
{
    CMudletParser parser(data, size, map, report);
    try {
        parser.Map();
    } catch (const CJsonError& e) {
        error = parser.Json().Where(e.m_nOffset) + ": " + e.what();
        return false;
    }
    return true;
}
