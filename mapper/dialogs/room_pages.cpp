#include "mapper/dialogs/room_pages.h"

#include "mapper/model/document.h"

namespace {
constexpr const char* kNames[kDirCount] = {"north",      "south",      "east",       "west",       "north-east",
                                           "north-west", "south-east", "south-west", "up",         "down"};
}  // namespace

const char* LinksPageDirectionName(Direction dir) { return IsDirection(dir) ? kNames[dir] : ""; }

CRoomGeneralValues GeneralValuesOf(const CRoom& room)
{
    CRoomGeneralValues v;
    v.strTitle = room.m_info.m_strTitle.str();
    v.strLabel = room.m_info.m_strLabel.str();
    v.crColor = room.m_crColor;
    v.crLabelText = room.m_info.m_crLabelText;
    v.crLabelBack = room.m_info.m_crLabelBack;
    return v;
}

namespace {
const char kRoomPropertiesStep[] = "Room properties";
}  // namespace

bool ApplyRoomGeneral(CVorMapperDoc& doc, RoomId id, const CRoomGeneralValues& values, std::uint64_t step)
{
    CRoom room;
    if (!doc.LookupRoom(id, room))
        return false;
    room.m_info.m_strTitle = values.strTitle;
    if (room.m_info.m_strLabel.empty())
        room.m_info.m_ptLabel = CPoint{WrapAdd(room.m_ptSquare.x, 50), WrapAdd(room.m_ptSquare.y, -50)};
    room.m_info.m_strLabel = values.strLabel;
    room.m_crColor = values.crColor;
    room.m_info.m_crLabelText = values.crLabelText;
    room.m_info.m_crLabelBack = values.crLabelBack;
    const CMapStep named(doc, kRoomPropertiesStep, step);
    doc.SetRoom(room);
    doc.SetModifiedFlag();
    return true;
}

bool ApplyRoomComments(CVorMapperDoc& doc, RoomId id, const std::string& comments, std::uint64_t step)
{
    CRoom room;
    if (!doc.LookupRoom(id, room))
        return false;
    if (room.m_info.m_strComments != comments) {
        room.m_info.m_strComments = comments;
        const CMapStep named(doc, kRoomPropertiesStep, step);
        doc.SetRoom(room);
        doc.SetModifiedFlag();
    }
    return true;
}

std::array<int, kDirCount> HiddenWithoutLinks(const CRoom& room)
{
    std::array<int, kDirCount> hidden{};
    for (int d = 0; d < kDirCount; ++d)
        hidden[d] = room.m_links[d] == 0 ? 1 : 0;
    return hidden;
}

CShownLink ShownLinkAt(const CVorMapperDoc& doc, const CRoom& room, Direction dir)
{
    CShownLink shown;
    CLink link;
    if (!IsDirection(dir) || room.m_links[dir] == 0 || !doc.LookupLink(room.m_links[dir], link))
        return shown;
    RoomId other;
    Direction otherDir;
    if (link.m_nFromRoom != room.m_nId) {
        other = link.m_nFromRoom;
        otherDir = link.m_nFromDir;
        shown.nAtRoom = link.m_nToDir;
    } else {
        other = link.m_nToRoom;
        otherDir = link.m_nToDir;
        shown.nAtRoom = link.m_nFromDir;
    }
    CRoom otherRoom;
    doc.LookupRoom(other, otherRoom);  // a room that is gone shows an empty title
    shown.nLink = link.m_nId;
    shown.strDirection = std::string("Direction: ") + LinksPageDirectionName(otherDir);
    shown.strTitle = "Title: " + otherRoom.m_info.m_strTitle;
    return shown;
}

Direction SlotOfLink(const CRoom& room, LinkId link)
{
    if (link == 0)
        return DIR_NONE;
    for (int d = 0; d < kDirCount; ++d)
        if (room.m_links[d] == link)
            return d;
    return DIR_NONE;
}
