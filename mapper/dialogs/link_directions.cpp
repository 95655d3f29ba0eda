#include "mapper/dialogs/link_directions.h"

#include "mapper/model/document.h"

namespace {
// Empties a slot that still names the link: a slot that another link took
// meanwhile is not this link's to clear.
void ClearSlot(CRoom& room, Direction dir, LinkId link)
{
    if (IsDirection(dir) && room.m_links[dir] == link)
        room.m_links[dir] = 0;
}
}  // namespace

bool CLinkDirections::Init(const CVorMapperDoc& doc, LinkId id)
{
    m_bValid = doc.LookupLink(id, m_link);
    if (!m_bValid)
        m_link = CLink();
    m_nPrevFrom = DIR_NONE;
    m_nPrevTo = DIR_NONE;
    if (m_link.m_nFromRoom != 0 && IsDirection(m_link.m_nFromDir))
        m_nPrevFrom = m_link.m_nFromDir;
    if (m_link.m_nToRoom != 0 && IsDirection(m_link.m_nToDir))
        m_nPrevTo = m_link.m_nToDir;
    return m_bValid;
}

CLinkEndView CLinkDirections::End(const CVorMapperDoc& doc, RoomId id, Direction dir, const char* prefix) const
{
    CLinkEndView end;
    if (id == 0)
        return end;
    CRoom room;
    doc.LookupRoom(id, room);  // a room that is gone shows no title and no links
    end.bShown = true;
    end.strText = prefix + room.m_info.m_strTitle;
    end.nSelected = IsDirection(dir) ? dir : DIR_NONE;
    end.hidden = room.m_links;
    return end;
}

CLinkEndView CLinkDirections::FromEnd(const CVorMapperDoc& doc) const
{
    return End(doc, m_link.m_nFromRoom, m_link.m_nFromDir, "From room: ");
}

CLinkEndView CLinkDirections::ToEnd(const CVorMapperDoc& doc) const
{
    return End(doc, m_link.m_nToRoom, m_link.m_nToDir, "To room: ");
}

CLinkDirections::EResult CLinkDirections::Apply(CVorMapperDoc& doc, Direction from, Direction to)
{
    if (!IsDirection(from) || !IsDirection(to))
        return NEED_BOTH;
    if (!m_bValid)
        return NO_LINK;
    const LinkId id = m_link.m_nId;
    m_link.m_nFromDir = from;
    m_link.m_nToDir = to;
    const bool loop = m_link.m_nFromRoom == m_link.m_nToRoom;
    CMapStep step(doc, "Link properties");
    CRoom room;
    if (m_link.m_nFromRoom != 0 && doc.LookupRoom(m_link.m_nFromRoom, room)) {
        ClearSlot(room, m_nPrevFrom, id);
        if (loop)
            ClearSlot(room, m_nPrevTo, id);  // both old slots go before either new one is set
        room.m_links[from] = id;
        if (loop)
            room.m_links[to] = id;
        doc.SetRoom(room);
    }
    if (!loop && m_link.m_nToRoom != 0 && doc.LookupRoom(m_link.m_nToRoom, room)) {
        ClearSlot(room, m_nPrevTo, id);
        room.m_links[to] = id;
        doc.SetRoom(room);
    }
    doc.SetLink(m_link);
    m_nPrevFrom = from;
    m_nPrevTo = to;
    return STORED;
}
