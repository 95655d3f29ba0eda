#pragma once
// Random maps for the format tests, and a form of a map that two maps share
// exactly when they are the same map up to link ids and record order.
#include <algorithm>
#include <map>
#include <set>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "mapper/model/document.h"

// Text of any bytes, now and then longer than a line.
inline std::string RandomText(std::mt19937& rng, std::size_t maxLength)
{
    std::string text(rng() % (maxLength + 1), ' ');
    for (char& c : text)
        c = static_cast<char>(rng() % 4 ? 32 + rng() % 95 : rng() % 256);
    return text;
}

// A consistent map: every link held by its first room, its second room or
// both, by slots of the directions it names.
inline void MakeRandomMap(CVorMapperDoc& doc, std::mt19937& rng, int rooms)
{
    doc.OnNewDocument();
    CMapContents map;
    std::vector<RoomId> ids;
    for (int i = 0; i < rooms; ++i) {
        CRoom room;
        room.m_nId = 1 + rng() % 2000000;
        if (map.rooms.Find(room.m_nId))
            continue;
        room.m_nX = static_cast<std::int32_t>(rng() % 41) - 20;
        room.m_nY = static_cast<std::int32_t>(rng() % 41) - 20;
        room.m_nPlane = static_cast<std::int32_t>(rng() % 5) - 2;
        if (rng() % 50 == 0)
            room.m_nY = INT32_MIN;  // its negation does not fit in 32 bits
        room.m_bRecursive = rng() % 7 == 0;
        const unsigned colour = rng() % 6;
        room.m_crColor = colour == 0 ? kColorNone : colour == 1 ? 0x01000000u | rng() % 0x1000000 : rng() % 0x1000000;
        room.m_info.m_strTitle = RandomText(rng, rng() % 10 ? 30 : 300);
        if (rng() % 3 == 0)
            room.m_info.m_strComments = RandomText(rng, 80);
        const unsigned label = rng() % 6;
        if (label <= 1) {
            room.m_info.m_strLabel = label == 0 ? RandomText(rng, 20) : std::string();
            room.m_info.m_ptLabel = {static_cast<std::int32_t>(rng()), static_cast<std::int32_t>(rng())};
            room.m_info.m_crLabelText = rng() % 3 ? rng() % 0x1000000 : static_cast<ColorRef>(rng());
            room.m_info.m_crLabelBack = rng() % 2 ? kColorNone : static_cast<ColorRef>(rng() % 0x1000000);
        }
        ids.push_back(room.m_nId);
        map.rooms.Set(room.m_nId, room);
    }
    LinkId nextLink = 1;
    for (int i = 0; i < rooms * 2; ++i) {
        CRoom& a = *map.rooms.Find(ids[rng() % ids.size()]);
        CRoom& b = *map.rooms.Find(rng() % 8 == 0 ? a.m_nId : ids[rng() % ids.size()]);
        const Direction da = static_cast<Direction>(rng() % kDirCount);
        const Direction db = rng() % 2 ? Opposite(da) : static_cast<Direction>(rng() % kDirCount);
        const unsigned kind = rng() % 4;  // 0, 1: both rooms hold it; 2: the first; 3: the second
        const bool holdA = kind != 3, holdB = kind != 2;
        if ((holdA && a.m_links[da]) || (holdB && b.m_links[db]) || (holdA && holdB && &a == &b && da == db))
            continue;
        CLink link;
        link.m_nId = nextLink += 1 + rng() % 3;
        link.m_nFromRoom = a.m_nId;
        link.m_nToRoom = b.m_nId;
        link.m_nFromDir = da;
        link.m_nToDir = db;
        if (holdA)
            a.m_links[da] = link.m_nId;
        if (holdB)
            b.m_links[db] = link.m_nId;
        map.links.Set(link.m_nId, link);
    }
    for (int i = 0; i < 3; ++i)
        map.planes.Set(static_cast<std::int32_t>(rng() % 7) - 3, RandomText(rng, 12));
    CMapFileHeader& h = map.header;
    h.originX = static_cast<std::int32_t>(rng());
    h.originY = static_cast<std::int32_t>(rng());
    h.rotation = std::uniform_real_distribution<double>(-7, 7)(rng);
    h.zoom = std::uniform_real_distribution<double>(0.1, 8)(rng);
    h.currentRoom = ids[rng() % ids.size()];
    h.currentPlane = static_cast<std::int32_t>(rng() % 9) - 4;
    h.lastRoomId = 2000000 + rng() % 10;
    h.lastLinkId = nextLink + rng() % 10;
    doc.ReplaceMap(std::move(map));
}

// The map as text that leaves out link ids and record order: each link by its
// ends, the two ends of a link that both rooms hold in either order.
inline std::string CanonicalMap(const CVorMapperDoc& doc)
{
    auto linkText = [&](LinkId id) {
        const CLink* l = doc.GetLinks().Find(id);
        if (!l)
            return std::string("none");
        const CRoom* from = doc.GetRooms().Find(l->m_nFromRoom);
        const CRoom* to = doc.GetRooms().Find(l->m_nToRoom);
        const bool holdFrom = from && IsDirection(l->m_nFromDir) && from->m_links[l->m_nFromDir] == id;
        const bool holdTo = to && IsDirection(l->m_nToDir) && to->m_links[l->m_nToDir] == id;
        std::string a = std::to_string(l->m_nFromRoom) + "." + std::to_string(l->m_nFromDir) + (holdFrom ? "*" : "");
        std::string b = std::to_string(l->m_nToRoom) + "." + std::to_string(l->m_nToDir) + (holdTo ? "*" : "");
        if (holdFrom && holdTo && b < a)
            std::swap(a, b);
        return a + "-" + b;
    };
    std::ostringstream out;
    out << "view " << doc.m_nOriginX << " " << doc.m_nOriginY << " " << doc.m_dRotation << " " << doc.m_dZoom
        << " current " << doc.m_nCurrentRoom << " " << doc.m_nCurrentPlane << " counters " << doc.GetLastRoomId()
        << " " << doc.GetLastLinkId() << "\n";
    std::map<std::int32_t, std::string> planes;
    for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
        planes[it.key()] = it.value();
    for (const auto& [plane, name] : planes)
        out << "plane " << plane << " '" << name << "'\n";
    std::map<RoomId, const CRoom*> rooms;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        rooms[it.key()] = &it.value();
    for (const auto& [id, r] : rooms) {
        const CRoomInfo& i = r->m_info;
        out << "room " << id << " " << r->m_nX << " " << r->m_nY << " " << r->m_nPlane << " " << r->m_bRecursive
            << " " << r->m_crColor << " '" << i.m_strTitle << "' '" << i.m_strComments << "' '" << i.m_strLabel << "' "
            << i.m_ptLabel.x << " " << i.m_ptLabel.y << " " << i.m_crLabelText << " " << i.m_crLabelBack << "\n";
        for (int d = 0; d < kDirCount; ++d)
            if (r->m_links[d])
                out << "  slot " << d << " " << linkText(r->m_links[d]) << "\n";
    }
    std::vector<std::string> links;
    for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it)
        links.push_back(linkText(it.key()));
    std::sort(links.begin(), links.end());
    for (const std::string& l : links)
        out << "link " << l << "\n";
    return out.str();
}
