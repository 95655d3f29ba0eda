#include "mapper/recovery/startup_recovery.h"

#include <algorithm>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

namespace {
struct CCandidate {
    std::string name;
    std::int64_t changed;
    std::optional<COwnerRecord> owner;
};

bool IsCopyName(const std::string& name)
{
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".vmm") == 0;
}
}  // namespace

std::string RestoreQuestion(const std::string& mapTitle, const std::string& changed)
{
    return "VorMapper closed without saving the map " + mapTitle + " (changed " + changed +
           "). Restore the unsaved changes?";
}

CRestoredMap RecoverAtStartup(CVorMapperDoc& doc, CRecoveryFolder& folder, IProcessProbe& processes,
                              IRecoveryPrompt& prompt)
{
    CRestoredMap result;
    folder.PurgeDiscarded();
    std::vector<CCandidate> candidates;
    for (const CFileEntry& e : folder.Files().List(folder.Folder())) {
        if (!IsCopyName(e.name))
            continue;
        CCandidate c{e.name, e.changed, folder.ReadOwner(e.name)};
        if (c.owner && processes.IsRunning(c.owner->process))
            continue;  // another mapper's, still at work
        candidates.push_back(std::move(c));
    }
    std::sort(candidates.begin(), candidates.end(), [](const CCandidate& a, const CCandidate& b) {
        return a.changed != b.changed ? a.changed > b.changed : a.name < b.name;
    });

    for (const CCandidate& c : candidates) {
        std::vector<std::uint8_t> bytes;
        std::string error;
        CVorMapperDoc check;
        if (!folder.Files().Read(folder.PathOf(c.name), bytes, error) ||
            !LoadMapBytes(check, bytes.data(), bytes.size(), error)) {
            const std::string moved = folder.Discard(c.name);
            prompt.ReportUnreadable("The recovery copy " + c.name + " cannot be read" +
                                    (moved.empty() ? std::string() : " and was moved to Recovery\\Discarded") + ".\n" +
                                    error);
            continue;
        }
        if (result.restored)
            continue;  // offered at the next start
        const std::string mapPath = c.owner ? c.owner->mapPath : std::string();
        if (!prompt.AskRestore(RestoreQuestion(MapTitle(mapPath), FormatLocalTime(c.changed)))) {
            folder.Discard(c.name);
            continue;
        }
        LoadMapBytes(doc, bytes.data(), bytes.size(), error);  // read once already: cannot fail
        doc.SetModifiedFlag(true);
        result = {true, mapPath, c.name};
    }
    return result;
}
