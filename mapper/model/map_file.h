#pragma once
// Reading and writing map files (.vmm).
#include <cstdint>
#include <string>
#include <vector>

class CVorMapperDoc;

// The map as the bytes of a version 2 file.
std::vector<std::uint8_t> SaveMapBytes(const CVorMapperDoc& doc);
// Loads a map from file bytes. On failure the document is as after New and
// `error` says why.
bool LoadMapBytes(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, std::string& error);

// The same with a file. Saving writes a temporary file beside the target and
// replaces the target only once the new file is complete, so a failed save
// leaves the old file as it was.
bool LoadMapFile(CVorMapperDoc& doc, const std::string& path, std::string& error);
bool SaveMapFile(CVorMapperDoc& doc, const std::string& path, std::string& error);

// Whole-file helpers shared with the tools.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);
bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);
