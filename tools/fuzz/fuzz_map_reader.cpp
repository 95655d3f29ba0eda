// Feeds arbitrary bytes to the map reader: it must fail cleanly or load a
// map that can be saved, reloaded and edited.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    std::string error;
    if (!LoadMapBytes(doc, data, size, error)) {
        if (doc.GetRooms().size() != 1 || error.empty())
            __builtin_trap();  // a failed load must leave a new map and say why
        return 0;
    }
    const std::vector<std::uint8_t> saved = SaveMapBytes(doc);
    CVorMapperDoc again;
    if (!LoadMapBytes(again, saved.data(), saved.size(), error))
        __builtin_trap();  // what we write we must read
    // Edits on whatever was loaded must not crash.
    doc.Move(DIR_E);
    doc.Move(DIR_U);
    if (!doc.GetRooms().empty())
        doc.DeleteRoom(doc.GetRooms().begin().key());
    if (!doc.GetLinks().empty())
        doc.DeleteLink(doc.GetLinks().begin().key());
    return 0;
}
