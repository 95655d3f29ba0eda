// The map file layout: header, plane names, rooms, links.
#include <algorithm>
#include <string>

#include "mapper/model/archive.h"
#include "mapper/model/document.h"
#include "mapper/model/map_layout.h"

namespace {
// Smallest records: three empty strings, or one empty title.
constexpr std::size_t kMinPlaneName = 4 + 1;
constexpr std::size_t kMinRoomV2 = 6 * 4 + 3 + 4 * 4 + 10 * 4;
constexpr std::size_t kMinRoomV1 = 4 * 4 + 1 + 10 * 4;
constexpr std::size_t kMinLink = 5 * 4;

std::string Nth(const char* what, std::uint32_t index) { return std::string(what) + " " + std::to_string(index + 1); }
}  // namespace

void CVorMapperDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        Store(ar);
    else
        Load(ar);
}

void CVorMapperDoc::Store(CArchive& ar) const
{
    WriteMapHeader(ar, {m_nOriginX, m_nOriginY, m_dRotation, m_dZoom, m_nCurrentPlane, m_nCurrentRoom, m_nLastRoomId,
                        m_nLastLinkId});
    ar.WriteU32(static_cast<std::uint32_t>(m_planeNames.size()));
    for (auto it = m_planeNames.begin(); it != m_planeNames.end(); ++it)
        WritePlaneNameRecord(ar, it.key(), it.value());

    ar.WriteU32(static_cast<std::uint32_t>(m_roomMap.size()));
    for (auto it = m_roomMap.begin(); it != m_roomMap.end(); ++it) {
        const CRoom& r = it.value();
        const CRoomInfo& info = r.m_info;
        WriteRoomRecord(ar, {it.key(), r.m_nX, r.m_nY, r.m_nPlane, r.m_bRecursive, r.m_crColor, info.m_strTitle,
                             info.m_strComments, info.m_strLabel, info.m_ptLabel, info.m_crLabelText,
                             info.m_crLabelBack, r.m_links});
    }

    ar.WriteU32(static_cast<std::uint32_t>(m_linkMap.size()));
    for (auto it = m_linkMap.begin(); it != m_linkMap.end(); ++it) {
        const CLink& l = it.value();
        WriteLinkRecord(ar, it.key(), l.m_nFromRoom, l.m_nToRoom, l.m_nFromDir, l.m_nToDir);
    }
}

void CVorMapperDoc::Load(CArchive& ar)
{
    UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
    // Everything is read into fresh containers first, so that a file that
    // fails half-way never leaves a half-read map behind.
    CMapContents map;
    CMapFileHeader& h = map.header;
    CPlaneNameMap& planes = map.planes;
    CRoomMap& rooms = map.rooms;
    CLinkMap& links = map.links;
    std::uint32_t version;
    try {
        ar.SetContext("the schema tag");
        if (ar.ReadString() != kMapSchemaTag)
            throw CArchiveException(CArchiveException::badSchema, "bad tag: not a VorMapper map");
        ar.SetContext("the header");
        version = ar.ReadU32();
        if (version != 1 && version != 2)
            throw CArchiveException(CArchiveException::badSchema, "unsupported version " + std::to_string(version));
        h.originX = ar.ReadI32();
        h.originY = ar.ReadI32();
        h.rotation = ar.ReadF64();
        h.zoom = ar.ReadF64();
        h.currentPlane = ar.ReadI32();
        h.currentRoom = ar.ReadU32();
        h.lastRoomId = ar.ReadU32();
        h.lastLinkId = ar.ReadU32();

        ar.SetContext("the plane name count");
        const std::uint32_t planeCount = ar.ReadU32();
        ar.RequireRecords(planeCount, kMinPlaneName, "plane name record");
        for (std::uint32_t i = 0; i < planeCount; ++i) {
            ar.SetContext(Nth("plane name record", i));
            const std::int32_t key = ar.ReadI32();
            planes.Set(key, ar.ReadString());
        }

        ar.SetContext("the room count");
        const std::uint32_t roomCount = ar.ReadU32();
        ar.RequireRecords(roomCount, version == 2 ? kMinRoomV2 : kMinRoomV1, "room record");
        rooms.reserve(roomCount);
        for (std::uint32_t i = 0; i < roomCount; ++i) {
            ar.SetContext(Nth("room record", i));
            CRoom room;
            const RoomId id = ar.ReadU32();
            room.m_nX = ar.ReadI32();
            room.m_nY = ar.ReadI32();
            room.m_nPlane = ar.ReadI32();
            if (version == 2) {
                room.m_bRecursive = ar.ReadU32() != 0;
                room.m_crColor = ar.ReadU32();
                room.m_info.m_strTitle = ar.ReadString();
                room.m_info.m_strComments = ar.ReadString();
                room.m_info.m_strLabel = ar.ReadString();
                room.m_info.m_ptLabel.x = ar.ReadI32();
                room.m_info.m_ptLabel.y = ar.ReadI32();
                room.m_info.m_crLabelText = ar.ReadU32();
                room.m_info.m_crLabelBack = ar.ReadU32();
            } else {
                room.m_info.m_strTitle = ar.ReadString();
            }
            for (LinkId& link : room.m_links)
                link = ar.ReadU32();
            room.m_nId = id;
            rooms.Set(id, std::move(room));
        }

        ar.SetContext("the link count");
        const std::uint32_t linkCount = ar.ReadU32();
        ar.RequireRecords(linkCount, kMinLink, "link record");
        links.reserve(linkCount);
        for (std::uint32_t i = 0; i < linkCount; ++i) {
            ar.SetContext(Nth("link record", i));
            CLink link;
            const LinkId id = ar.ReadU32();
            link.m_nFromRoom = ar.ReadU32();
            link.m_nToRoom = ar.ReadU32();
            link.m_nFromDir = ar.ReadI32();
            link.m_nToDir = ar.ReadI32();
            link.m_nId = id;
            links.Set(id, link);
        }
    } catch (const CArchiveException&) {
        OnNewDocument();
        throw;
    }

    ReplaceMap(std::move(map));
    m_nFileVersion = version;
}

void CVorMapperDoc::ReplaceMap(CMapContents map)
{
    const CMapFileHeader& h = map.header;
    ClearMap();
    m_nOriginX = h.originX;
    m_nOriginY = h.originY;
    m_dRotation = h.rotation;
    m_dZoom = h.zoom;
    m_nCurrentPlane = h.currentPlane;
    m_nCurrentRoom = h.currentRoom;
    m_nLastRoomId = h.lastRoomId;
    m_nLastLinkId = h.lastLinkId;
    m_planeNames = std::move(map.planes);
    m_roomMap = std::move(map.rooms);
    m_linkMap = std::move(map.links);
    m_nFileVersion = kMapVersionWritten;
    m_nStoredCurrentRoom = h.currentRoom;
    RebuildCellIndex();
    RaiseCountersToIds();
    if (!m_roomMap.Find(m_nCurrentRoom) && !m_roomMap.empty())
        m_nCurrentRoom = m_roomMap.begin().key();
    NotifyMapReplaced();
    SetModifiedFlag(false);
}

// The rest of the program relies on no id exceeding its counter (a later
// AddRoom or AddLink would otherwise overwrite a stored record).
void CVorMapperDoc::RaiseCountersToIds()
{
    for (auto it = m_roomMap.begin(); it != m_roomMap.end(); ++it)
        m_nLastRoomId = std::max(m_nLastRoomId, it.key());
    for (auto it = m_linkMap.begin(); it != m_linkMap.end(); ++it)
        m_nLastLinkId = std::max(m_nLastLinkId, it.key());
}
