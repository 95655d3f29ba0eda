// Feeds arbitrary bytes to the Mudlet JSON reader: it must fail cleanly with
// one line and a new map, or read a map that writes and reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mapper/formats/mudlet_json_format.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const IMapFormat& mudlet = MudletJsonMapFormat();
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CFormatReport report;
    std::string error;
    if (!mudlet.Read(doc, data, size, report, error)) {
        if (doc.GetRooms().size() != 1 || error.empty() || error.find('\n') != std::string::npos)
            __builtin_trap();  // a failed read must leave a new map and say why in one line
        return 0;
    }
    for (const std::string& line : report.Lines())
        if (line.find('\n') != std::string::npos)
            __builtin_trap();
    std::vector<std::uint8_t> written;
    if (!mudlet.Write(doc, written, report, error))
        __builtin_trap();
    CVorMapperDoc again;
    if (!mudlet.Read(again, written.data(), written.size(), report, error))
        __builtin_trap();  // what we write we must read
    if (again.GetRooms().size() != doc.GetRooms().size() || again.GetLinks().size() != doc.GetLinks().size())
        __builtin_trap();
    const std::vector<std::uint8_t> vmm = SaveMapBytes(again);
    if (!LoadMapBytes(doc, vmm.data(), vmm.size(), error))
        __builtin_trap();
    return 0;
}
