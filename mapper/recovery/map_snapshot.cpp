#include "mapper/recovery/map_snapshot.h"

#include <cstring>

#include "mapper/model/archive.h"
#include "mapper/model/document.h"
#include "mapper/model/map_layout.h"

namespace {
CMapSnapshot::Text Pack(std::vector<char>& text, std::string_view s)
{
    CMapSnapshot::Text t{static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(s.size())};
    text.insert(text.end(), s.begin(), s.end());
    return t;
}
}  // namespace

void TakeMapSnapshot(const CVorMapperDoc& doc, CMapSnapshot& s)
{
    s.originX = doc.m_nOriginX;
    s.originY = doc.m_nOriginY;
    s.rotation = doc.m_dRotation;
    s.zoom = doc.m_dZoom;
    s.currentPlane = doc.m_nCurrentPlane;
    s.currentRoom = doc.m_nCurrentRoom;
    s.lastRoomId = doc.GetLastRoomId();
    s.lastLinkId = doc.GetLastLinkId();
    s.planes.clear();
    s.rooms.clear();
    s.links.clear();
    s.text.clear();
    s.rooms.reserve(doc.GetRooms().size());
    s.links.reserve(doc.GetLinks().size());
    s.text.reserve(doc.GetRooms().size() * 32);

    for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
        s.planes.push_back({it.key(), Pack(s.text, it.value())});
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it) {
        const CRoom& r = it.value();
        CMapSnapshot::Room& out = s.rooms.emplace_back();
        out.id = it.key();
        out.x = r.m_nX;
        out.y = r.m_nY;
        out.plane = r.m_nPlane;
        out.recursive = r.m_bRecursive;
        out.color = r.m_crColor;
        out.title = Pack(s.text, r.m_info.m_strTitle.view());
        out.comments = Pack(s.text, r.m_info.m_strComments.view());
        out.label = Pack(s.text, r.m_info.m_strLabel.view());
        out.labelPoint = r.m_info.m_ptLabel;
        out.labelText = r.m_info.m_crLabelText;
        out.labelBack = r.m_info.m_crLabelBack;
        out.links = r.m_links;
    }
    for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it) {
        const CLink& l = it.value();
        s.links.push_back({it.key(), l.m_nFromRoom, l.m_nToRoom, l.m_nFromDir, l.m_nToDir});
    }
}

namespace {
template <class V>
void Touch(V& v, std::size_t n)
{
    if (v.capacity() < n)
        v.reserve(n);
    v.resize(v.capacity());
    v.clear();
}
}  // namespace

void PrepareMapSnapshot(CMapSnapshot& s, std::size_t rooms, std::size_t links, std::size_t textBytes)
{
    Touch(s.rooms, rooms);
    Touch(s.links, links);
    Touch(s.text, textBytes);
}

bool MapSnapshotFits(const CMapSnapshot& s, const CVorMapperDoc& doc)
{
    return s.rooms.capacity() >= doc.GetRooms().size() && s.links.capacity() >= doc.GetLinks().size();
}

// Written through the same record layout as the document's own save.
std::vector<std::uint8_t> MapSnapshotBytes(const CMapSnapshot& s)
{
    CArchive ar;
    WriteMapHeader(ar, {s.originX, s.originY, s.rotation, s.zoom, s.currentPlane, s.currentRoom, s.lastRoomId,
                        s.lastLinkId});
    ar.WriteU32(static_cast<std::uint32_t>(s.planes.size()));
    for (const auto& p : s.planes)
        WritePlaneNameRecord(ar, p.plane, s.View(p.name));
    ar.WriteU32(static_cast<std::uint32_t>(s.rooms.size()));
    for (const auto& r : s.rooms)
        WriteRoomRecord(ar, {r.id, r.x, r.y, r.plane, r.recursive, r.color, s.View(r.title), s.View(r.comments),
                             s.View(r.label), r.labelPoint, r.labelText, r.labelBack, r.links});
    ar.WriteU32(static_cast<std::uint32_t>(s.links.size()));
    for (const auto& l : s.links)
        WriteLinkRecord(ar, l.id, l.from, l.to, l.fromDir, l.toDir);
    return ar.Buffer();
}
