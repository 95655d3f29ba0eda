#include "tools/vmm/map_io.h"

#include <ostream>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

namespace {
std::uint32_t HeaderU32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    if (b.size() < at + 4)
        return 0;
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}
}  // namespace

bool LoadOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err, std::uint32_t* version,
                  std::uint32_t* storedCurrentRoom)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error) || !LoadMapBytes(doc, bytes.data(), bytes.size(), error)) {
        err << "vmm: " << path << ": " << error << "\n";
        return false;
    }
    // The tag is a 12-byte string with a one-byte prefix: the version follows at 13.
    if (version)
        *version = HeaderU32(bytes, 13);
    if (storedCurrentRoom)
        *storedCurrentRoom = HeaderU32(bytes, 45);
    return true;
}

bool SaveOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err)
{
    std::string error;
    if (SaveMapFile(doc, path, error))
        return true;
    err << "vmm: " << error << "\n";
    return false;
}
