#pragma once
// Loading and saving for the vmm commands, with the one-line error message.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class CVorMapperDoc;

// `version` receives the file's version, `storedCurrentRoom` the current room
// as the file holds it (before any repair).
bool LoadOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err, std::uint32_t* version = nullptr,
                  std::uint32_t* storedCurrentRoom = nullptr);
bool SaveOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err);
// The inconsistencies of a loaded map, one line each.
std::vector<std::string> FindInconsistencies(const CVorMapperDoc& doc);
