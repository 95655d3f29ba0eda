// Feeds arbitrary bytes to the TinTin++ map reader: it must fail cleanly or
// give a consistent map, which it writes as a file that reads back to the
// same rooms.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mapper/formats/tintin_format.h"
#include "mapper/model/document.h"
#include "mapper/model/map_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const IMapFormat& tintin = TintinMapFormat();
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CFormatReport report;
    std::string error;
    if (!tintin.Read(doc, data, size, report, error)) {
        if (doc.GetRooms().size() != 1 || error.empty() || error.find('\n') != std::string::npos)
            __builtin_trap();  // a failed read leaves a new map and says why in one line
        return 0;
    }
    if (!FindInconsistencies(doc).empty())
        __builtin_trap();  // an import never makes an inconsistent map
    std::vector<std::uint8_t> written;
    if (!tintin.Write(doc, written, report, error))
        __builtin_trap();
    for (std::size_t i = 0; i < written.size(); ++i)
        if (written[i] == '#' && (i == 0 || written[i - 1] == '\n'))
            __builtin_trap();  // TinTin++ would run the line
    CVorMapperDoc again;
    if (!tintin.Read(again, written.data(), written.size(), report, error) ||
        again.GetRooms().size() != doc.GetRooms().size() || again.GetLinks().size() != doc.GetLinks().size())
        __builtin_trap();  // what we write we read back
    return 0;
}
