#pragma once
// What the Import and Export file dialogs offer: one filter per format that
// reads (Import) or writes (Export), then all files; and the format of the
// user's choice.
#include <string>
#include <vector>

#include "mapper/formats/format_report.h"
#include "mapper/formats/map_format.h"

struct CFormatFilter {
    std::string m_strDescription;  // "Mudlet JSON map (*.json)"
    std::string m_strPatterns;     // "*.json", several joined by ';'
    const IMapFormat* m_pFormat;   // null for all files
};

class CFormatChoice {
public:
    explicit CFormatChoice(bool writing);

    bool Writing() const { return m_bWriting; }
    const std::vector<CFormatFilter>& Filters() const { return m_filters; }
    // The format of a chosen file: the one its extension names when that
    // format does the job, else that of the filter the user chose (1-based,
    // as file dialogs count); null when neither.
    const IMapFormat* Format(unsigned filterIndex, const std::string& path) const;
    // The path to write to: given without any extension, it gets the format's.
    static std::string WithExtension(const std::string& path, const IMapFormat& format);

private:
    bool m_bWriting;
    std::vector<CFormatFilter> m_filters;
};

// What the user is told after an import or export that left things out
// (`what`: "The import"); empty when the report is empty.
std::string NotCarriedMessage(const CFormatReport& report, const std::string& what);
