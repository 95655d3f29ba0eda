#pragma once
// A Mudlet JSON map as read, before it becomes a document: what VorMapper can
// carry, in flat arrays, plus the VorMapper facts that travel in user data.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "mapper/formats/mudlet_colors.h"
#include "mapper/model/direction.h"
#include "mapper/model/types.h"

// Mudlet's exit names, indexed by VorMapper direction.
const char* MudletExitName(Direction dir);
// The direction of an exit name (with Mudlet's old "southeastst"), or DIR_NONE.
Direction MudletExitDirection(const std::string& name);

// User data keys of VorMapper's own: what Mudlet has no field for.
namespace mudlet_keys {
inline constexpr const char* kPrefix = "vormapper.";
// Map: "originX originY rotation zoom", "lastRoomId lastLinkId", the plane on
// view, and one key per named plane ("vormapper.planeName.-1").
inline constexpr const char* kView = "vormapper.view";
inline constexpr const char* kCounters = "vormapper.counters";
inline constexpr const char* kCurrentPlane = "vormapper.currentPlane";
inline constexpr const char* kPlaneName = "vormapper.planeName.";
// Room: comments, "1" when recursive, a colour that is not plain RGB, the id
// of the room's label, and the fields of a label with no text; per exit how
// its link joins ("vormapper.exit.north": see mudlet_links.h).
inline constexpr const char* kComments = "vormapper.comments";
inline constexpr const char* kRecursive = "vormapper.recursive";
inline constexpr const char* kColor = "vormapper.color";
inline constexpr const char* kLabel = "vormapper.label";
inline constexpr const char* kLabelPoint = "vormapper.labelPoint";
inline constexpr const char* kLabelColors = "vormapper.labelColors";
inline constexpr const char* kExit = "vormapper.exit.";
}  // namespace mudlet_keys

using CMudletUserData = std::vector<std::pair<std::string, std::string>>;

struct CMudletExit {
    std::uint32_t room;  // index of the room it leaves
    Direction dir;
    std::int64_t target;  // room id
};

struct CMudletRoom {
    std::int64_t id = 0;
    std::uint32_t area = 0;  // index into areas
    std::int64_t x = 0, y = 0, z = 0;  // as Mudlet has them: y grows northwards
    std::int64_t environment = -1;
    std::string name;  // UTF-8
    std::uint32_t firstExit = 0, exitCount = 0;
    CMudletUserData vormapper;  // VorMapper's own keys only
};

struct CMudletLabel {
    std::uint32_t area = 0;
    std::int64_t id = 0;
    double x = 0, y = 0;
    std::int64_t z = 0;
    double width = 0, height = 0;
    std::string text;  // UTF-8
    ColorRef fg = 0, bg = kColorNone;
};

struct CMudletArea {
    std::int64_t id = 0;
    std::string name;
};

struct CMudletMap {
    std::vector<CMudletArea> areas;
    std::vector<CMudletRoom> rooms;
    std::vector<CMudletExit> exits;
    std::vector<CMudletLabel> labels;
    CMudletEnvironments environments;
    std::unordered_map<std::int64_t, std::uint32_t> roomIndex;  // room id -> index
    std::int64_t playerRoom = 0;
    CMudletUserData vormapper;  // the map's VorMapper keys
};

// The value of a key, or null.
const std::string* FindUserData(const CMudletUserData& data, const std::string& key);
