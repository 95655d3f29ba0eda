#pragma once
// A copy of everything a map file holds, taken in one quick pass on the
// user-interface thread and written out later on another thread. It holds
// plain values only (no region handles, no per-string allocations): the
// texts of all records are packed into one buffer.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "mapper/model/records.h"

class CVorMapperDoc;

struct CMapSnapshot {
    struct Text {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    struct Room {
        RoomId id;
        std::int32_t x, y, plane;
        bool recursive;
        ColorRef color;
        Text title, comments, label;
        CPoint labelPoint;
        ColorRef labelText, labelBack;
        std::array<LinkId, kDirCount> links;
    };
    struct Link {
        LinkId id;
        RoomId from, to;
        Direction fromDir, toDir;
    };
    struct Plane {
        std::int32_t plane;
        Text name;
    };

    std::int32_t originX = 0, originY = 0;
    double rotation = 0.0, zoom = 1.0;
    std::int32_t currentPlane = 0;
    RoomId currentRoom = 0;
    std::uint32_t lastRoomId = 0, lastLinkId = 0;
    std::vector<Plane> planes;  // in the document's enumeration order
    std::vector<Room> rooms;
    std::vector<Link> links;
    std::vector<char> text;

    std::string_view View(Text t) const { return std::string_view(text.data() + t.offset, t.length); }
};

// The copy; the document is only read.
void TakeMapSnapshot(const CVorMapperDoc& doc, CMapSnapshot& snapshot);
// Makes room for a map of the given size and touches that memory, so that a
// later snapshot on another thread neither allocates nor faults pages in.
void PrepareMapSnapshot(CMapSnapshot& snapshot, std::size_t rooms, std::size_t links, std::size_t textBytes);
// Whether a snapshot of the document fits the memory already prepared.
bool MapSnapshotFits(const CMapSnapshot& snapshot, const CVorMapperDoc& doc);
// The bytes of the map file the document would have saved when the copy was taken.
std::vector<std::uint8_t> MapSnapshotBytes(const CMapSnapshot& snapshot);
