#include "mapper/formats/tintin_read.h"

#include <algorithm>
#include <unordered_map>

#include "mapper/formats/tintin_exits.h"
#include "mapper/formats/tintin_layout.h"
#include "mapper/formats/tintin_links.h"
#include "mapper/formats/tintin_text.h"
#include "mapper/model/document.h"

namespace {
// Counts what a room holds that the map has no place for.
void ReportRoomExtras(const CTintinRoom& r, CFormatReport& report)
{
    if (const std::uint32_t flags = r.flags & ~kTintinRoomVoid)
        report.NotCarried("room flags", 1, TintinFlagNames(flags, true));
    if (!TrimTintinField(r.symbol).empty())
        report.NotCarried("room symbols", 1, std::string(TrimTintinField(r.symbol)));
    if (!TrimTintinField(r.terrain).empty())
        report.NotCarried("room terrains", 1, std::string(TrimTintinField(r.terrain)));
    if (!TrimTintinField(r.data).empty())
        report.NotCarried("room data", 1);
    if (!TintinNumberIs(r.weight, 1.0, true))
        report.NotCarried("room weights", 1, std::string(TrimTintinField(r.weight)));
    if (!TrimTintinField(r.id).empty())
        report.NotCarried("room id texts", 1, std::string(TrimTintinField(r.id)));
}

// The areas of the rooms of each plane; a plane is named after the area
// most of its rooms are in (the first met of equals).
class CPlaneAreas {
public:
    void Add(std::int32_t plane, std::string_view area)
    {
        area = TrimTintinField(area);
        if (area.empty())
            return;
        auto& counts = m_planes[plane];
        auto [it, fresh] = counts.try_emplace(area);
        if (fresh)
            it->second.firstSeen = static_cast<std::uint32_t>(counts.size());
        ++it->second.rooms;
    }

    void NamePlanes(CPlaneNameMap& names, CFormatReport& report) const
    {
        std::vector<std::int32_t> planes;
        for (const auto& entry : m_planes)
            planes.push_back(entry.first);
        std::sort(planes.begin(), planes.end());
        std::uint64_t others = 0;
        std::string_view example;
        for (std::int32_t plane : planes) {
            const auto& counts = m_planes.at(plane);
            const std::pair<const std::string_view, CCount>* best = nullptr;
            for (const auto& entry : counts)
                if (!best || entry.second.rooms > best->second.rooms ||
                    (entry.second.rooms == best->second.rooms && entry.second.firstSeen < best->second.firstSeen))
                    best = &entry;
            for (const auto& entry : counts)
                if (&entry != best) {
                    others += entry.second.rooms;
                    if (example.empty() || entry.first < example)
                        example = entry.first;
                }
            names.Set(plane, MapTextFromTintinField(best->first));
        }
        if (others)
            report.NotCarried("room areas other than their plane's name", others, MapTextFromTintinField(example));
    }

private:
    struct CCount {
        std::uint64_t rooms = 0;
        std::uint32_t firstSeen = 0;
    };
    std::unordered_map<std::int32_t, std::unordered_map<std::string_view, CCount>> m_planes;
};

// The real room the walk starts from: the I room, else the first.
std::uint32_t StartRoom(const CTintinIndex& index)
{
    const std::uint32_t last = index.RoomOfVnum(index.File().lastRoomVnum);
    return last != CTintinIndex::kNone && index.RealNumber(last) != CTintinIndex::kNone ? index.RealNumber(last) : 0;
}

std::vector<CCellKey> LayOut(const CTintinIndex& index, const std::vector<CTintinWay>& ways)
{
    std::vector<CLayoutStep> steps;
    steps.reserve(ways.size());
    for (const CTintinWay& w : ways)
        steps.push_back({index.RealNumber(w.from), index.RealNumber(w.to), w.dx, w.dy, w.dplane, w.dir, w.last});
    return LayOutRooms(index.RealCount(), steps, StartRoom(index));
}

void FillRooms(const CTintinIndex& index, const std::vector<CCellKey>& cells, const std::vector<CTintinSlots>& slots,
               CMapContents& contents, CFormatReport& report)
{
    const CTintinFile& file = index.File();
    const std::uint32_t start = StartRoom(index);
    CPlaneAreas areas;
    bool lossy = false;
    contents.rooms.reserve(index.RealCount());
    for (std::uint32_t i = 0; i < file.rooms.size(); ++i) {
        const std::uint32_t n = index.RealNumber(i);
        if (n == CTintinIndex::kNone)
            continue;
        const CTintinRoom& r = file.rooms[i];
        CRoom room;
        room.m_nId = r.vnum;
        room.m_nX = cells[n].x;
        room.m_nY = cells[n].y;
        room.m_nPlane = cells[n].plane;
        room.m_links = slots[n];
        room.m_info.m_strTitle = MapTextFromTintinField(r.name, &lossy);
        std::string comments = MapTextFromTintinField(r.note, &lossy);
        if (!TrimTintinField(r.desc).empty())
            comments += (comments.empty() ? "" : "\r\n") + MapTextFromTintinField(r.desc, &lossy);
        room.m_info.m_strComments = comments;
        if (!TrimTintinField(r.color).empty() && !ParseTintinColor(r.color, room.m_crColor))
            report.NotCarried("room colours not understood", 1, std::string(TrimTintinField(r.color)));
        ReportRoomExtras(r, report);
        areas.Add(room.m_nPlane, r.area);
        if (n == start) {
            contents.header.currentRoom = r.vnum;
            contents.header.currentPlane = room.m_nPlane;
        }
        contents.header.lastRoomId = std::max(contents.header.lastRoomId, r.vnum);
        contents.rooms.Set(r.vnum, std::move(room));
    }
    if (lossy)
        report.NotCarried("texts with characters beyond Latin-1 (read as ?)", 1);
    areas.NamePlanes(contents.planes, report);
}
}  // namespace

bool ReadTintinMap(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport& report,
                   std::string& error)
{
    CTintinFile file;
    if (!ParseTintinFile(data, size, file, report, error))
        return false;
    const CTintinIndex index(file, report);
    if (index.RealCount() == 0) {
        error = "the map holds no rooms but void rooms";
        return false;
    }
    const std::vector<CTintinWay> ways = ResolveTintinExits(index, report);
    std::vector<CTintinSlots> slots;
    std::vector<CLink> links = PairTintinWays(index, ways, slots, report);
    const std::vector<CCellKey> cells = LayOut(index, ways);

    CMapContents contents;
    FillRooms(index, cells, slots, contents, report);
    contents.links.reserve(links.size());
    for (CLink& link : links)
        contents.links.Set(link.m_nId, std::move(link));
    contents.header.lastLinkId = static_cast<std::uint32_t>(links.size());
    doc.ReplaceMap(std::move(contents));
    return true;
}
