#pragma once
// The four follow-mode triggers, the followed name and the follow state.
#include <string>
#include <string_view>

#include "mapper/mapping/text_pattern.h"

class CFollowTriggers {
public:
    CFollowTriggers();

    // The text ProcessLine returns for a stop line.
    static constexpr const char* kStop = "_stop";

    void SetActivation(const std::string& trigger) { m_activation.SetPattern(trigger); }
    const std::string& GetActivation() const { return m_activation.GetPattern(); }
    // The other three are kept as written; their patterns are built by SetName.
    void SetDirection(const std::string& trigger) { m_strDirection = trigger; }
    const std::string& GetDirection() const { return m_strDirection; }
    void SetFollow(const std::string& trigger) { m_strFollow = trigger; }
    const std::string& GetFollow() const { return m_strFollow; }
    void SetStop(const std::string& trigger) { m_strStop = trigger; }
    const std::string& GetStop() const { return m_strStop; }

    const std::string& GetName() const { return m_strName; }
    // Starts watching lines about `name`.
    void SetName(const std::string& name);
    // Tries the activation trigger; returns whether following is active.
    bool CheckActivation(std::string_view line);
    // "_stop", a captured direction text, or "".
    std::string ProcessLine(std::string_view line);
    bool IsConfigured() const { return !GetActivation().empty() && !m_strDirection.empty(); }
    void Deactivate() { m_bActive = m_bWaiting = false; }

    bool IsActive() const { return m_bActive; }
    bool IsWaiting() const { return m_bWaiting; }
    const CTextPattern& GetDirectionPattern() const { return m_direction; }

private:
    CTextPattern m_activation;
    CTextPattern m_direction;
    CTextPattern m_stop;
    CTextPattern m_follow;
    std::string m_strDirection;
    std::string m_strFollow;
    std::string m_strStop;
    std::string m_strName;
    bool m_bActive = false;
    bool m_bWaiting = false;
};
