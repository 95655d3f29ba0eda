#pragma once
// Small maps for the paint tests: the model tests' helpers under the names
// the view tests use.
#include "mapper/model/tests/test_support.h"

inline RoomId AddTestRoom(CVorMapperDoc& doc, int x, int y, int plane) { return AddRoomAt(doc, x, y, plane); }

inline LinkId AddTestLink(CVorMapperDoc& doc, RoomId a, Direction da, RoomId b, Direction db)
{
    return Join(doc, a, da, b, db);
}
