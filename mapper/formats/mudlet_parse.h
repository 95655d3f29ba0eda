#pragma once
// Reading the text of a Mudlet JSON map (formatVersion 1.0) into a CMudletMap:
// the structure and types checked, what VorMapper cannot carry counted in
// the report and dropped.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mapper/formats/format_report.h"
#include "mapper/formats/mudlet_map.h"

// False with a one-line `error` ("line 3, column 9: ...") when the text is not
// a map that can be read.
bool ParseMudletJson(const std::uint8_t* data, std::size_t size, CMudletMap& map, CFormatReport& report,
                     std::string& error);
