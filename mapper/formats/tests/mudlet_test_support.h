#pragma once
// Mudlet maps written by hand for the reader tests.
#include <string>

#include <nlohmann/json.hpp>

#include "mapper/formats/mudlet_json_format.h"
#include "mapper/model/document.h"

using nlohmann::json;

// A room of the given area level; exits as {name, target} pairs.
inline json MudletRoom(int id, int x, int y, int z, std::vector<std::pair<const char*, int>> exits = {},
                       const char* name = "")
{
    json room = {{"id", id}, {"coordinates", {x, y, z}}, {"environment", -1}, {"exits", json::array()}};
    if (*name)
        room["name"] = name;
    for (auto [dir, target] : exits)
        room["exits"].push_back({{"name", dir}, {"exitId", target}});
    return room;
}

inline json MudletArea(int id, const char* name, json rooms)
{
    return {{"id", id}, {"name", name}, {"rooms", std::move(rooms)}};
}

inline json MudletMap(json areas)
{
    return {{"formatVersion", 1}, {"areas", std::move(areas)}};
}

struct CMudletRead {
    bool ok = false;
    std::string error;
    CFormatReport report;
};

inline CMudletRead ReadMudletText(CVorMapperDoc& doc, const std::string& text)
{
    CMudletRead r;
    r.ok = MudletJsonMapFormat().Read(doc, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), r.report,
                                      r.error);
    return r;
}

inline CMudletRead ReadMudletJson(CVorMapperDoc& doc, const json& j) { return ReadMudletText(doc, j.dump()); }

// The link a room's slot holds, or null.
inline const CLink* SlotLink(const CVorMapperDoc& doc, RoomId room, Direction dir)
{
    const CRoom* r = doc.GetRooms().Find(room);
    return r && r->m_links[dir] ? doc.GetLinks().Find(r->m_links[dir]) : nullptr;
}
