// vmm new, info, dump, check.
#include <ostream>

#include "mapper/formats/dump_json_format.h"
#include "mapper/model/document.h"
#include "mapper/model/map_check.h"
#include "tools/vmm/commands.h"
#include "tools/vmm/map_io.h"

namespace {

bool Usage(std::size_t got, std::size_t want, const char* usage, std::ostream& err)
{
    if (got == want)
        return true;
    err << "usage: vmm " << usage << "\n";
    return false;
}

}  // namespace

int VmmNew(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "new FILE", err))
        return 1;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    return SaveOrReport(doc, args[0], err) ? 0 : 1;
}

int VmmInfo(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "info FILE", err))
        return 1;
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, args[0], err))
        return 1;
    out << "version: " << doc.GetFileVersion() << "\n"
        << "rooms: " << doc.GetRooms().size() << "\n"
        << "links: " << doc.GetLinks().size() << "\n"
        << "last room id: " << doc.GetLastRoomId() << "\n"
        << "last link id: " << doc.GetLastLinkId() << "\n"
        << "current room: " << doc.m_nCurrentRoom << "\n"
        << "current plane: " << doc.m_nCurrentPlane << "\n"
        << "plane names: " << doc.GetPlaneNames().size() << "\n";
    for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
        out << "  " << it.key() << ": " << it.value() << "\n";
    return 0;
}

int VmmDump(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "dump FILE", err))
        return 1;
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, args[0], err))
        return 1;
    std::vector<std::uint8_t> bytes;
    CFormatReport report;
    std::string error;
    DumpJsonMapFormat().Write(doc, bytes, report, error);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return 0;
}

int VmmCheck(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "check FILE", err))
        return 1;
    // The raw file, before the repairs that loading makes (a missing current
    // room is replaced there): check looks at what is stored.
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, args[0], err))
        return 1;
    const RoomId storedCurrent = doc.GetStoredCurrentRoom();
    std::vector<std::string> found = FindInconsistencies(doc);
    if (!doc.GetRooms().Find(storedCurrent) && doc.GetRooms().Find(doc.m_nCurrentRoom))
        found.push_back("current room " + std::to_string(storedCurrent) + " is missing");
    for (const std::string& line : found)
        out << line << "\n";
    if (found.empty())
        out << "no inconsistencies\n";
    return found.empty() ? 0 : 1;
}
