// vmm convert: a map from one format into another.
#include <ostream>

#include "mapper/formats/map_format.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/commands.h"

namespace {
const char kUsage[] = "convert IN OUT [--from FORMAT] [--to FORMAT]";

std::string FormatNames()
{
    std::string names;
    for (const IMapFormat* format : MapFormats())
        names += (names.empty() ? "" : ", ") + std::string(format->Name());
    return names;
}

// The format named, else the one of the path's extension; null after saying why.
const IMapFormat* PickFormat(const std::string& name, const std::string& path, const char* option, std::ostream& err)
{
    const IMapFormat* format = name.empty() ? MapFormatForPath(path) : FindMapFormat(name);
    if (format)
        return format;
    if (name.empty())
        err << "vmm: " << path << ": no format goes by this extension; name one with " << option << " ("
            << FormatNames() << ")\n";
    else
        err << "vmm: unknown format " << name << " (" << FormatNames() << ")\n";
    return nullptr;
}

bool ParseArgs(const VmmArgs& args, std::vector<std::string>& files, std::string& from, std::string& to)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--from" || args[i] == "--to") {
            if (i + 1 == args.size())
                return false;
            std::string& name = args[i] == "--from" ? from : to;
            name = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    return files.size() == 2;
}
}  // namespace

int VmmConvert(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> files;
    std::string from, to;
    if (!ParseArgs(args, files, from, to)) {
        err << "usage: vmm " << kUsage << "\n";
        return 1;
    }
    const std::string &in = files[0], &outPath = files[1];
    const IMapFormat* reader = PickFormat(from, in, "--from", err);
    const IMapFormat* writer = reader ? PickFormat(to, outPath, "--to", err) : nullptr;
    if (!writer)
        return 1;
    if (!reader->CanRead() || !writer->CanWrite()) {
        err << "vmm: " << (reader->CanRead() ? writer->Name() : reader->Name()) << " maps cannot be "
            << (reader->CanRead() ? "written" : "read") << "\n";
        return 1;
    }
    CVorMapperDoc doc;
    doc.OnNewDocument();
    std::vector<std::uint8_t> bytes;
    std::string error;
    CFormatReport readReport, writeReport;
    if (!ReadFileBytes(in, bytes, error) || !reader->Read(doc, bytes.data(), bytes.size(), readReport, error)) {
        err << "vmm: " << in << ": " << error << "\n";
        return 1;
    }
    if (!writer->Write(doc, bytes, writeReport, error)) {
        err << "vmm: " << outPath << ": " << error << "\n";
        return 1;
    }
    if (!WriteFileReplacing(outPath, bytes, error)) {
        err << "vmm: " << error << "\n";
        return 1;
    }
    for (const CFormatReport* report : {&readReport, &writeReport})
        for (const std::string& line : report->Lines())
            err << line << "\n";
    return 0;
}
