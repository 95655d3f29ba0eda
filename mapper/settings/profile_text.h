#pragma once
// The profile format as text, without the platform: what the portable
// CIniFile is made of, and what the tests compare the platform's functions
// with. A file is a list of lines without their line ends.
#include <string>
#include <vector>

std::vector<std::string> ReadProfileLines(const std::string& path);
// Writes every line with CRLF, through a temporary file beside the target.
bool WriteProfileLines(const std::string& path, const std::vector<std::string>& lines);
// GetString on the lines: the decoded value of the first matching key of the
// first matching section, or the default.
std::string ProfileGetString(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
                             const std::string& def);
// Replaces the value of the first matching key in place, or adds the key at
// the end of its section, or the section at the end of the file.
void ProfileSetValue(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                     const std::string& value);
// WriteString on a file: reads it afresh into `lines`, sets the value, writes.
bool ProfileWriteString(const std::string& path, std::vector<std::string>& lines, const std::string& section,
                        const std::string& key, const std::string& value);
