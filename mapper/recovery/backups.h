#pragma once
// Saving over a map file while keeping its earlier versions: the previous
// file becomes "<name>.bak1", bak1 becomes bak2 and so on up to the number
// of backups kept; the oldest falls off. The new file is written completely
// first, and the renames are undone if one fails, so a failed save leaves
// the map file and every backup as they were.
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/recovery/recovery_files.h"

constexpr int kMaxBackups = 9;

std::string BackupPath(const std::string& mapPath, int n);

bool SaveWithBackups(IRecoveryFiles& files, const std::string& path, const std::vector<std::uint8_t>& bytes,
                     int backups, std::string& error);

class CVorMapperDoc;
// The map saved through SaveWithBackups; the modified flag is cleared on success.
bool SaveMapFileWithBackups(CVorMapperDoc& doc, const std::string& path, int backups, std::string& error);
