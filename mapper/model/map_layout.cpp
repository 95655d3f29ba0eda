#include "mapper/model/map_layout.h"

#include "mapper/model/archive.h"

void WriteMapHeader(CArchive& ar, const CMapFileHeader& h)
{
    ar.WriteString(kMapSchemaTag);
    ar.WriteU32(kMapVersionWritten);
    ar.WriteI32(h.originX);
    ar.WriteI32(h.originY);
    ar.WriteF64(h.rotation);
    ar.WriteF64(h.zoom);
    ar.WriteI32(h.currentPlane);
    ar.WriteU32(h.currentRoom);
    ar.WriteU32(h.lastRoomId);
    ar.WriteU32(h.lastLinkId);
}

void WritePlaneNameRecord(CArchive& ar, std::int32_t plane, std::string_view name)
{
    ar.WriteI32(plane);
    ar.WriteString(name);
}

void WriteRoomRecord(CArchive& ar, const CRoomRecordView& r)
{
    ar.WriteU32(r.id);
    ar.WriteI32(r.x);
    ar.WriteI32(r.y);
    ar.WriteI32(r.plane);
    ar.WriteU32(r.recursive ? 1 : 0);
    ar.WriteU32(r.color);
    ar.WriteString(r.title);
    ar.WriteString(r.comments);
    ar.WriteString(r.label);
    ar.WriteI32(r.labelPoint.x);
    ar.WriteI32(r.labelPoint.y);
    ar.WriteU32(r.labelText);
    ar.WriteU32(r.labelBack);
    for (LinkId link : r.links)
        ar.WriteU32(link);
}

void WriteLinkRecord(CArchive& ar, LinkId id, RoomId from, RoomId to, Direction fromDir, Direction toDir)
{
    ar.WriteU32(id);
    ar.WriteU32(from);
    ar.WriteU32(to);
    ar.WriteI32(fromDir);
    ar.WriteI32(toDir);
}
