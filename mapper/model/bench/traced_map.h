#pragma once
// The map the benchmarks work on: rooms made by trace moves along rows 1000
// wide, east then west (a corridor that winds back and forth), each titled the
// way games title rooms (longer than the short-string buffer).
#include <memory>
#include <string>

#include "mapper/model/document.h"

// Walks a new document out to `rooms` rooms; the character ends in the last.
inline void WalkTracedMap(CVorMapperDoc& doc, int rooms)
{
    doc.OnNewDocument();
    const int width = 1000;
    CRoomInfo info;
    for (int i = 1; i < rooms; ++i) {
        const int row = i / width;
        const Direction dir = i % width == 0 ? DIR_S : (row % 2 == 0 ? DIR_E : DIR_W);
        info.m_strTitle = "A winding forest path " + std::to_string(i);
        doc.Move(dir, &info);
    }
}

inline std::unique_ptr<CVorMapperDoc> TracedMap(int rooms)
{
    auto doc = std::make_unique<CVorMapperDoc>();
    WalkTracedMap(*doc, rooms);
    return doc;
}
