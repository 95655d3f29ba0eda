#include "mapper/formats/mudlet_build.h"

#include <charconv>
#include <cstdlib>

#include "mapper/formats/mudlet_labels.h"
#include "mapper/formats/mudlet_links.h"
#include "mapper/formats/mudlet_planes.h"

namespace {
// Whitespace-separated numbers of a user data value, all of them or none.
template <class T>
bool ParseAll(const std::string* text, T* out, int n)
{
    if (!text)
        return false;
    const char* p = text->data();
    const char* end = p + text->size();
    for (int i = 0; i < n; ++i) {
        while (p < end && *p == ' ')
            ++p;
        const auto r = std::from_chars(p, end, out[i]);
        if (r.ec != std::errc())
            return false;
        p = r.ptr;
    }
    return p == end;
}

class CContentsBuilder {
public:
    CContentsBuilder(const CMudletMap& map, CMapContents& contents, CFormatReport& report)
        : m_map(map), m_contents(contents), m_report(report), m_planes(map)
    {
    }
    void Build();

private:
    std::string Text(const std::string& utf8)
    {
        return Utf8ToMapText(utf8, m_nReplaced);
    }
    CRoom Room(const CMudletRoom& r);
    void Header();
    void PlaneNames();

    const CMudletMap& m_map;
    CMapContents& m_contents;
    CFormatReport& m_report;
    CMudletPlanes m_planes;
    std::size_t m_nReplaced = 0;
};

CRoom CContentsBuilder::Room(const CMudletRoom& r)
{
    CRoom room;
    room.m_nId = static_cast<RoomId>(r.id);
    room.m_nX = static_cast<std::int32_t>(r.x);
    room.m_nY = static_cast<std::int32_t>(-r.y);
    m_planes.Find(r.area, r.z, room.m_nPlane);
    room.m_info.m_strTitle = Text(r.name);
    room.m_crColor = MudletEnvironmentColor(r.environment, m_map.environments);
    if (const std::string* comments = FindUserData(r.vormapper, mudlet_keys::kComments))
        room.m_info.m_strComments = Text(*comments);
    if (const std::string* recursive = FindUserData(r.vormapper, mudlet_keys::kRecursive))
        room.m_bRecursive = *recursive == "1";
    ColorRef color = 0;
    if (ParseAll(FindUserData(r.vormapper, mudlet_keys::kColor), &color, 1))
        room.m_crColor = color;
    return room;
}

void CContentsBuilder::Header()
{
    CMapFileHeader& h = m_contents.header;
    const auto player = m_map.roomIndex.find(m_map.playerRoom);
    if (player != m_map.roomIndex.end()) {
        h.currentRoom = static_cast<RoomId>(m_map.playerRoom);
        h.currentPlane = m_contents.rooms.Find(h.currentRoom)->m_nPlane;
    } else if (!m_map.rooms.empty()) {
        h.currentRoom = static_cast<RoomId>(m_map.rooms.front().id);
        h.currentPlane = m_contents.rooms.Find(h.currentRoom)->m_nPlane;
    }
    const CMudletUserData& data = m_map.vormapper;
    std::int32_t origin[2];
    double view[2];
    const std::string* viewText = FindUserData(data, mudlet_keys::kView);
    if (viewText) {
        const std::size_t split = viewText->find(' ', viewText->find(' ') + 1);
        if (split != std::string::npos) {
            const std::string head = viewText->substr(0, split), tail = viewText->substr(split + 1);
            if (ParseAll(&head, origin, 2) && ParseAll(&tail, view, 2)) {
                h.originX = origin[0];
                h.originY = origin[1];
                h.rotation = view[0];
                h.zoom = view[1];
            }
        }
    }
    std::uint32_t counters[2];
    if (ParseAll(FindUserData(data, mudlet_keys::kCounters), counters, 2)) {
        h.lastRoomId = counters[0];
        h.lastLinkId = counters[1];
    }
    ParseAll(FindUserData(data, mudlet_keys::kCurrentPlane), &h.currentPlane, 1);
}

void CContentsBuilder::PlaneNames()
{
    if (!FindUserData(m_map.vormapper, mudlet_keys::kView)) {
        m_planes.NameFromAreas(m_map, m_contents.planes);
        return;
    }
    // A map VorMapper wrote: its planes keep the names they had, and only those.
    const std::string prefix = mudlet_keys::kPlaneName;
    for (const auto& [key, value] : m_map.vormapper) {
        std::int32_t plane = 0;
        const std::string number = key.substr(std::min(key.size(), prefix.size()));
        if (key.rfind(prefix, 0) == 0 && ParseAll(&number, &plane, 1))
            m_contents.planes.Set(plane, Text(value));
    }
}

void CContentsBuilder::Build()
{
    std::vector<CRoom> rooms;
    rooms.reserve(m_map.rooms.size());
    for (const CMudletRoom& r : m_map.rooms)
        rooms.push_back(Room(r));
    BuildMudletLinks(m_map, rooms, m_contents.links, m_report);
    PlaceMudletLabels(m_map, m_planes, rooms, m_report);
    m_contents.rooms.reserve(rooms.size());
    for (CRoom& room : rooms) {
        const RoomId id = room.m_nId;
        m_contents.rooms.Set(id, std::move(room));
    }
    Header();
    PlaneNames();
    if (m_nReplaced)
        m_report.NotCarried("characters outside Latin-1 (written as ?)", m_nReplaced);
}
}  // namespace

void BuildMudletContents(const CMudletMap& map, CMapContents& contents, CFormatReport& report)
{
    CContentsBuilder(map, contents, report).Build();
}
