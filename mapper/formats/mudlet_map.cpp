#include "mapper/formats/mudlet_map.h"

const char* MudletExitName(Direction dir) { return DirectionInfo(dir).name; }

Direction MudletExitDirection(const std::string& name)
{
    for (Direction d = 0; d < kDirCount; ++d)
        if (name == DirectionInfo(d).name)
            return d;
    return name == "southeastst" ? DIR_SE : DIR_NONE;  // as Mudlet 4.11 and 4.12 wrote it
}

const std::string* FindUserData(const CMudletUserData& data, const std::string& key)
{
    for (const auto& [k, v] : data)
        if (k == key)
            return &v;
    return nullptr;
}
