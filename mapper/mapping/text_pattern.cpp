#include "mapper/mapping/text_pattern.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// The digit after a "%" (0 for anything that is not a digit, or nothing).
std::int32_t PlaceholderDigit(std::string_view token)
{
    if (token.size() < 2 || token[1] < '0' || token[1] > '9')
        return 0;
    return token[1] - '0';
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return;
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

}  // namespace

std::string ToLowerAnsi(std::string_view text)
{
    std::string out;
    ToLowerAnsiInto(text, out);
    return out;
}

void ToLowerAnsiInto(std::string_view text, std::string& out)
{
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = LowerAnsi(text[i]);
}

std::int32_t CTextPattern::AddNamedPlaceholder(const std::string& name, std::int32_t number)
{
    m_named[name] = number;
    return static_cast<std::int32_t>(m_named.size());
}

void CTextPattern::SetPattern(const std::string& source)
{
    m_strSource = source;
    Compile();
}

void CTextPattern::Compile()
{
    std::string work = ToLowerAnsi(m_strSource);
    m_tokens.clear();
    for (const auto& [name, number] : m_named)
        ReplaceAll(work, "%" + name, "%" + std::to_string(number));

    std::string_view rest = work;
    std::size_t i;
    while ((i = rest.find('%')) != std::string_view::npos) {
        if (i > 0)
            m_tokens.emplace_back(rest.substr(0, i));
        const std::string_view token = rest.substr(i, 2);
        m_tokens.emplace_back(token);
        const std::int32_t digit = PlaceholderDigit(token);
        if (digit > m_nHighest)
            m_nHighest = digit;
        rest.remove_prefix(std::min(rest.size(), i + 2));
    }
    if (!rest.empty())
        m_tokens.emplace_back(rest);
    m_nTokenCount = static_cast<std::int32_t>(m_tokens.size());
    m_values.assign(static_cast<std::size_t>(m_nHighest) + 1, std::string());
}

void CTextPattern::ClearValues()
{
    for (std::string& v : m_values)
        v.clear();
}

bool CTextPattern::Match(std::string_view line)
{
    if (m_strSource.empty() || line.empty())
        return false;
    ToLowerAnsiInto(line, m_strLower);
    const std::string_view lower = m_strLower;
    std::size_t p = 0, s = 0;
    std::int32_t c = 0;
    for (std::size_t k = 0; k < m_tokens.size(); ++k) {
        const std::string& t = m_tokens[k];
        const std::int32_t digit = t.size() == 2 && t[0] == '%' ? PlaceholderDigit(t) : 0;
        if (digit > 0) {
            c = digit;
            s = p;
            continue;
        }
        const std::size_t found = lower.find(t, p);
        if (found == std::string_view::npos) {
            ClearValues();
            return false;
        }
        if (c != 0)
            m_values[static_cast<std::size_t>(c)] = Trimmed(lower.substr(s, found - s));
        p = found + t.size();
        if (k + 1 == m_tokens.size())
            c = 0;
    }
    if (c != 0)
        m_values[static_cast<std::size_t>(c)] = Trimmed(lower.substr(s));
    return true;
}

std::string CTextPattern::GetValue(const std::string& name) const
{
    const auto it = m_named.find(name);
    const std::int32_t number = it == m_named.end() ? 0 : it->second;
    return GetNumberedValue(number);
}

const std::string& CTextPattern::GetNumberedValue(std::int32_t number) const
{
    static const std::string kEmpty;
    if (number < 0 || number > m_nHighest || static_cast<std::size_t>(number) >= m_values.size())
        return kEmpty;
    return m_values[static_cast<std::size_t>(number)];
}
