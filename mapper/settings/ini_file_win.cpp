// The profile format through the platform's private profile functions.
#include <windows.h>

#include <vector>

#include "mapper/settings/ini_file.h"

std::string CIniFile::GetString(const std::string& section, const std::string& key, const std::string& def) const
{
    char buf[kMaxValue + 1] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf, sizeof buf, m_strPath.c_str());
    return buf;
}

void CIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (section.empty() || key.empty())
        return;
    WritePrivateProfileStringA(section.c_str(), key.c_str(), EncodeProfileValue(value).c_str(), m_strPath.c_str());
}

std::string GetProgramDir()
{
    // Grows until the whole path fits: a cut path would name another folder.
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return std::string();
        if (n < buf.size()) {
            std::string path(buf.data(), n);
            const std::size_t slash = path.find_last_of('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        }
        buf.resize(buf.size() * 2);
    }
}
