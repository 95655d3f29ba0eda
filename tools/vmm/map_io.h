#pragma once
// Loading and saving for the vmm commands, with the one-line error message.
#include <iosfwd>
#include <string>

class CVorMapperDoc;

// The document then tells the file's version and its stored current room.
bool LoadOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err);
bool SaveOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err);
