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

// A link as the rooms' slots see it: (room, direction) to (room, direction
// or -1 when the second room's slot does not hold it); a link held at both
// ends has its lesser end first, since either end may be its first.
using CLinkEnds = std::tuple<RoomId, Direction, RoomId, Direction>;

inline std::multiset<CLinkEnds> LinkEnds(const CVorMapperDoc& doc)
{
    std::multiset<CLinkEnds> ends;
    for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it) {
        const CLink& l = it.value();
        const CRoom* to = doc.GetRooms().Find(l.m_nToRoom);
        const bool held = IsDirection(l.m_nToDir) && to && to->m_links[l.m_nToDir] == it.key();
        if (held && std::make_pair(l.m_nToRoom, l.m_nToDir) < std::make_pair(l.m_nFromRoom, l.m_nFromDir))
            ends.insert({l.m_nToRoom, l.m_nToDir, l.m_nFromRoom, l.m_nFromDir});
        else
            ends.insert({l.m_nFromRoom, l.m_nFromDir, l.m_nToRoom, held ? l.m_nToDir : DIR_NONE});
    }
    return ends;
}

inline std::map<RoomId, std::string> Titles(const CVorMapperDoc& doc)
{
    std::map<RoomId, std::string> titles;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        titles[it.key()] = it.value().m_info.m_strTitle.str();
    return titles;
}

inline CCellKey CellOf(const CVorMapperDoc& doc, RoomId id)
{
    const CRoom& r = *doc.GetRooms().Find(id);
    return {r.m_nX, r.m_nY, r.m_nPlane};
}
