#pragma once
// Reading a TinTin++ map file into a document: rooms by vnum, exits joined
// through void rooms and paired into links, the rooms laid out on the grid.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mapper/formats/format_report.h"

class CVorMapperDoc;

// Replaces the document's map on success; leaves it untouched on failure,
// with `error` saying in one line what is wrong.
bool ReadTintinMap(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport& report,
                   std::string& error);
