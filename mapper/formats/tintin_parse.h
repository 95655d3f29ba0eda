#pragma once
// The lines of a TinTin++ map file as records: its rooms with their exits,
// fields kept as views into the file's bytes. Both layouts real files have
// are read: the padded one of 2019 to 2022 ("R {    1} {0} ...", 11 room and
// 7 exit fields) and the later one ("R {1}{0}...", 12 and 9 fields); missing
// trailing fields are accepted. Line kinds that carry nothing for a map of
// rooms and links are counted in the report.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mapper/formats/format_report.h"

// Vnums above this are refused: a room id sizes tables of the program.
constexpr std::uint32_t kTintinMaxVnum = 16777215;

struct CTintinExit {
    std::uint32_t toVnum = 0;  // 0 when the field is not a vnum
    std::int32_t dir = -1;     // the direction bit mask, -1 when missing or not a number
    std::string_view name, cmd, flags, data, weight, color, delay;
    std::uint32_t line = 0;
};

struct CTintinRoom {
    std::uint32_t vnum = 0;
    std::uint32_t flags = 0;
    std::string_view color, name, symbol, desc, area, note, terrain, data, weight, id;
    std::uint32_t firstExit = 0;  // index in CTintinFile::exits
    std::uint32_t exitCount = 0;
    std::uint32_t line = 0;
};

struct CTintinFile {
    std::vector<CTintinRoom> rooms;  // in file order
    std::vector<CTintinExit> exits;  // each room's exits together, in file order
    std::uint32_t lastRoomVnum = 0;  // the I line: the room the map was left in
};

// Splits the file into records. Fails, with one line in `error`, on a file
// that is not a TinTin++ map, unbalanced braces or a vnum above kTintinMaxVnum.
bool ParseTintinFile(const std::uint8_t* data, std::size_t size, CTintinFile& file, CFormatReport& report,
                     std::string& error);

// Room flags of TinTin++.
enum : std::uint32_t { kTintinRoomVoid = 8 };
