#pragma once
// Helpers for the TinTin++ format tests: reading and writing through the
// format unit, and the facts about a map that the tests compare.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "mapper/formats/tintin_format.h"
#include "mapper/model/document.h"
#include "mapper/model/map_check.h"

inline bool ReadTintin(CVorMapperDoc& doc, std::string_view text, CFormatReport& report, std::string& error)
{
    return TintinMapFormat().Read(doc, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), report, error);
}

// Reads text that must read; the report is dropped.
inline bool ReadTintin(CVorMapperDoc& doc, std::string_view text)
{
    CFormatReport report;
    std::string error;
    return ReadTintin(doc, text, report, error);
}

inline std::string WriteTintin(const CVorMapperDoc& doc, CFormatReport& report)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!TintinMapFormat().Write(doc, bytes, report, error))
        return "write failed: " + error;
    return std::string(bytes.begin(), bytes.end());
}

// The count the report gives a kind, 0 when it has none.
inline std::uint64_t Counted(const CFormatReport& report, std::string_view kind)
{
    for (const auto& item : report.Items())
        if (item.kind == kind)
            return item.count;
    return 0;
}

// A link as the rooms' slots see it: the (room, direction) of each end
// whose slot holds it, the lesser first when both do (either end may be the
// link's first); an end held by no slot is given as (room, -1).
using CLinkEnds = std::tuple<RoomId, Direction, RoomId, Direction>;

inline std::multiset<CLinkEnds> LinkEnds(const CVorMapperDoc& doc)
{
    std::multiset<CLinkEnds> ends;
    const auto held = [&](RoomId room, Direction dir, LinkId id) {
        const CRoom* r = doc.GetRooms().Find(room);
        return IsDirection(dir) && r && r->m_links[dir] == id;
    };
    for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it) {
        const CLink& l = it.value();
        std::pair<RoomId, Direction> a{l.m_nFromRoom, l.m_nFromDir}, b{l.m_nToRoom, l.m_nToDir};
        const bool heldA = held(a.first, a.second, it.key()), heldB = held(b.first, b.second, it.key());
        if (!heldA)
            std::swap(a, b);
        if (!heldA || !heldB)
            b.second = DIR_NONE;
        else if (b < a)
            std::swap(a, b);
        ends.insert({a.first, a.second, b.first, b.second});
    }
    return ends;
}

// The exits of a map as TinTin++ sees them: (room, direction, room at the
// other end) for each slot that holds a link.
inline std::set<std::tuple<RoomId, Direction, RoomId>> Exits(const CVorMapperDoc& doc)
{
    std::set<std::tuple<RoomId, Direction, RoomId>> exits;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        for (Direction d = 0; d < kDirCount; ++d)
            if (const CLink* l = doc.GetLinks().Find(it.value().m_links[d]))
                exits.insert({it.key(), d, l->m_nFromRoom == it.key() && l->m_nFromDir == d ? l->m_nToRoom : l->m_nFromRoom});
    return exits;
}

inline std::map<RoomId, std::string> Titles(const CVorMapperDoc& doc)
{
    std::map<RoomId, std::string> titles;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        titles[it.key()] = it.value().m_info.m_strTitle.str();
    return titles;
}

// Changes a stored room in place.
template <class Edit>
void EditRoom(CVorMapperDoc& doc, RoomId id, Edit edit)
{
    CRoom room = doc.GetRoom(id);
    edit(room);
    doc.SetRoom(room);
}

inline CCellKey CellOf(const CVorMapperDoc& doc, RoomId id)
{
    const CRoom& r = *doc.GetRooms().Find(id);
    return {r.m_nX, r.m_nY, r.m_nPlane};
}
