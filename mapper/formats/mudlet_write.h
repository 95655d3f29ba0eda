#pragma once
// Writing a document as a Mudlet JSON map (formatVersion 1.0) that Mudlet's
// reader loads: one area, "VorMapper map" (id 1), holding every room with its
// plane as its level, beside the empty "Default Area" (-1); every colour an
// environment of its own in customEnvColors (ids from kFirstEnvironment, clear
// of Mudlet's 1-16 and 257-272); keys sorted, compact text.
#include <cstdint>
#include <vector>

#include "mapper/formats/format_report.h"

class CVorMapperDoc;

constexpr std::int64_t kFirstEnvironment = 273;
constexpr std::int64_t kVorMapperArea = 1;

void WriteMudletJson(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report);
