// The portable reader and writer of the profile format. Lines are kept as
// they are; a write replaces the value of the first matching key in place,
// or adds the key at the end of its section, or the section at the end.
#include "mapper/settings/profile_text.h"

#include "mapper/settings/ini_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The section a line heads, if it is a "[name]" line.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    return Trim(close == std::string_view::npos ? line : line.substr(0, close));
}

// Key and stored value of a "key=value" line.
bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return !key.empty();
}

// Index of the first line of the first section named `section`, and the end
// of that section (the next section line or the end of the file).
bool FindSection(const std::vector<std::string>& lines, const std::string& section, std::size_t& begin,
                 std::size_t& end)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        begin = i + 1;
        end = begin;
        while (end < lines.size() && !SectionOf(lines[end]))
            ++end;
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> ReadProfileLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return lines;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        if (nl == std::string::npos)
            nl = text.size();
        std::size_t end = nl;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.emplace_back(text, start, end - start);
        start = nl + 1;
    }
    return lines;
}

bool WriteProfileLines(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string temp = path + ".saving";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const std::string& line : lines)
            out << line << "\r\n";
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    // Replaces the target where the C library's rename would refuse to.
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}


std::string ProfileGetString(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
                             const std::string& def)
{
    std::size_t begin = 0, end = 0;
    if (FindSection(lines, section, begin, end)) {
        for (std::size_t i = begin; i < end; ++i) {
            std::string_view k, v;
            if (KeyOf(lines[i], k, v) && SameName(k, key))
                return DecodeProfileValue(std::string(v));
        }
    }
    // The platform's reader drops trailing blanks of the default too.
    std::string_view d = def;
    while (!d.empty() && IsBlank(d.back()))
        d.remove_suffix(1);
    return std::string(d.substr(0, CIniFile::kMaxValue));
}

void ProfileSetValue(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                     const std::string& value)
{
    const std::string stored = EncodeProfileValue(value);
    std::size_t begin = 0, end = 0;
    if (FindSection(lines, section, begin, end)) {
        for (std::size_t i = begin; i < end; ++i) {
            std::string_view k, v;
            if (KeyOf(lines[i], k, v) && SameName(k, key)) {
                lines[i] = std::string(k) + "=" + stored;
                return;
            }
        }
        std::size_t at = end;
        while (at > begin && Trim(lines[at - 1]).empty())
            --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), key + "=" + stored);
        return;
    }
    if (!lines.empty() && !Trim(lines.back()).empty())
        lines.emplace_back();
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + stored);
}

bool ProfileWriteString(const std::string& path, std::vector<std::string>& lines, const std::string& section,
                        const std::string& key, const std::string& value)
{
    if (section.empty() || key.empty())
        return false;
    // Always from the file as it is now, so nothing written meanwhile is lost.
    lines = ReadProfileLines(path);
    ProfileSetValue(lines, section, key, value);
    return WriteProfileLines(path, lines);
}
