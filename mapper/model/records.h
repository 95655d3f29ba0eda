#pragma once
// The records of a map: a room, its texts and label, and a link between two
// rooms. Value types: fetched from the document as copies and stored back.
#include <array>
#include <cstdint>
#include <string>

#include "mapper/model/direction.h"
#include "mapper/model/map_string.h"
#include "mapper/model/region.h"
#include "mapper/model/types.h"

using RoomId = std::uint32_t;
using LinkId = std::uint32_t;
constexpr std::uint32_t kIdUnassigned = 0xFFFFFFFFu;

class CRoomInfo {
public:
    CRoomInfo() { Reset(); }
    // Label position and colours to their defaults, region released; texts stay.
    void Reset();
    // Takes the title, the comments and the label (with its position) from the
    // source where this one has none. Colours and region are never taken.
    void FillMissing(const CRoomInfo& source);
    // True when FillMissing(source) would change this.
    bool WouldFill(const CRoomInfo& source) const;

    CMapString m_strTitle;
    CMapString m_strComments;
    CMapString m_strLabel;
    CPoint m_ptLabel;
    ColorRef m_crLabelText = 0;
    ColorRef m_crLabelBack = kColorNone;
    HRegion m_hLabelRgn;
};

class CRoom {
public:
    CRoom() { Reset(); }
    void Reset();
    // Takes effect only while the id is unassigned.
    void SetId(RoomId id)
    {
        if (m_nId == kIdUnassigned)
            m_nId = id;
    }

    CRoomInfo m_info;
    CRect m_rcHit;
    std::array<LinkId, kDirCount> m_links{};
    CPoint m_ptSquare;
    ColorRef m_crColor = kColorNone;
    std::int32_t m_nX = 0;
    std::int32_t m_nY = 0;
    std::int32_t m_nPlane = 0;
    bool m_bRecursive = false;
    RoomId m_nId = kIdUnassigned;
};

class CLink {
public:
    CLink() { Reset(); }
    void Reset();
    void SetId(LinkId id)
    {
        if (m_nId == kIdUnassigned)
            m_nId = id;
    }

    LinkId m_nId = kIdUnassigned;
    HRegion m_hRgn;
    RoomId m_nFromRoom = 0;
    RoomId m_nToRoom = 0;
    Direction m_nFromDir = 0;
    Direction m_nToDir = 0;
};
