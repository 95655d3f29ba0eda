#pragma once
// The grid cell of a room, as the key of the document's position index.
#include <cstddef>
#include <cstdint>

struct CCellKey {
    std::int32_t x = 0, y = 0, plane = 0;
    friend bool operator==(const CCellKey&, const CCellKey&) = default;
};

struct CCellHash {
    std::size_t operator()(const CCellKey& k) const
    {
        std::uint64_t h = static_cast<std::uint32_t>(k.x);
        h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.y);
        h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.plane);
        h *= 0xD6E8FEB86659FD93ull;
        return static_cast<std::size_t>(h ^ (h >> 32));
    }
};
