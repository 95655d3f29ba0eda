#include "mapper/settings/ini_file.h"

#include <limits>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }
}  // namespace

std::string EncodeProfileValue(const std::string& value)
{
    const std::size_t end = value.find_first_of(std::string("\r\n\0", 3));
    std::string v = value.substr(0, end);
    if (v.empty())
        return v;
    const bool blankEnds = IsBlank(v.front()) || IsBlank(v.back());
    const bool quoted = v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front();
    if (blankEnds || quoted)
        return '"' + v + '"';
    return v;
}

std::string DecodeProfileValue(const std::string& stored)
{
    std::string v = stored;
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    if (v.size() > CIniFile::kMaxValue)
        v.resize(CIniFile::kMaxValue);
    return v;
}

std::int32_t ParseLeadingInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t n = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > limit) {
            n = limit;
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -n : n);
}

std::int32_t CIniFile::GetInt(const std::string& section, const std::string& key, std::int32_t def) const
{
    return ParseLeadingInt(GetString(section, key, std::to_string(def)));
}

void CIniFile::WriteInt(const std::string& section, const std::string& key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}
