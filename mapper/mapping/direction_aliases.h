#pragma once
// The long and short command word of each direction and the table that
// finds a direction from any prefix of a registered word.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "mapper/model/direction.h"

class CDirectionAliases {
public:
    // Store the text in the slot and register it; the keys of the slot's
    // earlier text stay in the table. An index outside 0..9 is ignored.
    void SetLong(Direction dir, const std::string& text);
    void SetShort(Direction dir, const std::string& text);
    const std::string& GetLong(Direction dir) const;
    const std::string& GetShort(Direction dir) const;
    // The direction stored under exactly the lower-cased text, or -1.
    Direction Lookup(std::string_view text) const;
    // All 20 texts empty and the table emptied.
    void Clear();
    // Only the table emptied.
    void ClearLookup() { m_lookup.clear(); }
    // The ten default pairs stored, in their registration order, over the
    // texts; the keys already in the table stay.
    void InstallDefaults();

    std::size_t GetLookupSize() const { return m_lookup.size(); }

private:
    void Register(Direction dir, const std::string& text);

    std::array<std::string, kDirCount> m_long;
    std::array<std::string, kDirCount> m_short;
    std::unordered_map<std::string, Direction> m_lookup;
    mutable std::string m_strKey;  // reused by Lookup
};
