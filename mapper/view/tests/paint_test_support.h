#pragma once
// Small maps for the paint tests.
#include "mapper/model/document.h"

// A new map whose room 1 stands at (0, 0, 0); more rooms by AddTestRoom.
inline RoomId AddTestRoom(CVorMapperDoc& doc, int x, int y, int plane)
{
    CRoom room;
    room.m_nX = x;
    room.m_nY = y;
    room.m_nPlane = plane;
    return doc.AddRoom(room);
}

inline LinkId AddTestLink(CVorMapperDoc& doc, RoomId a, Direction da, RoomId b, Direction db)
{
    CLink link;
    link.m_nFromRoom = a;
    link.m_nFromDir = da;
    link.m_nToRoom = b;
    link.m_nToDir = db;
    const LinkId id = doc.AddLink(link);
    CRoom ra = doc.GetRoom(a), rb = doc.GetRoom(b);
    if (IsDirection(da)) {
        ra.m_links[da] = id;
        doc.SetRoom(ra);
    }
    if (IsDirection(db)) {
        rb = doc.GetRoom(b);
        rb.m_links[db] = id;
        doc.SetRoom(rb);
    }
    return id;
}
