#include "mapper/mapping/follow_triggers.h"

namespace {

std::string WithName(std::string text, const std::string& name)
{
    static const std::string kToken = "%name";
    std::size_t pos = 0;
    while ((pos = text.find(kToken, pos)) != std::string::npos) {
        text.replace(pos, kToken.size(), name);
        pos += name.size();
    }
    return text;
}

}  // namespace

CFollowTriggers::CFollowTriggers()
{
    m_activation.AddNamedPlaceholder("name", 9);
    m_direction.AddNamedPlaceholder("dir", 9);
}

void CFollowTriggers::SetName(const std::string& name)
{
    m_strName = name;
    m_bActive = true;
    m_bWaiting = false;
    m_direction.SetPattern(WithName(m_strDirection, name));
    m_follow.SetPattern(WithName(m_strFollow, name));
    m_stop.SetPattern(WithName(m_strStop, name));
}

bool CFollowTriggers::CheckActivation(std::string_view line)
{
    if (m_activation.Match(line))
        SetName(m_activation.GetValue("name"));
    return m_bActive;
}

std::string CFollowTriggers::ProcessLine(std::string_view line)
{
    if (!m_bActive)
        return std::string();
    if (m_stop.Match(line)) {
        m_bActive = m_bWaiting = false;
        return kStop;
    }
    if (!m_bWaiting) {
        if (!m_direction.Match(line))
            return std::string();
        if (!m_strFollow.empty()) {
            m_bWaiting = true;
            return std::string();
        }
        return m_direction.GetValue("dir");
    }
    if (!m_follow.Match(line))
        return std::string();
    m_bWaiting = false;
    return m_direction.GetValue("dir");
}
