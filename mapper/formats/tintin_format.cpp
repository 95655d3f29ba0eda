#include "mapper/formats/tintin_format.h"

#include "mapper/formats/tintin_read.h"
#include "mapper/formats/tintin_write.h"
#include "mapper/model/document.h"

namespace {
class CTintinMapFormat : public IMapFormat {
public:
    const char* Name() const override { return "tintin"; }
    const char* Description() const override { return "TinTin++ map"; }
    std::vector<std::string> Extensions() const override { return {".map", ".tin"}; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }

    bool Read(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport& report,
              std::string& error) const override
    {
        if (ReadTintinMap(doc, data, size, report, error))
            return true;
        doc.OnNewDocument();
        return false;
    }

    bool Write(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report,
               std::string& error) const override
    {
        return WriteTintinMap(doc, bytes, report, error);
    }
};
}  // namespace

const IMapFormat& TintinMapFormat()
{
    static const CTintinMapFormat format;
    return format;
}
