#pragma once
// What happens at start-up with the recovery copies that mappers no longer
// running left behind: each readable one is offered (newest first) until the
// user restores one; refused ones go to "Discarded", unreadable ones are
// reported and go there too, copies of running mappers are left alone.
#include <string>

#include "mapper/recovery/recovery_store.h"

class CVorMapperDoc;

class IRecoveryPrompt {
public:
    virtual ~IRecoveryPrompt() = default;
    // The question; true for Yes.
    virtual bool AskRestore(const std::string& question) = 0;
    virtual void ReportUnreadable(const std::string& text) = 0;
};

struct CRestoredMap {
    bool restored = false;
    std::string mapPath;   // the original map's file, empty for one never saved
    std::string copyName;  // the copy in the recovery folder it came from
};

// "VorMapper closed without saving the map <name> (changed <time>). Restore the unsaved changes?"
std::string RestoreQuestion(const std::string& mapTitle, const std::string& changed);

// A restored map is loaded into `doc`, which is marked modified; otherwise
// `doc` is untouched.
CRestoredMap RecoverAtStartup(CVorMapperDoc& doc, CRecoveryFolder& folder, IProcessProbe& processes,
                              IRecoveryPrompt& prompt);
