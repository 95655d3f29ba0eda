#include "mapper/formats/dump_json_format.h"

#include <nlohmann/json.hpp>

#include "mapper/model/document.h"

namespace {
using nlohmann::ordered_json;

ordered_json Header(const CVorMapperDoc& doc)
{
    ordered_json j;
    j["version"] = doc.GetFileVersion();
    j["originX"] = doc.m_nOriginX;
    j["originY"] = doc.m_nOriginY;
    j["rotation"] = doc.m_dRotation;
    j["zoom"] = doc.m_dZoom;
    j["currentPlane"] = doc.m_nCurrentPlane;
    j["currentRoom"] = doc.m_nCurrentRoom;
    j["lastRoomId"] = doc.GetLastRoomId();
    j["lastLinkId"] = doc.GetLastLinkId();
    return j;
}

ordered_json Rooms(const CVorMapperDoc& doc)
{
    ordered_json rooms = ordered_json::array();
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it) {
        const CRoom& r = it.value();
        rooms.push_back({{"id", it.key()},
                         {"x", r.m_nX},
                         {"y", r.m_nY},
                         {"plane", r.m_nPlane},
                         {"recursive", r.m_bRecursive},
                         {"color", r.m_crColor},
                         {"title", MapTextToUtf8(r.m_info.m_strTitle)},
                         {"comments", MapTextToUtf8(r.m_info.m_strComments)},
                         {"label", MapTextToUtf8(r.m_info.m_strLabel)},
                         {"labelX", r.m_info.m_ptLabel.x},
                         {"labelY", r.m_info.m_ptLabel.y},
                         {"labelText", r.m_info.m_crLabelText},
                         {"labelBack", r.m_info.m_crLabelBack},
                         {"links", r.m_links}});
    }
    return rooms;
}

class CDumpJsonFormat : public IMapFormat {
public:
    const char* Name() const override { return "dump-json"; }
    const char* Description() const override { return "VorMapper map as JSON"; }
    std::vector<std::string> Extensions() const override { return {".json"}; }
    bool CanRead() const override { return false; }
    bool CanWrite() const override { return true; }
    bool Read(CVorMapperDoc&, const std::uint8_t*, std::size_t, CFormatReport&, std::string& error) const override
    {
        error = "the dump of a map cannot be read back";
        return false;
    }
    bool Write(const CVorMapperDoc& doc, std::vector<std::uint8_t>& bytes, CFormatReport&, std::string&) const override
    {
        ordered_json j = Header(doc);
        ordered_json planes = ordered_json::array();
        for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
            planes.push_back({{"plane", it.key()}, {"name", MapTextToUtf8(it.value())}});
        j["planeNames"] = planes;
        j["rooms"] = Rooms(doc);
        ordered_json links = ordered_json::array();
        for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it) {
            const CLink& l = it.value();
            links.push_back({{"id", it.key()},
                             {"fromRoom", l.m_nFromRoom},
                             {"toRoom", l.m_nToRoom},
                             {"fromDir", l.m_nFromDir},
                             {"toDir", l.m_nToDir}});
        }
        j["links"] = links;
        const std::string text = j.dump(2, ' ', true) + "\n";
        bytes.assign(text.begin(), text.end());
        return true;
    }
};
}  // namespace

const IMapFormat& DumpJsonMapFormat()
{
    static const CDumpJsonFormat format;
    return format;
}
