#pragma once
// Large maps for the paint benchmarks: n rooms on plane 0 in a square block,
// each linked to its east neighbour (south at the end of a row), and n / 4
// rooms with their links on each of planes -1 and 1. Every third room is
// filled, every fiftieth room of plane 0 has a label.
#include <cmath>
#include <string>

#include "mapper/model/document.h"
#include "mapper/model/map_units.h"

// The view origin the maps are built with: cell (0, 0) at pixel (200, 200) at zoom 1.
constexpr std::int32_t kBenchOrigin = 200;

inline void BuildBenchMap(CVorMapperDoc& doc, long n)
{
    doc.OnNewDocument();
    struct CBlock {
        long count;
        int plane;
    };
    const CBlock blocks[3] = {{n, 0}, {n / 4, -1}, {n / 4, 1}};
    RoomId nextRoom = 1;
    LinkId nextLink = 1;
    for (const CBlock& b : blocks) {
        const long side = static_cast<long>(std::ceil(std::sqrt(static_cast<double>(b.count))));
        const RoomId first = nextRoom;
        // Rooms first, with the link slots they will hold.
        for (long i = 0; i < b.count; ++i) {
            CRoom room;
            room.m_nX = static_cast<int>(i % side);
            room.m_nY = static_cast<int>(i / side);
            room.m_nPlane = b.plane;
            if (i % 3 == 0)
                room.m_crColor = 0x80C0FF;
            if (b.plane == 0 && i % 50 == 0) {
                room.m_info.m_strLabel = "Room " + std::to_string(i);
                room.m_info.m_ptLabel = {static_cast<std::int32_t>(kCellPitch * room.m_nX + 57),
                                         static_cast<std::int32_t>(kCellPitch * room.m_nY - 43)};
            }
            const bool east = i % side != side - 1 && i + 1 < b.count;
            const bool south = !east && i + side < b.count;
            if (east || south)
                room.m_links[east ? DIR_E : DIR_S] = nextLink++;
            if (nextRoom == 1) {  // New's room 1 becomes the first room
                room.m_nId = 1;
                doc.SetRoom(room);
            } else {
                doc.AddRoom(room);
            }
            ++nextRoom;
        }
        for (long i = 0; i < b.count; ++i) {
            CRoom room = doc.GetRoom(first + i);
            const bool east = room.m_links[DIR_E] != 0;
            const LinkId id = east ? room.m_links[DIR_E] : room.m_links[DIR_S];
            if (id == 0)
                continue;
            CLink link;
            link.m_nFromRoom = first + i;
            link.m_nToRoom = first + i + (east ? 1 : side);
            link.m_nFromDir = east ? DIR_E : DIR_S;
            link.m_nToDir = east ? DIR_W : DIR_N;
            doc.AddLink(link);
            CRoom to = doc.GetRoom(link.m_nToRoom);
            to.m_links[link.m_nToDir] = id;
            doc.SetRoom(to);
        }
    }
    doc.m_nCurrentRoom = 1;
    doc.m_nCurrentPlane = 0;
    doc.m_nOriginX = kBenchOrigin;
    doc.m_nOriginY = kBenchOrigin;
}
