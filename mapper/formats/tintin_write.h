#pragma once
// Writing a document as a TinTin++ map file, in the layout TinTin++ 2.02.20
// reads and writes itself ("V 2020", 12 room and 9 exit fields).
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/formats/format_report.h"

class CVorMapperDoc;

// Fails, with one line in `error`, only for a room id above the largest vnum.
bool WriteTintinMap(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report,
                    std::string& error);
