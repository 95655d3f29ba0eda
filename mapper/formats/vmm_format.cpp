#include "mapper/formats/vmm_format.h"

#include "mapper/model/map_file.h"

namespace {
class CVmmFormat : public IMapFormat {
public:
    const char* Name() const override { return "vmm"; }
    const char* Description() const override { return "VorMapper map"; }
    std::vector<std::string> Extensions() const override { return {".vmm"}; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }
    bool Read(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport&,
              std::string& error) const override
    {
        return LoadMapBytes(doc, data, size, error);
    }
    bool Write(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport&, std::string&) const override
    {
        bytes = SaveMapBytes(doc);
        return true;
    }
};
}  // namespace

const IMapFormat& VmmMapFormat()
{
    static const CVmmFormat format;
    return format;
}
