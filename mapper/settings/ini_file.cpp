// Settings files through the portable reader and writer of the format.
#include "mapper/settings/ini_file.h"

#include "mapper/settings/profile_text.h"

std::string CIniFile::GetString(const std::string& section, const std::string& key, const std::string& def) const
{
    if (!m_bLoaded) {
        m_lines = ReadProfileLines(m_strPath);
        m_bLoaded = true;
    }
    return ProfileGetString(m_lines, section, key, def);
}

void CIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    // After a failed write the file is read again, so reads show what it holds.
    m_bLoaded = ProfileWriteString(m_strPath, m_lines, section, key, value);
}
