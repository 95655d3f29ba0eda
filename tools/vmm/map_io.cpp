#include "tools/vmm/map_io.h"

#include <ostream>
#include <vector>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

bool LoadOrReport(CVorMapperDoc& doc, const std::string& path, std::ostream& err)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error) || !LoadMapBytes(doc, bytes.data(), bytes.size(), error)) {
        err << "vmm: " << path << ": " << error << "\n";
        return false;
    }
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
