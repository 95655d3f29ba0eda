#pragma once
// Map file formats: one unit per format, each with its name, the file
// extensions it goes by, and a reader from bytes to a document and a writer
// from a document to bytes. Both fill a report of what the other side could
// not hold, so that the user is told what an import or export left out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/formats/format_report.h"

class CVorMapperDoc;

class IMapFormat {
public:
    virtual ~IMapFormat() = default;
    // The name used on the command line ("vmm", "mudlet-json", "tintin").
    virtual const char* Name() const = 0;
    // What the user sees in a file dialog ("Mudlet JSON map").
    virtual const char* Description() const = 0;
    // Lower-case extensions with their dot (".json"); the first is the default.
    virtual std::vector<std::string> Extensions() const = 0;
    virtual bool CanRead() const = 0;
    virtual bool CanWrite() const = 0;
    // Reads a whole file. On failure the document is as after New and `error`
    // says in one line what is wrong; the report lists what was left out.
    virtual bool Read(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport& report,
                      std::string& error) const = 0;
    // Writes the document; the document itself is not changed.
    virtual bool Write(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report,
                       std::string& error) const = 0;
};

// Every format the program and the tools know, in menu order.
const std::vector<const IMapFormat*>& MapFormats();
// The format of that name, or null.
const IMapFormat* FindMapFormat(const std::string& name);
// The format a path's extension names (case-insensitive), or null.
const IMapFormat* MapFormatForPath(const std::string& path);
