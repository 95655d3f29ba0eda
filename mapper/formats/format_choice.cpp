#include "mapper/formats/format_choice.h"

CFormatChoice::CFormatChoice(bool writing) : m_bWriting(writing)
{
    for (const IMapFormat* format : MapFormats()) {
        if (!(writing ? format->CanWrite() : format->CanRead()))
            continue;
        std::string patterns;
        for (const std::string& extension : format->Extensions())
            patterns += (patterns.empty() ? "*" : ";*") + extension;
        m_filters.push_back({std::string(format->Description()) + " (" + patterns + ")", patterns, format});
    }
    m_filters.push_back({"All Files (*.*)", "*.*", nullptr});
}

const IMapFormat* CFormatChoice::Format(unsigned filterIndex, const std::string& path) const
{
    const IMapFormat* named = MapFormatForPath(path);
    if (named && (m_bWriting ? named->CanWrite() : named->CanRead()))
        return named;
    if (filterIndex >= 1 && filterIndex <= m_filters.size())
        return m_filters[filterIndex - 1].m_pFormat;
    return nullptr;
}

std::string CFormatChoice::WithExtension(const std::string& path, const IMapFormat& format)
{
    const std::size_t name = path.find_last_of("/\\:");
    const std::size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (name == std::string::npos || dot > name);
    const std::vector<std::string> extensions = format.Extensions();
    return hasExtension || extensions.empty() ? path : path + extensions.front();
}

std::string NotCarriedMessage(const CFormatReport& report, const std::string& what)
{
    if (report.Empty())
        return {};
    std::string text = what + " could not carry everything:\n";
    for (const std::string& line : report.Lines())
        text += "\n" + line;
    return text;
}
