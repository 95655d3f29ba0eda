#pragma once
// The hit data a paint writes for a room or a link, computed from the cells
// alone: room square and hit rectangle, link corridor. Pure geometry in map
// units, the same for every zoom, angle and origin.
#include <cstdint>

#include "mapper/model/records.h"

class CVorMapperDoc;

struct CRoomHitGeometry {
    CPoint square;
    CRect hit;
};
CRoomHitGeometry RoomHitGeometry(std::int32_t x, std::int32_t y);

// True for a link the paint draws: both directions set, the second a compass one.
bool IsDrawnLink(const CLink& link);
// The eight corners of the link's corridor between rooms at cells a and b.
void LinkCorridorPoints(const CLink& link, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                        CPoint out[8]);

// Store the geometry into the record when it differs from what it holds.
void StoreRoomHitGeometry(CVorMapperDoc& doc, RoomId id, const CRoom& room);
// False (nothing stored) for a link that is not drawn or misses a room.
bool StoreLinkHitGeometry(CVorMapperDoc& doc, LinkId id, const CLink& link);
