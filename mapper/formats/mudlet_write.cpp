#include "mapper/formats/mudlet_write.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "mapper/formats/base64.h"
#include "mapper/formats/json_writer.h"
#include "mapper/formats/label_image.h"
#include "mapper/formats/mudlet_labels.h"
#include "mapper/formats/mudlet_links.h"
#include "mapper/formats/mudlet_map.h"
#include "mapper/model/document.h"
#include "mapper/model/map_units.h"

namespace {
constexpr RoomId kLargestMudletId = 2147483647;
// Mudlet's order of exits.
constexpr Direction kExitOrder[] = {DIR_N, DIR_NE, DIR_NW, DIR_E, DIR_W, DIR_S, DIR_SE, DIR_SW, DIR_U, DIR_D};

bool PlainRgb(ColorRef c) { return (c >> 24) == 0; }

std::string Number(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A colour's member: "color24RGB": [r, g, b], or with `alpha` "color32RGBA".
void Components(CJsonWriter& json, ColorRef c, int alpha = -1)
{
    json.Key(alpha < 0 ? "color24RGB" : "color32RGBA");
    json.BeginArray();
    json.Int(c & 0xFF);
    json.Int((c >> 8) & 0xFF);
    json.Int((c >> 16) & 0xFF);
    if (alpha >= 0)
        json.Int(alpha);
    json.EndArray();
}

void Colour(CJsonWriter& json, ColorRef c, bool transparent)
{
    json.BeginObject();
    Components(json, c, transparent ? 0 : 255);
    json.EndObject();
}

void UserData(CJsonWriter& json, CMudletUserData& data)
{
    std::sort(data.begin(), data.end());
    json.Key("userData");
    json.BeginObject();
    for (const auto& [key, value] : data) {
        json.Key(key);
        json.String(value);
    }
    json.EndObject();
}

class CMudletWriter {
public:
    CMudletWriter(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report)
        : m_doc(doc), m_json(bytes), m_report(report)
    {
    }
    void Write();

private:
    bool Written(RoomId id) const { return id <= kLargestMudletId && m_doc.GetRooms().Find(id); }
    std::int64_t Environment(ColorRef c);
    void Room(const CRoom& room);
    void Exits(const CRoom& room, CMudletUserData& data);
    void Labels();
    void Areas();
    void MapUserData();

    const CVorMapperDoc& m_doc;
    CJsonWriter m_json;
    CFormatReport& m_report;
    std::vector<const CRoom*> m_rooms;  // the rooms written, by id
    std::unordered_map<ColorRef, std::int64_t> m_environments;
    std::vector<ColorRef> m_colours;  // by environment, from kFirstEnvironment
    std::size_t m_nLabels = 0;
};

std::int64_t CMudletWriter::Environment(ColorRef c)
{
    if (c == kColorNone)
        return -1;
    const ColorRef rgb = c & 0xFFFFFF;
    const auto [it, added] = m_environments.emplace(rgb, kFirstEnvironment + std::int64_t(m_colours.size()));
    if (added)
        m_colours.push_back(rgb);
    return it->second;
}

void CMudletWriter::Exits(const CRoom& room, CMudletUserData& data)
{
    m_json.Key("exits");
    m_json.BeginArray();
    for (Direction dir : kExitOrder) {
        const LinkId id = room.m_links[dir];
        if (id == 0)
            continue;
        const CLink* link = m_doc.GetLinks().Find(id);
        const bool names = link && ((link->m_nFromRoom == room.m_nId && link->m_nFromDir == dir) ||
                                    (link->m_nToRoom == room.m_nId && link->m_nToDir == dir));
        if (!names) {
            m_report.NotCarried("exits naming a link of other rooms", 1, std::to_string(room.m_nId));
            continue;
        }
        const bool first = link->m_nFromRoom == room.m_nId && link->m_nFromDir == dir;
        const RoomId target = first ? link->m_nToRoom : link->m_nFromRoom;
        if (!Written(target)) {
            m_report.NotCarried("exits to rooms not written", 1, std::to_string(target));
            continue;
        }
        m_json.BeginObject();
        m_json.Key("exitId");
        m_json.Int(target);
        m_json.Key("name");
        m_json.String(MudletExitName(dir));
        m_json.EndObject();
        std::string note = MudletExitNote(m_doc, room, dir, *link);
        if (!note.empty())
            data.emplace_back(mudlet_keys::kExit + std::string(MudletExitName(dir)), std::move(note));
    }
    m_json.EndArray();
}

void CMudletWriter::Room(const CRoom& room)
{
    const CRoomInfo& info = room.m_info;
    CMudletUserData data;
    m_json.BeginObject();
    m_json.Key("coordinates");
    m_json.BeginArray();
    m_json.Int(room.m_nX);
    m_json.Int(-std::int64_t{room.m_nY});
    m_json.Int(room.m_nPlane);
    m_json.EndArray();
    m_json.Key("environment");
    m_json.Int(Environment(room.m_crColor));
    if (room.m_crColor != kColorNone && !PlainRgb(room.m_crColor))
        data.emplace_back(mudlet_keys::kColor, std::to_string(room.m_crColor));
    Exits(room, data);
    m_json.Key("id");
    m_json.Int(room.m_nId);
    if (!info.m_strTitle.empty()) {
        m_json.Key("name");
        m_json.String(MapTextToUtf8(info.m_strTitle));
    }
    if (!info.m_strComments.empty())
        data.emplace_back(mudlet_keys::kComments, MapTextToUtf8(info.m_strComments));
    if (room.m_bRecursive)
        data.emplace_back(mudlet_keys::kRecursive, "1");
    const bool defaultColours = info.m_crLabelText == 0 && info.m_crLabelBack == kColorNone;
    if (!info.m_strLabel.empty()) {
        data.emplace_back(mudlet_keys::kLabel, std::to_string(room.m_nId));
    } else if (!(info.m_ptLabel == CPoint{}) || !defaultColours) {
        data.emplace_back(mudlet_keys::kLabelPoint,
                          std::to_string(info.m_ptLabel.x) + " " + std::to_string(info.m_ptLabel.y));
    }
    const bool mudletColours = PlainRgb(info.m_crLabelText) && (info.m_crLabelBack == kColorNone || PlainRgb(info.m_crLabelBack));
    if ((info.m_strLabel.empty() && !defaultColours) || !mudletColours)
        data.emplace_back(mudlet_keys::kLabelColors,
                          std::to_string(info.m_crLabelText) + " " + std::to_string(info.m_crLabelBack));
    if (!data.empty())
        UserData(m_json, data);
    m_json.EndObject();
}

void CMudletWriter::Labels()
{
    m_json.Key("labels");
    m_json.BeginArray();
    for (const CRoom* room : m_rooms) {
        const CRoomInfo& info = room->m_info;
        if (info.m_strLabel.empty())
            continue;
        const CLabelImage image = RenderLabelImage(info.m_strLabel, info.m_crLabelText, info.m_crLabelBack);
        m_json.BeginObject();
        m_json.Key("colors");
        m_json.BeginArray();
        Colour(m_json, info.m_crLabelText, false);
        Colour(m_json, info.m_crLabelBack, info.m_crLabelBack == kColorNone);
        m_json.EndArray();
        m_json.Key("coordinates");
        m_json.BeginArray();
        m_json.Double(MudletLabelX(info.m_ptLabel.x));
        m_json.Double(MudletLabelY(info.m_ptLabel.y));
        m_json.Int(room->m_nPlane);
        m_json.EndArray();
        m_json.Key("id");
        m_json.Int(room->m_nId);
        m_json.Key("image");
        m_json.BeginArray();
        const std::string base64 = Base64(image.png);
        for (std::size_t at = 0; at < base64.size(); at += 64)
            m_json.String(std::string_view(base64).substr(at, 64));
        m_json.EndArray();
        m_json.Key("scaledels");
        m_json.Bool(false);
        m_json.Key("showOnTop");
        m_json.Bool(true);
        m_json.Key("size");
        m_json.BeginArray();
        m_json.Double(image.width / double(kCellPitch));
        m_json.Double(image.height / double(kCellPitch));
        m_json.EndArray();
        m_json.Key("text");
        m_json.String(MapTextToUtf8(info.m_strLabel));
        m_json.EndObject();
    }
    m_json.EndArray();
}

void CMudletWriter::Areas()
{
    m_json.Key("areas");
    m_json.BeginArray();
    // Mudlet's own area for rooms of none, always there.
    m_json.BeginObject();
    m_json.Key("id");
    m_json.Int(-1);
    m_json.Key("name");
    m_json.String("Default Area");
    m_json.Key("roomCount");
    m_json.Int(0);
    m_json.Key("rooms");
    m_json.BeginArray();
    m_json.EndArray();
    m_json.Key("userData");
    m_json.BeginObject();
    m_json.EndObject();
    m_json.EndObject();

    m_json.BeginObject();
    m_json.Key("id");
    m_json.Int(kVorMapperArea);
    if (m_nLabels)
        Labels();
    m_json.Key("name");
    m_json.String("VorMapper map");
    m_json.Key("roomCount");
    m_json.Int(static_cast<std::int64_t>(m_rooms.size()));
    m_json.Key("rooms");
    m_json.BeginArray();
    for (const CRoom* room : m_rooms)
        Room(*room);
    m_json.EndArray();
    m_json.Key("userData");
    m_json.BeginObject();
    m_json.EndObject();
    m_json.EndObject();
    m_json.EndArray();
}

void CMudletWriter::MapUserData()
{
    CMudletUserData data;
    data.emplace_back(mudlet_keys::kView, std::to_string(m_doc.m_nOriginX) + " " + std::to_string(m_doc.m_nOriginY) +
                                              " " + Number(m_doc.m_dRotation) + " " + Number(m_doc.m_dZoom));
    data.emplace_back(mudlet_keys::kCounters,
                      std::to_string(m_doc.GetLastRoomId()) + " " + std::to_string(m_doc.GetLastLinkId()));
    data.emplace_back(mudlet_keys::kCurrentPlane, std::to_string(m_doc.m_nCurrentPlane));
    const CPlaneNameMap& names = m_doc.GetPlaneNames();
    for (auto it = names.begin(); it != names.end(); ++it)
        data.emplace_back(mudlet_keys::kPlaneName + std::to_string(it.key()), MapTextToUtf8(it.value()));
    UserData(m_json, data);
}

void CMudletWriter::Write()
{
    const CRoomMap& rooms = m_doc.GetRooms();
    m_rooms.reserve(rooms.size());
    std::size_t tooLarge = 0;
    for (auto it = rooms.begin(); it != rooms.end(); ++it)
        if (it.key() >= 1 && it.key() <= kLargestMudletId)
            m_rooms.push_back(&it.value());
        else
            ++tooLarge;
    if (tooLarge)
        m_report.NotCarried("rooms with ids outside 1 to 2147483647", tooLarge);
    std::sort(m_rooms.begin(), m_rooms.end(), [](const CRoom* a, const CRoom* b) { return a->m_nId < b->m_nId; });
    for (const CRoom* room : m_rooms)
        if (!room->m_info.m_strLabel.empty())
            ++m_nLabels;

    m_json.BeginObject();
    m_json.Key("anonymousAreaName");
    m_json.String("Unnamed Area");
    m_json.Key("areaCount");
    m_json.Int(2);
    Areas();
    m_json.Key("customEnvColors");
    m_json.BeginArray();
    for (std::size_t i = 0; i < m_colours.size(); ++i) {
        const ColorRef c = m_colours[i];
        m_json.BeginObject();
        Components(m_json, c);
        m_json.Key("id");
        m_json.Int(kFirstEnvironment + std::int64_t(i));
        m_json.EndObject();
    }
    m_json.EndArray();
    m_json.Key("defaultAreaName");
    m_json.String("Default Area");
    m_json.Key("formatVersion");
    m_json.Int(1);
    m_json.Key("labelCount");
    m_json.Int(static_cast<std::int64_t>(m_nLabels));
    m_json.Key("mapSymbolFontDetails");
    m_json.String("Bitstream Vera Sans Mono,12,-1,5,50,0,0,0,0,0");
    m_json.Key("mapSymbolFontFudgeFactor");
    m_json.Int(1);
    m_json.Key("onlyMapSymbolFontToBeUsed");
    m_json.Bool(false);
    m_json.Key("playerRoomColors");
    m_json.BeginArray();
    Colour(m_json, 0x0000FF, false);
    Colour(m_json, 0xFFFFFF, false);
    m_json.EndArray();
    m_json.Key("playerRoomInnerDiameterPercentage");
    m_json.Int(70);
    m_json.Key("playerRoomOuterDiameterPercentage");
    m_json.Int(120);
    m_json.Key("playerRoomStyle");
    m_json.Int(0);
    m_json.Key("playersRoomId");
    m_json.BeginObject();
    if (Written(m_doc.m_nCurrentRoom)) {
        m_json.Key("VorMapper");
        m_json.Int(m_doc.m_nCurrentRoom);
    }
    m_json.EndObject();
    m_json.Key("roomCount");
    m_json.Int(static_cast<std::int64_t>(m_rooms.size()));
    MapUserData();
    m_json.EndObject();
}
}  // namespace

void WriteMudletJson(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report)
{
    bytes.clear();
    CMudletWriter(doc, bytes, report).Write();
    bytes.push_back('\n');
}
