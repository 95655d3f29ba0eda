#include "mapper/settings/config_logic.h"

#include <cstdio>

int CStringListEdit::Add(const std::string& text)
{
    m_items.push_back(text);
    return static_cast<int>(m_items.size()) - 1;
}

bool CStringListEdit::Modify(int index, const std::string& text)
{
    if (!IsValid(index))
        return false;
    m_items[static_cast<std::size_t>(index)] = text;
    return true;
}

int CStringListEdit::Delete(int index)
{
    if (!IsValid(index))
        return -1;
    m_items.erase(m_items.begin() + index);
    if (m_items.empty())
        return -1;
    const int last = static_cast<int>(m_items.size()) - 1;
    return index <= last ? index : last;
}

std::string TitleLineText(int value)
{
    char text[64];
    std::snprintf(text, sizeof text, "Get the title from line %lld", static_cast<long long>(value) + 1);
    return text;
}

void ApplyAliases(CDirectionAliases& aliases, const std::array<std::string, kDirCount>& longForms,
                  const std::array<std::string, kDirCount>& shortForms)
{
    aliases.Clear();
    for (Direction r = 0; r < kDirCount; ++r) {
        aliases.SetLong(r, longForms[static_cast<std::size_t>(r)]);
        aliases.SetShort(r, shortForms[static_cast<std::size_t>(r)]);
    }
}

CFollowPageValues CFollowPageValues::From(const CFollowTriggers& triggers)
{
    CFollowPageValues v;
    v.m_strActivation = triggers.GetActivation();
    v.m_strDirection = triggers.GetDirection();
    v.m_strFollow = triggers.GetFollow();
    v.m_bFollowOn = !v.m_strFollow.empty();
    v.m_strStop = triggers.GetStop();
    return v;
}

void CFollowPageValues::ApplyTo(CFollowTriggers& triggers) const
{
    triggers.SetActivation(m_strActivation);
    triggers.SetDirection(m_strDirection);
    triggers.SetFollow(m_bFollowOn ? m_strFollow : std::string());
    triggers.SetStop(m_strStop);
}
