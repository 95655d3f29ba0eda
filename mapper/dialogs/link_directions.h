#pragma once
// What the link properties dialog shows and stores, without its window: the
// rooms' titles and occupied directions at opening, and on OK the new
// directions written into the link and into both rooms' link slots.
#include <array>
#include <string>

#include "mapper/model/records.h"

class CVorMapperDoc;

// One end of the link as the dialog opens it.
struct CLinkEndView {
    bool bShown = false;         // the end names a room
    std::string strText;         // "From room: <title>" or "To room: <title>"
    Direction nSelected = DIR_NONE;
    std::array<LinkId, kDirCount> hidden{};  // the room's link slots: nonzero hides
};

class CLinkDirections {
public:
    // Takes a copy of the link; false when it is not in the map.
    bool Init(const CVorMapperDoc& doc, LinkId id);
    const CLink& Link() const { return m_link; }
    CLinkEndView FromEnd(const CVorMapperDoc& doc) const;
    CLinkEndView ToEnd(const CVorMapperDoc& doc) const;

    enum EResult { STORED, NEED_BOTH, NO_LINK };
    // Stores the chosen directions. NEED_BOTH when either is none (nothing
    // changes); NO_LINK when the dialog was opened on a link that is not in
    // the map. Rooms that are gone are left out; the link is stored anyway.
    EResult Apply(CVorMapperDoc& doc, Direction from, Direction to);

private:
    CLinkEndView End(const CVorMapperDoc& doc, RoomId room, Direction dir, const char* prefix) const;

    CLink m_link;
    bool m_bValid = false;
    Direction m_nPrevFrom = DIR_NONE;
    Direction m_nPrevTo = DIR_NONE;
};
