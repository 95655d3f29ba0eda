#pragma once
// The records of a map file as they are written (version 2), from plain
// values: the document's save and a copy of the map written later on another
// thread share this one layout.
#include <array>
#include <cstdint>
#include <string_view>

#include "mapper/model/records.h"

class CArchive;

inline constexpr std::string_view kMapSchemaTag = "VorMapperMap";
inline constexpr std::uint32_t kMapVersionWritten = 2;

struct CMapFileHeader {
    std::int32_t originX, originY;
    double rotation, zoom;
    std::int32_t currentPlane;
    RoomId currentRoom;
    std::uint32_t lastRoomId, lastLinkId;
};

struct CRoomRecordView {
    RoomId id;
    std::int32_t x, y, plane;
    bool recursive;
    ColorRef color;
    std::string_view title, comments, label;
    CPoint labelPoint;
    ColorRef labelText, labelBack;
    const std::array<LinkId, kDirCount>& links;
};

// The schema tag, the version and the header fields.
void WriteMapHeader(CArchive& ar, const CMapFileHeader& header);
void WritePlaneNameRecord(CArchive& ar, std::int32_t plane, std::string_view name);
void WriteRoomRecord(CArchive& ar, const CRoomRecordView& room);
void WriteLinkRecord(CArchive& ar, LinkId id, RoomId from, RoomId to, Direction fromDir, Direction toDir);
