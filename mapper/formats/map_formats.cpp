// The registry of map formats, shared by the program and the tools.
#include <algorithm>
#include <cctype>

#include "mapper/formats/map_format.h"
#include "mapper/formats/mudlet_json_format.h"
#include "mapper/formats/tintin_format.h"
#include "mapper/formats/vmm_format.h"

const std::vector<const IMapFormat*>& MapFormats()
{
    static const std::vector<const IMapFormat*> formats = {
        &VmmMapFormat(),
        &MudletJsonMapFormat(),
        &TintinMapFormat(),
    };
    return formats;
}

const IMapFormat* FindMapFormat(const std::string& name)
{
    for (const IMapFormat* format : MapFormats())
        if (name == format->Name())
            return format;
    return nullptr;
}

const IMapFormat* MapFormatForPath(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return nullptr;
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const IMapFormat* format : MapFormats()) {
        const std::vector<std::string> extensions = format->Extensions();
        if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
            return format;
    }
    return nullptr;
}
