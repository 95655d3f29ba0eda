#pragma once
// What the map paint reads of the view: display toggles, modes, the status
// line, the selection and the interaction in progress. Owned by the view
// window; the paint writes back only the rose regions.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/model/direction.h"
#include "mapper/model/records.h"
#include "mapper/view/geometry.h"

// Selected rooms and links: flags indexed by id - 1; an id beyond the flags
// is not selected.
struct CSelectionFlags {
    std::vector<std::int32_t> m_roomFlags;
    std::vector<std::int32_t> m_linkFlags;

    bool IsRoomSelected(RoomId id) const { return Flag(m_roomFlags, id); }
    bool IsLinkSelected(LinkId id) const { return Flag(m_linkFlags, id); }
    void SetRoom(RoomId id, bool on = true) { Set(m_roomFlags, id, on); }
    void SetLink(LinkId id, bool on = true) { Set(m_linkFlags, id, on); }
    bool Empty() const;

private:
    static bool Flag(const std::vector<std::int32_t>& f, std::uint32_t id)
    {
        return id != 0 && id <= f.size() && f[id - 1] != 0;
    }
    static void Set(std::vector<std::int32_t>& f, std::uint32_t id, bool on)
    {
        if (id == 0)
            return;
        if (id > f.size())
            f.resize(id, 0);
        f[id - 1] = on ? 1 : 0;
    }
};

struct CViewState {
    // display toggles ("Wind rose", "Grid", "Higher plane", "Lower plane", "State labels")
    bool m_bShowRose = true;
    bool m_bShowGrid = true;
    bool m_bShowHigher = true;
    bool m_bShowLower = true;
    bool m_bShowState = true;
    bool m_bOnline = false;
    bool m_bFollowMovements = false;
    std::string m_strStatus;

    CSelectionFlags m_selection;

    // the rose: the direction pressed (-1 none) and the triangles' regions in window pixels
    Direction m_nPressedRoseDir = DIR_NONE;
    std::array<HRegion, kDirCount> m_roseRegions;

    // interaction in progress
    bool m_bRotating = false;
    CRotationDrag m_rotation;
    bool m_bPanning = false;
    CPoint m_ptGrab;  // pointer - origin at the press
    bool m_bRubberBand = false;
    CRect m_rcBand;  // map units, corners as set
    bool m_bDraggingRoom = false;

    // The first rose region holding a window point, tested from down to north; -1 for none.
    Direction RoseDirectionAt(CPoint p) const;
};
