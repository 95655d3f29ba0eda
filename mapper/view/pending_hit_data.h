#pragma once
// What a window-bound paint still owes the hit data: the records stored since
// they last got it, by plane (a link under the planes of both its rooms), and
// the rooms that may hold a label region. The spatial index fills it from the
// document's change notices; the paint settles it.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mapper/model/records.h"

class CPendingHitData {
public:
    void AddRoom(std::int32_t plane, RoomId id) { m_rooms[plane].push_back(id); }
    // A link is pending under the planes of both its rooms.
    void AddLink(LinkId id, std::int32_t planeA, std::int32_t planeB);
    // The records of a plane, taken: the plane has none pending after.
    std::vector<RoomId> TakeRooms(std::int32_t plane) { return Take(m_rooms, plane); }
    std::vector<LinkId> TakeLinks(std::int32_t plane) { return Take(m_links, plane); }

    // Rooms that may hold a label region: those whose label the last paint
    // drew, and those stored with a region since.
    std::vector<RoomId>& LabelRegionRooms() { return m_labelRegionRooms; }

    void Clear();

private:
    using CByPlane = std::unordered_map<std::int32_t, std::vector<std::uint32_t>>;
    static std::vector<std::uint32_t> Take(CByPlane& m, std::int32_t plane);

    CByPlane m_rooms, m_links;
    std::vector<RoomId> m_labelRegionRooms;
};
