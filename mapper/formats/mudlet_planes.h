#pragma once
// Where Mudlet's areas and levels go among VorMapper's planes. Each area is a
// coordinate space of its own, so each (area, level) gets a plane of its own:
// the levels of one area on consecutive planes in level order (up stays up),
// the areas one after the other by id, from plane 0. A map whose rooms are
// all in one area puts each room on the plane of its level.
#include <cstdint>
#include <unordered_map>

#include "mapper/formats/mudlet_map.h"
#include "mapper/model/document.h"

class CMudletPlanes {
public:
    explicit CMudletPlanes(const CMudletMap& map);
    // The plane of an area's level; false when no room of the map is there.
    bool Find(std::uint32_t area, std::int64_t z, std::int32_t& plane) const;
    // The planes named after their areas: "Town", or "Town (level 2)" for an
    // area of several levels. Areas without a name leave their planes unnamed.
    void NameFromAreas(const CMudletMap& map, CPlaneNameMap& names) const;

private:
    static std::uint64_t Key(std::uint32_t area, std::int64_t z)
    {
        return (std::uint64_t{area} << 32) | static_cast<std::uint32_t>(static_cast<std::int32_t>(z));
    }
    struct CLevel {
        std::uint32_t area;
        std::int64_t z;
        std::int32_t plane;
    };
    std::vector<CLevel> m_levels;  // by area order, then level
    std::unordered_map<std::uint64_t, std::int32_t> m_planes;
};
