#include "mapper/model/map_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "mapper/model/archive.h"
#include "mapper/model/document.h"

std::vector<std::uint8_t> SaveMapBytes(const CVorMapperDoc& doc)
{
    CArchive ar;
    doc.Store(ar);
    return ar.Buffer();
}

bool LoadMapBytes(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, std::string& error)
{
    CArchive ar(data, size);
    try {
        doc.Serialize(ar);
    } catch (const CArchiveException& e) {
        error = e.what();
        return false;
    }
    return true;
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    bytes.clear();
    std::uint8_t chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool LoadMapFile(CVorMapperDoc& doc, const std::string& path, std::string& error)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        doc.OnNewDocument();
        return false;
    }
    return LoadMapBytes(doc, bytes.data(), bytes.size(), error);
}

bool SaveMapFile(CVorMapperDoc& doc, const std::string& path, std::string& error)
{
    if (!WriteFileReplacing(path, SaveMapBytes(doc), error))
        return false;
    doc.SetModifiedFlag(false);
    return true;
}
