#pragma once
// Small helpers for the model tests.
#include <vector>

#include "mapper/model/document.h"

// Records every update hint a document sends.
class CHintRecorder : public vfw::IDocumentView {
public:
    explicit CHintRecorder(vfw::CDocument& doc) : m_doc(doc) { doc.AddView(this); }
    ~CHintRecorder() override { m_doc.RemoveView(this); }
    void OnUpdate(vfw::CDocument&, long hint) override { hints.push_back(hint); }
    std::vector<long> hints;

private:
    vfw::CDocument& m_doc;
};

// A new document (room 1 at the origin).
struct CNewDoc : CVorMapperDoc {
    CNewDoc() { OnNewDocument(); }
};

// Adds a room at a cell and returns its id.
inline RoomId AddRoomAt(CVorMapperDoc& doc, int x, int y, int plane = 0, const char* title = "")
{
    CRoom room;
    room.m_nX = x;
    room.m_nY = y;
    room.m_nPlane = plane;
    room.m_info.m_strTitle = title;
    return doc.AddRoom(room);
}

// Joins two rooms by a link entered in the slots of its valid directions.
inline LinkId Join(CVorMapperDoc& doc, RoomId a, Direction da, RoomId b, Direction db)
{
    CLink link;
    link.m_nFromRoom = a;
    link.m_nToRoom = b;
    link.m_nFromDir = da;
    link.m_nToDir = db;
    const LinkId id = doc.AddLink(link);
    if (IsDirection(da)) {
        CRoom ra = doc.GetRoom(a);
        ra.m_links[da] = id;
        doc.SetRoom(ra);
    }
    if (IsDirection(db)) {
        CRoom rb = doc.GetRoom(b);
        rb.m_links[db] = id;
        doc.SetRoom(rb);
    }
    return id;
}
