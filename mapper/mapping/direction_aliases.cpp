#include "mapper/mapping/direction_aliases.h"

#include "mapper/mapping/text_pattern.h"

namespace {
const std::string kEmpty;
}  // namespace

void CDirectionAliases::SetLong(Direction dir, const std::string& text)
{
    if (!IsDirection(dir))
        return;
    m_long[dir] = text;
    Register(dir, text);
}

void CDirectionAliases::SetShort(Direction dir, const std::string& text)
{
    if (!IsDirection(dir))
        return;
    m_short[dir] = text;
    Register(dir, text);
}

const std::string& CDirectionAliases::GetLong(Direction dir) const { return IsDirection(dir) ? m_long[dir] : kEmpty; }

const std::string& CDirectionAliases::GetShort(Direction dir) const
{
    return IsDirection(dir) ? m_short[dir] : kEmpty;
}

void CDirectionAliases::Register(Direction dir, const std::string& text)
{
    const std::string w = ToLowerAnsi(text);
    for (std::size_t k = 1; k <= w.size(); ++k) {
        auto [it, inserted] = m_lookup.try_emplace(w.substr(0, k), dir);
        if (!inserted && k == w.size())
            it->second = dir;
    }
}

Direction CDirectionAliases::Lookup(std::string_view text) const
{
    ToLowerAnsiInto(text, m_strKey);
    const auto it = m_lookup.find(m_strKey);
    return it == m_lookup.end() ? DIR_NONE : it->second;
}

void CDirectionAliases::Clear()
{
    for (int d = 0; d < kDirCount; ++d) {
        m_long[d].clear();
        m_short[d].clear();
    }
    m_lookup.clear();
}

void CDirectionAliases::InstallDefaults()
{
    struct Pair {
        Direction dir;
        const char* longForm;
        const char* shortForm;
    };
    static const Pair kDefaults[] = {
        {DIR_N, "north", "n"},      {DIR_S, "south", "s"},      {DIR_E, "east", "e"},
        {DIR_W, "west", "w"},       {DIR_U, "up", "u"},         {DIR_D, "down", "d"},
        {DIR_NE, "northeast", "ne"}, {DIR_SE, "southeast", "se"}, {DIR_NW, "northwest", "nw"},
        {DIR_SW, "southwest", "sw"},
    };
    // Stored like any alias: the keys already in the table stay, so the
    // configured aliases keep working when the client docks the mapper again.
    for (const Pair& p : kDefaults) {
        SetLong(p.dir, p.longForm);
        SetShort(p.dir, p.shortForm);
    }
}
