#include "mapper/formats/tintin_write.h"

#include <algorithm>
#include <cstdio>

#include "mapper/formats/tintin_parse.h"
#include "mapper/formats/tintin_text.h"
#include "mapper/model/document.h"

namespace {
struct CExitName {
    const char* name;
    int mask;
};
// By direction, in the order of the model's direction table.
constexpr CExitName kExitNames[kDirCount] = {{"n", 1}, {"s", 4},  {"e", 2},  {"w", 8},   {"ne", 3},
                                             {"nw", 9}, {"se", 6}, {"sw", 12}, {"u", 16}, {"d", 32}};

// The flags, global room and colours TinTin++ gives a new map.
constexpr int kNewMapFlags = 24588;

class CWriter {
public:
    CWriter(const CVorMapperDoc& doc, CFormatReport& report) : m_doc(doc), m_report(report) {}

    bool Write(std::string& out, std::string& error)
    {
        const CRoomMap& rooms = m_doc.GetRooms();
        std::vector<RoomId> ids;
        ids.reserve(rooms.size());
        for (auto it = rooms.begin(); it != rooms.end(); ++it)
            ids.push_back(it.key());
        std::sort(ids.begin(), ids.end());
        if (!ids.empty() && ids.back() > kTintinMaxVnum) {
            error = "room " + std::to_string(ids.back()) + " has an id above " + std::to_string(kTintinMaxVnum) +
                    ", the largest TinTin++ vnum this program writes";
            return false;
        }
        const std::uint32_t size = std::max<std::uint32_t>(50000, ids.empty() ? 0 : ids.back() + 1);
        out.reserve(rooms.size() * 120);
        out += "C " + std::to_string(size) + "\n\nV 2020\n\nF " + std::to_string(kNewMapFlags) + "\n\nG 0\n\nI " +
               std::to_string(m_doc.m_nCurrentRoom) + "\n\n";
        for (RoomId id : ids)
            Room(out, id, *rooms.Find(id));
        ReportMapExtras(rooms);
        if (m_droppedNul)
            m_report.NotCarried("texts with NUL characters (left out)", 1);
        return true;
    }

private:
    void Field(std::string& out, std::string_view text)
    {
        out += '{';
        out += TintinFieldFromMapText(text, &m_droppedNul);
        out += '}';
    }

    static void Vnum(std::string& out, RoomId id)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "{%5u}", static_cast<unsigned>(id));
        out += buf;
    }

    void Room(std::string& out, RoomId id, const CRoom& room)
    {
        out += "R ";
        Vnum(out, id);
        out += " {0} {" + TintinColorCode(room.m_crColor) + "} ";
        Field(out, room.m_info.m_strTitle);
        out += " { } {} ";
        const std::string* plane = m_doc.GetPlaneNames().Find(room.m_nPlane);
        Field(out, plane ? std::string_view(*plane) : std::string_view());
        out += ' ';
        Field(out, room.m_info.m_strComments);
        out += " {} {} {1.000} {}\n";
        for (Direction d = 0; d < kDirCount; ++d) {
            if (room.m_links[d] == 0)
                continue;
            const CLink* link = m_doc.GetLinks().Find(room.m_links[d]);
            if (!link) {
                m_report.NotCarried("exits naming absent links", 1, std::to_string(room.m_links[d]));
                continue;
            }
            const RoomId other = link->m_nFromRoom == id && link->m_nFromDir == d ? link->m_nToRoom : link->m_nFromRoom;
            if (!m_doc.GetRooms().Find(other)) {
                m_report.NotCarried("exits to absent rooms", 1, std::to_string(other));
                continue;
            }
            out += "E ";
            Vnum(out, other);
            out += " {";
            out += kExitNames[d].name;
            out += "} {";
            out += kExitNames[d].name;
            out += "} {" + std::to_string(kExitNames[d].mask) + "} {0} {} {1.000} {} {0.00}\n";
        }
        out += '\n';
        if (!room.m_info.m_strLabel.empty())
            m_report.NotCarried("room labels", 1, room.m_info.m_strLabel.str());
        if (room.m_bRecursive)
            m_report.NotCarried("recursive rooms", 1, std::to_string(id));
    }

    void ReportMapExtras(const CRoomMap& rooms)
    {
        if (!rooms.empty())
            m_report.NotCarried("room positions (TinTin++ lays rooms out by their exits)", rooms.size());
        std::uint64_t unset = 0;
        for (auto it = m_doc.GetLinks().begin(); it != m_doc.GetLinks().end(); ++it)
            if (!IsDirection(it.value().m_nFromDir))
                ++unset;
        if (unset)
            m_report.NotCarried("links without directions", unset);
        std::vector<std::int32_t> used;
        for (auto it = rooms.begin(); it != rooms.end(); ++it)
            used.push_back(it.value().m_nPlane);
        std::sort(used.begin(), used.end());
        for (auto it = m_doc.GetPlaneNames().begin(); it != m_doc.GetPlaneNames().end(); ++it)
            if (!std::binary_search(used.begin(), used.end(), it.key()))
                m_report.NotCarried("names of planes without rooms", 1, it.value());
    }

    const CVorMapperDoc& m_doc;
    CFormatReport& m_report;
    bool m_droppedNul = false;
};
}  // namespace

bool WriteTintinMap(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report,
                    std::string& error)
{
    std::string out;
    if (!CWriter(doc, report).Write(out, error))
        return false;
    bytes.assign(out.begin(), out.end());
    return true;
}
