#include "mapper/recovery/map_snapshot.h"

#include <cstring>

#include "mapper/model/archive.h"
#include "mapper/model/document.h"

namespace {
const char kSchemaTag[] = "VorMapperMap";
constexpr std::uint32_t kVersionWritten = 2;

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

// The same layout as the document's own save (checked by the tests).
std::vector<std::uint8_t> MapSnapshotBytes(const CMapSnapshot& s)
{
    CArchive ar;
    auto text = [&](CMapSnapshot::Text t) { ar.WriteString(std::string(s.View(t))); };
    ar.WriteString(kSchemaTag);
    ar.WriteU32(kVersionWritten);
    ar.WriteI32(s.originX);
    ar.WriteI32(s.originY);
    ar.WriteF64(s.rotation);
    ar.WriteF64(s.zoom);
    ar.WriteI32(s.currentPlane);
    ar.WriteU32(s.currentRoom);
    ar.WriteU32(s.lastRoomId);
    ar.WriteU32(s.lastLinkId);
    ar.WriteU32(static_cast<std::uint32_t>(s.planes.size()));
    for (const auto& p : s.planes) {
        ar.WriteI32(p.plane);
        text(p.name);
    }
    ar.WriteU32(static_cast<std::uint32_t>(s.rooms.size()));
    for (const auto& r : s.rooms) {
        ar.WriteU32(r.id);
        ar.WriteI32(r.x);
        ar.WriteI32(r.y);
        ar.WriteI32(r.plane);
        ar.WriteU32(r.recursive ? 1 : 0);
        ar.WriteU32(r.color);
        text(r.title);
        text(r.comments);
        text(r.label);
        ar.WriteI32(r.labelPoint.x);
        ar.WriteI32(r.labelPoint.y);
        ar.WriteU32(r.labelText);
        ar.WriteU32(r.labelBack);
        for (LinkId link : r.links)
            ar.WriteU32(link);
    }
    ar.WriteU32(static_cast<std::uint32_t>(s.links.size()));
    for (const auto& l : s.links) {
        ar.WriteU32(l.id);
        ar.WriteU32(l.from);
        ar.WriteU32(l.to);
        ar.WriteI32(l.fromDir);
        ar.WriteI32(l.toDir);
    }
    return ar.Buffer();
}
