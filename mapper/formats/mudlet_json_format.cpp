#include "mapper/formats/mudlet_json_format.h"

#include "mapper/formats/mudlet_build.h"
#include "mapper/formats/mudlet_parse.h"
#include "mapper/formats/mudlet_write.h"
#include "mapper/model/document.h"

namespace {
class CMudletJsonFormat : public IMapFormat {
public:
    const char* Name() const override { return "mudlet-json"; }
    const char* Description() const override { return "Mudlet JSON map"; }
    std::vector<std::string> Extensions() const override { return {".json"}; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }
    bool Read(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport& report,
              std::string& error) const override
    {
        CMudletMap map;
        if (!ParseMudletJson(data, size, map, report, error)) {
            doc.OnNewDocument();
            return false;
        }
        if (map.rooms.empty()) {
            error = "the map has no rooms";
            doc.OnNewDocument();
            return false;
        }
        CMapContents contents;
        BuildMudletContents(map, contents, report);
        doc.ReplaceMap(std::move(contents));
        return true;
    }
    bool Write(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport& report,
               std::string&) const override
    {
        WriteMudletJson(doc, bytes, report);
        return true;
    }
};
}  // namespace

const IMapFormat& MudletJsonMapFormat()
{
    static const CMudletJsonFormat format;
    return format;
}
